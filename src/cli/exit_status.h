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

/// extract answers as find does.
enum ExtractExitStatus : int {
    kExitExtracted = 0,
    kExitNothingExtracted = 1,
    /// Wrong arguments, rules that cannot run, a run that could not be made or written, or a
    /// result cut short at the result document's limits.
    kExitExtractTrouble = 2,
};

} // namespace nelvix::cli
