// Literal search at whole-character positions: memchr finds one rare byte of the pattern, and
// only there are the whole pattern and the character boundary checked.
#pragma once

#include <cstddef>
#include <string_view>

#include "base/sjis.h"

namespace nelvix {

class PlainSearcher {
public:
    /// Case folding covers the ASCII letters and the full-width Latin letters. A pattern that is
    /// empty or ends in a lone lead byte never matches (no whole character can equal it).
    PlainSearcher(std::string_view pattern, bool caseSensitive);

    std::size_t Length() const { return m_pattern.size(); }
    /// Bytes of the pattern's first character: the step after a match.
    std::size_t FirstCharLength() const { return IsLeadByte(m_bytes[0]) ? 2 : 1; }

    /// The first match starting at a character boundary in [from, endOfStarts) and lying whole
    /// before `textEnd`. `from` must start a character. Null when there is none.
    const Byte* Next(const Byte* from, const Byte* endOfStarts, const Byte* textEnd) const;

private:
    bool Equals(const Byte* at) const;

    std::string_view m_pattern;
    const Byte* m_bytes;
    bool m_caseSensitive;
    bool m_canMatch;
    /// memchr looks for m_needle (or m_otherCase too, for a letter) at this pattern offset.
    std::size_t m_needleOffset = 0;
    Byte m_needle = 0;
    Byte m_otherCase = 0;
    bool m_twoNeedles = false;
};

} // namespace nelvix
