// Compiling a pattern into the regular-expression engine's element tables.
#include "pattern/regex_program.h"

namespace nelvix {

namespace {

// Ranges follow byte order, in which a one-byte character sorts before every two-byte
// character with that first byte and after those with a smaller one.
std::uint32_t OrderKey(CharCode code) {
    if (code < 0x100)
        return std::uint32_t{code} << 9;
    return std::uint32_t{code} >> 8 << 9 | 0x100 | (code & 0xFFu);
}

bool IsOperator(CharCode code, bool escaped, char op) {
    return !escaped && code == static_cast<Byte>(op);
}

} // namespace

bool RegexProgram::Contains(const RegexElement& element, CharCode folded) const {
    const CharCode* alternative = &m_alternatives[element.firstAlternative];
    for (std::size_t i = 0; i < element.alternativeCount; ++i) {
        if (alternative[i] == folded)
            return true;
    }
    if (element.rangeCount == 0)
        return false;
    const std::uint32_t key = OrderKey(folded);
    const Range* range = &m_ranges[element.firstRange];
    for (std::size_t i = 0; i < element.rangeCount; ++i) {
        if (range[i].low <= key && key <= range[i].high)
            return true;
    }
    return false;
}

bool RegexProgram::Accepts(const RegexElement& element, CharCode code) const {
    return Contains(element, FoldForCompare(code, m_caseSensitive, m_widthSensitive)) !=
           element.negated;
}

std::size_t RegexProgram::Tokenize(std::string_view pattern, bool regularExpression,
                                   std::array<Token, kMaxPatternBytes>& tokens) const {
    const auto* bytes = reinterpret_cast<const Byte*>(pattern.data());
    const std::size_t length = pattern.size();
    std::size_t count = 0;
    for (std::size_t i = 0; i < length;) {
        // Outside regular-expression mode every character is literal, as if escaped.
        bool escaped = !regularExpression;
        if (regularExpression && bytes[i] == '\\' && i + 1 < length) {
            escaped = true;
            ++i;
        }
        CharCode code = bytes[i];
        if (IsLeadByte(bytes[i]) && i + 1 < length) {
            code = static_cast<CharCode>(bytes[i] << 8 | bytes[i + 1]);
            ++i;
        }
        ++i;
        tokens[count++] = Token{code, escaped};
    }
    return count;
}

void RegexProgram::AddAlternative(RegexElement& element, CharCode code) {
    m_alternatives[m_alternativeCount++] = FoldForCompare(code, m_caseSensitive, m_widthSensitive);
    ++element.alternativeCount;
}

void RegexProgram::AddRange(RegexElement& element, CharCode low, CharCode high) {
    m_ranges[m_rangeCount++] =
        Range{OrderKey(FoldForCompare(low, m_caseSensitive, m_widthSensitive)),
              OrderKey(FoldForCompare(high, m_caseSensitive, m_widthSensitive))};
    ++element.rangeCount;
}

std::size_t RegexProgram::ReadClass(const Token* tokens, std::size_t count, std::size_t i,
                                    RegexElement& element) {
    element.firstAlternative = static_cast<std::uint8_t>(m_alternativeCount);
    element.firstRange = static_cast<std::uint8_t>(m_rangeCount);
    if (i < count && IsOperator(tokens[i].code, tokens[i].escaped, '^')) {
        element.negated = true;
        ++i;
    }
    bool havePrevious = false;
    CharCode previous = 0;
    while (i < count) {
        const Token& token = tokens[i];
        if (IsOperator(token.code, token.escaped, ']'))
            return i + 1;
        // A "-" with no character before it or after it is itself a character.
        if (IsOperator(token.code, token.escaped, '-') && havePrevious && i + 1 < count &&
            !IsOperator(tokens[i + 1].code, tokens[i + 1].escaped, ']')) {
            const CharCode high = tokens[i + 1].code;
            AddRange(element, previous, high);
            AddAlternative(element, high);
            previous = high;
            i += 2;
            continue;
        }
        AddAlternative(element, token.code);
        previous = token.code;
        havePrevious = true;
        ++i;
    }
    return i;
}

bool RegexProgram::Compile(std::string_view pattern, bool regularExpression, bool caseSensitive,
                           bool widthSensitive) {
    m_caseSensitive = caseSensitive;
    m_widthSensitive = widthSensitive;
    m_anchor = RegexAnchor::None;
    m_elementCount = m_alternativeCount = m_rangeCount = 0;
    m_mayStart.fill(true);
    for (auto& trails : m_mayStartTrail)
        trails.fill(true);
    if (pattern.empty() || pattern.size() > kMaxPatternBytes)
        return false;

    std::array<Token, kMaxPatternBytes> tokens;
    std::size_t end = Tokenize(pattern, regularExpression, tokens);
    std::size_t i = 0;
    if (IsOperator(tokens[0].code, tokens[0].escaped, '^')) {
        m_anchor = RegexAnchor::LineStart;
        i = 1;
    } else if (IsOperator(tokens[end - 1].code, tokens[end - 1].escaped, '$')) {
        m_anchor = RegexAnchor::LineEnd;
        --end;
    }

    while (i < end) {
        const Token& token = tokens[i];
        // "*" and "+" with no element before them are characters.
        const bool star = IsOperator(token.code, token.escaped, '*');
        if ((star || IsOperator(token.code, token.escaped, '+')) && m_elementCount > 0) {
            RegexElement& previous = m_elements[m_elementCount - 1];
            if (star) {
                previous.once = false;
            } else {
                RegexElement copy = previous;
                copy.once = false;
                m_elements[m_elementCount++] = copy;
            }
            ++i;
            continue;
        }
        RegexElement element;
        if (IsOperator(token.code, token.escaped, '[')) {
            i = ReadClass(tokens.data(), end, i + 1, element);
        } else {
            element.any = IsOperator(token.code, token.escaped, '.');
            element.firstAlternative = static_cast<std::uint8_t>(m_alternativeCount);
            if (!element.any)
                AddAlternative(element, token.code);
            ++i;
        }
        m_elements[m_elementCount++] = element;
    }
    MarkFirstCharacters();
    return true;
}

void RegexProgram::MarkSingle(Byte b) {
    m_mayStart[b] = true;
    if (!m_widthSensitive) {
        for (const CharCode code : FullWidthFormsOf(b))
            MarkDouble(code);
    }
}

void RegexProgram::MarkDouble(CharCode code) {
    const auto lead = static_cast<Byte>(code >> 8);
    m_mayStart[lead] = true;
    if (lead >= kFirstFoldingLead && lead <= kLastFoldingLead)
        m_mayStartTrail[lead - kFirstFoldingLead][code & 0xFF] = true;
}

void RegexProgram::MarkFirstCharacters() {
    if (m_elementCount == 0)
        return;
    const RegexElement& first = m_elements[0];
    if (!first.once || first.any || first.negated)
        return;
    m_mayStart.fill(false);
    for (auto& trails : m_mayStartTrail)
        trails.fill(false);
    // The alternatives are folded: add back every character that folds into each.
    for (std::size_t i = 0; i < first.alternativeCount; ++i) {
        const CharCode code = m_alternatives[first.firstAlternative + i];
        if (code < 0x100) {
            MarkSingle(static_cast<Byte>(code));
            if (!m_caseSensitive && IsAsciiLower(static_cast<Byte>(code)))
                MarkSingle(AsciiToUpper(static_cast<Byte>(code)));
        } else {
            MarkDouble(code);
            if (!m_caseSensitive && code >= 0x8281 && code <= 0x829A) // ａ..ｚ from Ａ..Ｚ
                MarkDouble(static_cast<CharCode>(code - 0x21));
        }
    }
    if (first.rangeCount == 0)
        return;
    // Ranges are rare: test every single byte, and let every character of their leads through.
    for (std::size_t b = 0; b < m_mayStart.size(); ++b) {
        const auto byte = static_cast<Byte>(b);
        if (!IsLeadByte(byte) && Accepts(first, byte))
            MarkSingle(byte);
    }
    for (std::size_t i = 0; i < first.rangeCount; ++i) {
        const Range& range = m_ranges[first.firstRange + i];
        for (std::uint32_t lead = range.low >> 9; lead <= (range.high >> 9); ++lead) {
            if (IsLeadByte(static_cast<Byte>(lead)))
                m_mayStart[lead] = true;
        }
    }
    for (Byte lead = kFirstFoldingLead; lead <= kLastFoldingLead; ++lead) {
        if (m_mayStart[lead])
            m_mayStartTrail[lead - kFirstFoldingLead].fill(true);
    }
}

} // namespace nelvix
