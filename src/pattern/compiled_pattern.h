// A pattern made ready once for many searches: the regular-expression program, the plain
// searcher's tables or the multi-text terms, built when a run starts and then only matched.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "pattern/multi_text.h"
#include "pattern/multi_text_marks.h"
#include "pattern/plain_searcher.h"
#include "pattern/regex_carry.h"
#include "pattern/regex_program.h"
#include "pattern/search_options.h"
#include "pattern/term_scanner.h"

namespace nelvix {

class TextReader;

class CompiledPattern {
public:
    CompiledPattern(std::string_view pattern, const SearchOptions& options);
    // The searchers hold views of the pattern and terms kept here.
    CompiledPattern(const CompiledPattern&) = delete;
    CompiledPattern& operator=(const CompiledPattern&) = delete;

    /// Whether this was made from `pattern` with `options`, so that it can serve them.
    bool Serves(std::string_view pattern, const SearchOptions& options) const;
    std::string_view Pattern() const { return m_pattern; }

    /// `FindPattern` with this pattern and its options: the same answers, nothing rebuilt.
    std::optional<Match> Find(const Byte* text, const Byte* end, bool firstOnly,
                              std::size_t* matchedTerm = nullptr,
                              RegexCarry* carry = nullptr) const;
    /// `MultiTextFileTest` with the terms read once, over a text read from its start.
    bool QualifiesText(TextReader& reader) const;

private:
    enum class Strategy { Never, Regex, MultiText, Plain };

    std::optional<Match> FindPlainMatch(const Byte* text, const Byte* end, bool firstOnly) const;
    std::optional<Match> FindTerm(const Byte* text, const Byte* end, bool firstOnly,
                                  std::size_t* matchedTerm) const;

    std::string m_pattern;
    SearchOptions m_options;
    Strategy m_strategy = Strategy::Never;
    std::uint8_t m_carryFlags = 0;
    RegexProgram m_program;
    std::optional<PlainSearcher> m_plain;
    MultiTextTerms m_terms;
    // Scanning state only, set afresh at every search and file: a search changes no answer.
    mutable std::optional<TermScanner> m_scanner;
    mutable std::optional<MultiTextMarks> m_marks;
};

} // namespace nelvix
