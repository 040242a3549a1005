// The layout rules over a text's bytes: where rows end, the row table and its incremental
// rebuild, and the mapping between byte offsets, rows and cells.
#include "render/row_layout.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstring>
#include <memory>

#include "ui/messages.h"

namespace nelvix {

namespace {

LayoutRules InRange(const LayoutRules& rules) {
    return {std::clamp(rules.charsPerLine, kMinCharsPerLine, kMaxCharsPerLine),
            std::clamp(rules.tabColumns, kMinTabColumns, kMaxTabColumns), rules.wordWrap};
}

std::uint32_t TabCells(std::uint32_t column, std::uint32_t tabColumns) {
    return tabColumns - column % tabColumns;
}

/// Cells of the character at `offset` when it starts at `column`; a line end takes none.
std::uint32_t CellsOf(const LayoutText& text, std::uint32_t offset, std::uint32_t column,
                      std::uint32_t tabColumns) {
    const Byte b = text.bytes[offset];
    if (b == '\t')
        return TabCells(column, tabColumns);
    if (b == kCr)
        return 0;
    return IsLeadByte(b) ? 2 : 1;
}

/// One cell and nothing more: neither a line end, a tab nor a lead byte.
constexpr std::array<bool, 256> kPlainBytes = [] {
    std::array<bool, 256> plain{};
    for (unsigned b = 0; b < plain.size(); ++b) {
        const auto byte = static_cast<Byte>(b);
        plain[b] = byte != kCr && byte != '\t' && !IsLeadByte(byte);
    }
    return plain;
}();

/// The end of the run of plain bytes from `from`, at most `limit`.
std::uint32_t PlainRunEnd(const Byte* bytes, std::uint32_t from, std::uint32_t limit) {
    while (from < limit && kPlainBytes[bytes[from]])
        ++from;
    return from;
}

/// The last offset among `before` and [from, to) whose byte is not a letter, or `found`.
std::optional<std::uint32_t> LastBreakCandidate(const Byte* bytes, std::uint32_t before,
                                                std::uint32_t from, std::uint32_t to,
                                                std::optional<std::uint32_t> found) {
    for (std::uint32_t i = to; i > from; --i)
        if (!IsAsciiAlpha(bytes[i - 1]))
            return i - 1;
    return IsAsciiAlpha(bytes[before]) ? found : before;
}

bool BeginsLine(const LayoutText& text, std::uint32_t offset) {
    return offset >= 2 && text.bytes[offset - 2] == kCr && text.bytes[offset - 1] == kLf;
}

bool EndsWithLineEnd(const LayoutText& text) {
    return BeginsLine(text, text.length);
}

/// Just after the first CR LF at or after `from`, or the text length.
std::uint32_t LineEndAfter(const LayoutText& text, std::uint32_t from) {
    const std::uint32_t n = text.length;
    if (from >= n)
        return n;
    const void* cr = std::memchr(text.bytes + from, kCr, n - from);
    if (cr == nullptr)
        return n;
    const auto at = static_cast<std::uint32_t>(static_cast<const Byte*>(cr) - text.bytes);
    return std::min(at + 2, n);
}

/// The pair of work tables that every window rebuilds into, so that the old rows survive
/// while the new ones are written; made once, on first use.
struct WorkTables {
    std::unique_ptr<std::uint32_t[]> starts = std::make_unique<std::uint32_t[]>(kMaxRows);
    std::unique_ptr<std::uint8_t[]> flags = std::make_unique<std::uint8_t[]>(kMaxRows);
};

WorkTables& SharedWorkTables() {
    static WorkTables tables;
    return tables;
}

/// The old row whose start is `oldStart`, searched from `fromRow`.
std::optional<std::uint32_t> OldRowStartingAt(const RowTable& rows, std::uint32_t fromRow,
                                              std::uint32_t oldStart) {
    const std::uint32_t* first = rows.Starts() + std::min(fromRow, rows.Count());
    const std::uint32_t* last = rows.Starts() + rows.Count();
    const std::uint32_t* found = std::lower_bound(first, last, oldStart);
    if (found == last || *found != oldStart)
        return std::nullopt;
    return static_cast<std::uint32_t>(found - rows.Starts());
}

bool HasBreakCandidate(const LayoutText& text, std::uint32_t from, std::uint32_t to) {
    for (std::uint32_t i = from; i < to; ++i)
        if (!IsAsciiAlpha(text.bytes[i]))
            return true;
    return false;
}

} // namespace

LayoutText LayoutTextOf(const CKespoDoc& document) {
    return {document.Text(), document.TextLength(), document.LastCharOffset()};
}

std::optional<std::uint32_t> NextRowStart(const LayoutText& text, const LayoutRules& rulesIn,
                                          std::uint32_t rowStart) {
    const LayoutRules rules = InRange(rulesIn);
    const std::uint32_t n = text.length;
    const std::uint32_t cpl = rules.charsPerLine;
    if (n == 0 || rowStart >= n)
        return std::nullopt;
    const Byte* bytes = text.bytes;
    std::uint32_t i = rowStart;
    std::uint32_t k = 0;
    std::uint32_t p = rowStart;
    std::optional<std::uint32_t> b;
    while (i < n) {
        // Most bytes take one cell and end nothing: a run of them is taken whole, as the steps
        // below would take them one by one.
        if (k < cpl && kPlainBytes[bytes[i]]) {
            const std::uint32_t end = PlainRunEnd(bytes, i + 1, std::min(n, i + (cpl - k)));
            if (rules.wordWrap)
                b = LastBreakCandidate(bytes, p, i, end - 1, b);
            k += end - i;
            p = end - 1;
            i = end;
            continue;
        }
        if (!IsAsciiAlpha(bytes[p]))
            b = p;
        const Byte c = bytes[i];
        if (c == kCr) {
            p = i;
            i += 2;
            break;
        }
        if (k == cpl)
            break;
        if (c == '\t') {
            k += TabCells(k, rules.tabColumns);
            p = i;
            i += 1;
        } else if (IsLeadByte(c)) {
            if (k + 1 >= cpl)
                break;
            p = i;
            i += 2;
            k += 2;
        } else {
            p = i;
            i += 1;
            k += 1;
        }
        if (k > cpl)
            break;
    }
    // A lead byte or a CR as the very last byte must not carry the row past the text.
    if (i >= n)
        return std::nullopt;
    if (!rules.wordWrap || !IsAsciiAlpha(bytes[i]) || !IsAsciiAlpha(bytes[p]) || !b)
        return i;
    return *b + (IsLeadByte(bytes[*b]) ? 2 : 1);
}

RebuildResult RebuildRows(ui::Platform& platform, const LayoutText& text, const LayoutRules& rules,
                          RowTable& rows, std::uint32_t insertOffset, std::uint32_t insertedLength,
                          std::uint32_t firstRow, std::uint32_t firstRowStart) {
    const std::uint32_t oldCount = rows.Count();
    const std::uint32_t n = text.length;
    RebuildResult result;
    if (n == 0) {
        rows.SetCount(0);
        result.rowCountChanged = oldCount != 0;
        return result;
    }
    assert(firstRow <= oldCount && "a rebuild starts at an existing row or just after the last");
    firstRow = std::min(firstRow, oldCount);

    // Behind the first line end after the insertion the old rows hold again, shifted.
    const std::uint32_t insertEnd = std::min(insertOffset + insertedLength, n);
    const std::uint32_t resume = LineEndAfter(text, insertEnd);
    std::optional<std::uint32_t> oldResumeRow;
    if (resume < n && oldCount < kMaxRows && resume >= insertedLength)
        oldResumeRow = OldRowStartingAt(rows, firstRow, resume - insertedLength);

    WorkTables& work = SharedWorkTables();
    const std::uint32_t room = firstRow < kMaxRows ? kMaxRows - firstRow : 0;
    std::uint32_t built = 0;
    bool tookOver = false;
    bool full = false;
    for (std::uint32_t start = firstRowStart; start < n;) {
        if (built == room) {
            full = true;
            break;
        }
        work.starts[built] = start;
        work.flags[built] = BeginsLine(text, start) ? 1 : 0;
        ++built;
        const std::optional<std::uint32_t> next = NextRowStart(text, rules, start);
        if (!next)
            break;
        if (oldResumeRow && *next == resume) {
            tookOver = true;
            break;
        }
        start = *next;
    }

    std::uint32_t newCount = firstRow + built;
    if (tookOver) {
        // The old rows move first: their place may be where the new rows go.
        const std::uint32_t tail = oldCount - *oldResumeRow;
        const std::uint32_t kept = std::min(tail, kMaxRows - newCount);
        full = full || kept < tail;
        std::memmove(rows.Starts() + newCount, rows.Starts() + *oldResumeRow,
                     kept * sizeof(std::uint32_t));
        std::memmove(rows.Flags() + newCount, rows.Flags() + *oldResumeRow, kept);
        for (std::uint32_t r = newCount; r < newCount + kept; ++r)
            rows.Starts()[r] += insertedLength;
        newCount += kept;
    }
    std::memcpy(rows.Starts() + firstRow, work.starts.get(), built * sizeof(std::uint32_t));
    std::memcpy(rows.Flags() + firstRow, work.flags.get(), built);
    rows.SetCount(newCount);

    if (full)
        ui::ShowMessage(platform, ui::kMsgTooManyRows);
    result.rowLimitReached = full;
    result.rowCountChanged = newCount != oldCount;
    result.changedUpTo = tookOver && *oldResumeRow == firstRow + built ? resume : n;
    return result;
}

std::uint32_t RebuildStartRow(const LayoutText& text, const LayoutRules& rulesIn,
                              const RowTable& rows, std::uint32_t insertOffset) {
    const LayoutRules rules = InRange(rulesIn);
    if (rows.Count() == 0)
        return 0;
    const std::uint32_t row = RowOfOffset(text, rules, rows, insertOffset);
    if (row == 0 || row >= rows.Count() || rows.BeginsLine(row))
        return row;
    const std::uint32_t start = rows.Start(row);
    // A character put at the start of a continuation row may still fit on the row before.
    if (insertOffset == start)
        return row - 1;
    if (!rules.wordWrap || HasBreakCandidate(text, start, insertOffset))
        return row;
    // The row before cut its last word over to this row; the word is changing.
    const std::uint32_t previousStart = rows.Start(row - 1);
    const bool previousHasCandidate = HasBreakCandidate(text, previousStart, start);
    const bool previousIsOneFullWord =
        !previousHasCandidate && start - previousStart == rules.charsPerLine;
    return previousHasCandidate && !previousIsOneFullWord ? row - 1 : row;
}

std::uint32_t RowOfOffset(const LayoutText& text, const LayoutRules& rulesIn, const RowTable& rows,
                          std::uint32_t offset) {
    if (rows.Count() == 0)
        return 0;
    const std::uint32_t n = text.length;
    const std::uint32_t last = rows.Count() - 1;
    offset = std::min(offset, n);
    if (rows.Count() >= kMaxRows && offset >= rows.Start(last))
        return last;
    if (offset == n && EndsWithLineEnd(text))
        return rows.Count();
    // No row holds more than CPL + 2 bytes, so a jump of (distance / (CPL + 2)) rows never
    // passes the row sought.
    const std::uint32_t rowBytes = InRange(rulesIn).charsPerLine + 2;
    std::uint32_t row = 0;
    if (n >= kBackwardSearchMinBytes && offset > n / 2) {
        row = last;
        while (rows.Start(row) > offset) {
            const std::uint32_t jump =
                std::max<std::uint32_t>(1, std::min((rows.Start(row) - offset) / rowBytes, row));
            row -= jump;
        }
    } else {
        while (row < last && rows.Start(row) <= offset && offset - rows.Start(row) > rowBytes)
            row = std::min(last, row + (offset - rows.Start(row)) / rowBytes);
    }
    while (row < last && rows.Start(row + 1) <= offset)
        ++row;
    while (row > 0 && rows.Start(row) > offset)
        --row;
    return row;
}

std::uint32_t RowStart(const LayoutText& text, const RowTable& rows, std::uint32_t row) {
    if (text.length == 0 || rows.Count() == 0)
        return 0;
    if (row < rows.Count())
        return rows.Start(row);
    return EndsWithLineEnd(text) ? text.length : rows.Start(rows.Count() - 1);
}

std::uint32_t RowLastChar(const LayoutText& text, const LayoutRules& rules, const RowTable& rows,
                          std::uint32_t row) {
    if (row + 1 < rows.Count())
        return PrevChar(text, rules, rows, rows.Start(row + 1));
    return text.lastCharOffset;
}

std::uint32_t NextChar(const LayoutText& text, std::uint32_t offset) {
    if (offset >= text.length)
        return text.length;
    const Byte b = text.bytes[offset];
    const std::uint32_t step = IsLeadByte(b) || b == kCr ? 2 : 1;
    return std::min(offset + step, text.length);
}

std::uint32_t PrevChar(const LayoutText& text, const LayoutRules& rules, const RowTable& rows,
                       std::uint32_t offset) {
    if (offset >= text.length)
        return text.lastCharOffset;
    if (offset == 0)
        return 0;
    std::uint32_t row = RowOfOffset(text, rules, rows, offset);
    // Walking starts at a character start that lies before the offset.
    if (row > 0 && RowStart(text, rows, row) >= offset)
        --row;
    std::uint32_t at = RowStart(text, rows, row);
    for (std::uint32_t next = NextChar(text, at); next < offset; next = NextChar(text, at))
        at = next;
    return at;
}

CellPosition CellOfOffset(const LayoutText& text, const LayoutRules& rulesIn, const RowTable& rows,
                          std::uint32_t offset, std::uint32_t extraCells) {
    const LayoutRules rules = InRange(rulesIn);
    CellPosition cell;
    offset = std::min(offset, text.length);
    cell.row = RowOfOffset(text, rules, rows, offset);
    std::uint32_t column = 0;
    for (std::uint32_t at = RowStart(text, rows, cell.row); at < offset; at = NextChar(text, at))
        column += CellsOf(text, at, column, rules.tabColumns);
    cell.column = std::min(column + extraCells, rules.charsPerLine);
    if (cell.row + 1 < rows.Count())
        cell.nextRowStart = rows.Start(cell.row + 1);
    return cell;
}

CellOffset OffsetOfCell(const LayoutText& text, const LayoutRules& rulesIn, const RowTable& rows,
                        std::uint32_t column, std::uint32_t row, bool freeCursor) {
    const LayoutRules rules = InRange(rulesIn);
    column = std::min(column, rules.charsPerLine);
    row = std::min(row, rows.Count());
    if (text.length == 0)
        return {};
    const std::uint32_t start = RowStart(text, rows, row);
    if (start >= text.length)
        return {text.length, 0};
    const std::uint32_t lastChar = RowLastChar(text, rules, rows, row);
    std::uint32_t cells = 0;
    std::uint32_t at = start;
    while (cells < column && at < text.length) {
        const std::uint32_t width = CellsOf(text, at, cells, rules.tabColumns);
        if (at >= lastChar && (text.bytes[at] == kCr || cells + width < column)) {
            const std::uint32_t overshoot = freeCursor ? column - cells : width;
            return {at, overshoot};
        }
        cells += width;
        at = NextChar(text, at);
    }
    return {at, 0};
}

std::vector<std::uint32_t> BuildLineTable(const RowTable& rows) {
    std::vector<std::uint32_t> lineStarts;
    for (std::uint32_t row = 0; row < rows.Count(); ++row)
        if (row == 0 || rows.BeginsLine(row))
            lineStarts.push_back(rows.Start(row));
    return lineStarts;
}

std::uint32_t DisplayNumberOfRow(const CKespoDoc& document, std::uint32_t row, int numberingMode) {
    return (numberingMode == 1 ? document.LineOfRow(row) : row) + 1;
}

std::optional<std::uint32_t> RowOfTypedNumber(const CKespoDoc& document, std::uint32_t number,
                                              int numberingMode) {
    if (number == 0 || document.Rows().Count() == 0)
        return std::nullopt;
    const std::uint32_t index = number - 1;
    if (numberingMode != 1)
        return index < document.Rows().Count() ? std::optional(index) : std::nullopt;
    if (index > document.LineOfRow(document.Rows().Count() - 1u))
        return std::nullopt;
    return document.RowOfLine(index);
}

} // namespace nelvix
