// The column ruler: a scale of columns from the left margin, the wrap column and the caret
// column's marker.
#include "render/ruler_bar.h"

#include <algorithm>

namespace nelvix {

void CRulerBar::Create(const RulerSettings& settings, const RulerViewState& view,
                       const ui::Surface& surface) {
    m_settings = settings;
    int dpiX = surface.DotsPerInchX();
    int dpiY = surface.DotsPerInchY();
    m_height = TenthsToPixels(kRulerBarHeightTenths, dpiY);
    m_tick10 = TenthsToPixels(kTick10Tenths, dpiY);
    m_tick5 = TenthsToPixels(kTick5Tenths, dpiY);
    m_tick1 = TenthsToPixels(kTick1Tenths, dpiY);
    m_markerHeight = m_tick1;
    m_columnPitch = view.columnPitch;
    m_leftMargin = TenthsToPixels(settings.leftMgnLM, dpiX);
    m_lineBarWidth = TenthsToPixels(kLineBarWidthTenths, dpiX);
}

// The scale lines up with the text below: the text starts at the left margin of the text
// window, which stands right of the line ruler when that is shown.
int CRulerBar::ScaleLeft(const RulerViewState& view) const {
    return m_leftMargin + (view.lineBarShown ? m_lineBarWidth : 0);
}

int CRulerBar::ColumnLeft(const RulerViewState& view, int column) const {
    return ScaleLeft(view) + (column - view.firstColumn) * m_columnPitch;
}

// Counted in 64 bits so that a caret column far right of the window cannot overflow.
bool CRulerBar::IsColumnShown(const RulerViewState& view, int column) const {
    if (m_columnPitch <= 0 || column < view.firstColumn)
        return false;
    long long offset = static_cast<long long>(column) - view.firstColumn;
    return ScaleLeft(view) + offset * m_columnPitch < m_width;
}

// A numbers' font taller than the space above the marker would leave the marker hidden under
// the numbers, so the marker grows upward by the difference.
int CRulerBar::MarkerHeight(ui::Surface& surface) const {
    surface.SelectFont(ui::FontRole::Small);
    int freeSpace = m_height - m_markerHeight;
    int extra = std::max(surface.Metrics().height - freeSpace, 0);
    return std::min(m_markerHeight + extra, m_height);
}

void CRulerBar::Paint(ui::Surface& surface, const RulerViewState& view) {
    m_markedColumn = view.caretColumn;
    m_paintedFirstColumn = view.firstColumn;
    ui::Colour back = ui::StandardPaletteColor(m_settings.rulerBackColor);
    surface.FillRect({0, 0, m_width, m_height}, back);
    surface.DrawLine(0, 0, m_width - 1, 0, kRulerWhite);
    surface.DrawLine(0, m_height - 1, m_width - 1, m_height - 1, kRulerGrey);
    if (m_columnPitch <= 0)
        return;
    // Numbers before ticks: a number's opaque cells would cut the ticks under it.
    DrawNumbers(surface, view, 0, m_width);
    for (int column = view.firstColumn; IsColumnShown(view, column); ++column)
        DrawTick(surface, view, column);
    FillMarkerCell(surface, view, m_markedColumn,
                   ui::StandardPaletteColor(m_settings.rulerCursorColor));
}

void CRulerBar::SetCaretColumn(ui::Surface& surface, const RulerViewState& view) {
    int column = view.caretColumn;
    if (column == m_markedColumn)
        return;
    if (IsColumnShown(view, m_markedColumn)) {
        FillMarkerCell(surface, view, m_markedColumn,
                       ui::StandardPaletteColor(m_settings.rulerBackColor));
        int left = ColumnLeft(view, m_markedColumn);
        surface.DrawLine(left, m_height - 1, left + m_columnPitch - 1, m_height - 1, kRulerGrey);
        Span redrawn = DrawNumbers(surface, view, left, left + m_columnPitch);
        redrawn.left = std::min(redrawn.left, left);
        redrawn.right = std::max(redrawn.right, left + 1);
        for (int tick = m_markedColumn;
             tick >= view.firstColumn && ColumnLeft(view, tick) >= redrawn.left; --tick)
            DrawTick(surface, view, tick);
        for (int tick = m_markedColumn + 1;
             IsColumnShown(view, tick) && ColumnLeft(view, tick) < redrawn.right; ++tick)
            DrawTick(surface, view, tick);
    }
    m_markedColumn = column;
    FillMarkerCell(surface, view, column, ui::StandardPaletteColor(m_settings.rulerCursorColor));
}

void CRulerBar::SetFirstColumn(ui::Surface& surface, const RulerViewState& view) {
    if (view.firstColumn != m_paintedFirstColumn)
        Paint(surface, view);
}

void CRulerBar::DrawTick(ui::Surface& surface, const RulerViewState& view, int column) {
    int tenths = TickTenths(column);
    int length = tenths == kTick10Tenths ? m_tick10 : tenths == kTick5Tenths ? m_tick5 : m_tick1;
    int x = ColumnLeft(view, column);
    ui::Colour pen = column == view.charsPerLine ? kRulerWrapTick : kRulerBlack;
    surface.DrawLine(x, m_height - 1, x, m_height - length, pen);
}

// Draws the numbers whose text reaches into the pixel columns [left, right) and gives the
// pixel columns they cover. A number ends just left of its tick; one that would start left of
// the ruler is moved right to start at its edge, so the first number stays readable when the
// margin is narrow.
CRulerBar::Span CRulerBar::DrawNumbers(ui::Surface& surface, const RulerViewState& view, int left,
                                       int right) {
    Span drawn{right, left};
    surface.SelectFont(ui::FontRole::Small);
    ui::FontMetrics metrics = surface.Metrics();
    ui::Colour back = ui::StandardPaletteColor(m_settings.rulerBackColor);
    int first = view.firstColumn + (10 - view.firstColumn % 10) % 10;
    for (int column = first; IsColumnShown(view, column); column += 10) {
        char buffer[12];
        std::string_view text = ScaleNumberText(column, buffer);
        int textWidth = static_cast<int>(text.size()) * metrics.averageWidth;
        int x = std::max(ColumnLeft(view, column) - 1 - textWidth, 0);
        if (x < right && x + textWidth > left) {
            surface.DrawText(x, 1, text, metrics.averageWidth, kRulerBlack, back);
            drawn.left = std::min(drawn.left, x);
            drawn.right = std::max(drawn.right, x + textWidth);
        }
    }
    return drawn;
}

void CRulerBar::FillMarkerCell(ui::Surface& surface, const RulerViewState& view, int column,
                               ui::Colour colour) {
    if (!IsColumnShown(view, column))
        return;
    int left = ColumnLeft(view, column);
    int height = MarkerHeight(surface);
    surface.FillRect({left, m_height - height, left + m_columnPitch, m_height}, colour);
}

} // namespace nelvix
