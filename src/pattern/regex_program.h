// The compiled form of a pattern for the regular-expression engine: fixed tables of elements,
// each a character test that matches once or repeats, and one anchor for the whole pattern.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/sjis.h"
#include "pattern/char_compare.h"
#include "pattern/search_options.h"

namespace nelvix {

enum class RegexAnchor { None, LineStart, LineEnd };

struct RegexElement {
    bool once = true;     ///< false: zero or more characters
    bool negated = false; ///< a class opened by "[^"
    bool any = false;     ///< "." matches every whole character, CR and LF too
    std::uint8_t firstAlternative = 0;
    std::uint8_t alternativeCount = 0;
    std::uint8_t firstRange = 0;
    std::uint8_t rangeCount = 0;
};

class RegexProgram {
public:
    /// False for an empty pattern or one over 80 bytes, which never match. Any other pattern
    /// compiles: an unclosed "[" runs to the end, and stray "]", "-", "^" and "$" are literal.
    bool Compile(std::string_view pattern, bool regularExpression, bool caseSensitive,
                 bool widthSensitive);

    std::size_t ElementCount() const { return m_elementCount; }
    const RegexElement& Element(std::size_t k) const { return m_elements[k]; }
    RegexAnchor Anchor() const { return m_anchor; }

    /// Bytes of the text character at `at` (before `end`) when it matches `element`, else 0. A
    /// lead byte without room for its trail before `end` matches nothing, not even ".".
    std::size_t MatchChar(const RegexElement& element, const Byte* at, const Byte* end) const {
        const Byte first = *at;
        if (!IsLeadByte(first))
            return element.any || Accepts(element, first) ? 1 : 0;
        if (end - at < 2)
            return 0;
        return element.any || Accepts(element, static_cast<CharCode>(first << 8 | at[1])) ? 2 : 0;
    }

    /// False when no match can begin with the character at `at`; only a first element that
    /// matches once narrows it, else every character may begin one.
    bool MayStartAt(const Byte* at, const Byte* end) const {
        const Byte first = *at;
        if (!m_mayStart[first])
            return false;
        if (first < kFirstFoldingLead || first > kLastFoldingLead || end - at < 2)
            return true;
        return m_mayStartTrail[first - kFirstFoldingLead][at[1]];
    }

private:
    struct Range {
        std::uint32_t low;
        std::uint32_t high;
    };
    struct Token {
        CharCode code;
        bool escaped;
    };

    bool Accepts(const RegexElement& element, CharCode code) const;
    bool Contains(const RegexElement& element, CharCode folded) const;
    std::size_t Tokenize(std::string_view pattern, bool regularExpression,
                         std::array<Token, kMaxPatternBytes>& tokens) const;
    std::size_t ReadClass(const Token* tokens, std::size_t count, std::size_t i,
                          RegexElement& element);
    void AddAlternative(RegexElement& element, CharCode code);
    void AddRange(RegexElement& element, CharCode low, CharCode high);
    void MarkFirstCharacters();
    void MarkSingle(Byte b);
    void MarkDouble(CharCode code);

    bool m_caseSensitive = false;
    bool m_widthSensitive = true;
    RegexAnchor m_anchor = RegexAnchor::None;
    // Each pattern byte adds at most one element or one alternative, and a range needs a "-".
    std::array<RegexElement, kMaxPatternBytes> m_elements{};
    std::array<CharCode, kMaxPatternBytes> m_alternatives{};
    std::array<Range, kMaxPatternBytes / 2> m_ranges{};
    std::size_t m_elementCount = 0;
    std::size_t m_alternativeCount = 0;
    std::size_t m_rangeCount = 0;
    // The first bytes a match may begin with; for the leads of the characters that fold
    // (0x81..0x83), also the trail bytes.
    static constexpr Byte kFirstFoldingLead = 0x81;
    static constexpr Byte kLastFoldingLead = 0x83;
    std::array<bool, 256> m_mayStart{};
    std::array<std::array<bool, 256>, kLastFoldingLead - kFirstFoldingLead + 1> m_mayStartTrail{};
};

} // namespace nelvix
