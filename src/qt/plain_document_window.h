// A document window that shows a text read-only, as plain text.
#pragma once

#include <QMdiSubWindow>

namespace nelvix {
class CKespoDoc;
class DocumentList;
} // namespace nelvix

class QPlainTextEdit;

namespace nelvix::qt {

/// Shows the text and title the document holds; closing the window closes the document.
class PlainDocumentWindow final : public QMdiSubWindow {
    Q_OBJECT
public:
    PlainDocumentWindow(DocumentList& documents, CKespoDoc& document);

    /// Null once the window has closed its document.
    CKespoDoc* Document() const { return m_document; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    DocumentList& m_documents;
    CKespoDoc* m_document;
    QPlainTextEdit* m_textEdit;
};

} // namespace nelvix::qt
