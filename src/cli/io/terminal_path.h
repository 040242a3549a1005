// A path of a result or tag line as a terminal shows it.
#pragma once

#include <string>
#include <string_view>

namespace nelvix::cli {

/// The file's native name, so that it can be used from the terminal, with every byte below
/// 0x20 shown as "?" (as ls does): a line break in a name must not break the printed line.
std::string TerminalPath(std::string_view sjisPath);

} // namespace nelvix::cli
