// The command line of nelvix-cli: which subcommand, on which files, with which options.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/args/extract_args.h"
#include "cli/args/find_args.h"
#include "cli/args/html_args.h"
#include "cli/args/replay_args.h"
#include "cli/io/output_file.h"

namespace nelvix::cli {

enum class Subcommand { Help, Detect, Convert, Find, Extract, Html, Replay };

struct CliArgs {
    Subcommand command = Subcommand::Help;
    /// Native file names, exactly as given.
    std::vector<std::string> files;
    /// The "CodeDecision" value that --code chose: 0 auto, 1 Shift-JIS, 2 JIS, 3 EUC.
    int codeDecision = 0;
    /// convert, find, extract, html and replay: UTF-8 with LF, not Shift-JIS with CR LF.
    bool utf8 = false;
    /// find: its pattern, file set and options.
    FindArgs find;
    /// extract: its rule source and its text or file set.
    ExtractArgs extract;
    /// html: its target, string, file set and options.
    HtmlArgs html;
    /// replay: the saved operation, its home and the text of a line extraction.
    ReplayArgs replay;
    /// Not from the words: the regular file standard output writes into, which runs over a
    /// file set pass over.
    std::optional<OutputFile> outputFile;
};

struct ParsedArgs {
    CliArgs args;
    /// Empty when the arguments form a command; otherwise what is wrong with them.
    std::string error;
    bool ok() const { return error.empty(); }
};

/// Parses the arguments after the program name. On a usage error `error` says what is wrong,
/// for a person, and `args` is not to be used.
ParsedArgs ParseCliArgs(std::span<const std::string> arguments);

/// The "CodeDecision" value for a --code word, or -1 for a word that is none of
/// auto, sjis, jis, euc.
int CodeDecisionOfWord(std::string_view word);

/// The usage text, ending with a line end.
std::string_view UsageText();

} // namespace nelvix::cli
