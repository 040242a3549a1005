// The text window widget: events in, the core's image and the caret bar out.
#include "qt/textview/text_window_widget.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

#include "qt/textview/text_font.h"
#include "qt/textview/text_window_input.h"

namespace nelvix::qt {
namespace {

constexpr int kCaretWidth = 2;
/// Eighths of a degree in one notch of a mouse wheel.
constexpr int kWheelNotch = 120;

} // namespace

TextWindowWidget::TextWindowWidget(CKespoDoc& document, ui::Platform& platform,
                                   const ViewSettings& settings, const CaretSettings& caretSettings,
                                   TextWindowHandlers handlers, QWidget* parent)
    : QAbstractScrollArea(parent), m_surface(QFont()), m_caretSettings(caretSettings),
      m_handlers(std::move(handlers)) {
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    viewport()->setCursor(Qt::IBeamCursor);
    // Clicking a bar leaves the keyboard with the text, as a window's own scroll bars do.
    verticalScrollBar()->setFocusPolicy(Qt::NoFocus);
    horizontalScrollBar()->setFocusPolicy(Qt::NoFocus);
    m_surface.Resize(1, 1);

    // The core draws outside paint events too (a tag target line, a range repainted).
    m_surface.SetDrawnHandler([this](const QRect& area) {
        if (!m_painting)
            RequestPaint(area);
    });
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
            &TextWindowWidget::OnVerticalAction);
    connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this,
            &TextWindowWidget::OnHorizontalAction);
    connect(verticalScrollBar(), &QAbstractSlider::sliderReleased, this,
            [this] { OnVerticalScroll(ScrollRequest::ThumbPosition, m_verticalValue); });
    connect(&m_dragTimer, &QTimer::timeout, this, &TextWindowWidget::OnDragTimer);
    m_verticalBarTimer.setSingleShot(true);
    m_verticalBarTimer.setInterval(0);
    connect(&m_verticalBarTimer, &QTimer::timeout, this, &TextWindowWidget::ShowVerticalBar);
    m_followTimer.setSingleShot(true);
    m_followTimer.setInterval(0);
    connect(&m_followTimer, &QTimer::timeout, this, &TextWindowWidget::EndFollowPass);

    m_window = std::make_unique<CKespoEV>(document, platform, m_surface, *this, settings);
    m_window->SetCaretSettings(caretSettings);
    // The document may have been read before any window showed it: its rows and comment tables
    // are made here.
    m_window->LayOutAgain(true);
}

TextWindowWidget::~TextWindowWidget() {
    m_dragTimer.stop();
    m_window.reset();
}

QRect TextWindowWidget::CaretRect() const {
    if (!m_caretShown || !hasFocus())
        return {};
    return QRect(m_caret, QSize(kCaretWidth, m_caretHeight));
}

void TextWindowWidget::InvalidateAll() {
    m_unpainted = viewport()->rect();
    RequestPaint(m_unpainted);
}

void TextWindowWidget::InvalidateRect(const ui::PixelRect& rect) {
    const QRect area = ToQRect(rect).intersected(viewport()->rect());
    m_unpainted |= area;
    RequestPaint(area);
}

void TextWindowWidget::RequestPaint(const QRect& area) {
    // A run that appends line after line invalidates the same rows and moves the caret within
    // them many times between two paints; asking Qt again for an area it will paint anyway
    // costs a walk up the widget tree each time.
    const QRect shown = area.intersected(viewport()->rect());
    if (shown.isEmpty() || m_requested.contains(shown))
        return;
    m_requested |= shown;
    viewport()->update(m_requested);
}

void TextWindowWidget::InvalidateView() {
    InvalidateAll();
    emit viewInvalidated();
}

void TextWindowWidget::ScrollImage(const ui::PixelRect& rect, int, int) {
    // The scrolled part is painted again rather than moved: a run that appends line after line
    // scrolls once per line, and moving the whole image each time would cost far more than one
    // repaint when the event loop next runs.
    const QRect area = ToQRect(rect).intersected(viewport()->rect());
    m_unpainted |= area;
    RequestPaint(area);
}

void TextWindowWidget::SetVerticalScrollBar(int maximum, int position, bool active) {
    m_verticalValue = active ? position : 0;
    m_verticalMaximum = active ? maximum : 1;
    m_verticalActive = active;
    // A run that appends line after line changes the range once per line; a bar that changes
    // its range lays the window out again, so within a burst the bar follows once the event
    // loop runs.
    if (m_verticalBarTimer.isActive())
        return;
    if (m_barsShown.isValid() && m_barsShown.elapsed() < kBarBurstMilliseconds) {
        m_verticalBarTimer.start();
        return;
    }
    ShowVerticalBar();
}

