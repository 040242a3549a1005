// The main window: its making, its chrome and services, and its close.
#include "qt/frame/main_frame.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QScreen>
#include <QTimer>

#include "app/application.h"
#include "frame/frame_core.h"
#include "qt/dialogs/counts_dialog.h"
#include "qt/dialogs/find_dialog.h"
#include "qt/dialogs/font_dialog.h"
#include "qt/dialogs/global_find_dialog.h"
#include "qt/dialogs/help_window.h"
#include "qt/dialogs/html_search_dialog.h"
#include "qt/dialogs/progress_dialog.h"
#include "qt/dialogs/recall_operation_dialog.h"
#include "qt/dialogs/save_operation_dialog.h"
#include "qt/frame/find_box.h"
#include "qt/frame/frame_close_watch.h"
#include "qt/frame/frame_menu_bar.h"
#include "qt/frame/frame_status_bar.h"
#include "qt/frame/frame_tool_bar.h"
#include "qt/frame/window_bar.h"
#include "qt/platform/convert.h"
#include "qt/platform/quit_on_signal.h"
#include "qt/platform/shell_opener.h"
#include "qt/platform/window_placement.h"
#include "qt/sheets/extraction_sheet.h"
#include "qt/sheets/settings_sheet.h"
#include "qt/textview/document_window.h"
#include "store/viewer_settings.h"
#include "text/document_list.h"
#include "ui/message_ids.h"

