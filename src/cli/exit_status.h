// The exit statuses of nelvix-cli.
#pragma once

namespace nelvix::cli {

enum ExitStatus : int {
    kExitOk = 0,
    kExitFileError = 1, ///< a file could not be read, or the output could not be written
    kExitUsage = 2,     ///< the arguments do not form a command
};

/// find answers as grep does.
enum FindExitStatus : int {
    kExitFound = 0,
    kExitNothingFound = 1,
    kExitFindTrouble = 2, ///< wrong arguments, or the run could not be made or written
};

} // namespace nelvix::cli
