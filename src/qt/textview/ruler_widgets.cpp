// The ruler widgets.
#include "qt/textview/ruler_widgets.h"

#include <QPaintEvent>
#include <QPainter>

namespace nelvix::qt {

RulerWidget::RulerWidget(StateSource state, QWidget* parent)
    : QWidget(parent), m_surface(QFont()), m_state(std::move(state)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Drawn on before the first size arrives; that drawing is redone at the first size.
    m_surface.Resize(1, 1);
    m_surface.SetDrawnHandler([this](const QRect& area) { update(area); });
}

bool RulerWidget::IsShown() const {
    return parentWidget() != nullptr ? isVisibleTo(parentWidget()) : isVisible();
}

void RulerWidget::Repaint() {
    if (IsShown())
        PaintRuler();
}

void RulerWidget::RepaintLater() {
    // A drawing already waits for the next paint; asking Qt again walks the widget tree.
    if (m_stale || !IsShown())
        return;
    m_stale = true;
    update();
}

void RulerWidget::paintEvent(QPaintEvent* event) {
    if (m_stale) {
        m_stale = false;
        PaintRuler();
    }
    QPainter painter(this);
    for (const QRect& area : event->region())
        painter.drawImage(area, m_surface.Image(), area);
}

ColumnRulerWidget::ColumnRulerWidget(StateSource state, QWidget* parent)
    : RulerWidget(std::move(state), parent) {}

void ColumnRulerWidget::Create(const RulerSettings& settings, const QFont& textFont) {
    Surface().SetTextFont(textFont);
    m_bar.Create(settings, State(), Surface());
}

void ColumnRulerWidget::FollowCaret() {
    RepaintLater();
}

void ColumnRulerWidget::FollowColumns() {
    RepaintLater();
}

void ColumnRulerWidget::PaintRuler() {
    m_bar.Paint(Surface(), State());
}

void ColumnRulerWidget::resizeEvent(QResizeEvent*) {
    Surface().Resize(width(), height());
    m_bar.SetWidth(width());
    Repaint();
}

LineRulerWidget::LineRulerWidget(StateSource state, QWidget* parent)
    : RulerWidget(std::move(state), parent) {}

void LineRulerWidget::Create(const RulerSettings& settings, const QFont& textFont) {
    Surface().SetTextFont(textFont);
    m_bar.Create(settings, State(), Surface());
}

void LineRulerWidget::FollowCaret() {
    FollowText();
}

void LineRulerWidget::FollowRows(int) {
    FollowText();
}

void LineRulerWidget::FollowText() {
    // A drawing that waits fits the width first.
    if (Stale())
        return;
    FitWidth();
    RepaintLater();
}

void LineRulerWidget::FitWidth() {
    if (m_bar.FitWidth(State()))
        emit widthChanged();
}

void LineRulerWidget::PaintRuler() {
    FitWidth();
    m_bar.Paint(Surface(), State());
}

void LineRulerWidget::resizeEvent(QResizeEvent*) {
    Surface().Resize(width(), height());
    m_bar.SetHeight(height());
    Repaint();
}

} // namespace nelvix::qt
