// Matching a compiled pattern against a text.
#include "pattern/regex_matcher.h"

namespace nelvix {
namespace {

std::size_t FirstRepetition(const RegexProgram& program) {
    for (std::size_t k = 0; k < program.ElementCount(); ++k) {
        if (!program.Element(k).once)
            return k;
    }
    return program.ElementCount();
}

} // namespace

RegexMatcher::RegexMatcher(const RegexProgram& program, const Byte* start, const Byte* end,
                           RegexCarry* carry)
    : m_program(program), m_start(start), m_end(end), m_carry(carry),
      m_firstRepetition(FirstRepetition(program)) {}

const Byte* RegexMatcher::RunEnd(std::size_t k, const Byte* at) {
    if (m_runFrom[k] != nullptr && m_runFrom[k] <= at && at <= m_runTo[k])
        return m_runTo[k];
    const RegexElement& element = m_program.Element(k);
    const Byte* p = at;
    while (p < m_end) {
        ++m_steps;
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
            ++m_steps;
            const std::size_t length = m_program.MatchChar(element, p, m_end);
            if (length == 0) {
                failure = Outcome::Mismatch;
                break;
            }
            p += length;
            continue;
        }
        if (firstElement == 0 && k == m_firstRepetition) {
            m_firstRunStart = p;
            // An attempt with the whole budget that reaches this run where an earlier one did
            // goes on from the run's end as that one did.
            if (m_carry != nullptr && m_calls == 1 && m_carry->Knows(p)) {
                m_carried = true;
                return {Outcome::Matched, m_carry->MatchEnd(), count, nullptr};
            }
        }
        repeated = k;
        runStart = p;
        runEnd = p = RunEnd(k, p);
    }
    if (failure == Outcome::Matched)
        return {Outcome::Matched, p, count, nullptr};
    if (repeated < count && runEnd > runStart) {
        const RestMatch rest = LastRestMatch(repeated + 1, runStart, runEnd);
        if (rest.end != nullptr)
            return {Outcome::Matched, rest.end, repeated, rest.from};
    }
    return {failure, p, count, nullptr};
}

// A backtracking attempt: the elements after a repetition, tried at every place from its run's
// start to before its end; the last place that matches wins, so the repetition stays greedy.
RegexMatcher::RestMatch RegexMatcher::LastRestMatch(std::size_t firstElement, const Byte* from,
                                                    const Byte* to) {
    RestMatch last{nullptr, nullptr};
    if (m_calls >= kMatchCallBudget)
        return last;
    ++m_calls;
    for (const Byte* q = from; q < to; q = NextChar(q)) {
        const Attempt attempt = Try(firstElement, q);
        if (attempt.outcome == Outcome::Matched)
            last = {q, attempt.end};
        else if (attempt.outcome == Outcome::TextEnded)
            break;
    }
    return last;
}

// An attempt from the first element, learning from a match made with the whole budget.
RegexMatcher::Attempt RegexMatcher::AttemptAt(const Byte* at) {
    const bool fresh = m_calls == 1;
    m_firstRunStart = nullptr;
    m_carried = false;
    const Attempt attempt = Try(0, at);
    if (m_carry != nullptr && fresh && !m_carried && m_firstRunStart != nullptr &&
        attempt.outcome == Outcome::Matched)
        LearnFrom(attempt);
    return attempt;
}

// After the first repetition's run the attempt no longer depends on where that run began, as
// long as the run is not the one given back. When it is, the elements after it were tried
// from the run's start on, and an attempt whose run begins later finds the same last place
// only up to that place, and only when trying them spent no budget of their own.
void RegexMatcher::LearnFrom(const Attempt& attempt) {
    const Byte* runEnd = RunEnd(m_firstRepetition, m_firstRunStart);
    if (attempt.backtracked != m_firstRepetition) {
        m_carry->Learn(m_firstRunStart, runEnd, attempt.end);
        return;
    }
    constexpr int kOneBacktrack = 2;
    if (m_calls == kOneBacktrack)
        m_carry->Learn(m_firstRunStart, attempt.restFrom, attempt.end);
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
            ++m_steps;
            m = NextChar(m);
            continue;
        }
        const Attempt attempt = AttemptAt(m);
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
    if (m_carry != nullptr)
        m_carry->AddSteps(m_steps);
    return last;
}

} // namespace nelvix
