// The caret's moves over the laid-out rows.
#include "view/text_caret.h"

#include <algorithm>

namespace nelvix {

namespace {

CellPosition Cell(std::uint32_t column, std::uint32_t row) {
    CellPosition cell;
    cell.column = column;
    cell.row = row;
    return cell;
}

} // namespace

void TextCaret::Place(std::uint32_t column, std::uint32_t row) {
    m_column = column;
    m_row = row;
}

std::optional<CellPosition> TextCaret::Left(const RowCells& cells, bool freeCursor) const {
    if (freeCursor) {
        if (m_column > cells.RowEndColumn(m_row))
            return Cell(m_column - 1, m_row);
        if (m_column == 0 && m_row > 0)
            return Cell(cells.rules.charsPerLine, m_row - 1);
    }
    const std::uint32_t offset = Offset(cells);
    if (offset == 0)
        return std::nullopt;
    return cells.CellOf(PrevChar(cells.text, cells.rules, cells.rows, offset));
}

std::optional<CellPosition> TextCaret::Right(const RowCells& cells, bool freeCursor) const {
    if (freeCursor && m_column >= cells.RowEndColumn(m_row)) {
        if (m_column + 1 < cells.rules.charsPerLine)
            return Cell(m_column + 1, m_row);
        if (m_row < cells.LastCaretRow())
            return Cell(0, m_row + 1);
        return std::nullopt;
    }
    const std::uint32_t offset = Offset(cells);
    const CellPosition here = cells.CellOf(offset);
    // After the last character of a wrapped row the caret first goes to the next row's start.
    if (here.row != m_row)
        return here;
    if (offset >= cells.text.length)
        return std::nullopt;
    return cells.CellOf(NextChar(cells.text, offset));
}

CellPosition TextCaret::Up(const RowCells& cells, std::uint32_t topRow, std::uint32_t scrollLines,
                           bool freeCursor) const {
    std::uint32_t target = m_row > 0 ? m_row - 1 : 0;
    if (target < topRow)
        target = m_row > scrollLines ? m_row - scrollLines : 0;
    return cells.CaretCellAt(m_rememberedColumn, target, freeCursor);
}

CellPosition TextCaret::Down(const RowCells& cells, std::uint32_t topRow, std::uint32_t visibleRows,
                             std::uint32_t scrollLines, bool freeCursor) const {
    const std::uint32_t lastRow = cells.LastCaretRow();
    std::uint32_t target = m_row + 1;
    if (visibleRows > 0 && target >= topRow + visibleRows)
        target = m_row + scrollLines;
    if (m_row >= lastRow || target > lastRow)
        return cells.CellOf(cells.text.length);
    return cells.CaretCellAt(m_rememberedColumn, target, freeCursor);
}

CellPosition TextCaret::Page(const RowCells& cells, bool up, std::uint32_t visibleRows,
                             bool freeCursor) const {
    const long long row =
        static_cast<long long>(m_row) + (up ? -1LL : 1LL) * static_cast<long long>(visibleRows);
    const auto target =
        static_cast<std::uint32_t>(std::clamp<long long>(row, 0, cells.LastCaretRow()));
    return cells.CaretCellAt(m_column, target, freeCursor);
}

CellPosition TextCaret::Home(bool ctrl) const {
    return Cell(0, ctrl ? 0 : m_row);
}

CellPosition TextCaret::End(const RowCells& cells, bool ctrl) const {
    if (ctrl)
        return cells.CellOf(cells.text.length);
    return Cell(std::min(cells.RowEndColumn(m_row), cells.rules.charsPerLine), m_row);
}

CellPosition TextCaret::OnRow(const RowCells& cells, std::uint32_t row) const {
    return cells.CaretCellAt(m_rememberedColumn, row, false);
}

} // namespace nelvix
