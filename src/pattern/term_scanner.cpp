// Searching the terms of a multi-text pattern together.
#include "pattern/term_scanner.h"

namespace nelvix {

TermScanner::TermScanner(const std::vector<std::string>& terms, bool caseSensitive) {
    m_searchers.reserve(terms.size());
    for (const std::string& term : terms)
        m_searchers.emplace_back(term, caseSensitive);
    m_cursors.resize(terms.size());
}

void TermScanner::Reset(const Byte* text, const Byte* end) {
    m_end = end;
    for (Cursor& cursor : m_cursors)
        cursor = Cursor{nullptr, text};
}

const Byte* TermScanner::FindBefore(std::size_t term, const Byte* from, const Byte* limit) {
    Cursor& cursor = m_cursors[term];
    if (cursor.hit != nullptr && cursor.hit < from)
        cursor.hit = nullptr;
    if (cursor.hit == nullptr) {
        if (cursor.clearTo < from)
            cursor.clearTo = from;
        if (cursor.clearTo >= limit)
            return nullptr;
        cursor.hit = m_searchers[term].Next(cursor.clearTo, limit, m_end);
        if (cursor.hit == nullptr)
            cursor.clearTo = limit;
    }
    return cursor.hit != nullptr && cursor.hit < limit ? cursor.hit : nullptr;
}

std::optional<TermScanner::Hit> TermScanner::Next(const Byte* from) {
    std::optional<Hit> best;
    for (std::size_t term = 0; term < m_searchers.size(); ++term) {
        // A later term must match strictly before the best so far: at a tie the earlier wins.
        const Byte* limit = best ? best->at : m_end;
        if (const Byte* at = FindBefore(term, from, limit))
            best = Hit{at, term};
    }
    return best;
}

} // namespace nelvix
