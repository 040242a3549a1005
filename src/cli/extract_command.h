// nelvix-cli extract: line extraction of a file, or global extraction over a file set, without
// the sheet, the progress window or the counts dialogs.
#pragma once

#include <ostream>
#include <string>

#include "cli/args/cli_args.h"
#include "extract/extraction_rules.h"

namespace nelvix::cli {

/// Extracts as the two extraction commands do, with the rules that `args.extract` names and
/// the result appended silently; prints the result on `out` and the program's messages, then
/// the counts, on `err`. kExitExtracted with a result, kExitNothingExtracted without,
/// kExitExtractTrouble (after the reason on `err`) when the rules cannot be had or cannot run,
/// the run cannot be made or written, or the result reached a result document's limits (what
/// was extracted up to there is printed).
int RunExtract(const CliArgs& args, std::ostream& out, std::ostream& err);

/// Why the engine would refuse `rules` (a run mode it does not know, or no string for the
/// steps it runs); empty when they can run.
std::string ExtractionRulesProblem(const ExtractionRules& rules);
/// The line extraction of RunExtract: `args.extract.file` cut down by `rules`.
int ExtractText(const ExtractionRules& rules, const CliArgs& args, std::ostream& out,
                std::ostream& err);
/// The global extraction of RunExtract over the Shift-JIS search specification
/// `sjisSpecification`, with `args.extract.subdirectories`.
int ExtractFileSet(const ExtractionRules& rules, const CliArgs& args,
                   const std::string& sjisSpecification, std::ostream& out, std::ostream& err);

} // namespace nelvix::cli
