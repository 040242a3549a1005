// The main frame's toolbar, left to right, with its tips. A tip holds the status bar text, then
// "\n" and the short tip; tips are UTF-8: they go only to the front end.
#pragma once

#include <span>
#include <string_view>

namespace nelvix {

enum class ToolbarItemKind { Button, Separator, FindBox };

struct ToolbarItem {
    ToolbarItemKind kind = ToolbarItemKind::Separator;
    int commandId = 0;    ///< the find box's control id for the find box
    std::string_view tip; ///< empty for separators and the user tools (their tip is the slot's)
};

inline constexpr int kFindBoxWidthPixels = 160;
inline constexpr int kFindBoxListHeightPixels = 121;

std::span<const ToolbarItem> FrameToolbar();

struct TipParts {
    std::string_view statusText; ///< before the "\n"
    std::string_view shortTip;   ///< after it
};

/// A tip without "\n" is both texts.
TipParts SplitTip(std::string_view tip);

/// The tip of the toolbar item of `commandId`; empty when the toolbar has none.
std::string_view ToolbarTipOf(int commandId);

} // namespace nelvix
