// The text window behind the find commands.
#include "view/text_window_find_target.h"

#include <algorithm>

namespace nelvix {
namespace {

/// The tag target line's value for the first line, which has no line end before it.
constexpr std::int64_t kFirstLineTarget = -2;

} // namespace

const Byte* TextWindowFindTarget::Text() const {
    return m_window.Text().bytes;
}

std::uint32_t TextWindowFindTarget::TextLength() const {
    return m_window.Text().length;
}

bool TextWindowFindTarget::CaretBeyondRowEnd() const {
    const CellOffset cell = OffsetOfCell(m_window.Text(), m_window.Rules(), m_window.Rows(),
                                         m_window.CaretColumn(), m_window.CaretRow(), true);
    return cell.overshoot > 0;
}

// The window gives the byte after the selection; the commands want the last character's start.
std::optional<std::pair<std::uint32_t, std::uint32_t>>
TextWindowFindTarget::StreamSelection() const {
    const auto selection = m_window.StreamSelection();
    if (!selection || selection->second <= selection->first)
        return std::nullopt;
    const std::uint32_t last =
        PrevChar(m_window.Text(), m_window.Rules(), m_window.Rows(), selection->second);
    return std::pair{selection->first, std::max(last, selection->first)};
}

void TextWindowFindTarget::SelectRange(std::uint32_t first, std::uint32_t last) {
    m_window.SelectRange(first, last);
}

void TextWindowFindTarget::CancelBoxSelection() {
    if (m_window.BoxSelection())
        m_window.CancelSelection();
}

std::optional<ByteRange> TextWindowFindTarget::SearchRange() const {
    // Text appended since the range was set cannot make it reach past the text, but a range
    // kept over a reload could.
    if (m_searchRange && m_searchRange->end > TextLength())
        return std::nullopt;
    return m_searchRange;
}

std::uint32_t TextWindowFindTarget::LineStartRow(std::uint32_t offset) const {
    const RowTable& rows = m_window.Rows();
    std::uint32_t row = RowOfOffset(m_window.Text(), m_window.Rules(), rows, offset);
    while (row > 0 && row < rows.Count() && !rows.BeginsLine(row))
        --row;
    return row;
}

bool TextWindowFindTarget::CaretInFoundLine() const {
    const std::int64_t target = m_window.TagTargetLine();
    if (target < kFirstLineTarget)
        return false;
    const std::uint32_t row = LineStartRow(CaretOffset());
    const std::uint32_t start = RowStart(m_window.Text(), m_window.Rows(), row);
    const std::int64_t lineEndBefore = start < 2 ? kFirstLineTarget : start - 2;
    return row < m_window.Rows().Count() && lineEndBefore == target;
}

void TextWindowFindTarget::SetFoundLine(std::uint32_t offset) {
    m_window.SetTagTargetLine(LineStartRow(offset));
}

void TextWindowFindTarget::ShowOffset(std::uint32_t offset) {
    const CellPosition cell =
        CellOfOffset(m_window.Text(), m_window.Rules(), m_window.Rows(), offset);
    if (cell.row < m_window.TopRow() || cell.row >= m_window.TopRow() + m_window.VisibleRows())
        m_window.ScrollToRow(cell.row, ScrollMode::Middle, false);
    m_window.PlaceCaret(cell.column, cell.row);
}

void TextWindowFindTarget::JumpToRow(std::uint32_t row) {
    m_window.ScrollToRow(row, ScrollMode::Middle, false);
    m_window.PlaceCaret(0, row);
}

} // namespace nelvix
