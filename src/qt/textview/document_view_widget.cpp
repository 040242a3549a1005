// The view widget.
#include "qt/textview/document_view_widget.h"

#include <QTimer>

#include <QResizeEvent>

namespace nelvix::qt {

KespoViewWidget::KespoViewWidget(CKespoDoc& document, ui::Platform& platform,
                                 ViewWidgetSettings settings, TextWindowHandlers handlers,
                                 QWidget* parent)
    : QWidget(parent), m_settings(settings),
      m_text(new TextWindowWidget(document, platform, settings.view, settings.caret,
                                  std::move(handlers), this)) {
    const auto state = [this] { return m_text->TextWindow().RulerState(); };
    m_columnRuler = new ColumnRulerWidget(state, this);
    m_lineRuler = new LineRulerWidget(state, this);
    CreateRulers();
    m_view = std::make_unique<CKespoView>(settings.view, *this, m_columnRuler->BarHeight(),
                                          m_lineRuler->BarWidth());
    // The view passes the focus on to its text window.
    setFocusProxy(m_text);

    connect(m_text, &TextWindowWidget::rowsScrolled, m_lineRuler, &LineRulerWidget::FollowRows);
    connect(m_text, &TextWindowWidget::columnsScrolled, m_columnRuler,
            &ColumnRulerWidget::FollowColumns);
    connect(m_text, &TextWindowWidget::caretMoved, this, &KespoViewWidget::FollowCaret);
    // A repaint of the whole view follows a change of the settings: the rulers take theirs
    // again too.
    connect(m_text, &TextWindowWidget::viewInvalidated, this, &KespoViewWidget::RemakeRulers);
    connect(m_text, &TextWindowWidget::rulersChanged, this, &KespoViewWidget::RemakeRulers);
    // Queued: the line ruler finds out while it paints, and is placed again afterwards.
    connect(
        m_lineRuler, &LineRulerWidget::widthChanged, this,
        [this] { m_view->SetRulerSizes(m_columnRuler->BarHeight(), m_lineRuler->BarWidth()); },
        Qt::QueuedConnection);
}

KespoViewWidget::~KespoViewWidget() {
    // The text window goes first: while it is destroyed it must not reach a half-gone view.
    delete m_text;
}

PositionPanes KespoViewWidget::CaretPanes() const {
    const CKespoEV& window = m_text->TextWindow();
    return CaretPositionPanes(window.Document(), window.Rules(), m_settings.view.lineNumbering,
                              window.CaretColumn(), window.CaretRow());
}

void KespoViewWidget::PlaceAgain() {
    m_view->OnSize(width(), height());
}

void KespoViewWidget::Place(const ViewChildRects& rects) {
    m_columnRuler->SetLineBarWidth(m_lineRuler->BarWidth());
    m_columnRuler->setGeometry(ToQRect(rects.columnRuler));
    m_columnRuler->setVisible(!rects.columnRuler.IsEmpty());
    m_lineRuler->setGeometry(ToQRect(rects.lineRuler));
    m_lineRuler->setVisible(!rects.lineRuler.IsEmpty());
    m_text->setGeometry(ToQRect(rects.textWindow));
    // A ruler shown again, or the column ruler's scale after the line ruler came or went.
    m_columnRuler->Repaint();
    m_lineRuler->Repaint();
}

void KespoViewWidget::resizeEvent(QResizeEvent*) {
    m_view->OnSize(width(), height());
}

void KespoViewWidget::CreateRulers() {
    m_columnRuler->Create(m_settings.rulers, m_text->TextFont());
    m_lineRuler->Create(m_settings.rulers, m_text->TextFont());
}

void KespoViewWidget::RemakeRulers() {
    CreateRulers();
    // Placing the children again draws the rulers.
    m_view->SetRulerSizes(m_columnRuler->BarHeight(), m_lineRuler->BarWidth());
}

void KespoViewWidget::FollowCaret() {
    m_columnRuler->FollowCaret();
    m_lineRuler->FollowCaret();
    // Counting the caret's line walks the rows: while a run appends line after line, the panes
    // follow once per pass of the event loop, not once per line.
    if (m_panesPending)
        return;
    m_panesPending = true;
    QTimer::singleShot(0, this, [this] {
        m_panesPending = false;
        emit caretPanesChanged(CaretPanes());
    });
}

} // namespace nelvix::qt
