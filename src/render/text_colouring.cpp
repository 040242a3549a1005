// Colour codes of a painted range and the runs a row is drawn in.
#include "render/text_colouring.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "render/comment_tables.h"

namespace nelvix {

namespace {

constexpr Byte kTab = 0x09;
constexpr Byte kFirstPrintable = 0x20;
constexpr ColourCode kCodeMask = 0x7FFF;

bool IsAsciiAlnum(Byte b) {
    return IsAsciiAlpha(b) || IsAsciiDigit(b);
}

ColourCode ForegroundCode(std::int32_t word) {
    return static_cast<ColourCode>(word & kCodeMask);
}
ColourCode BackgroundCode(std::int32_t word) {
    return static_cast<ColourCode>((word & kCodeMask) | kBackgroundFlag);
}
ui::Colour Palette(std::int32_t wordOrCode) {
    return ui::StandardPaletteColor(wordOrCode & kCodeMask);
}

/// A character boundary at or before `offset`: the start of its row (row starts never cut a
/// character), or 0 without a row table.
std::uint32_t AnchorBefore(const TextPaintInput& input, std::uint32_t offset) {
    const auto row = RowOfOffset(input, offset);
    return row ? std::min(input.rowStarts[*row], offset) : 0;
}

std::uint32_t CharLength(const Byte* text, std::uint32_t length, std::uint32_t offset) {
    if ((IsLeadByte(text[offset]) || text[offset] == kCr) && offset + 1 < length)
        return 2;
    return 1;
}

/// One keyword list bucketed by first byte, so that a walk tries only the keywords that can
/// start at a byte. Lives on the stack for one colouring.
class KeywordIndex {
public:
    explicit KeywordIndex(std::span<const std::string> keywords) {
        m_count = std::min(keywords.size(), kMaxKeywordsPerList);
        m_keywords = keywords.first(m_count);
        std::array<std::uint16_t, 257> fill{};
        for (const std::string& keyword : m_keywords)
            if (!keyword.empty())
                ++fill[static_cast<Byte>(keyword[0]) + 1u];
        for (std::size_t b = 1; b < fill.size(); ++b)
            fill[b] = static_cast<std::uint16_t>(fill[b] + fill[b - 1]);
        m_bucketStart = fill;
        for (std::size_t i = 0; i < m_count; ++i) {
            if (m_keywords[i].empty())
                continue;
            const Byte b = static_cast<Byte>(m_keywords[i][0]);
            m_order[fill[b]++] = static_cast<std::uint16_t>(i);
            m_longest = std::max(m_longest, static_cast<std::uint32_t>(m_keywords[i].size()));
        }
    }
    std::span<const std::uint16_t> StartingWith(Byte b) const {
        return {m_order.data() + m_bucketStart[b],
                static_cast<std::size_t>(m_bucketStart[b + 1u] - m_bucketStart[b])};
    }
    const std::string& Keyword(std::size_t i) const { return m_keywords[i]; }
    std::uint32_t Longest() const { return m_longest; }

private:
    std::span<const std::string> m_keywords;
    std::size_t m_count = 0;
    std::array<std::uint16_t, 257> m_bucketStart{};
    std::array<std::uint16_t, kMaxKeywordsPerList> m_order{};
    std::uint32_t m_longest = 0;
};

bool MatchesAt(const Byte* text, std::uint32_t length, std::uint32_t offset,
               const std::string& keyword) {
    return keyword.size() <= length - offset &&
           std::memcmp(text + offset, keyword.data(), keyword.size()) == 0;
}

/// The bytes being coloured and the character boundary the keyword walks start from.
struct RangeColouring {
    const TextPaintInput& input;
    std::uint32_t first;
    std::uint32_t end;
    std::span<ColourCode> codes;
    std::uint32_t walkStart;
    std::uint32_t walkPrev; ///< start of the character before walkStart, if walkStart > 0

