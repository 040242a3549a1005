// CKespoEV: the keys: the caret keys move the TextCaret, scrolling to keep it in view, with Shift
// extending the selection; and the window's commands.
#include "view/text_window.h"

namespace nelvix {

namespace {

constexpr std::uint32_t kMinScrollLineCount = 1;
constexpr std::uint32_t kMaxScrollLineCount = 10;
constexpr std::uint32_t kDefaultScrollLineCount = 3;

} // namespace

void CKespoEV::SetCaretSettings(const CaretSettings& settings) {
    m_caretSettings = settings;
    if (settings.scrollLineCount < kMinScrollLineCount ||
        settings.scrollLineCount > kMaxScrollLineCount)
        m_caretSettings.scrollLineCount = kDefaultScrollLineCount;
}

std::uint32_t CKespoEV::CaretOffset() const {
    return m_caret.Offset(Cells());
}

void CKespoEV::MoveCaret(std::uint32_t column, std::uint32_t row) {
    PlaceCaret(column, row);
}

void CKespoEV::MoveCaretToOffset(std::uint32_t offset) {
    MoveCaret(Cells().CellOf(offset));
}

void CKespoEV::ScrollOneRow(bool up) {
    const TextViewport& view = m_viewport;
    if (!view.VerticalActive() || view.VisibleRows() == 0)
        return;
    if (up && view.TopRow() > 0) {
        ScrollTo(ScrollAxis::Vertical, view.TopRow() - 1);
        const std::uint32_t lastVisible = view.TopRow() + view.VisibleRows() - 1;
        if (m_caret.Row() > lastVisible)
            MoveCaret(m_caret.OnRow(Cells(), lastVisible));
    } else if (!up && view.TopRow() < view.VerticalMaximum()) {
        ScrollTo(ScrollAxis::Vertical, view.TopRow() + 1);
        if (m_caret.Row() < view.TopRow())
            MoveCaret(m_caret.OnRow(Cells(), view.TopRow()));
    }
}

void CKespoEV::MovePage(bool up, bool freeCursor) {
    if (m_viewport.VerticalActive())
        OnVerticalScroll(up ? ScrollRequest::PageUp : ScrollRequest::PageDown);
    MoveCaret(m_caret.Page(Cells(), up, m_viewport.VisibleRows(), freeCursor));
}

std::uint32_t CKespoEV::SelectionPointOfCaret() const {
    return m_selection.BoxMode() ? BoxPositionOf(m_caret.Column(), m_caret.Row()) : CaretOffset();
}

bool CKespoEV::MoveKey(Key key, KeyModifiers modifiers) {
    if (modifiers.shift) {
        if (!m_selection.Started())
            m_selection.Begin(CaretOffset(), false);
    } else {
        CancelSelection();
    }
    const bool freeCursor = m_settings.freeCursor && !modifiers.shift;
    const RowCells cells = Cells();
    const std::uint32_t lines = m_caretSettings.scrollLineCount;
    std::optional<CellPosition> target;
    bool keepsColumn = false;
    switch (key) {
    case Key::Left:
        target = m_caret.Left(cells, freeCursor);
        break;
    case Key::Right:
        target = m_caret.Right(cells, freeCursor);
        break;
    case Key::Up:
    case Key::Down:
        keepsColumn = true;
        if (modifiers.ctrl)
            ScrollOneRow(key == Key::Up);
        else if (key == Key::Up)
            target = m_caret.Up(cells, m_viewport.TopRow(), lines, freeCursor);
        else
            target = m_caret.Down(cells, m_viewport.TopRow(), m_viewport.VisibleRows(), lines,
                                  freeCursor);
        break;
    case Key::PageUp:
    case Key::PageDown:
        MovePage(key == Key::PageUp, freeCursor);
        break;
    case Key::Home:
        target = m_caret.Home(modifiers.ctrl);
        break;
    case Key::End:
        target = m_caret.End(cells, modifiers.ctrl);
        break;
    default:
        return false;
    }
    if (target)
        MoveCaret(*target);
    if (!keepsColumn)
        m_caret.RememberColumn();
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
