// What one search of the regular-expression engine learnt for the searches after it in the same
// text. The global find engine searches a chunk again from one character past each match; a
// pattern that reaches a repetition ("a*", "xa*b") would otherwise walk the same run of
// characters again from each of those starts, which over a long run costs its square.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/sjis.h"
#include "pattern/search_options.h"

namespace nelvix {

/// The options a carry was learnt under, as `Begin` takes them.
constexpr std::uint8_t RegexCarryFlags(bool caseSensitive, bool regularExpression,
                                       bool widthSensitive) {
    return static_cast<std::uint8_t>((caseSensitive ? 1 : 0) | (regularExpression ? 2 : 0) |
                                     (widthSensitive ? 4 : 0));
}

/// Kept by a caller across searches of one text (the same end) for one pattern, each search
/// starting on the character boundaries counted from where the first one started; forgotten
/// when the text changes. A search with another pattern, options or text end forgets on its own.
class RegexCarry {
public:
    /// Starts a search: what was learnt for another pattern, options or text is dropped.
    void Begin(std::string_view pattern, std::uint8_t flags, const Byte* textEnd);
    /// Drops what was learnt; the buffer now holds another text.
    void Forget() {
        m_textEnd = nullptr;
        m_learnt = false;
    }

    /// An attempt that began afresh (a full backtracking budget) and reached the pattern's first
    /// repetition at `runStart` matches, ending where MatchEnd() says.
    bool Knows(const Byte* runStart) const {
        return m_learnt && m_runFrom <= runStart && runStart <= m_runThrough;
    }
    const Byte* MatchEnd() const { return m_matchEnd; }
    /// Such attempts reaching the repetition anywhere in [runFrom, runThrough] end at matchEnd.
    void Learn(const Byte* runFrom, const Byte* runThrough, const Byte* matchEnd) {
        m_runFrom = runFrom;
        m_runThrough = runThrough;
        m_matchEnd = matchEnd;
        m_learnt = true;
    }

    /// Characters the matcher examined in the searches that carried this, for tests and
    /// benchmarks of the work done.
    std::uint64_t Steps() const { return m_steps; }
    void AddSteps(std::uint64_t steps) { m_steps += steps; }
    void ResetSteps() { m_steps = 0; }

private:
    std::array<char, kMaxPatternBytes> m_pattern{};
    std::size_t m_patternBytes = 0;
    std::uint8_t m_flags = 0;
    const Byte* m_textEnd = nullptr;
    bool m_learnt = false;
    const Byte* m_runFrom = nullptr;
    const Byte* m_runThrough = nullptr;
    const Byte* m_matchEnd = nullptr;
    std::uint64_t m_steps = 0;
};

} // namespace nelvix
