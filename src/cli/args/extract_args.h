// The command line of nelvix-cli extract: where the rules come from, and the text or file set
// they cut down.
#pragma once

#include <optional>
#include <span>
#include <string>

namespace nelvix::cli {

/// What the extraction sheet and the active window would give, as typed on the command line.
struct ExtractArgs {
    /// A rule-set record file (native); takes the place of the data file.
    std::optional<std::string> rulesFile;
    /// A data file (native) whose rule set is taken; nothing: the program home's data file.
    std::optional<std::string> dataFile;
    /// --global: the file set as a search specification (native), as find --spec takes it.
    std::optional<std::string> specification;
    bool subdirectories = true;
    /// The text of a line extraction (native); nothing with --global.
    std::optional<std::string> file;
};

struct CliArgs;

/// Reads the words after "extract" into `args` (its extract part, code and --utf8). Returns a
/// usage error for a person, or an empty string; sets `helpAsked` for --help.
std::string ParseExtractArgs(std::span<const std::string> arguments, CliArgs& args,
                             bool& helpAsked);

} // namespace nelvix::cli
