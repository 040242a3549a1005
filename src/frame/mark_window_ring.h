// The mark windows: a short ring of document windows that the user marks and then cycles
// through; a marked window's document title carries the prefix "* ".
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "base/limits.h"
#include "commands/frame_windows.h"

namespace nelvix::ui {
struct Platform;
}

namespace nelvix {

inline constexpr std::size_t kMaxMarkWindows = 10;
inline constexpr char kMarkTitlePrefixBytes[] = "* ";
inline constexpr std::string_view kMarkTitlePrefix{kMarkTitlePrefixBytes,
                                                   sizeof kMarkTitlePrefixBytes - 1};
/// A title that takes the prefix must leave room for it within 260 bytes.
inline constexpr std::size_t kMaxTitleBytesToMark = 258;

class MarkWindowRing {
public:
    MarkWindowRing(FrameWindows& windows, ui::Platform& platform);

    /// "ﾏｰｸｳｨﾝﾄﾞｳの設定/解除": unmarks the active window when it is in the ring, else marks
    /// it (a beep when the ring is full). A title that cannot take or give up its prefix beeps
    /// and keeps its title.
    void Toggle();
    /// "次のﾏｰｸｳｨﾝﾄﾞｳ" / "前のﾏｰｸｳｨﾝﾄﾞｳ": activates the next or previous marked window,
    /// continuing at the other end. A beep with an empty ring, or when the window reached was
    /// closed; such a window leaves the ring.
    void Next();
    void Previous();
    /// "すべてのﾏｰｸｳｨﾝﾄﾞｳを解除": removes every prefix and empties the ring. A title longer
    /// than 260 bytes beeps and changes nothing at all.
    void UnmarkAll();

    const std::vector<WindowId>& Windows() const { return m_ring; }
    std::size_t CurrentIndex() const { return m_current; }
    bool Contains(WindowId window) const;

private:
    void Step(bool forward);
    /// Removes the entry at `index`; the current index stays, never beyond the last entry.
    void RemoveAt(std::size_t index);
    void AddPrefix(CKespoDoc& document);
    /// False (after a beep) when the title lacks the prefix or is too long to be unmarked.
    bool RemovePrefix(CKespoDoc& document);

    FrameWindows& m_windows;
    ui::Platform& m_platform;
    std::vector<WindowId> m_ring;
    std::size_t m_current = 0;
};

} // namespace nelvix
