// The command line of nelvix-cli replay: the saved operation, the program home it lies in, and
// the text a line extraction of it cuts down.
#pragma once

#include <optional>
#include <span>
#include <string>

namespace nelvix::cli {

struct ReplayArgs {
    /// The macro's name as the save dialog took it (native), such as "find1" or "find1.mac".
    std::string macro;
    /// The program home holding the macro file and the settings (native); nothing: ProgramHome().
    std::optional<std::string> home;
    /// The text that a recorded line extraction works on, in the place of the active window.
    std::optional<std::string> file;
};

struct CliArgs;

/// Reads the words after "replay" into `args` (its replay part and --utf8). Returns a usage
/// error for a person, or an empty string; sets `helpAsked` for --help.
std::string ParseReplayArgs(std::span<const std::string> arguments, CliArgs& args, bool& helpAsked);

} // namespace nelvix::cli
