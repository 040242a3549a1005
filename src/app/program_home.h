// The program home: the folder that holds the program's own files.
#pragma once

#include <string>

namespace nelvix {

/// `$NELVIX_HOME` when set, else `${XDG_CONFIG_HOME:-$HOME/.config}/nelvix`; a native path.
/// Empty when no home can be worked out.
std::string ProgramHome();

/// Creates the program home (and its parents) when missing; false when that failed.
bool EnsureProgramHome(const std::string& home);

} // namespace nelvix
