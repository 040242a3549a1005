// nelvix-cli replay: a saved operation run again without the program's window.
#pragma once

#include <ostream>

#include "cli/args/cli_args.h"

namespace nelvix::cli {

/// Loads macro `args.replay.macro` of the program home as the recall dialog does and runs its
/// operations in order, with the settings of the home's settings store: a global find as
/// RunFind does, a line extraction over `args.replay.file` and a global extraction as
/// RunExtract does, each printing its result on `out` and its counts on `err`. Operations of
/// other commands are passed over with a note on `err`. kExitFound when some operation gave a
/// result, kExitNothingFound when none did, kExitFindTrouble (after the reason on `err`) when
/// the macro cannot be loaded or an operation could not run.
int RunReplay(const CliArgs& args, std::ostream& out, std::ostream& err);

} // namespace nelvix::cli
