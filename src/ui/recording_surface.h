// A surface for tests: keeps every drawing operation in order and can lay them onto a grid of
// character cells, so that a test reads what a window would show without a display.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/surface.h"

namespace nelvix::ui {

/// Stands for "nothing painted here yet"; no stored colour has the top byte set.
inline constexpr Colour kNoColour = 0xFFFFFFFFu;

enum class SurfaceOperationKind {
    SelectFont,
    FillRect,
    DrawText,
    DrawLine,
    InvertRect,
    ScrollRect
};

/// One call on the surface. Fields a kind does not use keep their defaults.
struct SurfaceOperation {
    SurfaceOperationKind kind = SurfaceOperationKind::FillRect;
    /// FillRect, InvertRect, ScrollRect: their rectangle; DrawText: the cells it covers.
    PixelRect rect;
    int x1 = 0; ///< DrawText: left; DrawLine: first end
    int y1 = 0; ///< DrawText: top; DrawLine: first end
    int x2 = 0; ///< DrawLine: second end
    int y2 = 0;
    int dx = 0; ///< ScrollRect
    int dy = 0;
    int cellWidth = 0;              ///< DrawText
    std::string text;               ///< DrawText, Shift-JIS
    Colour foreground = kNoColour;  ///< DrawText, DrawLine
    Colour background = kNoColour;  ///< FillRect, DrawText
    FontRole font = FontRole::Text; ///< the font selected when the call was made
    bool operator==(const SurfaceOperation&) const = default;
};

/// One cell of a rasterised surface.
struct Cell {
    std::string bytes;         ///< the character drawn here; both bytes of a double-byte one
    bool continuation = false; ///< the second cell of a double-byte character
    Colour foreground = kNoColour;
    Colour background = kNoColour;
    bool inverted = false;
    bool line = false; ///< a line passes through the cell
    bool operator==(const Cell&) const = default;
};

class CellGrid {
public:
    CellGrid(int columns, int rows);

    int Columns() const { return m_columns; }
    int Rows() const { return m_rows; }
    /// Outside the grid: a blank cell.
    const Cell& At(int column, int row) const;
    /// The characters of one row, a blank for each empty cell, nothing for a continuation
    /// cell; empty outside the grid.
    std::string RowText(int row) const;
    bool operator==(const CellGrid&) const = default;

    /// Null outside the grid.
    Cell* Find(int column, int row);

private:
    int m_columns;
    int m_rows;
    std::vector<Cell> m_cells;
};

class RecordingSurface final : public Surface {
public:
    void SelectFont(FontRole role) override;
    void FillRect(const PixelRect& rect, Colour colour) override;
    void DrawText(int x, int y, std::string_view sjisText, int cellWidth, Colour foreground,
                  Colour background) override;
    void DrawLine(int x1, int y1, int x2, int y2, Colour colour) override;
    void InvertRect(const PixelRect& rect) override;
    void ScrollRect(const PixelRect& rect, int dx, int dy) override;
    FontMetrics Metrics() const override;
    int DotsPerInchX() const override { return dotsPerInchX; }
    int DotsPerInchY() const override { return dotsPerInchY; }

    void ClearOperations() { operations.clear(); }
    /// Replays every operation onto a grid whose cell (0, 0) has its top-left pixel at
    /// (originX, originY). A cell takes a rectangle's effect when the rectangle holds the
    /// cell's centre pixel; a character lands in the cell that holds its own centre.
    CellGrid Rasterise(int originX, int originY, int cellWidth, int cellHeight, int columns,
                       int rows) const;

    std::vector<SurfaceOperation> operations;
    FontMetrics textMetrics{16, 8};
    FontMetrics smallMetrics{12, 6};
    int dotsPerInchX = 96;
    int dotsPerInchY = 96;
    FontRole font = FontRole::Text;
};

} // namespace nelvix::ui
