// The main window: a document area holding one window per open text.
#pragma once

#include <QMainWindow>

#include <string_view>
#include <vector>

#include "app/cabinet.h"
#include "record/operation_recorder.h"
#include "ui/main_frame_host.h"

class QMdiArea;

namespace nelvix {
class Application;
class CKespoDoc;
} // namespace nelvix

namespace nelvix::qt {

class PlainDocumentWindow;

class CMainFrame final : public QMainWindow, public ui::MainFrameHost, public CommandDispatcher {
    Q_OBJECT
public:
    explicit CMainFrame(Application& application, QWidget* parent = nullptr);

    /// Opens `sjisPath` through the document list and shows it, or brings its window to the
    /// front when it is open already. Null when the core refused the file (after its message).
    PlainDocumentWindow* OpenDocumentWindow(std::string_view sjisPath);

    QMdiArea* DocumentArea() const { return m_area; }
    /// The cabinet's records of the open documents that have a file, in order of opening.
    std::vector<CabinetDocument> DocumentRecords() const;

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

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    PlainDocumentWindow* WindowShowing(const CKespoDoc& document) const;

    Application& m_application;
    QMdiArea* m_area;
    bool m_destroyed = false;
};

} // namespace nelvix::qt
