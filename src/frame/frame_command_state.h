// What the frame's menus, keys and toolbar ask before they show or run a command.
#pragma once

#include <string>

namespace nelvix {

class FrameCommandState {
public:
    virtual ~FrameCommandState() = default;
    /// A disabled command's menu item and button are grey, and its key does nothing.
    virtual bool IsEnabled(int commandId) const = 0;
    /// Only items that can show a check mark ask.
    virtual bool IsChecked(int commandId) const = 0;
    /// Shift-JIS menu text with "\t" and the key, e.g. a user tool's name; empty: the table's
    /// label.
    virtual std::string MenuText(int commandId) const = 0;
    /// Shift-JIS tooltip of a user-tool button; empty: no tooltip.
    virtual std::string ToolTipText(int commandId) const = 0;
};

} // namespace nelvix
