// A window's placement as the settings store keeps it: flags, show state, the minimised and
// maximised positions and the normal rectangle.
#pragma once

#include <cstdint>

namespace nelvix::ui {

enum ShowState : std::uint32_t {
    kShowHidden = 0,
    kShowNormal = 1,
    kShowMinimized = 2,
    kShowMaximized = 3
};

/// Placement flag: a minimised window comes back maximised.
inline constexpr std::uint32_t kRestoreToMaximized = 2;

struct WindowPlacement {
    std::uint32_t flags = 0;
    std::uint32_t showState = kShowNormal;
    std::int32_t minX = 0, minY = 0, maxX = 0, maxY = 0;
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const WindowPlacement&) const = default;
};

} // namespace nelvix::ui
