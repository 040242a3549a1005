// The cells of a laid-out text's rows, as the caret, the selection and the mouse walk them:
// columns of offsets, offsets of columns, row ends and the cells where the caret may stand.
#pragma once

#include <cstdint>
#include <optional>

#include "render/row_layout.h"

namespace nelvix {

/// Cells of the character starting with `b` at `column`: a tab runs to the next tab stop, a CR
/// takes none.
std::uint32_t CharCells(Byte b, std::uint32_t column, std::uint32_t tabColumns);

struct RowCells {
    LayoutText text;
    LayoutRules rules;
    const RowTable& rows;

    /// The offset just past a row: the next row's start or the text length.
    std::uint32_t RowEndOffset(std::uint32_t row) const;
    /// The column at which `offset` (clamped to the row) stands on `row`.
    std::uint32_t ColumnInRow(std::uint32_t row, std::uint32_t offset) const;
    /// The character whose cells cover `column` on `row`; nothing beyond the row's end.
    std::optional<std::uint32_t> OffsetAtColumn(std::uint32_t row, std::uint32_t column) const;
    /// Cells of a row's characters before its line end.
    std::uint32_t RowEndColumn(std::uint32_t row) const;
    /// The row holding the text end: the empty row after a final line end, else the last.
    std::uint32_t LastCaretRow() const;
    CellPosition CellOf(std::uint32_t offset) const;
    /// The cell at `column` on `row` where the caret may stand (beyond the row end only with
    /// `freeCursor`).
    CellPosition CaretCellAt(std::uint32_t column, std::uint32_t row, bool freeCursor) const;
    /// The offset at a caret cell: the byte after a row's last character when the caret stands
    /// beyond it, the line end when the row ends with one.
    std::uint32_t CaretOffset(std::uint32_t column, std::uint32_t row) const;
};

} // namespace nelvix
