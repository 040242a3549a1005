// Which terms of a multi-text pattern occur in a text, and what the AND / OR between them makes
// of that.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "pattern/multi_text.h"
#include "pattern/term_scanner.h"

namespace nelvix {

class TextReader;

/// False when the pattern has fewer than two terms or only "or" between them: every text
/// qualifies, so nothing needs to be read.
bool NeedsTermMarks(const MultiTextTerms& parsed);

class MultiTextMarks {
public:
    /// `parsed` must outlive the marks.
    MultiTextMarks(const MultiTextTerms& parsed, bool caseSensitive);

    /// Marks the terms found in [text, end); `text` must start a character. At each place only
    /// the first term in order that matches there counts.
    void Mark(const Byte* text, const Byte* end);
    /// Forgets the marks, for the next text or file.
    void Clear();
    bool AllMarked() const { return m_markedCount == m_parsed.terms.size(); }
    /// The operators read from the last term back to the first, which equals reading them left
    /// to right with "and" and "or" of equal precedence.
    bool Qualifies() const;

private:
    const MultiTextTerms& m_parsed;
    TermScanner m_scanner;
    std::array<bool, kMaxMultiTextWords> m_marked{};
    std::size_t m_markedCount = 0;
};

/// `MultiTextFileTest` with marks made ready once: cleared, then the file marked piece by piece.
/// `nativePath` goes to the OS as is.
bool FileQualifies(const std::string& nativePath, MultiTextMarks& marks);

/// The same over a text read from its start through `reader` (a file, or its conversion).
bool TextQualifies(TextReader& reader, MultiTextMarks& marks);

} // namespace nelvix
