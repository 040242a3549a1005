// CKespoEV: marked lines: setting and clearing the mark of the caret's line, jumping to the
// next or previous marked line, and clearing them all.
#include <algorithm>

#include "ui/platform.h"
#include "view/text_window.h"

namespace nelvix {

namespace {

/// A mark is the CR before its line (kFirstLineMark for the first line, which wraps to 0 here).
std::uint32_t LineStartOfMark(std::uint32_t mark) {
    return mark + 2u;
}

} // namespace

std::uint32_t CKespoEV::RowOfMark(std::uint32_t mark) const {
    return RowOfOffset(Text(), Rules(), Rows(), LineStartOfMark(mark));
}

void CKespoEV::MarkDocumentModifiedForMarks() {
    if (m_document.Format().keepLineMarks)
        m_document.SetModified(true);
}

void CKespoEV::ToggleMark() {
    const LayoutText text = Text();
    if (text.length == 0)
        return;
    if (m_selection.Shown()) {
        m_platform.beeper.Beep();
        return;
    }
    const std::uint32_t row = m_caret.Row();
    if (row >= RowCount())
        return;
    std::vector<std::uint32_t>& marks = m_document.LineMarks();
    const auto marked = std::find_if(marks.begin(), marks.end(),
                                     [&](std::uint32_t mark) { return RowOfMark(mark) == row; });
    if (marked != marks.end()) {
        marks.erase(marked);
    } else {
        std::uint32_t mark = kFirstLineMark;
        if (row > 0) {
            mark = RowLastChar(text, Rules(), Rows(), row - 1);
            // Only a row that begins a line can carry a mark.
            if (text.bytes[mark] != kCr) {
                m_platform.beeper.Beep();
                return;
            }
        }
        if (marks.size() >= kMaxMarks) {
            m_platform.beeper.Beep();
            return;
        }
        const auto at = std::upper_bound(marks.begin(), marks.end(), mark,
                                         [](std::uint32_t a, std::uint32_t b) {
                                             return LineStartOfMark(a) < LineStartOfMark(b);
                                         });
        marks.insert(at, mark);
    }
    MarkDocumentModifiedForMarks();
    InvalidateRows(row, row);
}

void CKespoEV::JumpToMarkRow(std::uint32_t row) {
    CancelSelection();
    BringRangeIntoView(row, 0, 0);
    MoveCaret(0, row);
    m_caret.RememberColumn();
}

void CKespoEV::JumpToMark(bool down) {
    const std::vector<std::uint32_t>& marks = m_document.LineMarks();
    if (marks.empty()) {
        m_platform.beeper.Beep();
        return;
    }
    // The marks are in text order: going down the first beyond the caret is the nearest, going
    // up the last before it.
    std::optional<std::uint32_t> target;
    for (const std::uint32_t mark : marks) {
        const std::uint32_t row = RowOfMark(mark);
        if (down ? row > m_caret.Row() : row < m_caret.Row()) {
            target = row;
            if (down)
                break;
        }
    }
    JumpToMarkRow(target.value_or(RowOfMark(down ? marks.front() : marks.back())));
}

void CKespoEV::NextMark() {
    JumpToMark(true);
}

void CKespoEV::PreviousMark() {
    JumpToMark(false);
}

void CKespoEV::ClearAllMarks() {
    std::vector<std::uint32_t>& marks = m_document.LineMarks();
    if (marks.empty())
        return;
    MarkDocumentModifiedForMarks();
    if (m_selection.Shown()) {
        m_host.InvalidateAll();
    } else {
        for (const std::uint32_t mark : marks) {
            const std::uint32_t row = RowOfMark(mark);
            InvalidateRows(row, row);
        }
    }
    marks.clear();
}

} // namespace nelvix
