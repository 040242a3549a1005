// The matcher's entry point and its plain strategy.
#include "pattern/find_pattern.h"

#include "pattern/multi_text.h"
#include "pattern/plain_searcher.h"

namespace nelvix {

std::optional<std::size_t> FindPlain(const Byte* start, const Byte* endOfStarts,
                                     std::string_view pattern, bool firstOnly, bool caseSensitive) {
    if (pattern.empty() || endOfStarts <= start)
        return std::nullopt;
    const PlainSearcher searcher(pattern, caseSensitive);
    const Byte* textEnd = endOfStarts + (pattern.size() - 1);
    std::optional<std::size_t> found;
    const Byte* from = start;
    while (const Byte* match = searcher.Next(from, endOfStarts, textEnd)) {
        found = static_cast<std::size_t>(match - start);
        if (firstOnly)
            break;
        from = match + searcher.FirstCharLength();
    }
    return found;
}

bool MatcherTakesPattern(std::string_view pattern, const SearchOptions& options) {
    return !UsesRegexEngine(options) || pattern.size() <= kMaxPatternBytes;
}

std::optional<Match> FindPattern(const Byte* text, const Byte* end, std::string_view pattern,
                                 const SearchOptions& options, bool firstOnly,
                                 std::size_t* matchedTerm, RegexCarry* carry) {
    if (pattern.empty() || end <= text)
        return std::nullopt;
    if (UsesRegexEngine(options))
        return FindRegex(text, end, pattern, firstOnly, options.caseSensitive,
                         options.regularExpression, options.widthSensitive, carry);
    if (options.multiText) {
        const auto found = FindMultiText(text, static_cast<std::size_t>(end - text), pattern,
                                         firstOnly, options.caseSensitive);
        if (!found)
            return std::nullopt;
        if (matchedTerm != nullptr)
            *matchedTerm = found->term;
        return Match{found->offset, found->length};
    }
    if (static_cast<std::size_t>(end - text) < pattern.size())
        return std::nullopt;
    const auto offset =
        FindPlain(text, end - (pattern.size() - 1), pattern, firstOnly, options.caseSensitive);
    if (!offset)
        return std::nullopt;
    return Match{*offset, pattern.size()};
}

} // namespace nelvix
