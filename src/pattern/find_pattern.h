// The one matcher every search uses: plain, multi-text and regular-expression strategies over
// Shift-JIS bytes, stepping by whole characters.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "base/sjis.h"
#include "pattern/regex_carry.h"
#include "pattern/search_options.h"

namespace nelvix {

/// Searches [text, end) for `pattern` (Shift-JIS). With `firstOnly` the leftmost match, else the
/// last match found scanning forward. Nothing when there is none. `end` is the true end of the
/// text for every strategy. `matchedTerm`, when given, receives the index of the multi-text term
/// that matched. `carry`, for a caller that searches one text again and again (see RegexCarry),
/// spares the regular-expression strategy work it has done before.
std::optional<Match> FindPattern(const Byte* text, const Byte* end, std::string_view pattern,
                                 const SearchOptions& options, bool firstOnly,
                                 std::size_t* matchedTerm = nullptr, RegexCarry* carry = nullptr);

/// The regular-expression strategy serves regular expressions and width folding.
constexpr bool UsesRegexEngine(const SearchOptions& options) {
    return options.regularExpression || !options.widthSensitive;
}

/// False for a pattern that the strategy of `options` can never match for its length alone:
/// one over kMaxPatternBytes for the regular-expression strategy.
bool MatcherTakesPattern(std::string_view pattern, const SearchOptions& options);

/// Plain substring search over the start positions [start, endOfStarts); case by the flag, no
/// width folding. The offset of the match from `start`.
std::optional<std::size_t> FindPlain(const Byte* start, const Byte* endOfStarts,
                                     std::string_view pattern, bool firstOnly, bool caseSensitive);

/// The regular-expression engine; with `regularExpression` off every pattern byte is literal
/// (the path used for width folding). Nothing for an empty or over-long pattern.
std::optional<Match> FindRegex(const Byte* start, const Byte* end, std::string_view pattern,
                               bool firstOnly, bool caseSensitive, bool regularExpression,
                               bool widthSensitive, RegexCarry* carry = nullptr);

} // namespace nelvix