    void Paint(std::uint32_t from, std::uint32_t to, ColourCode code) {
        for (std::uint32_t at = std::max(from, first); at < std::min(to, end); ++at)
            codes[at - first] = code;
    }
};

/// Colours every occurrence of each keyword that overlaps the range. Each keyword's search
/// goes on after its occurrence, whether that was coloured or skipped for want of delimiters.
void ColourKeywords(RangeColouring& range, std::span<const std::string> keywords, bool delimited,
                    ColourCode code) {
    const KeywordIndex index(keywords);
    if (index.Longest() == 0)
        return;
    const Byte* text = range.input.text;
    const std::uint32_t length = range.input.textLength;
    std::array<std::uint32_t, kMaxKeywordsPerList> nextAllowed{};
    std::uint32_t prev = range.walkPrev;
    for (std::uint32_t at = range.walkStart; at < range.end;) {
        for (const std::uint16_t k : index.StartingWith(text[at])) {
            const std::string& keyword = index.Keyword(k);
            if (at < nextAllowed[k] || !MatchesAt(text, length, at, keyword))
                continue;
            const auto after = static_cast<std::uint32_t>(at + keyword.size());
            nextAllowed[k] = after;
            if (after <= range.first)
                continue;
            if (delimited) {
                const bool before = at == 0 || !IsAsciiAlnum(text[prev]);
                if (!before || (after < length && IsAsciiAlnum(text[after])))
                    continue;
            }
            range.Paint(at, after, code);
        }
        prev = at;
        at += CharLength(text, length, at);
    }
}

void ColourMarkedStrings(RangeColouring& range) {
    const TextPaintInput& input = range.input;
    const ColourCode code = BackgroundCode(input.colours.markedTextBackground);
    for (const StringMark& mark : input.stringMarks) {
        if (mark.length == 0 || mark.length != mark.text.size() || mark.offset >= range.end ||
            mark.offset + std::uint64_t{mark.length} <= range.first ||
            mark.length > input.textLength - std::min(mark.offset, input.textLength))
            continue;
        if (std::memcmp(input.text + mark.offset, mark.text.data(), mark.length) == 0)
            range.Paint(mark.offset, mark.offset + mark.length, code);
    }
}

/// Comments colour what no background role claimed.
void PaintComment(RangeColouring& range, std::uint32_t from, std::uint32_t to, ColourCode code) {
    for (std::uint32_t at = std::max(from, range.first); at < std::min(to, range.end); ++at) {
        ColourCode& slot = range.codes[at - range.first];
        if ((slot & kBackgroundFlag) == 0)
            slot = code;
    }
}

/// The offset just past the LF of the first CR LF at or after `from`, or `limit` without one.
std::uint32_t PastLineEnd(const Byte* text, std::uint32_t length, std::uint32_t from,
                          std::uint32_t limit) {
    for (std::uint32_t at = from; at < limit; ++at)
        if (text[at] == kCr && at + 1 < length && text[at + 1] == kLf)
            return at + 2;
    return limit;
}

void ColourComments(RangeColouring& range) {
    const TextPaintInput& input = range.input;
    const ColourCode code = ForegroundCode(input.colours.comment);
    if (input.colorAreaComment && input.commentTables != nullptr) {
        BlockCommentWalk walk(*input.commentTables, input.text, input.textLength);
        while (const auto comment = walk.Next()) {
            if (comment->start >= range.end)
                break;
            PaintComment(range, comment->start, comment->end, code);
        }
    }
    const Byte* text = input.text;
    std::uint32_t at = range.first;
    if (LineCommentProbe(text, input.textLength).Before(range.first)) {
        at = PastLineEnd(text, input.textLength, range.first, range.end);
        PaintComment(range, range.first, at, code);
    }
    for (; at < range.end; ++at) {
        if (text[at] != '/' || at + 1 >= input.textLength || text[at + 1] != '/')
            continue;
        const std::uint32_t past = PastLineEnd(text, input.textLength, at + 2, range.end);
        PaintComment(range, at, past, code);
        at = past - 1;
    }
}

std::uint32_t LongestKeyword(const KeywordLists& keywords) {
    std::size_t longest = 0;
    for (const auto list : {keywords.user, keywords.c, keywords.cpp})
        for (const std::string& keyword : list.first(std::min(list.size(), kMaxKeywordsPerList)))
            longest = std::max(longest, keyword.size());
    return static_cast<std::uint32_t>(std::min<std::size_t>(longest, kMaxPaintBytes));
}

} // namespace

bool ColourRange(const TextPaintInput& input, std::uint32_t first, std::uint32_t end,
                 std::span<ColourCode> codes) {
    if (input.text == nullptr || first >= end || end > input.textLength ||
        end - first > codes.size())
        return false;
    std::fill_n(codes.begin(), end - first, ColourCode{0});

    // Keywords that begin before the range but reach into it are found from a character
    // boundary far enough back.
    const std::uint32_t lookBack = LongestKeyword(input.keywords);
    const std::uint32_t walkStart = AnchorBefore(input, first - std::min(first, lookBack));
    const std::uint32_t walkPrev = static_cast<std::uint32_t>(PrevCharOffset(
        input.text, walkStart > 0 ? AnchorBefore(input, walkStart - 1) : 0, walkStart));
    RangeColouring range{input, first, end, codes, walkStart, walkPrev};

    const DisplayColours& colours = input.colours;
    ColourKeywords(range, input.keywords.user, input.userKeyWordWithDelimiter,
                   ForegroundCode(colours.userKeyword));
    if (input.IsCDocument())
        ColourKeywords(range, input.keywords.c, true, ForegroundCode(colours.cKeyword));
    if (input.documentType == DocumentType::Cpp)
        ColourKeywords(range, input.keywords.cpp, true, ForegroundCode(colours.cppKeyword));
    ColourMarkedStrings(range);
    if (input.IsCDocument())
        ColourComments(range);
    return true;
}

RowHighlight HighlightOfRow(const TextPaintInput& input, std::int64_t tagTargetLine,
                            std::uint32_t row) {
    if (row >= input.rowCount)
        return RowHighlight::None;
    const std::int64_t start = input.rowStarts[row];
    const std::int64_t end = RowEnd(input, row);
    const auto holdsLineStart = [&](std::int64_t lineEndBefore) {
        return lineEndBefore + 2 >= start && lineEndBefore + 2 < end;
    };
    if (tagTargetLine >= -2 && tagTargetLine != -1 && holdsLineStart(tagTargetLine))
        return RowHighlight::TagTarget;
    for (const std::uint32_t mark : input.lineMarks) {
        const std::int64_t before = mark == kFirstLineMark ? -2 : std::int64_t{mark};
        if (holdsLineStart(before))
            return RowHighlight::MarkedLine;
    }
    return RowHighlight::None;
}

namespace {

void SetRunColours(const TextPaintInput& input, const RowColouring& colouring, ColourRun& run) {
    const DisplayColours& colours = input.colours;
    ui::Colour foreground = Palette(colours.text);
    ui::Colour background = Palette(colours.textBackground);
    if (colouring.highlight == RowHighlight::TagTarget)
        background = Palette(colours.tagTargetBackground);
    else if (colouring.highlight == RowHighlight::MarkedLine)
        background = Palette(colours.markLineBackground);
    else if ((run.code & kBackgroundFlag) != 0)
        background = Palette(run.code);
    else if (run.code != 0)
        foreground = Palette(run.code);
    if (colouring.swap)
        std::swap(foreground, background);
    run.foreground = foreground;
    run.background = background;
}

/// Cells of the character at `offset` when it starts at `column`.
int CellsOf(const TextPaintInput& input, std::uint32_t offset, std::uint32_t charLength,
            int column) {
    if (input.text[offset] == kTab) {
        const int tabColumns = std::max(input.tabColumns, 1);
        return tabColumns - column % tabColumns;
    }
    return static_cast<int>(charLength);
}

} // namespace

void AdvanceCursor(const TextPaintInput& input, RunCursor& cursor, std::uint32_t offset) {
    offset = std::min(offset, input.textLength);
    while (cursor.offset < offset) {
        const std::uint32_t charLength = CharLength(input.text, input.textLength, cursor.offset);
        cursor.column += CellsOf(input, cursor.offset, charLength, cursor.column);
        cursor.offset += charLength;
    }
}

std::size_t CutRuns(const TextPaintInput& input, const RowColouring& colouring, RunCursor& cursor,
                    std::uint32_t end, std::span<ColourRun> runs) {
    const Byte* text = input.text;
    const std::uint32_t codesEnd =
        colouring.codesFirst + static_cast<std::uint32_t>(colouring.codes.size());
    end = std::min({end, codesEnd, input.textLength});
    if (cursor.offset < colouring.codesFirst)
        return 0;
    std::size_t count = 0;
    while (cursor.offset < end && count < runs.size()) {
        ColourRun& run = runs[count++];
        run = ColourRun{};
        run.offset = cursor.offset;
        run.column = cursor.column;
        run.code = colouring.codes[cursor.offset - colouring.codesFirst];
        const Byte lead = text[cursor.offset];
        std::uint32_t bytes = 0;
        int cells = 0;
        if (lead < kFirstPrintable) {
            // A control character is drawn alone: a line end, a tab, or a lone byte.
            bytes = std::min(CharLength(text, end, cursor.offset), end - cursor.offset);
            cells = CellsOf(input, cursor.offset, bytes, cursor.column);
            run.kind = lead == kTab                ? RunKind::Tab
                       : lead == kCr && bytes == 2 ? RunKind::LineEnd
                                                   : RunKind::Control;
        } else {
            while (cursor.offset + bytes < end) {
                const std::uint32_t at = cursor.offset + bytes;
                if (text[at] == kTab || text[at] == kCr ||
                    colouring.codes[at - colouring.codesFirst] != run.code)
                    break;
                const std::uint32_t charLength = std::min(CharLength(text, end, at), end - at);
                if (bytes + charLength > kMaxRunBytes)
                    break;
                bytes += charLength;
                cells += static_cast<int>(charLength);
            }
        }
        run.length = static_cast<std::uint16_t>(bytes);
        run.cells = static_cast<std::uint16_t>(cells);
        SetRunColours(input, colouring, run);
        cursor.offset += bytes;
        cursor.column += cells;
    }
    return count;
}

std::uint32_t RepaintStart(const TextPaintInput& input, std::uint32_t offset) {
    const Byte* text = input.text;
    const std::uint32_t length = input.textLength;
    if (text == nullptr || offset > length)
        return offset;
    std::uint32_t start = offset;
    const std::uint32_t from = offset - std::min(offset, kRepaintLookBack);
    const auto earliestReaching = [&](std::span<const std::string> keywords) {
        for (const std::string& keyword :
             keywords.first(std::min(keywords.size(), kMaxKeywordsPerList))) {
            if (keyword.empty())
                continue;
            for (std::uint32_t at = from; at < start; ++at)
                if (at + keyword.size() >= offset && MatchesAt(text, length, at, keyword)) {
                    start = at;
                    break;
                }
        }
    };
    // Every list is asked, not only the first with a hit: a C keyword may begin before a user
    // keyword that also reaches the insertion.
    earliestReaching(input.keywords.user);
    if (input.IsCDocument())
        earliestReaching(input.keywords.c);
    if (input.documentType == DocumentType::Cpp)
        earliestReaching(input.keywords.cpp);
    if (start < offset && start > 0 && !IsCharBoundary(text, AnchorBefore(input, start), start))
        --start;

    for (const StringMark& mark : input.stringMarks)
        if (mark.offset < start && start < mark.offset + std::uint64_t{mark.length})
            start = mark.offset;

    if (input.IsCDocument() && start > 0 && start < length) {
        const Byte before = text[start - 1];
        const Byte at = text[start];
        const bool slashes = before == '/' && at == '/';
        const bool pair = (before == '/' && at == '*') || (before == '*' && at == '/');
        if (slashes || (input.colorAreaComment && pair))
            --start;
    }
    return start;
}

} // namespace nelvix
