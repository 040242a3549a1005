// The main frame's commands that need no window of their own.
#include "app/frame_core.h"

#include "app/application.h"
#include "app/display_block.h"
#include "app/font_command.h"
#include "app/frame_commands.h"
#include "app/viewer_settings.h"
#include "record/command_table.h"
#include "record/operation_recorder.h"
#include "text/document_list.h"

namespace nelvix {

namespace {

/// Commands whose windows this version does not have yet: shown, but disabled.
constexpr int kCommandsWithoutWindows[] = {kCmdHtmlSearch, kCmdSettings,      kCmdEditor,
                                           kCmdBrowser,    kCmdSaveOperation, kCmdRecallOperation};

} // namespace

FrameCore::FrameCore(Application& application, FrameWindows& windows, ui::FrameServices& services,
                     ExtractionSheet& extractionSheet,
                     std::function<std::vector<CabinetDocument>()> cabinetRecords)
    : m_application(application), m_windows(windows), m_services(services),
      m_cabinetRecords(std::move(cabinetRecords)), m_placement(application.GetSettings()),
      m_tags(windows, application.Platform(), application.GetSettings()),
      m_markWindows(windows, application.Platform()),
      m_globalFind(application, windows, m_placement, services),
      m_extraction(application, windows, m_placement, services, extractionSheet),
      m_findSettings(TextFindSettingsOf(application.GetSettings())),
      m_history(application.FindEngine().PatternHistory()),
      m_find(application.Platform(),
             SharedFindOptions{application.FindEngine().Options(),
                               application.FindEngine().FindForward(), m_history},
             m_findSettings, [&windows] { windows.RefreshFindBox(); }),
      m_findDialog(m_find) {}

bool FrameCore::Run(int commandId) {
    switch (commandId) {
    case kCmdGlobalFind:
        m_globalFind.Run();
        return true;
    case kCmdLineExtraction:
        m_extraction.RunLineExtraction();
        return true;
    case kCmdGlobalExtraction:
        m_extraction.RunGlobalExtraction();
        return true;
    case kCmdCurrentTag:
        m_tags.CurrentTag();
        return true;
    case kCmdNextTag:
        m_tags.NextTag();
        return true;
    case kCmdPreviousTag:
        m_tags.PreviousTag();
        return true;
    case kCmdTagWindow:
        m_tags.ShowTagWindow();
        return true;
    case kCmdToggleMarkWindow:
        m_markWindows.Toggle();
        return true;
    case kCmdNextMarkWindow:
        m_markWindows.Next();
        return true;
    case kCmdPreviousMarkWindow:
        m_markWindows.Previous();
        return true;
    case kCmdClearMarkWindows:
        m_markWindows.UnmarkAll();
        return true;
    case kCmdFont:
        ChooseFont();
        return true;
    default:
        return false;
    }
}

std::optional<bool> FrameCore::IsEnabled(int commandId, const FrameFacts& facts) const {
    switch (commandId) {
    case kCmdCurrentTag:
    case kCmdToggleMarkWindow:
    case kCmdLineExtraction:
        return facts.hasActiveView;
    case kCmdGlobalExtraction:
        return true;
    case kCmdNextTag:
    case kCmdPreviousTag:
    case kCmdTagWindow:
        return m_tags.HasTagDocument();
    default:
        break;
    }
    for (int command : kCommandsWithoutWindows)
        if (command == commandId)
            return false;
    return std::nullopt;
}

bool FrameCore::ChooseFont() {
    DisplayBlock& block = m_application.GetCabinet().Current();
    if (!RunFontCommand(m_services.fontDialog, m_application.Platform().beeper, block,
                        m_services.dotsPerInch))
        return false;
    SpreadFormat();
    m_windows.RepaintFrame();
    m_application.GetCabinet().ConfirmSettings(m_application.Platform(),
                                               m_application.CabinetFile(), m_cabinetRecords());
    return true;
}

void FrameCore::SpreadFormat() {
    DocumentEnvironment& environment = m_application.DocumentsEnvironment();
    environment.format = FormatOf(m_application.GetCabinet().Current());
    for (const auto& document : m_application.Documents().Documents())
        document->SetFormatSettings(environment.format);
}

void FrameCore::DocumentClosing(CKespoDoc& document) {
    m_tags.DocumentClosing(document);
}

} // namespace nelvix
