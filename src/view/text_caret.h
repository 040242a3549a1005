// The caret of a text window: its cell, the column that vertical moves keep, and where each
// caret key takes it over the laid-out rows; with free cursor it may stand beyond a row's end.
#pragma once

#include <cstdint>
#include <optional>

#include "view/row_cells.h"

namespace nelvix {

class TextCaret {
public:
    std::uint32_t Column() const { return m_column; }
    std::uint32_t Row() const { return m_row; }
    /// The column Up and Down aim for: where the last move other than those left the caret.
    std::uint32_t RememberedColumn() const { return m_rememberedColumn; }
    void Place(std::uint32_t column, std::uint32_t row);
    void RememberColumn() { m_rememberedColumn = m_column; }
    /// At the text start, remembering column 0.
    void Reset() { *this = TextCaret{}; }
    std::uint32_t Offset(const RowCells& cells) const { return cells.CaretOffset(m_column, m_row); }

    // Where each key takes the caret; nothing when it stays.
    std::optional<CellPosition> Left(const RowCells& cells, bool freeCursor) const;
    std::optional<CellPosition> Right(const RowCells& cells, bool freeCursor) const;
    /// Up from the top row shown goes `scrollLines` rows.
    CellPosition Up(const RowCells& cells, std::uint32_t topRow, std::uint32_t scrollLines,
                    bool freeCursor) const;
    /// Down from the last row shown goes `scrollLines` rows; past the last row, to the text end.
    CellPosition Down(const RowCells& cells, std::uint32_t topRow, std::uint32_t visibleRows,
                      std::uint32_t scrollLines, bool freeCursor) const;
    /// A page of `visibleRows` rows, in the caret's own column.
    CellPosition Page(const RowCells& cells, bool up, std::uint32_t visibleRows,
                      bool freeCursor) const;
    /// The row start, or with Ctrl the text start.
    CellPosition Home(bool ctrl) const;
    /// After the row's last character, or with Ctrl the text end.
    CellPosition End(const RowCells& cells, bool ctrl) const;
    /// The remembered column on `row`, within the row.
    CellPosition OnRow(const RowCells& cells, std::uint32_t row) const;

private:
    std::uint32_t m_column = 0;
    std::uint32_t m_row = 0;
    std::uint32_t m_rememberedColumn = 0;
};

} // namespace nelvix
