// The words of a search specification, read by the same rules as the multi-text splitter, for
// the file sets' own use.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace nelvix {

/// Spaces separate words; a double quote opens or closes a quoted part, and two in a row inside
/// one stand for a quote. An empty word ends the list; at most `maxWords` words. Unlike the
/// multi-text splitter, a long word is kept whole: a deep path is still a path.
std::vector<std::string> SplitSpecificationWords(std::string_view specification,
                                                 std::size_t maxWords);

/// The path a stored item stands for: its quotes taken out by the same rules, spaces kept.
std::string UnquotePath(std::string_view item);

} // namespace nelvix
