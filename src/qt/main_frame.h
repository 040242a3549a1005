// The main window: a document area holding one window per open text.
#pragma once

#include <QMainWindow>

#include <string_view>

class QMdiArea;

namespace nelvix {
class CKespoDoc;
class DocumentList;
} // namespace nelvix

namespace nelvix::qt {

class PlainDocumentWindow;

class CMainFrame final : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(DocumentList& documents, QWidget* parent = nullptr);

    /// Opens `sjisPath` through the document list and shows it, or brings its window to the
    /// front when it is open already. Null when the core refused the file (after its message).
    PlainDocumentWindow* OpenDocument(std::string_view sjisPath);

    QMdiArea* DocumentArea() const { return m_area; }

private:
    PlainDocumentWindow* WindowShowing(const CKespoDoc& document) const;

    DocumentList& m_documents;
    QMdiArea* m_area;
};

} // namespace nelvix::qt
