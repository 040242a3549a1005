// The editor and browser lists: the rule by which a settings page's three fields become the
// front entry of a list.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "base/limits.h"
#include "store/tool_entry.h"

namespace nelvix {

/// What editing a list did, and which field the page must point the person to.
enum class ToolEditResult {
    Added,             ///< the entry is first; an equal one was removed, the 21st dropped
    EmptyProgram,      ///< the list is unchanged; the focus goes to the program field
    ProgramTooLong,    ///< 261 bytes or more: a beep
    ProgramMissing,    ///< a beep, message 59440, the focus on the program field
    ParametersTooLong, ///< a beep, the parameters selected whole
    DirectoryTooLong,  ///< a beep, the directory selected whole
};

/// Puts `entry` at the front of `list` by the page's rules; `programExists` tells whether the
/// program file exists (a Shift-JIS path).
ToolEditResult EditToolList(std::vector<ToolEntry>& list, const ToolEntry& entry,
                            const std::function<bool(std::string_view sjisPath)>& programExists);

} // namespace nelvix
