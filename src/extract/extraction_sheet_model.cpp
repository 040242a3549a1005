// The extraction sheet as a whole.
#include "extract/extraction_sheet_model.h"

#include "base/cp932.h"

namespace nelvix {
namespace {

constexpr int kLinePageCount = 3;
constexpr int kGlobalPageCount = 4;

} // namespace

void ExtSheetModel::Open(ExtractionSheetKind kind, const ExtractionSheetValues& initial,
                         const std::vector<std::string>& history, int page) {
    m_kind = kind;
    m_initial = initial;
    m_set.Fill(initial);
    m_step1.Fill(initial);
    m_step2.Fill(initial);
    m_file.Fill(initial,
                kind == ExtractionSheetKind::Global ? history : std::vector<std::string>{});
    m_activePage = HasPage(page) ? page : kExtSetPage;
}

std::string ExtSheetModel::Title() const {
    return Sjis(m_kind == ExtractionSheetKind::Global ? "グローバル抽出" : "行の抽出");
}

int ExtSheetModel::PageCount() const {
    return m_kind == ExtractionSheetKind::Global ? kGlobalPageCount : kLinePageCount;
}

ExtCheck ExtSheetModel::ChangePage(int page) {
    if (!HasPage(page))
        return {false, ExtField::None};
    if (page == m_activePage)
        return kExtCheckOk;
    if (m_activePage == kExtFilePage) {
        const ExtCheck check = m_file.Check();
        if (!check.ok)
            return check;
    }
    m_activePage = page;
    return kExtCheckOk;
}

ExtCheck ExtSheetModel::Apply(const std::function<void(const ExtractionSheetValues&)>& apply) {
    const ExtCheck check = CheckBeforeTaking();
    if (!check.ok)
        return check;
    if (apply)
        apply(Values());
    m_set.ClearModified();
    m_step1.ClearModified();
    m_step2.ClearModified();
    m_file.ClearModified();
    return check;
}

bool ExtSheetModel::Modified() const {
    return m_set.Modified() || m_step1.Modified() || m_step2.Modified() ||
           (m_kind == ExtractionSheetKind::Global && m_file.Modified());
}

ExtractionSheetValues ExtSheetModel::Values() const {
    ExtractionSheetValues values = m_initial;
    m_set.ReadBack(values);
    m_step1.ReadBack(values);
    m_step2.ReadBack(values);
    if (m_kind == ExtractionSheetKind::Global)
        m_file.ReadBack(values);
    return values;
}

ExtCheck ExtSheetModel::CheckBeforeTaking() {
    if (m_kind != ExtractionSheetKind::Global)
        return kExtCheckOk;
    const ExtCheck check = m_file.Check();
    if (!check.ok)
        m_activePage = kExtFilePage;
    return check;
}

} // namespace nelvix
