// The rule set of nelvix-cli extract: from a rule-set record file, from a data file, or from
// the program home's data file.
#pragma once

#include <optional>
#include <ostream>

#include "cli/args/extract_args.h"
#include "extract/extraction_rules.h"

namespace nelvix::cli {

/// A rule-set record is far shorter: ten numbers, the separator and fifteen entries at most.
inline constexpr std::size_t kRuleRecordFileMaxBytes = 4096;

/// The rules of --rules, else of --data, else of DataFilePath(ProgramHome()); the default rules
/// when that file is missing. Nothing (after the reason on `err`) for a file that cannot be
/// read or holds no valid record or data file: unlike the program at start-up, the command
/// line does not go on with the defaults, as that would run rules the person did not choose.
std::optional<ExtractionRules> LoadExtractionRules(const ExtractArgs& extract, std::ostream& err);

} // namespace nelvix::cli
