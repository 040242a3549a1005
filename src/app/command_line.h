// The program's command line: at most one user tool to run, whether to end after it, and one
// file to open.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace nelvix {

/// Option values and file names of this many bytes or more are ignored.
inline constexpr std::size_t kCommandLineTokenLimit = 256;

struct CommandLineRequest {
    std::string file;           ///< Shift-JIS; empty when none is named
    int userTool = 0;           ///< 0 none; 1..5 run that user tool
    bool exitAfterTool = false; ///< end the program after the user tool
    bool operator==(const CommandLineRequest&) const = default;
};

/// Parses the text after the program name ("/T3 /E", "-t=2 \"my file.txt\""). Options ("/" or
/// "-" and a letter) come first; the first other token is the file name, and nothing after it
/// is read. A token that starts with "/" and holds another "/" is an absolute path, not an
/// option.
CommandLineRequest ParseCommandLine(std::string_view sjisText);

/// Joins arguments (Shift-JIS) into one command-line text, quoting those that hold a blank.
std::string JoinCommandLine(const std::vector<std::string>& sjisArguments);

} // namespace nelvix
