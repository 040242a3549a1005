// The main window's commands: those the core decides run through FrameCore, the document
// windows run their own, and the rest open the frame's dialogs and arrange its windows.
#include <QApplication>
#include <QMdiArea>

#include "app/application.h"
#include "commands/open_file_filters.h"
#include "find/double_click.h"
#include "find/find_dialog_model.h"
#include "find/line_jump.h"
#include "frame/frame_commands.h"
#include "frame/frame_core.h"
#include "qt/dialogs/find_dialog.h"
#include "qt/dialogs/help_window.h"
#include "qt/dialogs/html_search_dialog.h"
#include "qt/dialogs/line_jump_dialog.h"
#include "qt/dialogs/open_file_dialog.h"
#include "qt/dialogs/recall_operation_dialog.h"
#include "qt/dialogs/save_operation_dialog.h"
#include "qt/dialogs/version_dialog.h"
#include "qt/frame/find_box.h"
#include "qt/frame/frame_status_bar.h"
#include "qt/frame/frame_tool_bar.h"
#include "qt/frame/main_frame.h"
#include "qt/frame/window_bar.h"
#include "qt/platform/convert.h"
#include "qt/platform/shell_opener.h"
#include "qt/sheets/extraction_sheet.h"
#include "qt/sheets/settings_sheet.h"
#include "qt/textview/document_window.h"
#include "record/command_table.h"
#include "store/viewer_settings.h"
#include "text/document_list.h"
#include "view/document_view.h"

