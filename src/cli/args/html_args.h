// The command line of nelvix-cli html: what to list, the search string and its options, and the
// file set.
#pragma once

#include <span>
#include <string>

#include "cli/args/find_args.h"
#include "pattern/search_options.h"
#include "search/html_search_run.h"

namespace nelvix::cli {

/// What the HTML search dialog would hold, as typed on the command line.
struct HtmlArgs {
    /// --title (the default), --links or --string S.
    HtmlTarget target = HtmlTarget::Title;
    /// The string of --string: terminal text (UTF-8), or Shift-JIS bytes with `patternSjis`.
    std::string pattern;
    bool patternSjis = false;
    /// The file set: a search specification (native) as find --spec takes it.
    std::string specification;
    /// Case- and width-sensitive unless -i or -w, as for find.
    SearchOptions options{.caseSensitive = true, .widthSensitive = true};
    bool subdirectories = true;
    long subdirBufferKb = kDefaultSubdirBufferKb;
};

struct CliArgs;

/// Reads the words after "html" into `args` (its html part, code and --utf8). Returns a usage
/// error for a person, or an empty string; sets `helpAsked` for --help.
std::string ParseHtmlArgs(std::span<const std::string> arguments, CliArgs& args, bool& helpAsked);

} // namespace nelvix::cli
