// Marking the terms of a multi-text pattern found in a text, and the AND / OR test over them.
#include "pattern/multi_text_marks.h"

#include <algorithm>

namespace nelvix {

bool NeedsTermMarks(const MultiTextTerms& parsed) {
    return parsed.terms.size() >= 2 &&
           std::any_of(parsed.operators.begin(), parsed.operators.end(),
                       [](MultiTextOperator op) { return op == MultiTextOperator::And; });
}

MultiTextMarks::MultiTextMarks(const MultiTextTerms& parsed, bool caseSensitive)
    : m_parsed(parsed), m_scanner(parsed.terms, caseSensitive) {}

void MultiTextMarks::Clear() {
    m_marked.fill(false);
    m_markedCount = 0;
}

void MultiTextMarks::Mark(const Byte* text, const Byte* end) {
    m_scanner.Reset(text, end);
    const Byte* from = text;
    while (!AllMarked()) {
        const auto hit = m_scanner.Next(from);
        if (!hit)
            break;
        if (!m_marked[hit->term]) {
            m_marked[hit->term] = true;
            ++m_markedCount;
        }
        from = hit->at + m_scanner.FirstCharLength(hit->term);
    }
}

bool MultiTextMarks::Qualifies() const {
    if (m_parsed.terms.empty())
        return true;
    for (std::size_t k = m_parsed.terms.size() - 1; k >= 1; --k) {
        const bool orBefore = m_parsed.operators[k - 1] == MultiTextOperator::Or;
        if (m_marked[k] == orBefore)
            return orBefore; // present with "or", or absent with "and", decides
    }
    return m_marked[0];
}

} // namespace nelvix
