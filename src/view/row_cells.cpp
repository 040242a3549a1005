// The cells of laid-out rows.
#include "view/row_cells.h"

#include <algorithm>

namespace nelvix {

std::uint32_t CharCells(Byte b, std::uint32_t column, std::uint32_t tabColumns) {
    if (b == '\t')
        return tabColumns - column % tabColumns;
    if (b == kCr)
        return 0;
    return IsLeadByte(b) ? 2 : 1;
}

std::uint32_t RowCells::RowEndOffset(std::uint32_t row) const {
    if (row + 1 < rows.Count())
        return rows.Start(row + 1);
    return text.length;
}

std::uint32_t RowCells::ColumnInRow(std::uint32_t row, std::uint32_t offset) const {
    const std::uint32_t tab = std::clamp(rules.tabColumns, kMinTabColumns, kMaxTabColumns);
    const std::uint32_t end = std::min(offset, RowEndOffset(row));
    std::uint32_t column = 0;
    for (std::uint32_t at = RowStart(text, rows, row); at < end; at = NextChar(text, at))
        column += CharCells(text.bytes[at], column, tab);
    return column;
}

std::optional<std::uint32_t> RowCells::OffsetAtColumn(std::uint32_t row,
                                                      std::uint32_t column) const {
    if (row >= rows.Count())
        return std::nullopt;
    const std::uint32_t tab = std::clamp(rules.tabColumns, kMinTabColumns, kMaxTabColumns);
    const std::uint32_t end = RowEndOffset(row);
    std::uint32_t cells = 0;
    for (std::uint32_t at = RowStart(text, rows, row); at < end; at = NextChar(text, at)) {
        cells += CharCells(text.bytes[at], cells, tab);
        if (column < cells)
            return at;
    }
    return std::nullopt;
}

std::uint32_t RowCells::RowEndColumn(std::uint32_t row) const {
    return ColumnInRow(row, RowEndOffset(row));
}

std::uint32_t RowCells::LastCaretRow() const {
    return RowOfOffset(text, rules, rows, text.length);
}

CellPosition RowCells::CellOf(std::uint32_t offset) const {
    return CellOfOffset(text, rules, rows, offset);
}

CellPosition RowCells::CaretCellAt(std::uint32_t column, std::uint32_t row, bool freeCursor) const {
    const CellOffset at = OffsetOfCell(text, rules, rows, column, row, freeCursor);
    CellPosition cell = CellOfOffset(text, rules, rows, at.offset, at.overshoot);
    // A column inside a wide character that ends a wrapped row names the next row's start;
    // the caret stays on its row, after that character.
    if (cell.row != row && row < rows.Count()) {
        cell.column = std::min(RowEndColumn(row), rules.charsPerLine);
        cell.row = row;
    }
    return cell;
}

std::uint32_t RowCells::CaretOffset(std::uint32_t column, std::uint32_t row) const {
    const CellOffset at = OffsetOfCell(text, rules, rows, column, row, true);
    if (at.overshoot > 0 && at.offset < text.length && text.bytes[at.offset] != kCr)
        return NextChar(text, at.offset);
    return at.offset;
}

} // namespace nelvix
