// The result line (tag) of one match: "path(line): quoted text" CR LF.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/sjis.h"

namespace nelvix {

/// The start of the line that holds `match`: just after the last CR before it and the LF that
/// completes that CR LF, or the text start. Never beyond `match`.
std::size_t LineStartBefore(const Byte* text, std::size_t match);

/// The longest prefix of at most `maxBytes` that ends on a character boundary, counting from
/// `text`, which must be one: a lead byte without its trail is left out.
std::size_t WholeCharacterBytes(const Byte* text, std::size_t maxBytes);

/// What a result line quotes from: the searched text (its first `textLength` bytes), the start
/// of the matched line and the match.
struct QuotedMatch {
    const Byte* text = nullptr;
    std::size_t textLength = 0;
    std::size_t lineStart = 0;
    std::size_t match = 0;
    std::size_t patternLength = 0;
};

/// Builds the result line into `line` (cleared first): the path with its bytes below 0x20
/// escaped (AppendSjisPathForLine), then the quoted text, which runs from the line start, or
/// from the match when the match ends more than 239 bytes into its line, up to the next CR or
/// the end of the text, and is cut so that the line fits 512 bytes.
void BuildResultLine(std::string& line, std::string_view sjisPath, std::uint64_t lineNumber,
                     const QuotedMatch& quoted);

} // namespace nelvix
