// Multi-text patterns: several words joined by "and" / "or".
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/sjis.h"
#include "pattern/search_options.h"

namespace nelvix {

/// Splits at blanks; double quotes group and two in a row stand for one quote. An empty word or
/// one of 256 bytes or more ends the list; at most `maxWords` words.
std::vector<std::string> SplitMultiText(std::string_view text, std::size_t maxWords);

enum class MultiTextOperator { And, Or };

struct MultiTextTerms {
    std::vector<std::string> terms;
    /// operators[k - 1] stands between terms k - 1 and k.
    std::vector<MultiTextOperator> operators;
};

/// term, operator, term, ...; a word where an operator is expected that is not "and" / "or"
/// (in any case) ends the list.
MultiTextTerms ParseMultiTextOperators(const std::vector<std::string>& words);

struct MultiTextMatch {
    std::size_t offset = 0;
    std::size_t length = 0;
    std::size_t term = 0;
};

/// Any term is a hit at line level; the first term in order that matches at a position wins.
std::optional<MultiTextMatch> FindMultiText(const Byte* text, std::size_t length,
                                            std::string_view pattern, bool firstOnly,
                                            bool caseSensitive);

/// Whether a file qualifies under the pattern's AND / OR: read in 65,536-byte pieces cut after
/// their last line end. A file that cannot be opened qualifies. `nativePath` goes to the OS as is.
bool MultiTextFileTest(const std::string& nativePath, std::string_view pattern, bool caseSensitive);

/// The same test over a text in memory.
bool MultiTextTextTest(const Byte* text, std::size_t length, std::string_view pattern,
                       bool caseSensitive);

} // namespace nelvix
