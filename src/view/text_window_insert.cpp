// CKespoEV: inserting bytes into the text, as the engines append result lines: the rows, the
// selection, the marks, the tag target line and the comment tables follow the new bytes.
#include <algorithm>
#include <cstring>

#include "render/text_colouring.h"
#include "ui/messages.h"
#include "view/text_window.h"

namespace nelvix {

namespace {

/// Where a line-end offset (-2 for the first line) goes when `length` bytes are inserted at
/// `offset`: along with the text at or after it; a line starting at the insertion moves down
/// when a lone CR LF is inserted in front of it.
std::int64_t MovedLineEnd(std::int64_t lineEnd, std::uint32_t offset, std::uint32_t length,
                          bool lineEndOnly) {
    if (lineEnd >= offset)
        return lineEnd + length;
    if (lineEndOnly && lineEnd == static_cast<std::int64_t>(offset) - 2)
        return lineEnd + 2;
    return lineEnd;
}

bool IsLoneLineEnd(const Byte* bytes, std::size_t length) {
    return length == 2 && bytes[0] == kCr && bytes[1] == kLf;
}

} // namespace

bool CKespoEV::InsertText(std::uint32_t offset, const Byte* bytes, std::size_t length,
                          bool redraw) {
    const std::uint32_t oldLength = m_document.TextLength();
    if (length == 0 || bytes == nullptr)
        return true;
    const auto refuse = [this](bool outOfMemory) {
        m_document.NoteAppendLimitReached();
        if (outOfMemory)
            ui::ShowOutOfMemory(m_platform);
        else
            ui::ShowMessage(m_platform, ui::kMsgTextTooLong);
        return false;
    };
    // Checked before the sum is formed, so that no length wraps around 32 bits.
    if (length >= kMaxTextBytes - oldLength)
        return refuse(false);
    const auto inserted = static_cast<std::uint32_t>(length);
    switch (m_document.GrowText(oldLength + inserted)) {
    case GrowResult::TooLarge:
        return refuse(false);
    case GrowResult::OutOfMemory:
        return refuse(true);
    case GrowResult::Grown:
        m_document.UpdateAllViews(UpdateHint::TextMoved);
        break;
    case GrowResult::Fits:
        break;
    }
    offset = std::min(offset, oldLength);

    const LayoutRules rules = Rules();
    RowTable& rows = m_document.Rows();
    const LayoutText oldText{m_document.Text(), oldLength, m_document.LastCharOffset()};
    const std::uint32_t firstRow = RebuildStartRow(oldText, rules, rows, offset);
    const std::uint32_t firstStart = RowStart(oldText, rows, firstRow);
    const std::uint32_t repaintBefore = RepaintStart(PaintInput(), firstStart);

    Byte* text = m_document.MutableText();
    std::memmove(text + offset + inserted, text + offset, oldLength - offset);
    std::memcpy(text + offset, bytes, inserted);
    m_document.SetTextLength(oldLength + inserted);
    m_knownLength = m_document.TextLength();
    m_selection.FollowInsertion(offset, inserted);

    const LayoutText newText = Text();
    const RebuildResult result =
        RebuildRows(m_platform, newText, rules, rows, offset, inserted, firstRow, firstStart);
    if (result.rowLimitReached)
        m_document.NoteAppendLimitReached();
    MoveMarksAfterInsertion(offset, inserted, IsLoneLineEnd(bytes, length));

    bool touchesComment = false;
    if (KeepsCommentTables()) {
        m_comments.UpdateCommentTables(m_platform, newText.bytes, newText.length, offset, inserted);
        const std::uint32_t lastVisibleRow =
            std::min<std::uint32_t>(m_viewport.TopRow() + m_viewport.VisibleRows(), RowCount() - 1);
        touchesComment = TouchesComment(newText.bytes, newText.length, offset, inserted,
                                        RowLastChar(newText, rules, rows, lastVisibleRow));
    }
    if (result.rowCountChanged)
        UpdateScrollRanges();
    if (!redraw)
        return true;
    const std::uint32_t repaintAfter = RepaintStart(PaintInput(), firstStart);
    RepaintInsertion(std::min(repaintBefore, repaintAfter),
                     touchesComment ? newText.length : result.changedUpTo);
    MoveCaretToOffset(offset + inserted);
    m_caret.RememberColumn();
    return true;
}

void CKespoEV::MoveMarksAfterInsertion(std::uint32_t offset, std::uint32_t length,
                                       bool lineEndOnly) {
    for (std::uint32_t& mark : m_document.LineMarks()) {
        const std::int64_t lineEnd = mark == kFirstLineMark ? -2 : std::int64_t{mark};
        const std::int64_t moved = MovedLineEnd(lineEnd, offset, length, lineEndOnly);
        mark = moved == -2 ? kFirstLineMark : static_cast<std::uint32_t>(moved);
    }
    std::vector<StringMark>& strings = m_document.StringMarks();
    // A marked string that the insertion cuts in two is no longer the string that was marked.
    std::erase_if(strings, [&](const StringMark& mark) {
        return mark.offset < offset && offset < mark.offset + mark.length;
    });
    for (StringMark& mark : strings)
        if (mark.offset >= offset)
            mark.offset += length;
    MoveTagTargetLine(offset, length, lineEndOnly);
}

void CKespoEV::MoveTagTargetLine(std::uint32_t offset, std::uint32_t length, bool lineEndOnly) {
    const std::int64_t tagLine = m_painter->TagTargetLine();
    if (tagLine != kNoTagTargetLine)
        m_painter->MoveTagTargetLine(MovedLineEnd(tagLine, offset, length, lineEndOnly));
}

void CKespoEV::RepaintInsertion(std::uint32_t fromOffset, std::uint32_t toOffset) {
    const LayoutText text = Text();
    const LayoutRules rules = Rules();
    const std::uint32_t bottom = m_viewport.TopRow() + m_viewport.VisibleRows();
    const std::uint32_t lastRow =
        toOffset >= text.length ? bottom : RowOfOffset(text, rules, Rows(), toOffset);
    InvalidateRows(RowOfOffset(text, rules, Rows(), fromOffset), lastRow);
}

void CKespoEV::FollowInsertion(std::uint32_t offset, std::uint32_t length, bool lineEndOnly,
                               bool repaint) {
    m_knownLength = m_document.TextLength();
    m_selection.FollowInsertion(offset, length);
    MoveTagTargetLine(offset, length, lineEndOnly);
    if (KeepsCommentTables())
        m_comments.UpdateCommentTables(m_platform, m_document.Text(), m_document.TextLength(),
                                       offset, length);
    UpdateScrollRanges();
    if (repaint)
        RepaintToEnd(offset);
}

void CKespoEV::RepaintToEnd(std::uint32_t offset) {
    const LayoutText text = Text();
    const std::uint32_t rowStart =
        RowStart(text, Rows(), RowOfOffset(text, Rules(), Rows(), std::min(offset, text.length)));
    RepaintInsertion(std::min(rowStart, RepaintStart(PaintInput(), rowStart)), text.length);
}

void CKespoEV::ShowAppended(std::uint32_t offset) {
    RepaintToEnd(offset);
    if (m_document.FirstView() != this)
        return;
    MoveCaretToOffset(m_document.TextLength());
    m_caret.RememberColumn();
}

void CKespoEV::OnAppend(const Byte* bytes, std::size_t length, bool repaint) {
    // The text and its rows belong to the document: the first view inserts and lays out, the
    // others only follow with their own selection, comment tables, scroll ranges and image.
    if (m_document.FirstView() == this) {
        InsertText(m_document.TextLength(), bytes, length, repaint);
        return;
    }
    // When the first view could not insert, the text did not grow by `length`; there is
    // nothing to follow.
    const std::uint32_t now = m_document.TextLength();
    if (now < m_knownLength || now - m_knownLength != length) {
        m_knownLength = now;
        return;
    }
    FollowInsertion(now - static_cast<std::uint32_t>(length), static_cast<std::uint32_t>(length),
                    IsLoneLineEnd(bytes, length), repaint);
}

} // namespace nelvix