void TextWindowWidget::ShowVerticalBar() {
    m_barsShown.start();
    QScrollBar* bar = verticalScrollBar();
    bar->setEnabled(m_verticalActive);
    bar->setRange(0, m_verticalMaximum);
    if (m_window)
        bar->setPageStep(std::max<int>(1, static_cast<int>(m_window->VisibleRows())));
    bar->setValue(m_verticalValue);
}

void TextWindowWidget::SetHorizontalScrollBar(int maximum, int position) {
    QScrollBar* bar = horizontalScrollBar();
    m_horizontalValue = position;
    const int page =
        m_window ? std::max<int>(1, static_cast<int>(m_window->VisibleColumns())) : bar->pageStep();
    // Every appended line passes the same values again.
    if (bar->maximum() == std::max(0, maximum) && bar->minimum() == 0 && bar->pageStep() == page &&
        bar->value() == position)
        return;
    bar->setRange(0, std::max(0, maximum));
    bar->setPageStep(page);
    bar->setValue(position);
}

void TextWindowWidget::PlaceCaret(int pixelX, int pixelY) {
    UpdateCaretArea();
    m_caret = QPoint(pixelX, pixelY);
    UpdateCaretArea();
}

void TextWindowWidget::MakeTextFont(const FontDescription& font, int pixelHeight) {
    m_font = TextFontOf(font, pixelHeight);
    m_surface.SetTextFont(m_font);
    m_caretHeight = QFontMetrics(m_font).height();
}

void TextWindowWidget::RowsScrolled(int rows) {
    m_rowsToTell += rows;
    m_rowsScrolledPending = true;
    TellFollowers();
}

void TextWindowWidget::ColumnsScrolled(int columns) {
    emit columnsScrolled(columns);
}

void TextWindowWidget::RefreshRulers() {
    emit rulersChanged();
}

void TextWindowWidget::ShowCaretBar(bool shown) {
    if (shown == m_caretShown)
        return;
    m_caretShown = shown;
    UpdateCaretArea();
}

void TextWindowWidget::CaretMoved(std::uint32_t column, std::uint32_t row) {
    m_caretToTell = {column, row};
    m_caretMovedPending = true;
    TellFollowers();
}

void TextWindowWidget::TellFollowers() {
    // A run that appends line after line scrolls and moves the caret twice per line; past the
    // first few in one pass of the event loop, the rulers and panes hear of the last state once
    // the loop runs.
    if (m_tellsThisPass >= kImmediateTellsPerPass)
        return;
    ++m_tellsThisPass;
    if (!m_followTimer.isActive())
        m_followTimer.start();
    TellPending();
}

void TextWindowWidget::EndFollowPass() {
    m_tellsThisPass = 0;
    TellPending();
}

void TextWindowWidget::TellPending() {
    if (m_rowsScrolledPending) {
        m_rowsScrolledPending = false;
        const int rows = m_rowsToTell;
        m_rowsToTell = 0;
        emit rowsScrolled(rows);
    }
    if (m_caretMovedPending) {
        m_caretMovedPending = false;
        emit caretMoved(m_caretToTell.first, m_caretToTell.second);
    }
}

void TextWindowWidget::TakeFocus() {
    setFocus(Qt::MouseFocusReason);
}

void TextWindowWidget::SetPointer(PointerShape shape) {
    viewport()->setCursor(shape == PointerShape::IBeam ? Qt::IBeamCursor : Qt::ArrowCursor);
}

void TextWindowWidget::StartDragTimer(int milliseconds) {
    m_dragTimer.start(milliseconds);
}

void TextWindowWidget::StopDragTimer() {
    m_dragTimer.stop();
}

void TextWindowWidget::paintEvent(QPaintEvent* event) {
    // Whatever Qt still holds back after this paint is asked for again.
    m_requested = QRect();
    if (!m_unpainted.isEmpty()) {
        const QRect dirty = m_unpainted;
        m_unpainted = QRect();
        m_painting = true;
        m_surface.BeginBatch();
        m_window->OnPaint({dirty.left(), dirty.top(), dirty.right() + 1, dirty.bottom() + 1});
        m_surface.EndBatch();
        m_painting = false;
    }
    QPainter painter(viewport());
    for (const QRect& area : event->region())
        painter.drawImage(area, m_surface.Image(), area);
    const QRect caret = CaretRect();
    if (!caret.isEmpty()) {
        // The caret inverts what it stands on, so it shows on any background.
        painter.setClipRegion(event->region());
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.fillRect(caret, Qt::white);
    }
}

