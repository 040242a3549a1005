// The plain document window.
#include "qt/plain_document_window.h"

#include <QCloseEvent>
#include <QPlainTextEdit>

#include "qt/convert.h"
#include "qt/document_font.h"
#include "text/document_list.h"

namespace nelvix::qt {

PlainDocumentWindow::PlainDocumentWindow(DocumentList& documents, CKespoDoc& document)
    : m_documents(documents), m_document(&document), m_textEdit(new QPlainTextEdit(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    m_textEdit->setReadOnly(true);
    m_textEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_textEdit->setFont(DocumentFont());
    m_textEdit->setPlainText(DocumentTextToQString(document.TextView()));
    setWidget(m_textEdit);
    setWindowTitle(SjisToQString(document.Title()));
}

void PlainDocumentWindow::closeEvent(QCloseEvent* event) {
    QMdiSubWindow::closeEvent(event);
    // The window itself goes only when events run again; until then it must not hand out the
    // document it no longer shows.
    if (event->isAccepted() && m_document != nullptr) {
        m_documents.Close(*m_document);
        m_document = nullptr;
    }
}

} // namespace nelvix::qt
