// nelvix-cli as a function, so that tests run it in-process.
#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string>

#include "cli/io/output_file.h"

namespace nelvix::cli {

/// Runs the command given by `arguments` (without the program name), writing results to `out`
/// and messages to `err`. Returns the exit status: kExitUsage (after the problem and the usage
/// on `err`) for arguments that form no command, kExitFileError when a file could not be read.
/// `outputFile` is the regular file behind `out`, when it is one.
int RunCli(std::span<const std::string> arguments, std::ostream& out, std::ostream& err,
           std::optional<OutputFile> outputFile = std::nullopt);

} // namespace nelvix::cli
