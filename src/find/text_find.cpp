// Find in one text.
#include "find/text_find.h"

#include <algorithm>

#include "pattern/find_pattern.h"
#include "search/result_line.h"
#include "ui/platform.h"

namespace nelvix {

namespace {

/// The offset after the character at `offset`; a CR LF is one step.
std::uint32_t CharEnd(const Byte* text, std::uint32_t length, std::uint32_t offset) {
    if (offset >= length)
        return length;
    const bool crLf = text[offset] == kCr && offset + 1 < length && text[offset + 1] == kLf;
    const bool twoBytes = IsLeadByte(text[offset]) || crLf;
    return std::min(length, offset + (twoBytes ? 2u : 1u));
}

/// The start of the character that holds `offset`, walking from `from`, a character start.
std::uint32_t CharStartAt(const Byte* text, std::uint32_t length, std::uint32_t from,
                          std::uint32_t offset) {
    std::uint32_t start = from;
    for (std::uint32_t next = CharEnd(text, length, start); next <= offset && next > start;
         next = CharEnd(text, length, start))
        start = next;
    return start;
}

/// `offset` (in `range`) moved back to a character start no earlier than the range start; a
/// line start is always one, so the walk begins at the last line start before it.
std::uint32_t AlignToChar(const Byte* text, ByteRange range, std::uint32_t offset) {
    if (offset >= range.end)
        return range.end;
    const auto lineStart = static_cast<std::uint32_t>(LineStartBefore(text, offset));
    return CharStartAt(text, range.end, std::max(range.start, lineStart), offset);
}

/// The first (or last) hit whose start lies in [from, endOfStarts). The plain search steps bytes
/// and double-byte characters; the text steps over a CR LF as one character, so a hit on its LF
/// is passed over.
std::optional<TextHit> PlainHit(const Byte* text, std::uint32_t from, std::uint32_t endOfStarts,
                                std::string_view pattern, bool firstOnly, bool caseSensitive) {
    while (from < endOfStarts) {
        const auto offset =
            FindPlain(text + from, text + endOfStarts, pattern, firstOnly, caseSensitive);
        if (!offset)
            return std::nullopt;
        const std::uint32_t at = from + static_cast<std::uint32_t>(*offset);
        if (at == 0 || text[at] != kLf || text[at - 1] != kCr)
            return TextHit{at, static_cast<std::uint32_t>(pattern.size())};
        if (firstOnly)
            from = at + 1;
        else
            endOfStarts = at;
    }
    return std::nullopt;
}

std::optional<TextHit> SearchPlain(const Byte* text, ByteRange range, std::uint32_t start,
                                   std::string_view pattern, bool down, bool caseSensitive) {
    const auto length = static_cast<std::uint32_t>(pattern.size());
    if (range.end - range.start < length)
        return std::nullopt;
    // Starts run up to and including b - L.
    const std::uint32_t endOfStarts = range.end - length + 1;
    if (down) {
        if (auto hit = PlainHit(text, start, endOfStarts, pattern, true, caseSensitive))
            return hit;
        if (start == range.start)
            return std::nullopt;
        return PlainHit(text, range.start, std::min(start, endOfStarts), pattern, true,
                        caseSensitive);
    }
    // Candidates always step from the range start, so none begins on a second byte.
    if (auto hit = PlainHit(text, range.start, std::min(start, endOfStarts), pattern, false,
                            caseSensitive))
        return hit;
    if (start >= endOfStarts)
        return std::nullopt;
    // Nothing lies before `start`, so the last hit of the whole range is the wrapped one.
    return PlainHit(text, range.start, endOfStarts, pattern, false, caseSensitive);
}

std::optional<TextHit> MatcherHit(const Byte* text, std::uint32_t from, std::uint32_t to,
                                  std::string_view pattern, bool firstOnly,
                                  const SearchOptions& options) {
    if (to <= from)
        return std::nullopt;
    const auto match = FindPattern(text + from, text + to, pattern, options, firstOnly);
    if (!match || match->length == 0)
        return std::nullopt;
    return TextHit{from + static_cast<std::uint32_t>(match->offset),
                   static_cast<std::uint32_t>(match->length)};
}

std::optional<TextHit> SearchMatcher(const Byte* text, ByteRange range, std::uint32_t start,
                                     std::string_view pattern, bool down,
                                     const SearchOptions& options) {
    if (down) {
        if (auto hit = MatcherHit(text, start, range.end, pattern, true, options))
            return hit;
        if (start == range.start)
            return std::nullopt;
        const std::uint32_t widened = start + std::min(kWrapWideningBytes, range.end - start);
        return MatcherHit(text, range.start, AlignToChar(text, range, widened), pattern, true,
                          options);
    }
    if (auto hit = MatcherHit(text, range.start, start, pattern, false, options))
        return hit;
    const std::uint32_t widened = start - std::min(kWrapWideningBytes, start - range.start);
    return MatcherHit(text, AlignToChar(text, range, widened), range.end, pattern, false, options);
}

/// True when the selection [first, end) holds exactly the pattern, under the find's case rule.
bool SelectionHolds(const Byte* text, std::uint32_t first, std::uint32_t end,
                    std::string_view pattern, bool caseSensitive) {
    if (end - first != pattern.size())
        return false;
    return FindPlain(text + first, text + first + 1, pattern, true, caseSensitive).has_value();
}

} // namespace

bool UsesPlainSearch(const SearchOptions& options) {
    return !options.regularExpression && options.widthSensitive && !options.multiText;
}

std::optional<TextHit> SearchText(const Byte* text, ByteRange range, std::uint32_t start,
                                  std::string_view pattern, bool down,
                                  const SearchOptions& options) {
    if (pattern.empty() || pattern.size() > kMaxPatternBytes || range.end <= range.start)
        return std::nullopt;
    if (start < range.start || start >= range.end)
        start = range.start;
    if (UsesPlainSearch(options))
        return SearchPlain(text, range, start, pattern, down, options.caseSensitive);
    return SearchMatcher(text, range, start, pattern, down, options);
}

std::optional<ByteRange> SelectionAsSearchRange(const FindTarget& target) {
    const auto selection = target.StreamSelection();
    const std::uint32_t length = target.TextLength();
    if (!selection || selection->first >= length || selection->second < selection->first)
        return std::nullopt;
    const Byte* text = target.Text();
    const std::uint32_t last = std::min(selection->second, length - 1);
    const std::uint32_t end = CharEnd(text, length, last);
    const bool holdsCr = std::find(text + selection->first, text + end, kCr) != text + end;
    if (!holdsCr && last - selection->first < kRangeSelectionBytes)
        return std::nullopt;
    return ByteRange{selection->first, end};
}

TextFind::TextFind(ui::Platform& platform, SharedFindOptions shared,
                   const TextFindSettings& settings, std::function<void()> refreshFindBox)
    : m_platform(platform), m_shared(shared), m_settings(settings),
      m_refreshFindBox(std::move(refreshFindBox)) {}

void TextFind::RefreshFindBox() {
    if (m_refreshFindBox)
        m_refreshFindBox();
}

bool TextFind::FindNext(FindTarget& target, std::string_view pattern, bool down, bool matchCase) {
    if (!m_busy)
        return SearchAndShow(target, pattern, down, matchCase);
    m_busy(true);
    const bool found = SearchAndShow(target, pattern, down, matchCase);
    m_busy(false);
    return found;
}

bool TextFind::SearchAndShow(FindTarget& target, std::string_view pattern, bool down,
                             bool matchCase) {
    const std::size_t kept = WholeCharacterBytes(reinterpret_cast<const Byte*>(pattern.data()),
                                                 std::min(pattern.size(), kLastFindBytes));
    m_last = LastFind{std::string(pattern.substr(0, kept)), down, matchCase};

    SearchOptions options = m_shared.options;
    options.caseSensitive = matchCase;
    options.multiText = m_settings.multiText;

    const std::uint32_t length = target.TextLength();
    ByteRange range{0, length};
    if (const auto limit = target.SearchRange()) {
        if (limit->start >= length)
            target.SetSearchRange(std::nullopt);
        else
            range = ByteRange{limit->start, std::min(limit->end, length)};
    }
    const std::uint32_t start = StartPosition(target, pattern, down, options);
    const auto hit = SearchText(target.Text(), range, start, pattern, down, options);
    if (!hit) {
        m_platform.beeper.Beep();
        return false;
    }
    ShowHit(target, *hit);
    return true;
}

std::uint32_t TextFind::StartPosition(const FindTarget& target, std::string_view pattern, bool down,
                                      const SearchOptions& options) const {
    const Byte* text = target.Text();
    const std::uint32_t length = target.TextLength();
    if (const auto selection = target.StreamSelection();
        selection && selection->first < length && selection->second >= selection->first) {
        const std::uint32_t first = selection->first;
        if (!down)
            return first;
        if (!UsesPlainSearch(options))
            return CharEnd(text, length, first);
        const std::uint32_t end = CharEnd(text, length, std::min(selection->second, length - 1));
        return SelectionHolds(text, first, end, pattern, options.caseSensitive) ? end : first;
    }
    const std::uint32_t caret = std::min(target.CaretOffset(), length);
    const bool stepOn =
        m_settings.colorFoundLine && target.CaretInFoundLine() ? down : target.CaretBeyondRowEnd();
    return stepOn ? CharEnd(text, length, caret) : caret;
}

void TextFind::ShowHit(FindTarget& target, const TextHit& hit) const {
    const std::uint32_t lastByte = hit.offset + hit.length - 1;
    const std::uint32_t last =
        CharStartAt(target.Text(), target.TextLength(), hit.offset, lastByte);
    if (m_settings.colorFoundLine) {
        target.SetFoundLine(hit.offset);
        if (m_settings.plusInvert)
            target.SelectRange(hit.offset, last);
        else
            target.CancelSelection();
    } else {
        target.SelectRange(hit.offset, last);
    }
    target.ShowOffset(hit.offset);
}

bool TextFind::FindWithBox(FindTarget& target, std::string_view boxText, FindBoxCommand command,
                           bool ctrlHeld, bool findDialogOpen) {
    if (command == FindBoxCommand::FindNextButton && m_settings.enableSelFindByBox &&
        !findDialogOpen) {
        if (!ctrlHeld)
            target.SetSearchRange(std::nullopt);
        else if (const auto range = SelectionAsSearchRange(target))
            target.SetSearchRange(range);
    }
    if (boxText.empty() || boxText.size() > kMaxPatternBytes) {
        m_platform.beeper.Beep();
        return false;
    }
    target.CancelBoxSelection();
    m_shared.history.Add(boxText);
    const bool found = FindNext(target, boxText, command != FindBoxCommand::FindPrevious,
                                m_shared.options.caseSensitive);
    RefreshFindBox();
    return found;
}

} // namespace nelvix
