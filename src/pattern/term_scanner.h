// The terms of a multi-text pattern searched together: the next place where any term matches,
// each term's next match kept so that no stretch of text is scanned twice for it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "pattern/plain_searcher.h"

namespace nelvix {

class TermScanner {
public:
    /// `terms` must outlive the scanner.
    TermScanner(const std::vector<std::string>& terms, bool caseSensitive);

    struct Hit {
        const Byte* at;
        std::size_t term;
    };

    /// Starts over on the text [text, end); `text` must start a character.
    void Reset(const Byte* text, const Byte* end);
    /// The first place at or after `from` where a term matches, with the first term in order
    /// that matches there; nothing when no term matches. `from` starts a character and never
    /// goes back between calls.
    std::optional<Hit> Next(const Byte* from);
    /// Bytes of the first character of `term`: the step after a hit.
    std::size_t FirstCharLength(std::size_t term) const {
        return m_searchers[term].FirstCharLength();
    }

private:
    // Either `hit`, the first match at or after the last `from`, or none in [from, clearTo).
    struct Cursor {
        const Byte* hit = nullptr;
        const Byte* clearTo = nullptr;
    };

    const Byte* FindBefore(std::size_t term, const Byte* from, const Byte* limit);

    std::vector<PlainSearcher> m_searchers;
    std::vector<Cursor> m_cursors;
    const Byte* m_end = nullptr;
};

} // namespace nelvix
