// The settings command.
#include "settings_sheet/settings_sheet_command.h"

#include "app/application.h"
#include "commands/document_placement.h"
#include "commands/frame_windows.h"
#include "settings_sheet/settings_colour_page.h"
#include "settings_sheet/settings_common_page.h"
#include "settings_sheet/settings_effects.h"

namespace nelvix {

namespace {

/// What the format page edits, its hidden controls' settings among them.
void TakeFormatPage(DisplayFormat& current, const DisplayFormat& edited) {
    current.charsPerLine = edited.charsPerLine;
    current.tabColumns = edited.tabColumns;
    current.lineNumbering = edited.lineNumbering;
    current.showLineEnds = edited.showLineEnds;
    current.showTabs = edited.showTabs;
    current.freeCursor = edited.freeCursor;
    current.autoIndent = edited.autoIndent;
    current.keepLineMarks = edited.keepLineMarks;
    current.keepStringMarks = edited.keepStringMarks;
    current.documentType = edited.documentType;
    current.wordWrap = edited.wordWrap;
}

/// A change of these makes every document lay its text out again.
bool LayoutChanged(const DisplayFormat& before, const DisplayFormat& after) {
    return before.charsPerLine != after.charsPerLine || before.tabColumns != after.tabColumns ||
           before.wordWrap != after.wordWrap || before.documentType != after.documentType;
}

} // namespace

CommonSettings CommonSettingsOf(const Settings& settings) {
    CommonSettings common;
    common.invokeGlobalFind = settings.invokeGlobalFind;
    common.copySelection = settings.copySelection;
    common.scrollLineCount = settings.scrollLineCount;
    common.runType = settings.runType;
    common.codeDecision = settings.codeDecision;
    common.displayTabBar = settings.displayTabBar;
    common.tabBarToTop = settings.tabBarToTop;
    common.multiText = settings.multiText;
    common.displayGlobalFindResult = settings.displayGlobalFindResult;
    common.titleViewLength = settings.titleViewLength;
    common.linkViewLength = settings.linkViewLength;
    common.linkJumpViewLength = settings.linkJumpViewLength;
    common.colorFoundLine = settings.colorFoundLine;
    common.separatedPlacement = settings.separatedPlacement;
    return common;
}

void StoreCommonSettings(Settings& settings, const CommonSettings& common) {
    settings.invokeGlobalFind = common.invokeGlobalFind;
    settings.copySelection = common.copySelection;
    settings.scrollLineCount = common.scrollLineCount;
    settings.runType = common.runType;
    // A list with nothing chosen gives -1, which must not reach the readers of the code.
    const bool listed = common.codeDecision >= 0 && common.codeDecision < kCodeDecisionItems;
    settings.codeDecision = listed ? common.codeDecision : 0;
    settings.displayTabBar = common.displayTabBar;
    settings.tabBarToTop = common.tabBarToTop;
    settings.multiText = common.multiText;
    settings.displayGlobalFindResult = common.displayGlobalFindResult;
    settings.titleViewLength = common.titleViewLength;
    settings.linkViewLength = common.linkViewLength;
    settings.linkJumpViewLength = common.linkJumpViewLength;
    settings.colorFoundLine = common.colorFoundLine;
    settings.separatedPlacement = common.separatedPlacement;
}

SettingsSheetCommand::SettingsSheetCommand(
    Application& application, FrameWindows& windows, PlacementState& placement,
    SettingsSheet& sheet, SettingsEffects& effects,
    std::function<std::vector<CabinetDocument>()> cabinetRecords)
    : m_application(application), m_windows(windows), m_placement(placement), m_sheet(sheet),
      m_effects(effects), m_cabinetRecords(std::move(cabinetRecords)) {}

SettingsSheetValues SettingsSheetCommand::InitialValues() {
    SettingsSheetValues values;
    values.common = CommonSettingsOf(m_application.GetSettings());
    values.format = m_application.GetCabinet().Format();
    values.editors = m_application.Editors();
    values.browsers = m_application.Browsers();
    return values;
}

void SettingsSheetCommand::Run() {
    const std::optional<SettingsSheetValues> values = m_sheet.Ask(InitialValues(), m_page);
    if (values)
        TakeOver(*values);
}

void SettingsSheetCommand::TakeOver(const SettingsSheetValues& values) {
    TakeCommonSettings(values.common);
    TakeFormat(values.format);
    TakeColours(values.format.colours);
    m_effects.RedrawDocuments();
    m_windows.RepaintFrame();
    m_application.GetCabinet().ConfirmSettings(m_application.Platform(),
                                               m_application.CabinetFile(), m_cabinetRecords());
    m_application.Editors() = values.editors;
    m_application.Browsers() = values.browsers;
}

void SettingsSheetCommand::TakeCommonSettings(const CommonSettings& common) {
    Settings& settings = m_application.GetSettings();
    const CommonSettings before = CommonSettingsOf(settings);
    StoreCommonSettings(settings, common);
    m_application.DocumentsEnvironment().codeDecision = settings.codeDecision;
    if (settings.displayTabBar != before.displayTabBar)
        m_effects.ShowWindowBar(settings.displayTabBar);
    if (settings.separatedPlacement != before.separatedPlacement) {
        m_placement.Recompute();
        m_effects.PlaceActiveWindow(settings.separatedPlacement);
    }
}

void SettingsSheetCommand::TakeFormat(const DisplayFormat& edited) {
    Cabinet& cabinet = m_application.GetCabinet();
    const DisplayFormat before = cabinet.Format();
    DisplayFormat current = before;
    TakeFormatPage(current, edited);
    cabinet.SetFormat(current);
    m_application.DocumentsEnvironment().format = cabinet.Format();
    m_effects.ReadSettingsAgain();
    if (LayoutChanged(before, current))
        m_effects.LayOutDocumentsAgain();
    if (before.lineNumbering != current.lineNumbering)
        m_effects.RefreshCaretPosition();
}

void SettingsSheetCommand::TakeColours(const DisplayColours& edited) {
    Cabinet& cabinet = m_application.GetCabinet();
    DisplayFormat current = cabinet.Format();
    const std::int32_t background = current.colours.textBackground;
    current.colours = edited;
    cabinet.SetFormat(current);
    m_application.DocumentsEnvironment().format = cabinet.Format();
    if (current.colours.textBackground != background)
        m_effects.SetTextBackground(ui::StandardPaletteColor(current.colours.textBackground));
}

} // namespace nelvix
