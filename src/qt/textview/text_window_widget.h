// The text window on screen: shows the image the core's CKespoEV paints, carries its scroll
// bars and caret bar, and hands it the keys, the mouse, the wheel, the focus and the drag timer.
#pragma once

#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

#include "qt/textview/image_surface.h"
#include "view/text_window.h"

namespace nelvix::qt {

/// Scroll-bar changes closer together than this are shown together.
inline constexpr int kBarBurstMilliseconds = 5;
/// Caret moves and scrolls the rulers and panes hear of at once in one pass of the event loop;
/// they hear of the last state after more.
inline constexpr int kImmediateTellsPerPass = 8;

/// What the window around a text window decides on a double-click.
struct TextWindowHandlers {
    /// A left double-click: the tag jump or the shell open of a result line; false when it did
    /// nothing, and the word under the mouse is selected instead.
    std::function<bool(CKespoEV& window, bool shift, bool ctrl)> leftDoubleClick;
    /// A right double-click, after the caret went to the cell under the mouse: the editor or
    /// the browser.
    std::function<void(CKespoEV& window)> rightDoubleClick;
};

class TextWindowWidget final : public QAbstractScrollArea, public TextWindowHost {
    Q_OBJECT
public:
    /// The settings belong to the frame and outlive the window; the caret settings are taken
    /// again whenever the window gets the focus.
    TextWindowWidget(CKespoDoc& document, ui::Platform& platform, const ViewSettings& settings,
                     const CaretSettings& caretSettings, TextWindowHandlers handlers,
                     QWidget* parent = nullptr);
    ~TextWindowWidget() override;

    CKespoEV& TextWindow() { return *m_window; }
    const CKespoEV& TextWindow() const { return *m_window; }
    /// The font the text is drawn in; the rulers draw their numbers in it too.
    const QFont& TextFont() const { return m_font; }
    /// The image as the core has painted it so far (without the caret bar).
    const QImage& Image() const { return m_surface.Image(); }
    /// Where the caret bar stands; empty while it is hidden.
    QRect CaretRect() const;

    // TextWindowHost
    void InvalidateAll() override;
    void InvalidateRect(const ui::PixelRect& rect) override;
    void InvalidateView() override;
    void ScrollImage(const ui::PixelRect& rect, int dx, int dy) override;
    void SetVerticalScrollBar(int maximum, int position, bool active) override;
    void SetHorizontalScrollBar(int maximum, int position) override;
    void PlaceCaret(int pixelX, int pixelY) override;
    void MakeTextFont(const FontDescription& font, int pixelHeight) override;
    void RowsScrolled(int rows) override;
    void ColumnsScrolled(int columns) override;
    void RefreshRulers() override;
    void ShowCaretBar(bool shown) override;
    void CaretMoved(std::uint32_t column, std::uint32_t row) override;
    void TakeFocus() override;
    void SetPointer(PointerShape shape) override;
    void StartDragTimer(int milliseconds) override;
    void StopDragTimer() override;

signals:
    void rowsScrolled(int rows);
    void columnsScrolled(int columns);
    /// The layout settings or the font changed: the rulers are made again.
    void rulersChanged();
    /// The whole view repaints: the rulers too.
    void viewInvalidated();
    void caretMoved(quint32 column, quint32 row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void OnVerticalAction(int action);
    void OnHorizontalAction(int action);
    void OnVerticalScroll(ScrollRequest request, int position);
    void OnDragTimer();
    void ShowVerticalBar();
    /// Emits rowsScrolled and caretMoved now, or after more than a few in one pass, once the
    /// event loop runs.
    void TellFollowers();
    void EndFollowPass();
    void TellPending();
    void UpdateCaretArea();
    /// Has Qt paint `area` of the viewport at its next pass.
    void RequestPaint(const QRect& area);
    QPoint PointOf(const QMouseEvent& event);

    ImageSurface m_surface;
    QFont m_font;
    int m_caretHeight = 0;
    std::unique_ptr<CKespoEV> m_window;
    const CaretSettings& m_caretSettings;
    TextWindowHandlers m_handlers;
    /// What the core must paint into the image before it is shown; one rectangle, as the core
    /// paints the rows it covers anyway.
    QRect m_unpainted;
    /// What Qt was asked to paint since the last paint event: one rectangle that covers every
    /// request.
    QRect m_requested;
    bool m_painting = false;
    QSize m_clientSize;
    /// Where the core put the bars' thumbs; an action that scrolled nothing moves them back.
    int m_verticalValue = 0;
    int m_horizontalValue = 0;
    QPoint m_caret;
    bool m_caretShown = false;
    QTimer m_dragTimer;
    /// The vertical bar shows the core's latest values after a burst of changes.
    QTimer m_verticalBarTimer;
    QElapsedTimer m_barsShown;
    int m_verticalMaximum = 1;
    bool m_verticalActive = false;
    /// What the rulers and panes have not heard of yet.
    QTimer m_followTimer;
    int m_tellsThisPass = 0;
    int m_rowsToTell = 0;
    bool m_rowsScrolledPending = false;
    std::pair<std::uint32_t, std::uint32_t> m_caretToTell;
    bool m_caretMovedPending = false;
    /// The pointer as the last mouse event saw it, for the drag timer's ticks.
    QPoint m_pointer;
    /// Eighths of a degree the wheel turned that have not made a whole notch yet.
    int m_wheelRemainder = 0;
};

} // namespace nelvix::qt
