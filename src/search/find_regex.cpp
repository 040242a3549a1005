// The regular-expression strategy: compile the pattern afresh, then match.
#include "search/find_pattern.h"

#include "search/regex_matcher.h"

namespace nelvix {
namespace {

std::uint8_t CarryFlags(bool caseSensitive, bool regularExpression, bool widthSensitive) {
    return static_cast<std::uint8_t>((caseSensitive ? 1 : 0) | (regularExpression ? 2 : 0) |
                                     (widthSensitive ? 4 : 0));
}

} // namespace

std::optional<Match> FindRegex(const Byte* start, const Byte* end, std::string_view pattern,
                               bool firstOnly, bool caseSensitive, bool regularExpression,
                               bool widthSensitive, RegexCarry* carry) {
    RegexProgram program;
    if (start >= end || !program.Compile(pattern, regularExpression, caseSensitive, widthSensitive))
        return std::nullopt;
    if (carry != nullptr)
        carry->Begin(pattern, CarryFlags(caseSensitive, regularExpression, widthSensitive), end);
    RegexMatcher matcher(program, start, end, carry);
    return matcher.Find(firstOnly);
}

} // namespace nelvix
