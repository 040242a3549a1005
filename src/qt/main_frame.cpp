// The main window.
#include "qt/main_frame.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QTimer>

#include "app/application.h"
#include "qt/convert.h"
#include "qt/plain_document_window.h"
#include "qt/window_placement.h"
#include "record/command_table.h"
#include "text/document_list.h"
#include "ui/message_ids.h"

namespace nelvix::qt {

CMainFrame::CMainFrame(Application& application, QWidget* parent)
    : QMainWindow(parent), m_application(application), m_area(new QMdiArea(this)) {
    setWindowTitle(MessageQString(ui::kMsgAppTitle));
    setCentralWidget(m_area);
    resize(960, 720);
}

void CMainFrame::CreateFrame(const std::optional<ui::WindowPlacement>& placement,
                             std::uint32_t showState) {
    if (placement)
        ApplyPlacement(*this, *placement);
    ShowInState(*this, showState);
}

PlainDocumentWindow* CMainFrame::OpenDocumentWindow(std::string_view sjisPath) {
    DocumentList& documents = m_application.Documents();
    CKespoDoc* document = documents.Open(sjisPath);
    if (document == nullptr)
        return nullptr;
    PlainDocumentWindow* window = WindowShowing(*document);
    if (window == nullptr) {
        window = new PlainDocumentWindow(documents, *document);
        m_area->addSubWindow(window);
        window->show();
    }
    m_area->setActiveSubWindow(window);
    return window;
}

bool CMainFrame::OpenDocument(std::string_view sjisPath) {
    return OpenDocumentWindow(sjisPath) != nullptr;
}

bool CMainFrame::HasActiveDocument() const {
    return m_area->activeSubWindow() != nullptr;
}

void CMainFrame::MaximizeActiveDocument() {
    if (QMdiSubWindow* window = m_area->activeSubWindow())
        window->showMaximized();
}

void CMainFrame::DestroyFrame() {
    m_destroyed = true;
    hide();
}

void CMainFrame::Quit() {
    QTimer::singleShot(0, this, &QWidget::close);
}

void CMainFrame::RunCommand(int commandId) {
    if (commandId >= kCmdUserTool1 && commandId <= kCmdUserToolLast)
        m_application.RunUserTool(*this, commandId - kCmdUserTool1 + 1);
    // The other commands arrive with the menus and dialogs that carry them.
}

std::vector<CabinetDocument> CMainFrame::DocumentRecords() const {
    std::vector<CabinetDocument> records;
    const QMdiSubWindow* active = m_area->activeSubWindow();
    for (const auto& document : m_application.Documents().Documents()) {
        PlainDocumentWindow* window = WindowShowing(*document);
        if (document->PathName().empty() || window == nullptr)
            continue;
        CabinetDocument record;
        record.path = document->PathName();
        record.placement = DocumentWindowPlacement(*window);
        record.active = window == active;
        record.readOnly = document->IsReadOnly();
        for (std::size_t i = 0; i < record.viewState.size(); ++i)
            record.viewState[i] = document->ViewState()[i];
        records.push_back(std::move(record));
    }
    return records;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!m_destroyed)
        m_application.CloseFrame(PlacementOf(*this), isMaximized(), DocumentRecords());
    m_destroyed = true;
    event->accept();
}

PlainDocumentWindow* CMainFrame::WindowShowing(const CKespoDoc& document) const {
    for (QMdiSubWindow* subWindow : m_area->subWindowList()) {
        auto* window = qobject_cast<PlainDocumentWindow*>(subWindow);
        if (window != nullptr && window->Document() == &document)
            return window;
    }
    return nullptr;
}

} // namespace nelvix::qt
