// The line ruler: row numbers or a scale of rows, and the caret row's marker.
#include "render/line_bar.h"

#include <algorithm>

namespace nelvix {
namespace {

int FloorDiv(int a, int b) {
    int q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

int CeilDiv(int a, int b) {
    return -FloorDiv(-a, b);
}

int TextWidth(std::string_view text, const ui::FontMetrics& metrics) {
    return static_cast<int>(text.size()) * metrics.averageWidth;
}

int DigitCount(int value) {
    int digits = 1;
    for (; value >= 10; value /= 10)
        ++digits;
    return digits;
}

// The white edge line down the left side stays clear of the numbers.
constexpr int kEdgeLinePixels = 1;

/// The largest number the ruler can show: the text's last row, or the partly visible row
/// below the window when the window reaches past the end of the text.
int LargestRowNumber(const RulerViewState& view) {
    return std::max(view.rowCount, view.topRow + std::max(view.visibleRows, 0) + 1);
}

} // namespace

void CLineBar::Create(const RulerSettings& settings, const RulerViewState& view,
                      ui::Surface& surface) {
    m_settings = settings;
    int dpiX = surface.DotsPerInchX();
    m_standardWidth = TenthsToPixels(kLineBarWidthTenths, dpiX);
    surface.SelectFont(ui::FontRole::Small);
    m_smallDigitWidth = surface.Metrics().averageWidth;
    surface.SelectFont(ui::FontRole::Text);
    m_digitWidth = surface.Metrics().averageWidth;
    m_tick10 = TenthsToPixels(kTick10Tenths, dpiX);
    m_tick5 = TenthsToPixels(kTick5Tenths, dpiX);
    m_tick1 = TenthsToPixels(kTick1Tenths, dpiX);
    m_markerWidth = m_tick1;
    m_rowPitch = view.rowPitch;
    m_topMargin = TenthsToPixels(settings.topMgnLM, surface.DotsPerInchY());
    m_width = WidthFor(view);
}

// A row number ends at the marker strip, a scale number at the longest tick.
int CLineBar::WidthFor(const RulerViewState& view) const {
    const int digits = DigitCount(LargestRowNumber(view));
    const int numbers = m_settings.figureRuler ? digits * m_digitWidth + m_markerWidth
                                               : digits * m_smallDigitWidth + m_tick10;
    return std::max(m_standardWidth, kEdgeLinePixels + numbers);
}

bool CLineBar::FitWidth(const RulerViewState& view) {
    const int width = WidthFor(view);
    if (width == m_width)
        return false;
    m_width = width;
    return true;
}

int CLineBar::RowTop(const RulerViewState& view, int row) const {
    return m_topMargin + (row - view.topRow) * m_rowPitch;
}

// The row below the last whole one is partly visible and is drawn too.
int CLineBar::EndRow(const RulerViewState& view) const {
    return view.topRow + std::max(view.visibleRows, 0) + 1;
}

void CLineBar::Paint(ui::Surface& surface, const RulerViewState& view) {
    m_markedRow = view.caretRow;
    PaintBand(surface, view, 0, m_height);
}

void CLineBar::SetCaretRow(ui::Surface& surface, const RulerViewState& view) {
    int row = view.caretRow;
    if (row == m_markedRow)
        return;
    int lastVisibleRow = view.topRow + view.visibleRows - 1;
    if (m_markedRow >= lastVisibleRow) {
        Paint(surface, view);
        return;
    }
    // A marker above the first visible row has scrolled out of the image: nothing to erase.
    if (m_markedRow >= view.topRow && m_rowPitch > 0) {
        FillMarkerCell(surface, view, m_markedRow, m_settings.lineBackColorref);
        int top = RowTop(view, m_markedRow);
        surface.DrawLine(m_width - 2, top, m_width - 2, top + m_rowPitch - 1, kRulerGrey);
        surface.DrawLine(m_width - 1, top, m_width - 1, top + m_rowPitch - 1, kRulerBlack);
        if (!m_settings.figureRuler)
            DrawRow(surface, view, m_markedRow);
    }
    m_markedRow = row;
    FillMarkerCell(surface, view, row, m_settings.lineCursorColorref);
}

void CLineBar::ScrollRows(ui::Surface& surface, const RulerViewState& view, int rows) {
    if (rows == 0)
        return;
    if (m_rowPitch <= 0 || rows > view.visibleRows || rows < -view.visibleRows ||
        m_height <= m_topMargin) {
        Paint(surface, view);
        return;
    }
    int shift = rows * m_rowPitch;
    surface.ScrollRect({0, m_topMargin, m_width, m_height}, 0, -shift);
    if (rows > 0)
        PaintBand(surface, view, std::max(m_height - shift, m_topMargin), m_height);
    else
        PaintBand(surface, view, m_topMargin, std::min(m_topMargin - shift, m_height));
    // The first row's scale number stands in the top margin, which does not scroll.
    if (!m_settings.figureRuler)
        PaintBand(surface, view, 0, m_topMargin);
}

// Repaints the pixel rows [top, bottom): everything whose image falls there, at once.
void CLineBar::PaintBand(ui::Surface& surface, const RulerViewState& view, int top, int bottom) {
    surface.FillRect({0, top, m_width, bottom}, m_settings.lineBackColorref);
    DrawEdges(surface, top, bottom);
    if (m_rowPitch <= 0)
        return;
    int firstRow = std::max(view.topRow + FloorDiv(top - m_topMargin, m_rowPitch), view.topRow);
    int endRow = std::min(view.topRow + CeilDiv(bottom - m_topMargin, m_rowPitch), EndRow(view));
    if (m_settings.figureRuler)
        surface.SelectFont(ui::FontRole::Text);
    for (int row = firstRow; row < endRow; ++row)
        DrawRow(surface, view, row);
    if (!m_settings.figureRuler) {
        surface.SelectFont(ui::FontRole::Small);
        int labelHeight = surface.Metrics().height;
        for (int row = firstRow; row <= EndRow(view) && RowTop(view, row) - labelHeight < bottom;
             ++row)
            if (RowTop(view, row) > top)
                DrawScaleLabel(surface, view, row);
    }
    if (m_markedRow >= firstRow && m_markedRow < endRow)
        FillMarkerCell(surface, view, m_markedRow, m_settings.lineCursorColorref);
}

void CLineBar::DrawEdges(ui::Surface& surface, int top, int bottom) {
    if (bottom <= top)
        return;
    surface.DrawLine(0, top, 0, bottom - 1, kRulerWhite);
    surface.DrawLine(m_width - 2, top, m_width - 2, bottom - 1, kRulerGrey);
    surface.DrawLine(m_width - 1, top, m_width - 1, bottom - 1, kRulerBlack);
}

// Draws the number or the tick of one row; the number style expects the text font selected.
void CLineBar::DrawRow(ui::Surface& surface, const RulerViewState& view, int row) {
    int top = RowTop(view, row);
    if (m_settings.figureRuler) {
        char buffer[12];
        std::string_view text = NumberText(row + 1, buffer);
        ui::FontMetrics metrics = surface.Metrics();
        surface.DrawText(m_width - m_markerWidth - TextWidth(text, metrics), top, text,
                         metrics.averageWidth, m_settings.lineFigureColor,
                         m_settings.lineBackColorref);
        return;
    }
    int tenths = TickTenths(row);
    int length = tenths == kTick10Tenths ? m_tick10 : tenths == kTick5Tenths ? m_tick5 : m_tick1;
    surface.DrawLine(m_width - length, top, m_width - 1, top, kRulerBlack);
}

// A scale number stands left of the ticks with its foot on its own tick; expects the small
// font selected.
void CLineBar::DrawScaleLabel(ui::Surface& surface, const RulerViewState& view, int row) {
    if (row % 5 != 0)
        return;
    char buffer[12];
    std::string_view text = ScaleNumberText(row, buffer);
    ui::FontMetrics metrics = surface.Metrics();
    surface.DrawText(m_width - m_tick10 - TextWidth(text, metrics),
                     RowTop(view, row) - metrics.height, text, metrics.averageWidth, kRulerBlack,
                     m_settings.lineBackColorref);
}

// Only rows that are at least partly visible have a cell; others are left alone so that
// nothing lands in the top margin or below the strip.
void CLineBar::FillMarkerCell(ui::Surface& surface, const RulerViewState& view, int row,
                              ui::Colour colour) {
    if (m_rowPitch <= 0 || row < view.topRow || row >= EndRow(view))
        return;
    int top = RowTop(view, row);
    surface.FillRect({m_width - m_markerWidth, top, m_width, top + m_rowPitch}, colour);
}

} // namespace nelvix
