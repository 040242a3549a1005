// The exit statuses of nelvix-cli.
#pragma once

namespace nelvix::cli {

enum ExitStatus : int {
    kExitOk = 0,
    kExitFileError = 1, ///< a file could not be read, or the output could not be written
    kExitUsage = 2,     ///< the arguments do not form a command
};

} // namespace nelvix::cli