namespace nelvix::qt {

namespace {

bool IsFindBoxCommand(int commandId) {
    return commandId == static_cast<int>(FindBoxCommand::FindNext) ||
           commandId == static_cast<int>(FindBoxCommand::FindPrevious) ||
           commandId == static_cast<int>(FindBoxCommand::FindNextButton);
}

bool IsUserTool(int commandId) {
    return commandId >= kCmdUserTool1 && commandId <= kCmdUserToolLast;
}

} // namespace

void CMainFrame::RunCommand(int commandId) {
    ++m_commandDepth;
    RunCommandAtDepth(commandId);
    --m_commandDepth;
}

void CMainFrame::RunCommandAtDepth(int commandId) {
    if (IsUserTool(commandId)) {
        m_application.RunUserTool(*this, commandId - kCmdUserTool1 + 1);
    } else if (m_core->Run(commandId)) {
        // A new font lays the texts out again, after which the active text takes the keys.
        if (commandId == kCmdFont)
            FocusActiveText();
    } else if (!RunFrameCommand(commandId)) {
        if (CKespoMCW* window = ActiveDocumentWindow())
            window->RunCommand(commandId);
        if (commandId == kCommandColumnRuler || commandId == kCommandLineRuler)
            KeepRulerSwitches();
    }
    if (m_toolBar != nullptr)
        m_toolBar->UpdateButtons();
}

void CMainFrame::KeepRulerSwitches() {
    // The views switched the rulers in the shared view settings; the settings record saves them.
    Settings& settings = m_application.GetSettings();
    settings.displayRulerBar = m_viewSettings.displayRulerBar ? 1 : 0;
    settings.displayLineBar = m_viewSettings.displayLineBar ? 1 : 0;
    m_rulerSettings.displayRulerBar = m_viewSettings.displayRulerBar;
    m_rulerSettings.displayLineBar = m_viewSettings.displayLineBar;
}

bool CMainFrame::RunFrameCommand(int commandId) {
    if (IsFindBoxCommand(commandId)) {
        FindWithBox(commandId);
        return true;
    }
    if (commandId >= kCmdRecentFile1 && commandId <= kCmdRecentFileLast) {
        const auto index = static_cast<std::size_t>(commandId - kCmdRecentFile1);
        if (index < m_application.RecentFiles().size())
            OpenDocumentWindow(std::string(m_application.RecentFiles()[index]));
        return true;
    }
    switch (commandId) {
    case kCmdFileOpen:
        OpenFileCommand();
        return true;
    case kCmdFileClose:
        // The document goes with all its windows, not only the active one.
        if (CKespoMCW* window = ActiveDocumentWindow())
            CloseDocument(*window->Document());
        return true;
    case kCmdFileSaveAs:
        if (CKespoMCW* window = ActiveDocumentWindow())
            window->Document()->SaveAs();
        return true;
    case kCmdCloseAll:
        CloseAll(false);
        return true;
    case kCmdCloseUntitled:
        CloseAll(true);
        return true;
    case kCmdAppExit:
        close();
        return true;
    case kCmdToolBar:
        m_toolBar->setVisible(!m_toolBar->isVisible());
        return true;
    case kCmdStatusBar:
        m_statusBar->setVisible(!m_statusBar->isVisible());
        return true;
    case kCmdNewWindow:
        if (CKespoMCW* window = ActiveDocumentWindow())
            NewDocumentWindow(*window->Document());
        return true;
    case kCmdCascade:
        m_area->cascadeSubWindows();
        return true;
    case kCmdTile:
        m_area->tileSubWindows();
        return true;
    case kCmdArrangeIcons:
        ArrangeIcons();
        return true;
    case kFindCommand:
        m_findDialog->OpenFind();
        return true;
    case kLineJumpCommand:
        LineJump();
        return true;
    case kCmdGoToFindBox:
        m_toolBar->Box().TakeFocus();
        return true;
    case kCmdHelpContents:
    case kCmdContextHelp:
    case kCmdHelp:
        // The window's own contents lead to every command's topic.
        m_help->ShowTopic(0);
        return true;
    case kCmdHelpUsing:
        m_help->ShowTopic(commandId);
        return true;
    case kCmdAppAbout:
        ShowVersionDialog(this);
        return true;
    default:
        return false;
    }
}

void CMainFrame::OpenFileCommand() {
    const auto documentType = static_cast<int>(m_application.GetCabinet().Format().documentType);
    const QStringList nameFilters = OpenNameFilters(OpenFileFiltersOf(documentType).filterList);
    const std::optional<OpenFileChoice> choice = ChooseFileToOpen(this, nameFilters, m_openFilter);
    if (!choice)
        return;
    m_openFilter = choice->filterIndex;
    const std::string path = QStringToSjisPath(choice->path);
    if (path.size() >= kMaxPathBytes)
        return;
    if (CKespoMCW* window = OpenDocumentWindow(path))
        window->Document()->SetReadOnly(false);
}

void CMainFrame::CloseAll(bool untitledOnly) {
    std::vector<CKespoDoc*> documents;
    for (const auto& document : m_application.Documents().Documents())
        if (!untitledOnly || document->PathName().empty())
            documents.push_back(document.get());
    for (CKespoDoc* document : documents)
        CloseDocument(*document);
}

void CMainFrame::FindWithBox(int commandId) {
    FindTarget* target = ActiveFindTarget();
    if (target == nullptr) {
        m_application.Platform().beeper.Beep();
        return;
    }
    const bool ctrl = (QApplication::keyboardModifiers() & Qt::ControlModifier) != 0;
    if (commandId == static_cast<int>(FindBoxCommand::FindNextButton))
        ActiveDocumentWindow()->ViewWidget()->TextWidget().setFocus();
    m_core->Find().FindWithBox(*target, m_toolBar->Box().SjisText(),
                               static_cast<FindBoxCommand>(commandId), ctrl,
                               m_core->FindDialog().IsOpen());
}

void CMainFrame::LineJump() {
    CKespoMCW* window = ActiveDocumentWindow();
    FindTarget* target = ActiveFindTarget();
    if (window == nullptr || target == nullptr)
        return;
    const CKespoDoc& document = *window->Document();
    LineJumpDialog dialog(m_application.Platform(), document,
                          document.Format().lineNumbering ? 1 : 0, *target, this);
    dialog.exec();
}

bool CMainFrame::LeftDoubleClick(CKespoEV& window, bool shift, bool ctrl) {
    return m_core->Tags().OnLeftDoubleClick(window, shift, ctrl, *m_shellOpener);
}

bool CMainFrame::IsEnabled(int commandId) const {
    const CKespoMCW* active = ActiveDocumentWindow();
    const FrameFacts facts{active != nullptr};
    if (const std::optional<bool> rule = m_core->IsEnabled(commandId, facts))
        return *rule;
    if (IsUserTool(commandId))
        return m_application.Recorder().UserToolEnabled(commandId - kCmdUserTool1 + 1);
    if (active != nullptr && active->IsCommandEnabled(commandId))
        return true;
    switch (commandId) {
    case kCmdFileClose:
    case kCmdFileSaveAs:
    case kCmdNewWindow:
    case kFindCommand:
    case kLineJumpCommand:
    case kCmdSelectAll:
        return active != nullptr;
    case kCmdCascade:
    case kCmdTile:
    case kCmdArrangeIcons:
    case kCmdCloseAll:
    case kCmdCloseUntitled:
        return !m_application.Documents().Documents().empty();
    default:
        return true;
    }
}

bool CMainFrame::IsChecked(int commandId) const {
    if (commandId == kCmdToolBar)
        return m_toolBar != nullptr && m_toolBar->isVisible();
    if (commandId == kCmdStatusBar)
        return m_statusBar != nullptr && m_statusBar->isVisible();
    const CKespoMCW* active = ActiveDocumentWindow();
    return active != nullptr && active->IsCommandChecked(commandId);
}

std::string CMainFrame::MenuText(int commandId) const {
    if (!IsUserTool(commandId))
        return {};
    return m_application.Recorder().UserToolMenuText(commandId - kCmdUserTool1 + 1);
}

std::string CMainFrame::ToolTipText(int commandId) const {
    if (!IsUserTool(commandId))
        return {};
    return m_application.Recorder().UserToolTip(commandId - kCmdUserTool1 + 1);
}

} // namespace nelvix::qt

