// Comparing one character of a text with one of a pattern: case folding and width folding.
#pragma once

#include <cstdint>
#include <span>

#include "base/sjis.h"

namespace nelvix {

/// A character as one code: a single byte, or lead << 8 | trail.
using CharCode = std::uint16_t;

/// The half-width single-byte form of a double-byte character (full-width ASCII, kana and the
/// kana symbols), or the code unchanged.
CharCode FoldWidth(CharCode code);

/// Every double-byte character that FoldWidth turns into `halfWidth` (at most 6); empty for a
/// byte that is no character's half-width form.
std::span<const CharCode> FullWidthFormsOf(Byte halfWidth);

/// Case folding: ASCII letters and the full-width Latin capitals to their small letters.
CharCode FoldCase(CharCode code);

/// Both foldings as the options ask; the form in which two characters are compared.
inline CharCode FoldForCompare(CharCode code, bool caseSensitive, bool widthSensitive) {
    if (!widthSensitive)
        code = FoldWidth(code);
    return caseSensitive ? code : FoldCase(code);
}

} // namespace nelvix
