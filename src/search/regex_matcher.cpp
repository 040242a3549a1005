// Matching a compiled pattern against a text.
#include "search/regex_matcher.h"

namespace nelvix {

const Byte* RegexMatcher::RunEnd(std::size_t k, const Byte* at) {
    if (m_runFrom[k] != nullptr && m_runFrom[k] <= at && at <= m_runTo[k])
        return m_runTo[k];
    const RegexElement& element = m_program.Element(k);
    const Byte* p = at;
    while (p < m_end) {
        const std::size_t length = m_program.MatchChar(element, p, m_end);
        if (length == 0)
            break;
        p += length;
    }
    m_runFrom[k] = at;
    m_runTo[k] = p;
    return p;
}

// Matches the elements from `firstElement` on at `at`. Running out of text counts as a mismatch
// for backtracking (else ".*x" could never match), but ends the search when nothing rescues it.
RegexMatcher::Attempt RegexMatcher::Try(std::size_t firstElement, const Byte* at) {
    const std::size_t count = m_program.ElementCount();
    const Byte* p = at;
    std::size_t repeated = count;
    const Byte* runStart = nullptr;
    const Byte* runEnd = nullptr;
    Outcome failure = Outcome::Matched;
    for (std::size_t k = firstElement; k < count; ++k) {
        if (p >= m_end) {
            failure = Outcome::TextEnded;
            break;
        }
        const RegexElement& element = m_program.Element(k);
        if (element.once) {
            const std::size_t length = m_program.MatchChar(element, p, m_end);
            if (length == 0) {
                failure = Outcome::Mismatch;
                break;
            }
            p += length;
        } else {
            repeated = k;
            runStart = p;
            runEnd = p = RunEnd(k, p);
        }
    }
    if (failure == Outcome::Matched)
        return {Outcome::Matched, p};
    if (repeated < count && runEnd > runStart) {
        if (const Byte* restEnd = LastRestMatch(repeated + 1, runStart, runEnd))
            return {Outcome::Matched, restEnd};
    }
    return {failure, p};
}

// A backtracking attempt: the elements after a repetition, tried at every place from its run's
// start to before its end; the last place that matches wins, so the repetition stays greedy.
const Byte* RegexMatcher::LastRestMatch(std::size_t firstElement, const Byte* from,
                                        const Byte* to) {
    if (m_calls >= kMatchCallBudget)
        return nullptr;
    ++m_calls;
    const Byte* lastEnd = nullptr;
    for (const Byte* q = from; q < to; q = NextChar(q)) {
        const Attempt attempt = Try(firstElement, q);
        if (attempt.outcome == Outcome::Matched)
            lastEnd = attempt.end;
        else if (attempt.outcome == Outcome::TextEnded)
            break;
    }
    return lastEnd;
}

bool RegexMatcher::AnchorHolds(const Byte* matchStart, const Byte* matchEnd) const {
    switch (m_program.Anchor()) {
    case RegexAnchor::LineStart:
        return matchStart == m_start ||
               (matchStart - m_start >= 2 && matchStart[-2] == kCr && matchStart[-1] == kLf);
    case RegexAnchor::LineEnd:
        return matchEnd == m_end ||
               (m_end - matchEnd >= 2 && matchEnd[0] == kCr && matchEnd[1] == kLf);
    case RegexAnchor::None:
        break;
    }
    return true;
}

std::optional<Match> RegexMatcher::Find(bool firstOnly) {
    std::optional<Match> last;
    const Byte* m = m_start;
    while (m < m_end) {
        // Skipping places where the first element cannot match changes nothing: there the
        // attempt fails before any repetition or backtracking.
        if (!m_program.MayStartAt(m, m_end)) {
            m = NextChar(m);
            continue;
        }
        const Attempt attempt = Try(0, m);
        if (attempt.outcome == Outcome::TextEnded)
            break;
        if (attempt.outcome == Outcome::Mismatch) {
            m = NextChar(m);
            continue;
        }
        if (!AnchorHolds(m, attempt.end)) {
            m = attempt.end > m ? attempt.end : NextChar(m);
            continue;
        }
        last =
            Match{static_cast<std::size_t>(m - m_start), static_cast<std::size_t>(attempt.end - m)};
        // An empty match would be found again at the same place: it ends the search.
        if (firstOnly || attempt.end == m)
            break;
        m = attempt.end;
    }
    return last;
}

} // namespace nelvix