namespace nelvix::qt {

FrameDialogs CMainFrame::Dialogs() {
    return FrameDialogs{
        *m_extractionSheet,
        *m_htmlSearchDialog,
        *m_settingsSheet,
        *this,
        *m_saveOperationDialog,
        *m_recallOperationDialog,
        *m_waitCursor,
        *m_processLauncher,
        *this,
        [] { return (QApplication::keyboardModifiers() & Qt::ControlModifier) != 0; }};
}

void CMainFrame::RightDoubleClick() {
    const std::optional<int> command =
        RightDoubleClickCommand(m_application.Platform(), m_application.GetSettings().runType,
                                m_core->Tools().IsEnabled(ExternalTool::Editor),
                                m_core->Tools().IsEnabled(ExternalTool::Browser));
    if (command)
        RunCommand(*command);
}

void CMainFrame::ShowWindowBar(bool shown) {
    m_windowBar->setVisible(shown);
}

void CMainFrame::PlaceActiveWindow(bool separated) {
    CKespoMCW* window = ActiveDocumentWindow();
    if (window == nullptr)
        return;
    if (separated)
        window->showNormal();
    else
        window->showMaximized();
}

void CMainFrame::ReadSettingsAgain() {
    const Settings& settings = m_application.GetSettings();
    m_viewSettings = ViewSettingsOf(settings, m_application.GetCabinet());
    m_rulerSettings = RulerSettingsOf(settings);
    m_caretSettings = CaretSettingsOf(settings);
    m_core->ReadSettingsAgain();
}

void CMainFrame::LayOutDocumentsAgain() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_core->SpreadFormat();
    QApplication::restoreOverrideCursor();
    FocusActiveText();
}

void CMainFrame::FocusActiveText() {
    if (CKespoMCW* window = ActiveDocumentWindow())
        window->ViewWidget()->TextWidget().setFocus();
}

void CMainFrame::RefreshCaretPosition() {
    if (CKespoMCW* window = ActiveDocumentWindow())
        m_statusBar->SetPositionPanes(window->ViewWidget()->CaretPanes());
}

void CMainFrame::SetTextBackground(ui::Colour) {
    // The text windows paint their whole area in the display block's background colour, which
    // the documents take in RedrawDocuments; the windows are repainted there.
    for (CKespoMCW* window : DocumentWindows())
        window->ViewWidget()->TextWidget().viewport()->update();
}

void CMainFrame::RedrawDocuments() {
    DocumentEnvironment& environment = m_application.DocumentsEnvironment();
    environment.format = m_application.GetCabinet().Format();
    for (const auto& document : m_application.Documents().Documents())
        document->SetFormatSettings(environment.format, false);
    RepaintFrame();
}

} // namespace nelvix::qt
