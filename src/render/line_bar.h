// The line ruler: a strip left of the text with the row numbers or a scale of rows, and a
// marker at the caret's row.
#pragma once

#include "render/ruler_settings.h"
#include "ui/surface.h"

namespace nelvix {

class CLineBar {
public:
    /// Takes the pixel measures from the settings, the surface's dots per inch and text font
    /// and the view's row pitch and rows; called again when any of them changes. Nothing is
    /// drawn.
    void Create(const RulerSettings& settings, const RulerViewState& view, ui::Surface& surface);
    /// The strip's height in pixels, as the view places it.
    void SetHeight(int pixels) { m_height = pixels; }
    int Width() const { return m_width; }
    /// The width `view` needs: the standard width, or more when a number of the text's rows
    /// (or of a row shown below the text's end) would not stand whole in it.
    int WidthFor(const RulerViewState& view) const;
    /// Takes the width `view` needs; true when it changed, and the view must place the ruler
    /// again.
    bool FitWidth(const RulerViewState& view);

    /// Draws the whole ruler and marks the view's caret row.
    void Paint(ui::Surface& surface, const RulerViewState& view);
    /// Moves the marker to `view.caretRow`, repainting only the old and the new marker cell
    /// while the old one is above the last visible row.
    void SetCaretRow(ui::Surface& surface, const RulerViewState& view);
    /// Follows a vertical scroll of `rows` rows (positive: the text moved up); `view` is the
    /// state after the scroll. The image is moved and only what is uncovered is drawn.
    void ScrollRows(ui::Surface& surface, const RulerViewState& view, int rows);

private:
    int RowTop(const RulerViewState& view, int row) const;
    int EndRow(const RulerViewState& view) const;
    void PaintBand(ui::Surface& surface, const RulerViewState& view, int top, int bottom);
    void DrawEdges(ui::Surface& surface, int top, int bottom);
    void DrawRow(ui::Surface& surface, const RulerViewState& view, int row);
    void DrawScaleLabel(ui::Surface& surface, const RulerViewState& view, int row);
    void FillMarkerCell(ui::Surface& surface, const RulerViewState& view, int row,
                        ui::Colour colour);

    RulerSettings m_settings;
    int m_width = 0;
    int m_standardWidth = 0;   ///< kLineBarWidthTenths in pixels
    int m_digitWidth = 0;      ///< one digit of the numbers, in the text font
    int m_smallDigitWidth = 0; ///< one digit of the scale's numbers
    int m_height = 0;
    int m_tick10 = 0;
    int m_tick5 = 0;
    int m_tick1 = 0;
    int m_markerWidth = 0;
    int m_rowPitch = 0;
    int m_topMargin = 0;
    int m_markedRow = -1; ///< -1 before the first paint
};

} // namespace nelvix
