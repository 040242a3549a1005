// What one regular-expression search learnt for the next ones in the same text.
#include "pattern/regex_carry.h"

#include <algorithm>

namespace nelvix {

void RegexCarry::Begin(std::string_view pattern, std::uint8_t flags, const Byte* textEnd) {
    const bool samePattern = pattern.size() == m_patternBytes && flags == m_flags &&
                             std::equal(pattern.begin(), pattern.end(), m_pattern.begin());
    if (samePattern && textEnd == m_textEnd)
        return;
    // Only patterns the program compiled reach here, and those fit.
    m_patternBytes = std::min(pattern.size(), m_pattern.size());
    std::copy_n(pattern.begin(), m_patternBytes, m_pattern.begin());
    m_flags = flags;
    m_textEnd = textEnd;
    m_learnt = false;
}

} // namespace nelvix
