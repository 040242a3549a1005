// nelvix-cli find: the global find command without its dialogs.
#pragma once

#include <ostream>
#include <string>

#include "cli/args/cli_args.h"
#include "search/global_find_engine.h"
#include "ui/platform.h"

namespace nelvix::cli {

/// Searches the file set of `args.find` as the global find command does, printing the result
/// lines on `out` while they are found and the program's messages (the counts last) on `err`.
/// The status of SearchExitStatus, or kExitFindTrouble (after the reason on `err`) when the
/// pattern is too long for its strategy, or the run cannot be made or its output written.
int RunFind(const CliArgs& args, std::ostream& out, std::ostream& err);

/// The run of RunFind over the Shift-JIS search specification `sjisSpecification` for the
/// Shift-JIS `pattern`, with the options, subdirectory flag and buffer of `args.find`.
int SearchFileSet(const CliArgs& args, const std::string& sjisSpecification,
                  const std::string& pattern, std::ostream& out, std::ostream& err);

/// kExitFindTrouble when the subdirectories could not be listed (message 59438), else
/// kExitFound with hits and kExitNothingFound without.
int SearchExitStatus(const GlobalFindCounts& counts);

/// The messages that end a search over a file set: too many directories, when so, then the
/// counts.
void ShowSearchEndMessages(ui::Platform& platform, const GlobalFindCounts& counts);

} // namespace nelvix::cli
