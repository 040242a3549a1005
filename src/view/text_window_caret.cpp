// CKespoEV: the caret, its remembered column and the keys that move it, with Shift extending
// the selection and free cursor mode letting the caret stand beyond a row's end.
#include <algorithm>

#include "view/text_window.h"

namespace nelvix {

namespace {

constexpr std::uint32_t kMinScrollLineCount = 1;
constexpr std::uint32_t kMaxScrollLineCount = 10;
constexpr std::uint32_t kDefaultScrollLineCount = 3;

std::uint32_t CharCells(Byte b, std::uint32_t column, std::uint32_t tabColumns) {
    if (b == '\t')
        return tabColumns - column % tabColumns;
    if (b == kCr)
        return 0;
    return IsLeadByte(b) ? 2 : 1;
}

} // namespace

void CKespoEV::SetCaretSettings(const CaretSettings& settings) {
    m_caretSettings = settings;
    if (settings.scrollLineCount < kMinScrollLineCount ||
        settings.scrollLineCount > kMaxScrollLineCount)
        m_caretSettings.scrollLineCount = kDefaultScrollLineCount;
}

std::uint32_t CKespoEV::RowEndOffset(std::uint32_t row) const {
    if (row + 1 < RowCount())
        return m_document.RowStarts()[row + 1];
    return m_document.TextLength();
}

std::uint32_t CKespoEV::ColumnInRow(std::uint32_t row, std::uint32_t offset) const {
    const LayoutText text = Text();
    const std::uint32_t tab = std::clamp(Rules().tabColumns, kMinTabColumns, kMaxTabColumns);
    const std::uint32_t end = std::min(offset, RowEndOffset(row));
    std::uint32_t column = 0;
    for (std::uint32_t at = RowStart(text, Rows(), row); at < end; at = NextChar(text, at))
        column += CharCells(text.bytes[at], column, tab);
    return column;
}

std::optional<std::uint32_t> CKespoEV::OffsetAtColumn(std::uint32_t row,
                                                      std::uint32_t column) const {
    if (row >= RowCount())
        return std::nullopt;
    const LayoutText text = Text();
    const std::uint32_t tab = std::clamp(Rules().tabColumns, kMinTabColumns, kMaxTabColumns);
    const std::uint32_t end = RowEndOffset(row);
    std::uint32_t cells = 0;
    for (std::uint32_t at = RowStart(text, Rows(), row); at < end; at = NextChar(text, at)) {
        cells += CharCells(text.bytes[at], cells, tab);
        if (column < cells)
            return at;
    }
    return std::nullopt;
}

std::uint32_t CKespoEV::RowEndColumn(std::uint32_t row) const {
    return ColumnInRow(row, RowEndOffset(row));
}

std::uint32_t CKespoEV::LastCaretRow() const {
    return RowOfOffset(Text(), Rules(), Rows(), m_document.TextLength());
}

CellPosition CKespoEV::CaretCellAt(std::uint32_t column, std::uint32_t row, bool freeCursor) const {
    const LayoutText text = Text();
    const LayoutRules rules = Rules();
    const CellOffset at = OffsetOfCell(text, rules, Rows(), column, row, freeCursor);
    CellPosition cell = CellOfOffset(text, rules, Rows(), at.offset, at.overshoot);
    // A column inside a wide character that ends a wrapped row names the next row's start;
    // the caret stays on its row, after that character.
    if (cell.row != row && row < RowCount()) {
        cell.column = std::min(RowEndColumn(row), rules.charsPerLine);
        cell.row = row;
    }
    return cell;
}

std::uint32_t CKespoEV::CaretOffset() const {
    const LayoutText text = Text();
    const CellOffset at = OffsetOfCell(text, Rules(), Rows(), m_caretColumn, m_caretRow, true);
    if (at.overshoot > 0 && at.offset < text.length && text.bytes[at.offset] != kCr)
        return NextChar(text, at.offset);
    return at.offset;
}

void CKespoEV::MoveCaret(std::uint32_t column, std::uint32_t row) {
    PlaceCaret(column, row);
}

void CKespoEV::MoveCaretToOffset(std::uint32_t offset) {
    const CellPosition cell = CellOfOffset(Text(), Rules(), Rows(), offset);
    MoveCaret(cell.column, cell.row);
}

void CKespoEV::MoveLeft(bool freeCursor) {
    if (freeCursor) {
        if (m_caretColumn > RowEndColumn(m_caretRow)) {
            MoveCaret(m_caretColumn - 1, m_caretRow);
            return;
        }
        if (m_caretColumn == 0 && m_caretRow > 0) {
            MoveCaret(Rules().charsPerLine, m_caretRow - 1);
            return;
        }
    }
    const std::uint32_t offset = CaretOffset();
    if (offset > 0)
        MoveCaretToOffset(PrevChar(Text(), Rules(), Rows(), offset));
}

void CKespoEV::MoveRight(bool freeCursor) {
    if (freeCursor && m_caretColumn >= RowEndColumn(m_caretRow)) {
        if (m_caretColumn + 1 < Rules().charsPerLine)
            MoveCaret(m_caretColumn + 1, m_caretRow);
        else if (m_caretRow < LastCaretRow())
            MoveCaret(0, m_caretRow + 1);
        return;
    }
    const std::uint32_t offset = CaretOffset();
    const CellPosition here = CellOfOffset(Text(), Rules(), Rows(), offset);
    // After the last character of a wrapped row the caret first goes to the next row's start.
    if (here.row != m_caretRow) {
        MoveCaret(here.column, here.row);
        return;
    }
    if (offset < m_document.TextLength())
        MoveCaretToOffset(NextChar(Text(), offset));
}

void CKespoEV::MoveUp(bool freeCursor) {
    const std::uint32_t lines = m_caretSettings.scrollLineCount;
    std::uint32_t target = m_caretRow > 0 ? m_caretRow - 1 : 0;
    if (target < m_viewport.TopRow())
        target = m_caretRow > lines ? m_caretRow - lines : 0;
    const CellPosition cell = CaretCellAt(m_rememberedColumn, target, freeCursor);
    MoveCaret(cell.column, cell.row);
}

void CKespoEV::MoveDown(bool freeCursor) {
    const std::uint32_t lastRow = LastCaretRow();
    std::uint32_t target = m_caretRow + 1;
    if (m_viewport.VisibleRows() > 0 && target >= m_viewport.TopRow() + m_viewport.VisibleRows())
        target = m_caretRow + m_caretSettings.scrollLineCount;
    if (m_caretRow >= lastRow || target > lastRow) {
        MoveCaretToOffset(m_document.TextLength());
        return;
    }
    const CellPosition cell = CaretCellAt(m_rememberedColumn, target, freeCursor);
    MoveCaret(cell.column, cell.row);
}

void CKespoEV::ScrollOneRow(bool up) {
    if (!m_viewport.VerticalActive() || m_viewport.VisibleRows() == 0)
        return;
    if (up && m_viewport.TopRow() > 0) {
        ScrollTo(ScrollAxis::Vertical, m_viewport.TopRow() - 1);
        const std::uint32_t lastVisible = m_viewport.TopRow() + m_viewport.VisibleRows() - 1;
        if (m_caretRow > lastVisible) {
            const CellPosition cell = CaretCellAt(m_rememberedColumn, lastVisible, false);
            MoveCaret(cell.column, cell.row);
        }
    } else if (!up && m_viewport.TopRow() < m_viewport.VerticalMaximum()) {
        ScrollTo(ScrollAxis::Vertical, m_viewport.TopRow() + 1);
        if (m_caretRow < m_viewport.TopRow()) {
            const CellPosition cell = CaretCellAt(m_rememberedColumn, m_viewport.TopRow(), false);
            MoveCaret(cell.column, cell.row);
        }
    }
}

void CKespoEV::MovePage(bool up, bool freeCursor) {
    if (m_viewport.VerticalActive())
        OnVerticalScroll(up ? ScrollRequest::PageUp : ScrollRequest::PageDown);
    const long long row = static_cast<long long>(m_caretRow) +
                          (up ? -1LL : 1LL) * static_cast<long long>(m_viewport.VisibleRows());
    const auto target = static_cast<std::uint32_t>(std::clamp<long long>(row, 0, LastCaretRow()));
    const CellPosition cell = CaretCellAt(m_caretColumn, target, freeCursor);
    MoveCaret(cell.column, cell.row);
}

void CKespoEV::MoveHome(bool ctrl) {
    MoveCaret(0, ctrl ? 0 : m_caretRow);
}

void CKespoEV::MoveEnd(bool ctrl) {
    if (ctrl) {
        MoveCaretToOffset(m_document.TextLength());
        return;
    }
    MoveCaret(std::min(RowEndColumn(m_caretRow), Rules().charsPerLine), m_caretRow);
}

std::uint32_t CKespoEV::SelectionPointOfCaret() const {
    return m_selection.BoxMode() ? BoxPositionOf(m_caretColumn, m_caretRow) : CaretOffset();
}

bool CKespoEV::MoveKey(Key key, KeyModifiers modifiers) {
    if (modifiers.shift) {
        if (!m_selection.Started())
            m_selection.Begin(CaretOffset(), false);
    } else {
        CancelSelection();
    }
    const bool freeCursor = m_settings.freeCursor && !modifiers.shift;
    bool keepsColumn = false;
    switch (key) {
    case Key::Left:
        MoveLeft(freeCursor);
        break;
    case Key::Right:
        MoveRight(freeCursor);
        break;
    case Key::Up:
    case Key::Down:
        keepsColumn = true;
        if (modifiers.ctrl)
            ScrollOneRow(key == Key::Up);
        else if (key == Key::Up)
            MoveUp(freeCursor);
        else
            MoveDown(freeCursor);
        break;
    case Key::PageUp:
    case Key::PageDown:
        MovePage(key == Key::PageUp, freeCursor);
        break;
    case Key::Home:
        MoveHome(modifiers.ctrl);
        break;
    case Key::End:
        MoveEnd(modifiers.ctrl);
        break;
    default:
        return false;
    }
    if (!keepsColumn)
        RememberColumn();
    if (modifiers.shift)
        UpdateSelection(SelectionPointOfCaret());
    return true;
}

bool CKespoEV::OnKeyDown(Key key, KeyModifiers modifiers) {
    switch (key) {
    case Key::Escape:
        CancelSelection();
        return true;
    case Key::C:
        if (!modifiers.ctrl)
            return false;
        return OnCommand(modifiers.shift ? kCmdAppendCopy : kCmdCopy);
    case Key::Insert:
        return modifiers.ctrl && OnCommand(kCmdCopy);
    case Key::F2:
        return OnCommand(modifiers.ctrl    ? kCmdToggleMark
                         : modifiers.shift ? kCmdPreviousMark
                                           : kCmdNextMark);
    default:
        return MoveKey(key, modifiers);
    }
}

bool CKespoEV::IsCommandEnabled(int command) const {
    switch (command) {
    case kCmdCopy:
    case kCmdAppendCopy:
        return m_selection.Shown();
    case kCmdSelectAll:
    case kCmdToggleMark:
    case kCmdNextMark:
    case kCmdPreviousMark:
    case kCmdClearAllMarks:
        return true;
    default:
        return false;
    }
}

bool CKespoEV::OnCommand(int command) {
    if (!IsCommandEnabled(command))
        return false;
    switch (command) {
    case kCmdCopy:
        Copy();
        break;
    case kCmdAppendCopy:
        AppendCopy();
        break;
    case kCmdSelectAll:
        SelectAll();
        break;
    case kCmdToggleMark:
        ToggleMark();
        break;
    case kCmdNextMark:
        NextMark();
        break;
    case kCmdPreviousMark:
        PreviousMark();
        break;
    case kCmdClearAllMarks:
        ClearAllMarks();
        break;
    default:
        return false;
    }
    return true;
}

} // namespace nelvix
