// What a confirmed editor or browser page tells the person: the list rule's beeps and the
// missing-program message.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "tools/tool_list.h"

namespace nelvix::ui {
struct Platform;
} // namespace nelvix::ui

namespace nelvix {

/// True when the Shift-JIS path names an existing file that is not a directory.
bool ProgramFileExists(std::string_view sjisPath);

/// EditToolList, then a beep for every refusal but the empty program, and message 59440 after
/// the beep when the program file is missing. The page moves the focus by the result.
ToolEditResult ConfirmToolEntry(
    ui::Platform& platform, std::vector<ToolEntry>& list, const ToolEntry& entry,
    const std::function<bool(std::string_view sjisPath)>& programExists = ProgramFileExists);

} // namespace nelvix
