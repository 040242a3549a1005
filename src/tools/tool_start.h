// What starting a tool entry means on this system: the program, its arguments split from the
// expanded parameters, and the working directory.
#pragma once

#include <string>
#include <string_view>

#include "store/tool_entry.h"
#include "ui/process_launcher.h"

namespace nelvix {

/// The directory part of a native program path: "/" for a program at the root, empty for a
/// bare name.
std::string ProgramDirectory(std::string_view nativeProgram);

/// The process for `entry` with its expanded parameters (Shift-JIS): the program path as it
/// is, the parameters split by SplitToolArguments, the entry's directory or else the program's
/// own, all turned into native names.
ui::ProcessStart ToolProcessStart(const ToolEntry& entry, std::string_view sjisExpandedParameters);

} // namespace nelvix
