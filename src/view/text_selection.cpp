// The selection of a text window: its rules, how it is shown and repainted, and copying it to
// the clipboard.
#include "view/text_selection.h"

#include <algorithm>
#include <cstdlib>

#include "ui/messages.h"
#include "view/text_window.h"

namespace nelvix {

std::uint32_t BoxPosition(std::uint32_t column, std::uint32_t row, std::uint32_t charsPerLine) {
    return row * (charsPerLine + 2) + column;
}

void TextSelection::Begin(std::uint32_t anchor, bool boxMode) {
    m_anchor = anchor;
    m_end = anchor;
    m_started = true;
    m_shown = false;
    m_boxMode = boxMode;
}

void TextSelection::MoveEnd(std::uint32_t end) {
    m_end = end;
    m_shown = m_started && end != m_anchor;
}

void TextSelection::FollowInsertion(std::uint32_t offset, std::uint32_t length) {
    if (!m_started || m_boxMode)
        return;
    const bool whole = std::min(m_anchor, m_end) >= offset;
    // The selection's far edge is exclusive: one that ends exactly at the insertion stays.
    const auto move = [&](std::uint32_t& at) {
        if (whole || at > offset)
            at += length;
    };
    move(m_anchor);
    move(m_end);
}

StreamRange TextSelection::Stream() const {
    return {std::min(m_anchor, m_end), std::max(m_anchor, m_end)};
}

BoxRect TextSelection::Box(std::uint32_t charsPerLine) const {
    const std::uint32_t pitch = charsPerLine + 2;
    const std::uint32_t anchorRow = m_anchor / pitch;
    const std::uint32_t endRow = m_end / pitch;
    const std::uint32_t anchorColumn = m_anchor % pitch;
    const std::uint32_t endColumn = m_end % pitch;
    return {std::min(anchorRow, endRow), std::max(anchorRow, endRow),
            std::min(anchorColumn, endColumn), std::max(anchorColumn, endColumn)};
}

namespace {

/// Room per row of a box's text beyond its cells: a tab's run and the line end.
constexpr std::uint32_t kBoxRowSlack = 10;

/// Each row's characters whose last cell lies inside the box (so a wide one across the left
/// edge is taken, one across the right edge is not), each row ending with a line end.
std::string BoxText(const RowCells& cells, const BoxRect& box) {
    const LayoutText& text = cells.text;
    const LayoutRules& rules = cells.rules;
    const RowTable& rows = cells.rows;
    const std::uint32_t tab = std::clamp(rules.tabColumns, kMinTabColumns, kMaxTabColumns);
    const std::uint32_t width = rules.charsPerLine + (rules.wordWrap ? 2 : 0);
    std::string out;
    out.reserve(static_cast<std::size_t>(box.lastRow - box.firstRow + 1) * (width + kBoxRowSlack));
    const bool emptyLastRow = text.length >= 2 && text.bytes[text.length - 2] == kCr &&
                              text.bytes[text.length - 1] == kLf;
    for (std::uint32_t row = box.firstRow; row <= box.lastRow; ++row) {
        if (row >= rows.Count() && !(row == rows.Count() && emptyLastRow))
            break;
        const std::size_t rowOut = out.size();
        const std::uint32_t rowEnd = row < rows.Count() ? cells.RowEndOffset(row) : text.length;
        std::uint32_t column = 0;
        for (std::uint32_t at = RowStart(text, rows, row); at < rowEnd && row < rows.Count();) {
            const Byte b = text.bytes[at];
            const std::uint32_t next = NextChar(text, at);
            const std::uint32_t cellCount = CharCells(b, column, tab);
            const bool taken = b == kCr ? column >= box.firstColumn && column < box.endColumn
                                        : column + cellCount > box.firstColumn &&
                                              column + cellCount <= box.endColumn;
            if (taken)
                out.append(reinterpret_cast<const char*>(text.bytes + at), next - at);
            column += cellCount;
            at = next;
        }
        const bool endsWithLineEnd =
            out.size() >= rowOut + 2 && out[out.size() - 2] == '\r' && out[out.size() - 1] == '\n';
        if (!endsWithLineEnd)
            out += "\r\n";
    }
    return out;
}

} // namespace

std::string SelectedText(const TextSelection& selection, const RowCells& cells) {
    if (!selection.Shown())
        return {};
    if (selection.BoxMode())
        return BoxText(cells, selection.Box(cells.rules.charsPerLine));
    const StreamRange range = selection.Stream();
    const std::uint32_t end = std::min(range.end, cells.text.length);
    if (range.first >= end)
        return {};
    return {reinterpret_cast<const char*>(cells.text.bytes) + range.first,
            reinterpret_cast<const char*>(cells.text.bytes) + end};
}

} // namespace nelvix

