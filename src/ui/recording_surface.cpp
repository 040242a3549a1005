// A surface for tests: records operations and lays them onto a grid of character cells.
#include "ui/recording_surface.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "base/sjis.h"

namespace nelvix::ui {
namespace {

int FloorDiv(int a, int b) {
    int q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

bool Holds(const PixelRect& rect, int x, int y) {
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

// Maps pixels to cells and applies one operation at a time to the grid.
class Rasteriser {
public:
    Rasteriser(CellGrid& grid, int originX, int originY, int cellWidth, int cellHeight)
        : m_grid(grid), m_originX(originX), m_originY(originY), m_cellWidth(cellWidth),
          m_cellHeight(cellHeight) {}

    void Apply(const SurfaceOperation& op) {
        switch (op.kind) {
        case SurfaceOperationKind::SelectFont:
            break;
        case SurfaceOperationKind::FillRect:
            ForCellsIn(op.rect, [&](Cell& cell, int column, int row) {
                Repaint(column, row);
                cell.background = op.background;
            });
            break;
        case SurfaceOperationKind::DrawText:
            Text(op);
            break;
        case SurfaceOperationKind::DrawLine:
            Line(op);
            break;
        case SurfaceOperationKind::InvertRect:
            ForCellsIn(op.rect, [](Cell& cell, int, int) { cell.inverted = !cell.inverted; });
            break;
        case SurfaceOperationKind::ScrollRect:
            Scroll(op);
            break;
        }
    }

private:
    int CentreX(int column) const { return m_originX + column * m_cellWidth + m_cellWidth / 2; }
    int CentreY(int row) const { return m_originY + row * m_cellHeight + m_cellHeight / 2; }
    int ColumnAt(int pixelX) const { return FloorDiv(pixelX - m_originX, m_cellWidth); }
    int RowAt(int pixelY) const { return FloorDiv(pixelY - m_originY, m_cellHeight); }

    template <typename Visit> void ForCellsIn(const PixelRect& rect, Visit visit) {
        for (int row = 0; row < m_grid.Rows(); ++row)
            for (int column = 0; column < m_grid.Columns(); ++column)
                if (Holds(rect, CentreX(column), CentreY(row)))
                    visit(*m_grid.Find(column, row), column, row);
    }

    // Painting over either half of a double-byte character leaves no whole character there.
    void Repaint(int column, int row) {
        Cell* cell = m_grid.Find(column, row);
        if (cell->continuation) {
            if (Cell* lead = m_grid.Find(column - 1, row))
                lead->bytes.clear();
        } else if (cell->bytes.size() == 2) {
            if (Cell* trail = m_grid.Find(column + 1, row))
                trail->continuation = false;
        }
        *cell = Cell{};
    }

    void Text(const SurfaceOperation& op) {
        ForCellsIn(op.rect, [&](Cell& cell, int column, int row) {
            Repaint(column, row);
            cell.foreground = op.foreground;
            cell.background = op.background;
        });
        int centreY = op.y1 + op.rect.Height() / 2;
        int cellIndex = 0;
        std::size_t offset = 0;
        const std::string& text = op.text;
        while (offset < text.size()) {
            std::size_t next =
                NextCharOffset(reinterpret_cast<const Byte*>(text.data()), text.size(), offset);
            int pixelX = op.x1 + cellIndex * op.cellWidth + op.cellWidth / 2;
            Place(ColumnAt(pixelX), RowAt(centreY), op, text.substr(offset, next - offset), false);
            ++cellIndex;
            if (next - offset == 2) {
                Place(ColumnAt(pixelX + op.cellWidth), RowAt(centreY), op, {}, true);
                ++cellIndex;
            }
            offset = next;
        }
    }

    void Place(int column, int row, const SurfaceOperation& op, std::string bytes,
               bool continuation) {
        if (m_grid.Find(column, row) == nullptr)
            return;
        Repaint(column, row);
        Cell* cell = m_grid.Find(column, row);
        cell->bytes = std::move(bytes);
        cell->continuation = continuation;
        cell->foreground = op.foreground;
        cell->background = op.background;
    }

    void Line(const SurfaceOperation& op) {
        int steps = std::max(std::abs(op.x2 - op.x1), std::abs(op.y2 - op.y1));
        for (int i = 0; i <= steps; ++i) {
            int x = steps == 0 ? op.x1 : op.x1 + (op.x2 - op.x1) * i / steps;
            int y = steps == 0 ? op.y1 : op.y1 + (op.y2 - op.y1) * i / steps;
            if (Cell* cell = m_grid.Find(ColumnAt(x), RowAt(y)))
                cell->line = true;
        }
    }

    // Cells whose image comes from outside the rectangle keep what they showed: that part is
    // uncovered and waits for its repaint.
    void Scroll(const SurfaceOperation& op) {
        const CellGrid before = m_grid;
        ForCellsIn(op.rect, [&](Cell& cell, int column, int row) {
            int sourceX = CentreX(column) - op.dx;
            int sourceY = CentreY(row) - op.dy;
            if (Holds(op.rect, sourceX, sourceY))
                cell = before.At(ColumnAt(sourceX), RowAt(sourceY));
        });
    }

    CellGrid& m_grid;
    int m_originX;
    int m_originY;
    int m_cellWidth;
    int m_cellHeight;
};

} // namespace

CellGrid::CellGrid(int columns, int rows)
    : m_columns(std::max(columns, 0)), m_rows(std::max(rows, 0)),
      m_cells(static_cast<std::size_t>(m_columns) * static_cast<std::size_t>(m_rows)) {}

const Cell& CellGrid::At(int column, int row) const {
    static const Cell kBlank;
    if (column < 0 || column >= m_columns || row < 0 || row >= m_rows)
        return kBlank;
    return m_cells[static_cast<std::size_t>(row * m_columns + column)];
}

Cell* CellGrid::Find(int column, int row) {
    if (column < 0 || column >= m_columns || row < 0 || row >= m_rows)
        return nullptr;
    return &m_cells[static_cast<std::size_t>(row * m_columns + column)];
}

std::string CellGrid::RowText(int row) const {
    std::string text;
    if (row < 0 || row >= m_rows)
        return text;
    for (int column = 0; column < m_columns; ++column) {
        const Cell& cell = At(column, row);
        if (cell.continuation)
            continue;
        text += cell.bytes.empty() ? std::string(" ") : cell.bytes;
    }
    return text;
}

void RecordingSurface::SelectFont(FontRole role) {
    font = role;
    SurfaceOperation op;
    op.kind = SurfaceOperationKind::SelectFont;
    op.font = role;
    operations.push_back(op);
}

void RecordingSurface::FillRect(const PixelRect& rect, Colour colour) {
    SurfaceOperation op;
    op.kind = SurfaceOperationKind::FillRect;
    op.rect = rect;
    op.background = colour;
    op.font = font;
    operations.push_back(op);
}

void RecordingSurface::DrawText(int x, int y, std::string_view sjisText, int cellWidth,
                                Colour foreground, Colour background) {
    int cells = 0;
    for (std::size_t offset = 0; offset < sjisText.size();) {
        std::size_t next =
            NextCharOffset(reinterpret_cast<const Byte*>(sjisText.data()), sjisText.size(), offset);
        cells += static_cast<int>(next - offset);
        offset = next;
    }
    SurfaceOperation op;
    op.kind = SurfaceOperationKind::DrawText;
    op.rect = {x, y, x + cells * cellWidth, y + Metrics().height};
    op.x1 = x;
    op.y1 = y;
    op.cellWidth = cellWidth;
    op.text = std::string(sjisText);
    op.foreground = foreground;
    op.background = background;
    op.font = font;
    operations.push_back(std::move(op));
}

void RecordingSurface::DrawLine(int x1, int y1, int x2, int y2, Colour colour) {
    SurfaceOperation op;
    op.kind = SurfaceOperationKind::DrawLine;
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.foreground = colour;
    op.font = font;
    operations.push_back(op);
}

void RecordingSurface::InvertRect(const PixelRect& rect) {
    SurfaceOperation op;
    op.kind = SurfaceOperationKind::InvertRect;
    op.rect = rect;
    op.font = font;
    operations.push_back(op);
}

void RecordingSurface::ScrollRect(const PixelRect& rect, int dx, int dy) {
    SurfaceOperation op;
    op.kind = SurfaceOperationKind::ScrollRect;
    op.rect = rect;
    op.dx = dx;
    op.dy = dy;
    op.font = font;
    operations.push_back(op);
}

FontMetrics RecordingSurface::Metrics() const {
    return font == FontRole::Small ? smallMetrics : textMetrics;
}

CellGrid RecordingSurface::Rasterise(int originX, int originY, int cellWidth, int cellHeight,
                                     int columns, int rows) const {
    CellGrid grid(columns, rows);
    if (cellWidth <= 0 || cellHeight <= 0)
        return grid;
    Rasteriser rasteriser(grid, originX, originY, cellWidth, cellHeight);
    for (const SurfaceOperation& op : operations)
        rasteriser.Apply(op);
    return grid;
}

} // namespace nelvix::ui
