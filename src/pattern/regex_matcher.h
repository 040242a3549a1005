// The regular-expression engine's matching: leftmost match with greedy repetition, backtracking
// over the last repetition within a budget of 11 calls of the matching step per search.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "pattern/regex_carry.h"
#include "pattern/regex_program.h"

namespace nelvix {

/// The top call and 10 backtracking attempts.
inline constexpr int kMatchCallBudget = 11;

class RegexMatcher {
public:
    /// `carry`, when given, holds what earlier searches of the same text learnt and takes
    /// what this one learns (see RegexCarry for the searches it may be kept across).
    RegexMatcher(const RegexProgram& program, const Byte* start, const Byte* end,
                 RegexCarry* carry = nullptr);

    /// The first match (`firstOnly`) or the last one found scanning forward; nothing when none.
    std::optional<Match> Find(bool firstOnly);
    /// Calls of the matching step so far: never more than kMatchCallBudget.
    int Calls() const { return m_calls; }

private:
    enum class Outcome { Matched, Mismatch, TextEnded };
    struct Attempt {
        Outcome outcome;
        const Byte* end;
        /// For a match found by backtracking: the repetition given back and where the elements
        /// after it matched; else the element count and null.
        std::size_t backtracked;
        const Byte* restFrom;
    };
    struct RestMatch {
        const Byte* from;
        const Byte* end;
    };

    Attempt Try(std::size_t firstElement, const Byte* at);
    Attempt AttemptAt(const Byte* at);
    void LearnFrom(const Attempt& attempt);
    RestMatch LastRestMatch(std::size_t firstElement, const Byte* from, const Byte* to);
    const Byte* RunEnd(std::size_t k, const Byte* at);
    bool AnchorHolds(const Byte* matchStart, const Byte* matchEnd) const;

    const Byte* NextChar(const Byte* at) const {
        return IsLeadByte(*at) && m_end - at >= 2 ? at + 2 : at + 1;
    }

    const RegexProgram& m_program;
    const Byte* m_start;
    const Byte* m_end;
    RegexCarry* m_carry;
    /// The first element that repeats; the element count when none does.
    std::size_t m_firstRepetition;
    int m_calls = 1;
    std::uint64_t m_steps = 0; ///< characters examined, handed to the carry
    /// Where the attempt under way reached the first repetition; null before it did.
    const Byte* m_firstRunStart = nullptr;
    /// The attempt under way was answered by the carry.
    bool m_carried = false;
    // The last greedy run of each element: a run begun anywhere inside it ends at the same place.
    std::array<const Byte*, kMaxPatternBytes> m_runFrom{};
    std::array<const Byte*, kMaxPatternBytes> m_runTo{};
};

} // namespace nelvix