namespace nelvix::qt {

namespace {

int ScreenDotsPerInch(const QWidget& widget) {
    const QScreen* screen = widget.screen();
    return screen != nullptr ? static_cast<int>(screen->logicalDotsPerInchY()) : 96;
}

} // namespace

CMainFrame::CMainFrame(Application& application, QWidget* parent)
    : QMainWindow(parent), m_application(application), m_area(new QMdiArea) {
    setWindowTitle(MessageQString(ui::kMsgAppTitle));
    m_area->setObjectName(QStringLiteral("documentArea"));
    resize(960, 720);
    BuildServices();
    m_windowContext = std::make_unique<DocumentWindowContext>(DocumentWindowContext{
        application.Platform(),
        application.Documents(),
        m_viewSettings,
        m_rulerSettings,
        m_caretSettings,
        TextWindowHandlers{[this](CKespoEV& window, bool shift, bool ctrl) {
                               return LeftDoubleClick(window, shift, ctrl);
                           },
                           [this](CKespoEV&) { RightDoubleClick(); }},
        [this](CKespoMCW& window, const PositionPanes& panes) { ShowPositionPanes(window, panes); },
        {},
        [this](CKespoMCW& window) { WindowClosing(window); }});
    m_core = std::make_unique<FrameCore>(application, *this, *m_services, Dialogs(),
                                         [this] { return DocumentRecords(); });
    m_findDialog = new FindDialog(
        m_core->FindDialog(), m_core->PatternHistory(), [this] { return ActiveFindTarget(); },
        this);
    connect(m_area, &QMdiArea::subWindowActivated, this, &CMainFrame::WindowActivated);
    application.DocumentsEnvironment().refreshWindowBar = [this] { RefreshWindowBar(); };
    // Under a modal window the close button ends whatever waits, as a stop signal does.
    m_closeWatch = std::make_unique<FrameCloseWatch>(*this, [] { EndEveryLoop(); });
}

CMainFrame::~CMainFrame() {
    // The document area reports activations while it is destroyed, when the frame is gone.
    disconnect(m_area, &QMdiArea::subWindowActivated, this, &CMainFrame::WindowActivated);
    m_application.DocumentsEnvironment().refreshWindowBar = nullptr;
    // The document windows leave their documents before the frame's settings go.
    for (CKespoMCW* window : DocumentWindows())
        delete window;
}

void CMainFrame::BuildServices() {
    ui::Platform& platform = m_application.Platform();
    m_help = new HelpWindow(platform);
    m_help->setParent(this, Qt::Window);
    m_globalFindDialog = new QtGlobalFindDialog(platform, *m_help, this);
    m_progress = new ProgressDialog(this);
    m_fontDialog = std::make_unique<QtFontDialog>(this);
    m_shellOpener = std::make_unique<QtShellOpener>();
    m_countsDialog = std::make_unique<QtCountsDialog>(this);
    m_extractionSheet = new CExtPS(platform, *m_help, &m_application.Spin(), this);
    m_htmlSearchDialog = new QtHtmlSearchDialog(platform, *m_help, this);
    m_settingsSheet = new CSetPS(platform, &m_application.Spin(), *m_help, this);
    m_saveOperationDialog = new QtSaveOperationDialog(*m_help, this);
    m_recallOperationDialog = new QtRecallOperationDialog(*m_help, this);
    m_waitCursor = std::make_unique<QtWaitCursor>();
    m_processLauncher = std::make_unique<PosixProcessLauncher>();
    m_services = std::make_unique<ui::FrameServices>(
        ui::FrameServices{*m_globalFindDialog, *m_progress, *m_fontDialog, *m_help, *m_shellOpener,
                          *m_countsDialog, ScreenDotsPerInch(*this)});
}

void CMainFrame::BuildChrome() {
    const Settings& settings = m_application.GetSettings();
    const int dpi = ScreenDotsPerInch(*this);
    auto run = [this](int commandId) { RunCommand(commandId); };
    m_toolBar = new FrameToolBar(*this, run, dpi, this);
    addToolBar(m_toolBar);
    m_toolBar->Box().SetOnEnter([this](const std::string&) { FindWithBox(32822); });
    m_toolBar->Box().SetOnEscape([this] {
        if (CKespoMCW* window = ActiveDocumentWindow())
            window->ViewWidget()->TextWidget().setFocus();
    });
    m_statusBar = new FrameStatusBar(dpi, this);
    setStatusBar(m_statusBar);
    m_windowBar = new WindowBar(dpi);
    m_windowBar->SetHeightAdjust(settings.tabBarHeightAdjust);
    m_windowBar->SetButtonStyle(settings.buttonStyleTabBar);
    m_windowBar->SetOnSelected([this](std::size_t index) { SelectTab(index); });
    m_windowBar->setVisible(settings.displayTabBar);
    setCentralWidget(DocumentAreaWithWindowBar(m_area, m_windowBar, settings.tabBarToTop));
    m_menus = std::make_unique<FrameMenuBar>(*this, *this, run);
    m_menus->SetDocumentArea(m_area);
    m_menus->SetRecentFiles(m_application.RecentFiles());
    m_core->Placement().Recompute();
    RefreshFindBox();
    DocumentsChanged();
}

void CMainFrame::CreateFrame(const std::optional<ui::WindowPlacement>& placement,
                             std::uint32_t showState) {
    if (m_menus == nullptr)
        BuildChrome();
    if (placement)
        ApplyPlacement(*this, *placement);
    ShowInState(*this, showState);
}

bool CMainFrame::OpenDocument(std::string_view sjisPath) {
    return OpenDocumentWindow(sjisPath) != nullptr;
}

bool CMainFrame::HasActiveDocument() const {
    return ActiveDocumentWindow() != nullptr;
}

void CMainFrame::MaximizeActiveDocument() {
    if (CKespoMCW* window = ActiveDocumentWindow())
        window->showMaximized();
}

void CMainFrame::DestroyFrame() {
    m_destroyed = true;
    hide();
}

void CMainFrame::Quit() {
    QTimer::singleShot(0, this, &QWidget::close);
}

std::vector<CabinetDocument> CMainFrame::DocumentRecords() const {
    std::vector<CabinetDocument> records;
    const CKespoMCW* active = ActiveDocumentWindow();
    for (const auto& document : m_application.Documents().Documents()) {
        CKespoMCW* window = FirstWindowOf(*document);
        if (document->PathName().empty() || window == nullptr || window->TextWindow() == nullptr)
            continue;
        CabinetDocument record;
        record.path = document->PathName();
        record.placement = DocumentWindowPlacement(*window);
        record.active = window == active;
        record.readOnly = document->IsReadOnly();
        const ViewPosition position = window->TextWindow()->GetViewPosition();
        record.viewState = {static_cast<std::int32_t>(position.topRow),
                            static_cast<std::int32_t>(position.caretColumn),
                            static_cast<std::int32_t>(position.caretRow)};
        records.push_back(std::move(record));
    }
    return records;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // A command still running (a search with its progress window, a box it shows) holds the
    // documents below this event: it is ended first, and the program closes the frame once it
    // has returned.
    if (m_commandDepth > 0) {
        event->ignore();
        EndEveryLoop();
        return;
    }
    if (!m_destroyed)
        m_application.CloseFrame(PlacementOf(*this), isMaximized(), DocumentRecords());
    m_destroyed = true;
    m_help->close();
    m_area->closeAllSubWindows();
    event->accept();
}

} // namespace nelvix::qt