namespace nelvix {

std::optional<std::pair<std::uint32_t, std::uint32_t>> CKespoEV::StreamSelection() const {
    if (!m_selection.Shown() || m_selection.BoxMode())
        return std::nullopt;
    const StreamRange range = m_selection.Stream();
    return std::make_pair(range.first, range.end);
}

std::optional<BoxRect> CKespoEV::BoxSelection() const {
    if (!m_selection.Shown() || !m_selection.BoxMode())
        return std::nullopt;
    return m_selection.Box(Rules().charsPerLine);
}

std::uint32_t CKespoEV::BoxPositionOf(std::uint32_t column, std::uint32_t row) const {
    return BoxPosition(column, row, Rules().charsPerLine);
}

void CKespoEV::SetCaretShown(bool shown) {
    m_host.ShowCaretBar(shown);
}

void CKespoEV::InvalidateRows(std::uint32_t firstRow, std::uint32_t lastRow) {
    if (const std::optional<ui::PixelRect> rect = m_viewport.RowsRect(firstRow, lastRow))
        m_host.InvalidateRect(*rect);
}

void CKespoEV::InvalidateStream(std::uint32_t first, std::uint32_t end) {
    if (first >= end)
        return;
    const LayoutRules rules = Rules();
    InvalidateRows(RowOfOffset(Text(), rules, Rows(), first),
                   RowOfOffset(Text(), rules, Rows(), end));
}

void CKespoEV::InvalidateBox(const BoxRect& box) {
    InvalidateRows(box.firstRow, box.lastRow);
}

void CKespoEV::InvalidateSelection() {
    if (!m_selection.Shown())
        return;
    if (m_selection.BoxMode()) {
        InvalidateBox(m_selection.Box(Rules().charsPerLine));
        return;
    }
    const StreamRange range = m_selection.Stream();
    InvalidateStream(range.first, range.end);
}

void CKespoEV::UpdateSelection(std::uint32_t end) {
    if (!m_selection.Started())
        return;
    if (m_selection.BoxMode()) {
        InvalidateSelection();
        m_selection.MoveEnd(end);
        InvalidateSelection();
    } else {
        const std::uint32_t previous = m_selection.End();
        m_selection.MoveEnd(end);
        InvalidateStream(std::min(previous, end), std::max(previous, end));
    }
    SetCaretShown(!m_selection.Shown());
}

void CKespoEV::CancelSelection() {
    InvalidateSelection();
    if (m_selection.Dragging()) {
        // A drag cut short by a key or a find must not leave the timer ticking.
        m_host.StopDragTimer();
        m_host.CaptureMouse(false);
    }
    m_selection.Clear();
    SetCaretShown(true);
}

void CKespoEV::SelectRange(std::uint32_t first, std::uint32_t last) {
    CancelSelection();
    const LayoutText text = Text();
    if (text.length == 0 || first > last || first >= text.length)
        return;
    last = std::min(last, text.length - 1);
    // Either end may name the second byte of a double-byte character: the selection then
    // takes that whole character.
    const std::uint32_t row = RowOfOffset(text, Rules(), Rows(), first);
    for (std::uint32_t at = RowStart(text, Rows(), row); at < first;) {
        const std::uint32_t next = NextChar(text, at);
        if (next > first) {
            first = at;
            break;
        }
        at = next;
    }
    std::uint32_t end = first;
    while (end <= last)
        end = NextChar(text, end);
    m_selection.Begin(first, false);
    UpdateSelection(end);
    const CellPosition cell = CellOfOffset(text, Rules(), Rows(), end);
    m_caret.Place(cell.column, cell.row);
    ShowCaret();
}

void CKespoEV::SelectAll() {
    if (m_document.TextLength() == 0)
        return;
    SelectRange(0, m_document.LastCharOffset());
    m_host.InvalidateAll();
}

std::string CKespoEV::SelectionText() const {
    return SelectedText(m_selection, Cells());
}

void CKespoEV::PutOnClipboard(const std::string& text) {
    // The clipboard takes a block of its own; when that cannot be had, what it holds stays.
    void* block = m_platform.memory.Allocate(text.size() + 1);
    if (block == nullptr) {
        ui::ShowOutOfMemory(m_platform);
        return;
    }
    std::free(block);
    if (!m_platform.clipboard.ReplaceText(text))
        m_platform.beeper.Beep();
}

void CKespoEV::Copy() {
    if (!m_selection.Shown())
        return;
    PutOnClipboard(SelectionText());
}

void CKespoEV::AppendCopy() {
    if (!m_selection.Shown())
        return;
    std::string text = m_platform.clipboard.ReadText().value_or(std::string{});
    text.resize(std::min(text.size(), text.find('\0')));
    PutOnClipboard(text + SelectionText());
}

void CKespoEV::OnPaint(const ui::PixelRect& dirty) {
    Paint(dirty);
    InvertSelection(dirty);
}

void CKespoEV::InvertSelection(const ui::PixelRect& dirty) {
    if (!m_selection.Shown())
        return;
    const TextViewport& view = m_viewport;
    const auto invert = [&](std::uint32_t row, std::uint32_t firstColumn, std::uint32_t endColumn) {
        if (firstColumn >= endColumn)
            return;
        const PixelPoint from = CellToPixel(firstColumn, row);
        const PixelPoint to = CellToPixel(endColumn, row);
        const ui::PixelRect cells{std::max({from.x, dirty.left, view.LeftMargin()}),
                                  std::max(from.y, dirty.top), std::min(to.x, dirty.right),
                                  std::min(from.y + view.RowHeight(), dirty.bottom)};
        if (cells.left < cells.right && cells.top < cells.bottom)
            m_surface.InvertRect(cells);
    };
    const std::uint32_t lastVisible =
        std::min<std::uint32_t>(view.TopRow() + view.VisibleRows(), RowCount());
    if (m_selection.BoxMode()) {
        const BoxRect box = m_selection.Box(Rules().charsPerLine);
        for (std::uint32_t row = std::max(box.firstRow, view.TopRow());
             row <= std::min(box.lastRow, view.TopRow() + view.VisibleRows()); ++row)
            invert(row, box.firstColumn, box.endColumn);
        return;
    }
    const StreamRange range = m_selection.Stream();
    const RowCells cells = Cells();
    for (std::uint32_t row = view.TopRow(); row < lastVisible; ++row) {
        const std::uint32_t start = RowStart(cells.text, cells.rows, row);
        const std::uint32_t end = cells.RowEndOffset(row);
        if (range.end <= start || range.first >= end)
            continue;
        invert(row, cells.ColumnInRow(row, std::max(range.first, start)),
               cells.ColumnInRow(row, std::min(range.end, end)));
    }
}

void CKespoEV::RepaintRange(std::uint32_t first, std::uint32_t last) {
    const std::optional<std::pair<std::uint32_t, std::uint32_t>> stream = StreamSelection();
    if (!stream || last < stream->first || first >= stream->second) {
        PaintRange(first, last, false);
        return;
    }
    const LayoutText text = Text();
    const LayoutRules rules = Rules();
    if (first < stream->first)
        PaintRange(first, PrevChar(text, rules, Rows(), stream->first), false);
    PaintRange(std::max(first, stream->first),
               std::min(last, PrevChar(text, rules, Rows(), stream->second)), true);
    if (stream->second <= last)
        PaintRange(stream->second, last, false);
}

} // namespace nelvix
