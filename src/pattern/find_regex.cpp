// The regular-expression strategy for a single search: compile the pattern, then match.
#include "pattern/find_pattern.h"

#include "pattern/regex_matcher.h"

namespace nelvix {

std::optional<Match> FindRegex(const Byte* start, const Byte* end, std::string_view pattern,
                               bool firstOnly, bool caseSensitive, bool regularExpression,
                               bool widthSensitive, RegexCarry* carry) {
    RegexProgram program;
    if (start >= end || !program.Compile(pattern, regularExpression, caseSensitive, widthSensitive))
        return std::nullopt;
    if (carry != nullptr)
        carry->Begin(pattern, RegexCarryFlags(caseSensitive, regularExpression, widthSensitive),
                     end);
    RegexMatcher matcher(program, start, end, carry);
    return matcher.Find(firstOnly);
}

} // namespace nelvix
