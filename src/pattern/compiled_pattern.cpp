// A pattern compiled once per run and matched many times.
#include "pattern/compiled_pattern.h"

#include "pattern/char_compare.h"
#include "pattern/find_pattern.h"
#include "pattern/regex_matcher.h"

namespace nelvix {

namespace {

/// True when every character of `pattern` is a double-byte one that neither width nor case
/// folding changes: the half-width forms fold to are single bytes, and the letters case folding
/// joins all have width forms, so a text character folds to such a character only when it is
/// that character.
bool NoCharacterFolds(std::string_view pattern) {
    const auto* bytes = reinterpret_cast<const Byte*>(pattern.data());
    for (std::size_t i = 0; i < pattern.size(); i += 2) {
        if (i + 1 >= pattern.size() || !IsLeadByte(bytes[i]))
            return false;
        const auto code = static_cast<CharCode>(bytes[i] << 8 | bytes[i + 1]);
        if (FoldWidth(code) != code || FoldCase(code) != code)
            return false;
    }
    return true;
}

} // namespace

CompiledPattern::CompiledPattern(std::string_view pattern, const SearchOptions& options)
    : m_pattern(pattern), m_options(options) {
    if (m_pattern.empty())
        return;
    if (UsesRegexEngine(options)) {
        m_carryFlags = RegexCarryFlags(options.caseSensitive, options.regularExpression,
                                       options.widthSensitive);
        if (!m_program.Compile(m_pattern, options.regularExpression, options.caseSensitive,
                               options.widthSensitive))
            return;
        m_strategy = Strategy::Regex;
        // Folding cannot change what such a pattern matches: the plain searcher finds the
        // same places, several times faster.
        if (!options.regularExpression && NoCharacterFolds(m_pattern)) {
            m_plain.emplace(m_pattern, true);
            m_strategy = Strategy::Plain;
        }
        return;
    }
    if (options.multiText) {
        m_terms = ParseMultiTextOperators(SplitMultiText(m_pattern, kMaxMultiTextWords));
        m_scanner.emplace(m_terms.terms, options.caseSensitive);
        if (NeedsTermMarks(m_terms))
            m_marks.emplace(m_terms, options.caseSensitive);
        m_strategy = Strategy::MultiText;
        return;
    }
    m_plain.emplace(m_pattern, options.caseSensitive);
    m_strategy = Strategy::Plain;
}

bool CompiledPattern::Serves(std::string_view pattern, const SearchOptions& options) const {
    return pattern == m_pattern && options.caseSensitive == m_options.caseSensitive &&
           options.widthSensitive == m_options.widthSensitive &&
           options.regularExpression == m_options.regularExpression &&
           options.multiText == m_options.multiText;
}

std::optional<Match> CompiledPattern::Find(const Byte* text, const Byte* end, bool firstOnly,
                                           std::size_t* matchedTerm, RegexCarry* carry) const {
    if (end <= text)
        return std::nullopt;
    switch (m_strategy) {
    case Strategy::Never:
        return std::nullopt;
    case Strategy::Regex: {
        if (carry != nullptr)
            carry->Begin(m_pattern, m_carryFlags, end);
        RegexMatcher matcher(m_program, text, end, carry);
        return matcher.Find(firstOnly);
    }
    case Strategy::MultiText:
        return FindTerm(text, end, firstOnly, matchedTerm);
    case Strategy::Plain:
        return FindPlainMatch(text, end, firstOnly);
    }
    return std::nullopt;
}

std::optional<Match> CompiledPattern::FindPlainMatch(const Byte* text, const Byte* end,
                                                     bool firstOnly) const {
    const std::size_t length = m_pattern.size();
    if (static_cast<std::size_t>(end - text) < length)
        return std::nullopt;
    // Start positions run up to the last place where the whole pattern still fits.
    const Byte* endOfStarts = end - (length - 1);
    std::optional<Match> found;
    const Byte* from = text;
    while (const Byte* match = m_plain->Next(from, endOfStarts, end)) {
        found = Match{static_cast<std::size_t>(match - text), length};
        if (firstOnly)
            break;
        from = match + m_plain->FirstCharLength();
    }
    return found;
}

std::optional<Match> CompiledPattern::FindTerm(const Byte* text, const Byte* end, bool firstOnly,
                                               std::size_t* matchedTerm) const {
    m_scanner->Reset(text, end);
    std::optional<Match> found;
    std::size_t term = 0;
    const Byte* from = text;
    while (const auto hit = m_scanner->Next(from)) {
        found = Match{static_cast<std::size_t>(hit->at - text), m_terms.terms[hit->term].size()};
        term = hit->term;
        if (firstOnly)
            break;
        from = hit->at + m_scanner->FirstCharLength(hit->term);
    }
    if (found && matchedTerm != nullptr)
        *matchedTerm = term;
    return found;
}

bool CompiledPattern::QualifiesText(TextReader& reader) const {
    // Without an AND between two terms every file qualifies, unread.
    return !m_marks || TextQualifies(reader, *m_marks);
}

} // namespace nelvix
