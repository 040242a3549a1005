// The settings command.
#include "settings_sheet/settings_sheet_command.h"

#include <array>

#include "app/application.h"
#include "commands/document_placement.h"
#include "commands/frame_windows.h"
#include "settings_sheet/settings_colour_page.h"
#include "settings_sheet/settings_common_page.h"
#include "settings_sheet/settings_effects.h"

namespace nelvix {

namespace {

/// The words the format page edits, its hidden controls' among them.
constexpr std::array<std::size_t, 11> kFormatWords{
    kWordCharsPerLine,    kWordTabWidth,     kWordLineNumbering, kWordShowLineEnds,
    kWordShowTabs,        kWordFreeCursor,   kWordAutoIndent,    kWordKeepMarkedLines,
    kWordKeepMarkedChars, kWordDocumentType, kWordWordWrap};

/// The words whose change makes every document lay its text out again.
constexpr std::array<std::size_t, 4> kLayoutWords{kWordCharsPerLine, kWordTabWidth, kWordWordWrap,
                                                  kWordDocumentType};

bool AnyChanged(const DisplayBlock& before, const DisplayBlock& after, const auto& words) {
    for (const std::size_t word : words)
        if (before[word] != after[word])
            return true;
    return false;
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
    values.block = m_application.GetCabinet().Current();
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
    TakeFormatWords(values.block);
    TakeColourWords(values.block);
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
        m_effects.ShowWindowBar(settings.displayTabBar != 0);
    if (settings.separatedPlacement != before.separatedPlacement) {
        m_placement.Recompute();
        m_effects.PlaceActiveWindow(settings.separatedPlacement != 0);
    }
}

void SettingsSheetCommand::TakeFormatWords(const DisplayBlock& block) {
    DisplayBlock& current = m_application.GetCabinet().Current();
    const DisplayBlock before = current;
    for (const std::size_t word : kFormatWords)
        current[word] = block[word];
    m_application.DocumentsEnvironment().format = FormatOf(current);
    m_effects.ReadSettingsAgain();
    if (AnyChanged(before, current, kLayoutWords))
        m_effects.LayOutDocumentsAgain();
    if (before[kWordLineNumbering] != current[kWordLineNumbering])
        m_effects.RefreshCaretPosition();
}

void SettingsSheetCommand::TakeColourWords(const DisplayBlock& block) {
    DisplayBlock& current = m_application.GetCabinet().Current();
    const std::int32_t background = current[kWordTextBackColour];
    for (const ColourControl& control : kColourControls)
        current[control.word] = block[control.word];
    m_application.DocumentsEnvironment().format = FormatOf(current);
    if (current[kWordTextBackColour] != background)
        m_effects.SetTextBackground(ui::StandardPaletteColor(current[kWordTextBackColour]));
}

} // namespace nelvix
