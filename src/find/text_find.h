// Find in one text: the start position, the search with wrap-around (plain or through the
// matcher), showing the hit, and the find box commands.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/limits.h"
#include "base/sjis.h"
#include "find/find_history.h"
#include "find/find_target.h"
#include "pattern/search_options.h"

namespace nelvix::ui {
struct Platform;
}

namespace nelvix {

/// The last find keeps this many bytes of its string.
inline constexpr std::size_t kLastFindBytes = 79;
/// A wrapped matcher search reaches this far past the start position, so that a hit that
/// begins before it and runs across it is found.
inline constexpr std::uint32_t kWrapWideningBytes = 80;
/// A selection whose last character starts this far after its start limits the find.
inline constexpr std::uint32_t kRangeSelectionBytes = 80;

enum class FindBoxCommand : int { FindNext = 32822, FindPrevious = 32792, FindNextButton = 195 };

/// The settings the find in a text reads.
struct TextFindSettings {
    bool colorFoundLine = false;     ///< "ColorFoundLine"
    bool plusInvert = false;         ///< "PlusInvert"
    bool multiText = false;          ///< "MultiText"
    bool enableSelFindByBox = false; ///< "EnableSelFindByBox"
};

/// The options kept with the global find: match case, width, regular expression, direction,
/// and the find history.
struct SharedFindOptions {
    SearchOptions& options;
    bool& down;
    FindHistory& history;
};

struct LastFind {
    std::string pattern;
    bool down = true;
    bool matchCase = false;
};

struct TextHit {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
    bool operator==(const TextHit&) const = default;
};

/// True when the options take the character-by-character plain search.
bool UsesPlainSearch(const SearchOptions& options);

/// The hit of `pattern` in `range` of `text` searched from `start`, wrapping around once.
/// Nothing for an empty pattern, one longer than 80 bytes, or no occurrence.
std::optional<TextHit> SearchText(const Byte* text, ByteRange range, std::uint32_t start,
                                  std::string_view pattern, bool down,
                                  const SearchOptions& options);

/// The shown stream selection as a search range when it holds a CR or its last character
/// starts 80 or more bytes after its start; nothing otherwise.
std::optional<ByteRange> SelectionAsSearchRange(const FindTarget& target);

class TextFind {
public:
    /// `refreshFindBox` is called after a find box command changed the history.
    TextFind(ui::Platform& platform, SharedFindOptions shared, const TextFindSettings& settings,
             std::function<void()> refreshFindBox);

    /// Finds and shows the next hit; false (after a beep) when there is none, the caret and
    /// the selection then stay.
    bool FindNext(FindTarget& target, std::string_view pattern, bool down, bool matchCase);
    /// The find box commands; false after a beep for an empty or over-long box text or no hit.
    bool FindWithBox(FindTarget& target, std::string_view boxText, FindBoxCommand command,
                     bool ctrlHeld, bool findDialogOpen);

    /// Called with true before a find searches and with false when it is done, so that the
    /// busy pointer shows meanwhile.
    void SetBusyPointer(std::function<void(bool)> busy) { m_busy = std::move(busy); }

    const LastFind& Last() const { return m_last; }
    SharedFindOptions& Shared() { return m_shared; }
    void RefreshFindBox();

private:
    std::uint32_t StartPosition(const FindTarget& target, std::string_view pattern, bool down,
                                const SearchOptions& options) const;
    bool SearchAndShow(FindTarget& target, std::string_view pattern, bool down, bool matchCase);
    void ShowHit(FindTarget& target, const TextHit& hit) const;

    ui::Platform& m_platform;
    SharedFindOptions m_shared;
    const TextFindSettings& m_settings;
    std::function<void()> m_refreshFindBox;
    std::function<void(bool)> m_busy;
    LastFind m_last;
};

} // namespace nelvix
