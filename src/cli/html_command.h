// nelvix-cli html: the HTML search command without its dialog.
#pragma once

#include <ostream>

#include "cli/args/cli_args.h"

namespace nelvix::cli {

/// Lists the titles, the links or the lines holding a string of the files of `args.html` as
/// the HTML search command does, printing the result document's lines on `out` while they are
/// found and the program's messages (the counts last) on `err`. kExitFound when a line was
/// written, kExitNothingFound when none was, kExitFindTrouble (after the reason on `err`) when
/// the run cannot be made or its output cannot be written.
int RunHtml(const CliArgs& args, std::ostream& out, std::ostream& err);

} // namespace nelvix::cli
