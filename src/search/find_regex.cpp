// The regular-expression strategy: compile the pattern afresh, then match.
#include "search/find_pattern.h"

#include "search/regex_matcher.h"

namespace nelvix {

std::optional<Match> FindRegex(const Byte* start, const Byte* end, std::string_view pattern,
                               bool firstOnly, bool caseSensitive, bool regularExpression,
                               bool widthSensitive) {
    RegexProgram program;
    if (start >= end || !program.Compile(pattern, regularExpression, caseSensitive, widthSensitive))
        return std::nullopt;
    RegexMatcher matcher(program, start, end);
    return matcher.Find(firstOnly);
}

} // namespace nelvix
