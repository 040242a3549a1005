// A tool's command-line tail split into arguments as the original platform's programs split
// theirs: no shell, blanks between arguments, double quotes grouping, backslashes escaping a
// quote.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nelvix {

/// Splits Shift-JIS `sjisText`:
/// - blanks and tabs outside quotes end an argument; a quoted "" is an empty argument;
/// - '"' starts or ends a quoted part; inside one, "" gives a literal '"';
/// - 2n backslashes before '"' give n backslashes and the quote acts; 2n+1 give n backslashes
///   and a literal '"'; backslashes before anything else stay as they are;
/// - a double-byte character is one unit, so its trail byte never counts as '\' or '"'.
std::vector<std::string> SplitToolArguments(std::string_view sjisText);

} // namespace nelvix
