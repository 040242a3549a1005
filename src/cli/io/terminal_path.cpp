// Paths printed for a terminal.
#include "cli/io/terminal_path.h"

#include <algorithm>

#include "base/native_path.h"

namespace nelvix::cli {

std::string TerminalPath(std::string_view sjisPath) {
    std::string native = SjisPathToNative(sjisPath);
    std::replace_if(
        native.begin(), native.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; },
        '?');
    return native;
}

} // namespace nelvix::cli
