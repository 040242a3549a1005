// The main frame's commands that need no window of their own.
#include "frame/frame_core.h"

#include "app/application.h"
#include "commands/font_command.h"
#include "frame/frame_commands.h"
#include "record/command_table.h"
#include "record/operation_recorder.h"
#include "store/viewer_settings.h"
#include "text/document_list.h"

namespace nelvix {

FrameCore::FrameCore(Application& application, FrameWindows& windows, ui::FrameServices& services,
                     FrameDialogs dialogs,
                     std::function<std::vector<CabinetDocument>()> cabinetRecords)
    : m_application(application), m_windows(windows), m_services(services),
      m_cabinetRecords(std::move(cabinetRecords)), m_placement(application.GetSettings()),
      m_tags(windows, application.Platform(), application.GetSettings()),
      m_markWindows(windows, application.Platform()),
      m_globalFind(application, windows, m_placement, services),
      m_extraction(application, windows, m_placement, services, dialogs.extractionSheet),
      m_htmlSearch(application, windows, m_placement, services, dialogs.htmlSearchDialog),
      m_tools(application, windows, dialogs.processLauncher),
      m_settingsSheet(application, windows, m_placement, dialogs.settingsSheet,
                      dialogs.settingsEffects, m_cabinetRecords),
      m_operations(application, dialogs.saveOperationDialog, dialogs.recallOperationDialog,
                   dialogs.waitCursor),
      m_dispatcher(dialogs.dispatcher), m_ctrlHeld(std::move(dialogs.ctrlHeld)),
      m_findSettings(TextFindSettingsOf(application.GetSettings())),
      m_history(application.Histories().patterns),
      m_find(application.Platform(),
             SharedFindOptions{application.FindEngine().Options(),
                               application.FindEngine().FindForward(), m_history},
             m_findSettings, [&windows] { windows.RefreshFindBox(); }),
      m_findDialog(m_find) {
    m_find.SetBusyPointer([&cursor = dialogs.waitCursor](bool busy) {
        if (busy)
            cursor.Begin();
        else
            cursor.End();
    });
}

bool FrameCore::Run(int commandId) {
    switch (commandId) {
    case kCmdGlobalFind:
        m_globalFind.Run();
        return true;
    case kCmdLineExtraction:
        m_extraction.RunLineExtraction();
        return true;
    case kCmdHtmlSearch:
        m_htmlSearch.Run();
        return true;
    case kCmdSettings:
        m_settingsSheet.Run();
        return true;
    case kCmdEditor:
    case kCmdBrowser:
        m_tools.Start(*ExternalToolOfCommand(commandId), m_ctrlHeld && m_ctrlHeld());
        return true;
    case kCmdReplay:
    case kCmdSaveOperation:
    case kCmdRecallOperation:
        return m_operations.Run(commandId, m_dispatcher);
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
    case kCmdHtmlSearch:
    case kCmdSettings:
        return true;
    case kCmdEditor:
    case kCmdBrowser:
        return m_tools.IsEnabled(*ExternalToolOfCommand(commandId));
    case kCmdReplay:
    case kCmdSaveOperation:
    case kCmdRecallOperation:
        return m_operations.IsEnabled(commandId);
    case kCmdNextTag:
    case kCmdPreviousTag:
    case kCmdTagWindow:
        return m_tags.HasTagDocument();
    default:
        break;
    }
    return std::nullopt;
}

bool FrameCore::ChooseFont() {
    Cabinet& cabinet = m_application.GetCabinet();
    DisplayFormat format = cabinet.Format();
    if (!RunFontCommand(m_services.fontDialog, m_application.Platform().beeper, format.font,
                        m_services.dotsPerInch))
        return false;
    cabinet.SetFormat(format);
    SpreadFormat();
    m_windows.RepaintFrame();
    m_application.GetCabinet().ConfirmSettings(m_application.Platform(),
                                               m_application.CabinetFile(), m_cabinetRecords());
    return true;
}

void FrameCore::SpreadFormat() {
    DocumentEnvironment& environment = m_application.DocumentsEnvironment();
    environment.format = m_application.GetCabinet().Format();
    for (const auto& document : m_application.Documents().Documents())
        document->SetFormatSettings(environment.format);
}

void FrameCore::ReadSettingsAgain() {
    m_findSettings = TextFindSettingsOf(m_application.GetSettings());
}

void FrameCore::DocumentClosing(CKespoDoc& document) {
    m_tags.DocumentClosing(document);
}

} // namespace nelvix
