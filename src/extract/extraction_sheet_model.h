// The extraction sheet as a whole: its pages for line or global extraction, the
// active page, the checks on leaving a page, OK ("実行") and apply.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "extract/extraction_file_page_model.h"
#include "extract/extraction_set_page_model.h"
#include "extract/extraction_sheet.h"
#include "extract/extraction_step1_page_model.h"
#include "extract/extraction_step2_page_model.h"

namespace nelvix {

class ExtSheetModel {
public:
    explicit ExtSheetModel(ui::Beeper& beeper) : m_step1(beeper), m_step2(beeper), m_file(beeper) {}

    /// Fills every page and opens on `page`; a page the sheet lacks opens the
    /// first one.
    void Open(ExtractionSheetKind kind, const ExtractionSheetValues& initial,
              const std::vector<std::string>& history, int page);

    ExtractionSheetKind Kind() const { return m_kind; }
    /// Shift-JIS: "行の抽出" or "グローバル抽出".
    std::string Title() const;
    /// 3, or 4 with the file page.
    int PageCount() const;
    int ActivePage() const { return m_activePage; }

    ExtSetPageModel& SetPage() { return m_set; }
    ExtStep1PageModel& Step1Page() { return m_step1; }
    ExtStep2PageModel& Step2Page() { return m_step2; }
    ExtFilePageModel& FilePage() { return m_file; }

    /// The person turns to `page`: the active page's check runs first, and a
    /// refusal keeps it.
    ExtCheck ChangePage(int page);
    /// "実行": the checks before the values are taken (see CheckBeforeTaking); on
    /// success the values are Values().
    ExtCheck Ok() { return CheckBeforeTaking(); }
    /// "適用": the same checks; on success `apply` gets the values read back from
    /// every page, and no page is modified any more.
    ExtCheck Apply(const std::function<void(const ExtractionSheetValues&)>& apply);
    /// Some page changed since opening or the last apply: the apply button is
    /// enabled.
    bool Modified() const;
    /// The values read back from every page over the ones the sheet was opened
    /// with.
    ExtractionSheetValues Values() const;

private:
    /// The file page's check (the only page with one) whichever page is active,
    /// so that a pattern that page would refuse never reaches the command; a
    /// refusing file page becomes the active page.
    ExtCheck CheckBeforeTaking();
    bool HasPage(int page) const { return page >= 0 && page < PageCount(); }

    ExtractionSheetKind m_kind = ExtractionSheetKind::Line;
    ExtractionSheetValues m_initial;
    int m_activePage = kExtSetPage;
    ExtSetPageModel m_set;
    ExtStep1PageModel m_step1;
    ExtStep2PageModel m_step2;
    ExtFilePageModel m_file;
};

} // namespace nelvix
