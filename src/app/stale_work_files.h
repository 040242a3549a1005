// Work files and save temporaries left behind by instances that ended without removing theirs
// (killed, crashed).
#pragma once

#include <string>

namespace nelvix {

/// Removes from `programHome` (a native path) every work file and save temporary whose instance
/// no longer runs: a regular file named as `WorkFilePath` names one, or as a save names its
/// temporaries (`.nelvix-save-<process id>-XXXXXX`), whose process id names no process. The files
/// of running instances (also those of other users), this process's own, and everything else
/// (other names, folders, symbolic links) stay.
void RemoveStaleWorkFiles(const std::string& programHome);

} // namespace nelvix
