// The main window: menus, toolbar with its find box, status bar, window bar and the document
// area of document windows. It carries out the frame's commands through the core's FrameCore
// and the document windows' own commands, and shows what they decide.
#pragma once

#include <QMainWindow>

#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "commands/frame_windows.h"
#include "frame/frame_command_state.h"
#include "record/operation_recorder.h"
#include "render/ruler_settings.h"
#include "settings_sheet/settings_effects.h"
#include "store/cabinet.h"
#include "tools/posix_process_launcher.h"
#include "ui/frame_services.h"
#include "ui/main_frame_host.h"
#include "view/text_window.h"
#include "view/text_window_find_target.h"

class QMdiArea;
class QMdiSubWindow;

namespace nelvix {
class Application;
class CKespoDoc;
class FrameCore;
struct FrameDialogs;
struct PositionPanes;
} // namespace nelvix

namespace nelvix::qt {

class CKespoMCW;
class FindDialog;
class QtCountsDialog;
class CExtPS;
class CSetPS;
class QtHtmlSearchDialog;
class QtSaveOperationDialog;
class QtRecallOperationDialog;
class QtWaitCursor;
class FrameCloseWatch;
class FrameMenuBar;
class FrameStatusBar;
class FrameToolBar;
class QtGlobalFindDialog;
class HelpWindow;
class ProgressDialog;
class QtFontDialog;
class QtShellOpener;
class WindowBar;
struct DocumentWindowContext;

class CMainFrame final : public QMainWindow,
                         public ui::MainFrameHost,
                         public CommandDispatcher,
                         public FrameWindows,
                         public FrameCommandState,
                         public SettingsEffects {
    Q_OBJECT
public:
    explicit CMainFrame(Application& application, QWidget* parent = nullptr);
    ~CMainFrame() override;

    /// Opens `sjisPath` through the document list and shows it, or brings its first window to
    /// the front when it is open already. Null when the core refused the file (after its
    /// message).
    CKespoMCW* OpenDocumentWindow(std::string_view sjisPath);

    QMdiArea* DocumentArea() const { return m_area; }
    CKespoMCW* ActiveDocumentWindow() const;
    /// Every document window, in the order they were made.
    std::vector<CKespoMCW*> DocumentWindows() const;
    /// The cabinet's records of the open documents that have a file, in order of opening.
    std::vector<CabinetDocument> DocumentRecords() const;
    FrameCore& Core() { return *m_core; }
    FrameToolBar* ToolBar() const { return m_toolBar; }
    FrameStatusBar* StatusBar() const { return m_statusBar; }
    WindowBar* TabBar() const { return m_windowBar; }
    FrameMenuBar* Menus() const { return m_menus.get(); }
    QtGlobalFindDialog& GlobalFindBox() const { return *m_globalFindDialog; }
    ProgressDialog& Progress() const { return *m_progress; }
    FindDialog& TextFindDialog() const { return *m_findDialog; }
    HelpWindow& Help() const { return *m_help; }

    // ui::MainFrameHost
    void CreateFrame(const std::optional<ui::WindowPlacement>& placement,
                     std::uint32_t showState) override;
    bool OpenDocument(std::string_view sjisPath) override;
    bool HasActiveDocument() const override;
    void MaximizeActiveDocument() override;
    void DestroyFrame() override;
    void Quit() override;
    // ui::MainFrameHost and CommandDispatcher
    void RunCommand(int commandId) override;
    bool HasActiveView() const override { return HasActiveDocument(); }

    // FrameWindows
    CKespoEV* OpenOrActivate(std::string_view sjisPath) override;
    CKespoDoc* CreateUntitledDocument() override;
    void CloseDocument(CKespoDoc& document) override;
    CKespoEV* ActiveTextWindow() override;
    WindowId ActiveWindow() const override;
    CKespoEV* FirstTextWindow(CKespoDoc& document) override;
    void ActivateDocument(CKespoDoc& document) override;
    bool ActivateWindow(WindowId window) override;
    CKespoDoc* DocumentOfWindow(WindowId window) override;
    void TitleChanged(CKespoDoc& document) override;
    void RefreshFindBox() override;
    void RepaintFrame() override;

    // FrameCommandState
    bool IsEnabled(int commandId) const override;
    bool IsChecked(int commandId) const override;
    std::string MenuText(int commandId) const override;
    std::string ToolTipText(int commandId) const override;

protected:
    void closeEvent(QCloseEvent* event) override;

    // What the settings sheet's confirmation asks of the frame.
    void ShowWindowBar(bool shown) override;
    void PlaceActiveWindow(bool separated) override;
    void ReadSettingsAgain() override;
    void LayOutDocumentsAgain() override;
    void RefreshCaretPosition() override;
    void SetTextBackground(ui::Colour colour) override;
    void RedrawDocuments() override;

private:
    void BuildChrome();
    void BuildServices();
    /// A new window on the document, placed by the placement mode and shown.
    CKespoMCW* NewDocumentWindow(CKespoDoc& document);
    void PlaceNewWindow(CKespoMCW& window);
    CKespoMCW* WindowOf(WindowId id) const;
    CKespoMCW* FirstWindowOf(const CKespoDoc& document) const;
    /// Numbers the windows of documents that have more than one.
    void NumberWindows(const CKespoDoc& document);
    TextWindowFindTarget* FindTargetOf(CKespoEV* window);
    FindTarget* ActiveFindTarget();

    void WindowActivated(QMdiSubWindow* window);
    void WindowClosing(CKespoMCW& window);
    void ShowPositionPanes(CKespoMCW& window, const PositionPanes& panes);
    /// Menu 2 or 3, the window bar and the toolbar's buttons after documents came or went.
    void DocumentsChanged();
    void RefreshWindowBar();
    void SelectTab(std::size_t documentIndex);

    void RunCommandAtDepth(int commandId);
    bool RunFrameCommand(int commandId);
    void FocusActiveText();
    void KeepRulerSwitches();
    void OpenFileCommand();
    void CloseAll(bool untitledOnly);
    /// Lines the minimised document windows up along the bottom of the document area.
    void ArrangeIcons();
    void FindWithBox(int commandId);
    void LineJump();
    bool LeftDoubleClick(CKespoEV& window, bool shift, bool ctrl);
    void RightDoubleClick();
    FrameDialogs Dialogs();

    Application& m_application;
    QMdiArea* m_area;
    FrameToolBar* m_toolBar = nullptr;
    FrameStatusBar* m_statusBar = nullptr;
    WindowBar* m_windowBar = nullptr;
    std::unique_ptr<FrameMenuBar> m_menus;

    HelpWindow* m_help = nullptr;
    QtGlobalFindDialog* m_globalFindDialog = nullptr;
    ProgressDialog* m_progress = nullptr;
    std::unique_ptr<QtFontDialog> m_fontDialog;
    std::unique_ptr<QtShellOpener> m_shellOpener;
    std::unique_ptr<QtCountsDialog> m_countsDialog;
    CExtPS* m_extractionSheet = nullptr;
    QtHtmlSearchDialog* m_htmlSearchDialog = nullptr;
    CSetPS* m_settingsSheet = nullptr;
    QtSaveOperationDialog* m_saveOperationDialog = nullptr;
    QtRecallOperationDialog* m_recallOperationDialog = nullptr;
    std::unique_ptr<QtWaitCursor> m_waitCursor;
    std::unique_ptr<FrameCloseWatch> m_closeWatch;
    std::unique_ptr<PosixProcessLauncher> m_processLauncher;
    std::unique_ptr<ui::FrameServices> m_services;
    FindDialog* m_findDialog = nullptr;

    ViewSettings m_viewSettings;
    RulerSettings m_rulerSettings;
    CaretSettings m_caretSettings;
    std::unique_ptr<DocumentWindowContext> m_windowContext;
    std::unique_ptr<FrameCore> m_core;
    std::unordered_map<CKespoEV*, std::unique_ptr<TextWindowFindTarget>> m_findTargets;

    WindowId m_lastWindowId = 0;
    int m_openFilter = 0; ///< the open dialog's filter chosen last, for the whole run
    bool m_destroyed = false;
    /// Commands running, counted so that a close arriving from inside one (through a run's
    /// event pump) ends the run first.
    int m_commandDepth = 0;
};

} // namespace nelvix::qt
