// The settings sheet "設定" as a whole: its five pages, the active page with its help topic, and
// the checks of OK.
#pragma once

#include "settings_sheet/settings_colour_page.h"
#include "settings_sheet/settings_common_page.h"
#include "settings_sheet/settings_fields.h"
#include "settings_sheet/settings_format_page.h"
#include "settings_sheet/settings_sheet.h"
#include "settings_sheet/settings_tool_page.h"

namespace nelvix {

/// The help topic of a page: the command id of the page's help (common 32813, format 32816,
/// colour 32817, editor 32821, browser 32835); 0, the contents, for any other page.
int SettingsHelpTopic(int page);

class SettingsSheetModel {
public:
    /// Fills every page and opens on `page`; a page the sheet lacks opens the common page.
    void Open(const SettingsSheetValues& initial, int page);

    int ActivePage() const { return m_activePage; }
    /// The person turned to `page`; no check runs until OK.
    void SetActivePage(int page);
    int HelpTopic() const { return SettingsHelpTopic(m_activePage); }

    SetCommonPageModel& CommonPage() { return m_common; }
    SetFormatPageModel& FormatPage() { return m_format; }
    SetColourPageModel& ColourPage() { return m_colour; }
    SetToolPageModel& EditorPage() { return m_editor; }
    SetToolPageModel& BrowserPage() { return m_browser; }

    /// OK: the range checks of the common and format pages, then the editor and browser pages'
    /// list edits, each page in order. The first refusal (after its message or beep) becomes
    /// the active page and is returned; on success the values are Values().
    SetCheck Ok(ui::Platform& platform, const ProgramExists& programExists);
    /// The values read back from every page over the ones the sheet was opened with.
    SettingsSheetValues Values() const;

private:
    SetCheck Refused(int page, SetCheck check);

    SettingsSheetValues m_initial;
    int m_activePage = kSetCommonPage;
    SetCommonPageModel m_common;
    SetFormatPageModel m_format;
    SetColourPageModel m_colour;
    SetToolPageModel m_editor;
    SetToolPageModel m_browser;
};

} // namespace nelvix