void TextWindowWidget::resizeEvent(QResizeEvent*) {
    const QSize size = viewport()->size();
    // The scroll area and its viewport both report their resizes here.
    if (size == m_clientSize)
        return;
    m_clientSize = size;
    m_surface.Resize(size.width(), size.height());
    InvalidateAll();
    m_window->OnSize(size.width(), size.height());
}

void TextWindowWidget::keyPressEvent(QKeyEvent* event) {
    const std::optional<Key> key = TextWindowKeyOf(event->key());
    if (key && m_window->OnKeyDown(*key, ModifiersOf(event->modifiers())))
        return;
    // The frame's keys are handled further up.
    event->ignore();
}

QPoint TextWindowWidget::PointOf(const QMouseEvent& event) {
    m_pointer = event.position().toPoint();
    return m_pointer;
}

void TextWindowWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint at = PointOf(*event);
    if (event->button() != Qt::LeftButton)
        return;
    m_window->OnLeftButtonDown(at.x(), at.y(), event->modifiers().testFlag(Qt::ControlModifier));
}

void TextWindowWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = PointOf(*event);
    m_window->OnMouseMove(at.x(), at.y(), event->buttons().testFlag(Qt::LeftButton));
}

void TextWindowWidget::mouseReleaseEvent(QMouseEvent* event) {
    PointOf(*event);
    if (event->button() == Qt::LeftButton)
        m_window->OnLeftButtonUp();
}

void TextWindowWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint at = PointOf(*event);
    const KeyModifiers modifiers = ModifiersOf(event->modifiers());
    if (event->button() == Qt::LeftButton) {
        if (!m_handlers.leftDoubleClick ||
            !m_handlers.leftDoubleClick(*m_window, modifiers.shift, modifiers.ctrl))
            m_window->SelectWordAt(at.x(), at.y());
    } else if (event->button() == Qt::RightButton) {
        // The caret goes where a left click would put it, without starting a selection.
        m_window->OnLeftButtonDown(at.x(), at.y(), false);
        m_window->OnLeftButtonUp();
        if (m_handlers.rightDoubleClick)
            m_handlers.rightDoubleClick(*m_window);
    }
}

void TextWindowWidget::wheelEvent(QWheelEvent* event) {
    m_wheelRemainder += event->angleDelta().y();
    const int notches = m_wheelRemainder / kWheelNotch;
    m_wheelRemainder -= notches * kWheelNotch;
    const ScrollRequest request = notches > 0 ? ScrollRequest::LineUp : ScrollRequest::LineDown;
    const int rows =
        std::abs(notches) * static_cast<int>(m_window->GetCaretSettings().scrollLineCount);
    // The wheel only scrolls: a text that fits moves neither the text nor the caret.
    for (int i = 0; i < rows; ++i)
        m_window->OnVerticalScroll(request);
    event->accept();
}

void TextWindowWidget::focusInEvent(QFocusEvent*) {
    m_window->SetCaretSettings(m_caretSettings);
    m_window->OnSetFocus();
    UpdateCaretArea();
}

void TextWindowWidget::focusOutEvent(QFocusEvent*) {
    // A release that goes to another window would leave the drag and its timer running.
    if (m_window->Dragging())
        m_window->OnLeftButtonUp();
    m_window->OnKillFocus();
    UpdateCaretArea();
}

bool TextWindowWidget::focusNextPrevChild(bool) {
    // Tab is a key like any other: the text window keeps the focus.
    return false;
}

void TextWindowWidget::scrollContentsBy(int, int) {
    // The core scrolls the image itself; the bars only show where it stands.
}

void TextWindowWidget::OnVerticalAction(int action) {
    const std::optional<ScrollRequest> request = ScrollRequestOf(action);
    if (request)
        OnVerticalScroll(*request, verticalScrollBar()->sliderPosition());
    // The slider shows where the core put the text, not where the action moved it.
    verticalScrollBar()->setSliderPosition(m_verticalValue);
}

void TextWindowWidget::OnVerticalScroll(ScrollRequest request, int position) {
    if (const std::optional<ScrollKey> key = m_window->OnVerticalScroll(request, position))
        m_window->OnKeyDown(KeyOf(*key), {});
}

void TextWindowWidget::OnHorizontalAction(int action) {
    if (const std::optional<ScrollRequest> request = ScrollRequestOf(action))
        m_window->OnHorizontalScroll(*request, horizontalScrollBar()->sliderPosition());
    horizontalScrollBar()->setSliderPosition(m_horizontalValue);
}

void TextWindowWidget::OnDragTimer() {
    m_window->OnDragTimer(m_pointer.x(), m_pointer.y());
}

void TextWindowWidget::UpdateCaretArea() {
    RequestPaint(QRect(m_caret, QSize(kCaretWidth, m_caretHeight)));
}

} // namespace nelvix::qt
