// The main window.
#include "qt/main_frame.h"

#include <QMdiArea>

#include "qt/convert.h"
#include "qt/plain_document_window.h"
#include "text/document_list.h"
#include "ui/message_ids.h"

namespace nelvix::qt {

CMainFrame::CMainFrame(DocumentList& documents, QWidget* parent)
    : QMainWindow(parent), m_documents(documents), m_area(new QMdiArea(this)) {
    setWindowTitle(MessageQString(ui::kMsgAppTitle));
    setCentralWidget(m_area);
    resize(960, 720);
}

PlainDocumentWindow* CMainFrame::OpenDocument(std::string_view sjisPath) {
    CKespoDoc* document = m_documents.Open(sjisPath);
    if (document == nullptr)
        return nullptr;
    PlainDocumentWindow* window = WindowShowing(*document);
    if (window == nullptr) {
        window = new PlainDocumentWindow(m_documents, *document);
        m_area->addSubWindow(window);
        window->show();
    }
    m_area->setActiveSubWindow(window);
    return window;
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
