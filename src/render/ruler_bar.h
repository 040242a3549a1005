// The column ruler: a strip above the text with a scale of columns, the wrap column's tick and a
// marker at the caret's column.
#pragma once

#include "render/ruler_settings.h"
#include "ui/surface.h"

namespace nelvix {

class CRulerBar {
public:
    /// Takes the pixel measures from the settings, the surface's dots per inch and the view's
    /// column pitch; called again when any of them changes. Nothing is drawn.
    void Create(const RulerSettings& settings, const RulerViewState& view,
                const ui::Surface& surface);
    /// The strip's width in pixels, as the view places it.
    void SetWidth(int pixels) { m_width = pixels; }
    /// The line ruler's width as the view places it, when it is wider than its standard width
    /// (a text of many rows): the scale stays over the text's columns.
    void SetLineBarWidth(int pixels) { m_lineBarWidth = pixels; }
    int Height() const { return m_height; }

    /// Draws the whole ruler and marks the view's caret column.
    void Paint(ui::Surface& surface, const RulerViewState& view);
    /// Moves the marker to `view.caretColumn`, repainting only the old and the new marker cell.
    void SetCaretColumn(ui::Surface& surface, const RulerViewState& view);
    /// Repaints the whole ruler when the first visible column differs from the one painted.
    void SetFirstColumn(ui::Surface& surface, const RulerViewState& view);

private:
    /// Pixel columns [left, right); empty when right <= left.
    struct Span {
        int left = 0;
        int right = 0;
    };

    int ScaleLeft(const RulerViewState& view) const;
    int ColumnLeft(const RulerViewState& view, int column) const;
    bool IsColumnShown(const RulerViewState& view, int column) const;
    int MarkerHeight(ui::Surface& surface) const;
    void DrawTick(ui::Surface& surface, const RulerViewState& view, int column);
    Span DrawNumbers(ui::Surface& surface, const RulerViewState& view, int left, int right);
    void FillMarkerCell(ui::Surface& surface, const RulerViewState& view, int column,
                        ui::Colour colour);

    RulerSettings m_settings;
    int m_width = 0;
    int m_height = 0;
    int m_tick10 = 0;
    int m_tick5 = 0;
    int m_tick1 = 0;
    int m_markerHeight = 0;
    int m_columnPitch = 0;
    int m_leftMargin = 0;
    int m_lineBarWidth = 0;
    int m_markedColumn = -1; ///< -1 before the first paint
    int m_paintedFirstColumn = -1;
};

} // namespace nelvix
