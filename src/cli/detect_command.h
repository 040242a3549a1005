// nelvix-cli detect: each file's encoding and line-end kind, as the program would judge them.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace nelvix::cli {

/// Prints "PATH: CODE, LINE-END" on `out` for each file. A file that cannot be read gets
/// "nelvix-cli: PATH: REASON" on `err`, the others are still judged, and the result is then
/// kExitFileError; kExitOk otherwise.
int RunDetect(std::span<const std::string> nativePaths, std::ostream& out, std::ostream& err);

} // namespace nelvix::cli
