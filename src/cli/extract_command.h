// nelvix-cli extract: line extraction of a file, or global extraction over a file set, without
// the sheet, the progress window or the counts dialogs.
#pragma once

#include <ostream>

#include "cli/cli_args.h"

namespace nelvix::cli {

/// Extracts as the two extraction commands do, with the rules that `args.extract` names and
/// the result appended silently; prints the result on `out` and the program's messages, then
/// the counts, on `err`. kExitExtracted with a result, kExitNothingExtracted without,
/// kExitExtractTrouble (after the reason on `err`) when the rules cannot be had or cannot run,
/// the run cannot be made or written, or the result reached a result document's limits (what
/// was extracted up to there is printed).
int RunExtract(const CliArgs& args, std::ostream& out, std::ostream& err);

} // namespace nelvix::cli
