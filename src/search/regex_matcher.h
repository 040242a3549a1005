// The regular-expression engine's matching: leftmost match with greedy repetition, backtracking
// over the last repetition within a budget of 11 calls of the matching step per search.
#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "search/regex_program.h"

namespace nelvix {

/// The top call and 10 backtracking attempts.
inline constexpr int kMatchCallBudget = 11;

class RegexMatcher {
public:
    RegexMatcher(const RegexProgram& program, const Byte* start, const Byte* end)
        : m_program(program), m_start(start), m_end(end) {}

    /// The first match (`firstOnly`) or the last one found scanning forward; nothing when none.
    std::optional<Match> Find(bool firstOnly);
    /// Calls of the matching step so far: never more than kMatchCallBudget.
    int Calls() const { return m_calls; }

private:
    enum class Outcome { Matched, Mismatch, TextEnded };
    struct Attempt {
        Outcome outcome;
        const Byte* end;
    };

    Attempt Try(std::size_t firstElement, const Byte* at);
    const Byte* LastRestMatch(std::size_t firstElement, const Byte* from, const Byte* to);
    const Byte* RunEnd(std::size_t k, const Byte* at);
    bool AnchorHolds(const Byte* matchStart, const Byte* matchEnd) const;

    const Byte* NextChar(const Byte* at) const {
        return IsLeadByte(*at) && m_end - at >= 2 ? at + 2 : at + 1;
    }

    const RegexProgram& m_program;
    const Byte* m_start;
    const Byte* m_end;
    int m_calls = 1;
    // The last greedy run of each element: a run begun anywhere inside it ends at the same place.
    std::array<const Byte*, kMaxRegexPatternBytes> m_runFrom{};
    std::array<const Byte*, kMaxRegexPatternBytes> m_runTo{};
};

} // namespace nelvix
