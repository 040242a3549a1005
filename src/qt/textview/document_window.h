// CKespoMCW: a document window of the frame's document area, holding one view of one document.
// Several may show the same document.
#pragma once

#include <QMdiSubWindow>

#include <functional>

#include "commands/frame_windows.h"
#include "qt/textview/document_view_widget.h"
#include "render/status_panes.h"

namespace nelvix {
class DocumentList;
}

namespace nelvix::qt {

class CKespoMCW;

/// What the frame shares with every document window it makes. The referenced objects belong
/// to the frame and outlive its windows.
struct DocumentWindowContext {
    ui::Platform& platform;
    /// A document is closed when its last window closes.
    DocumentList& documents;
    /// The ruler commands switch `displayRulerBar` and `displayLineBar` here for every view.
    ViewSettings& viewSettings;
    const RulerSettings& rulerSettings;
    /// Taken again by a text window whenever it gets the focus.
    const CaretSettings& caretSettings;
    /// The tag jump or shell open of a left double-click; the editor or browser of a right one.
    TextWindowHandlers doubleClicks;
    /// The caret of the active window moved, or another window became active: the status bar's
    /// position panes.
    std::function<void(CKespoMCW& window, const PositionPanes& panes)> caretMoved;
    std::function<void(CKespoMCW& window)> activated;
    /// The window is closing; its view and document are still there.
    std::function<void(CKespoMCW& window)> closing;
};

class CKespoMCW final : public QMdiSubWindow {
    Q_OBJECT
public:
    CKespoMCW(const DocumentWindowContext& context, CKespoDoc& document, WindowId id,
              QWidget* parent = nullptr);
    ~CKespoMCW() override;

    WindowId Id() const { return m_id; }
    /// Null once the window has closed (it is deleted when events run again).
    CKespoDoc* Document() const { return m_document; }
    CKespoEV* TextWindow();
    CKespoView* View();
    KespoViewWidget* ViewWidget() const { return m_viewWidget; }

    /// The view's ruler commands (32806, 32807) and the text window's commands (copy, append
    /// copy, select all, the marks); false for another command or a disabled one.
    bool RunCommand(int id);
    bool IsCommandEnabled(int id) const;
    /// Whether the menu item of a ruler command is checked.
    bool IsCommandChecked(int id) const;
    /// The caption from the document's title, with ":n" when the frame numbers the windows of
    /// one document.
    void RefreshTitle();
    /// 0: the document has no other window, and the caption carries no number.
    void SetWindowNumber(int number);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void OnStateChanged(Qt::WindowStates oldState, Qt::WindowStates newState);
    bool IsActive() const;
    /// Every other document window places its children again after a ruler switched.
    void PlaceOtherViews();

    DocumentWindowContext m_context;
    CKespoDoc* m_document;
    WindowId m_id;
    int m_number = 0;
    KespoViewWidget* m_viewWidget;
};

} // namespace nelvix::qt
