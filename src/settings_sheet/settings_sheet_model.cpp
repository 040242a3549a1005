// The settings sheet as a whole.
#include "settings_sheet/settings_sheet_model.h"

#include <array>

namespace nelvix {

namespace {

/// The help topic of each page, in page order.
constexpr std::array<int, kSetPageCount> kPageHelpTopics{32813, 32816, 32817, 32821, 32835};

bool IsPage(int page) {
    return page >= 0 && page < kSetPageCount;
}

} // namespace

int SettingsHelpTopic(int page) {
    return IsPage(page) ? kPageHelpTopics[static_cast<std::size_t>(page)] : 0;
}

void SettingsSheetModel::Open(const SettingsSheetValues& initial, int page) {
    m_initial = initial;
    m_activePage = IsPage(page) ? page : kSetCommonPage;
    m_common.Open(initial.common);
    m_format.Open(initial.format);
    m_colour.Open(initial.format.colours);
    m_editor.Open(initial.editors);
    m_browser.Open(initial.browsers);
}

void SettingsSheetModel::SetActivePage(int page) {
    if (IsPage(page))
        m_activePage = page;
}

SetCheck SettingsSheetModel::Ok(ui::Platform& platform, const ProgramExists& programExists) {
    if (const SetField field = m_common.Check(platform); field != SetField::None)
        return Refused(kSetCommonPage, {false, 0, field, true});
    if (const SetField field = m_format.Check(platform); field != SetField::None)
        return Refused(kSetFormatPage, {false, 0, field, true});
    if (const SetCheck check = m_editor.Confirm(platform, programExists); !check.ok)
        return Refused(kSetEditorPage, check);
    if (const SetCheck check = m_browser.Confirm(platform, programExists); !check.ok)
        return Refused(kSetBrowserPage, check);
    return {};
}

SetCheck SettingsSheetModel::Refused(int page, SetCheck check) {
    m_activePage = page;
    check.page = page;
    return check;
}

SettingsSheetValues SettingsSheetModel::Values() const {
    SettingsSheetValues values = m_initial;
    values.common = m_common.Values();
    m_format.Store(values.format);
    m_colour.Store(values.format.colours);
    values.editors = m_editor.List();
    values.browsers = m_browser.List();
    return values;
}

} // namespace nelvix
