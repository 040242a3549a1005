// The program home: the folder that holds the program's own files.
#pragma once

#include <string>

namespace nelvix {

namespace ui {
struct Platform;
}

/// `$NELVIX_HOME` when set, else `${XDG_CONFIG_HOME:-$HOME/.config}/nelvix`; a native path.
/// Empty when no home can be worked out.
std::string ProgramHome();

/// Creates the program home (and its parents) when missing; false when that failed.
bool EnsureProgramHome(const std::string& home);

/// True when no entry of that name exists (a dangling link is an entry).
bool NoEntryAt(const std::string& nativePath);

/// Copies the system directory's `nativeSystemFile` to `nativeHomeFile` (in `nativeFolder`,
/// made when missing) when the home has no entry of that name and the system file exists: a
/// first start begins from the installed defaults. A failed copy leaves nothing behind.
void CopySystemFileWhenMissing(ui::Platform& platform, const std::string& nativeFolder,
                               const std::string& nativeHomeFile,
                               const std::string& nativeSystemFile);

} // namespace nelvix
