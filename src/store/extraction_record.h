// The operation record of an extraction: what a recorded run hands to the recorder and what a
// replay runs again without the sheet.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/sjis.h"
#include "extract/extraction_rules.h"

namespace nelvix {

struct ExtractionParameters {
    ExtractionRules rules;
    bool subdirectories = true; ///< global extraction only
    std::string pattern;        ///< global extraction only; Shift-JIS
    bool operator==(const ExtractionParameters&) const = default;
};

/// A line extraction records the rule-set record alone.
std::vector<Byte> SerializeLineExtractionRecord(const ExtractionRules& rules);
/// A global extraction: the rule-set record, u32 subdirectories, the pattern NUL-terminated
/// (a lone NUL when there is none).
std::vector<Byte> SerializeGlobalExtractionRecord(const ExtractionParameters& parameters);

/// Nothing when the rule-set record is invalid.
std::optional<ExtractionRules> ParseLineExtractionRecord(std::span<const Byte> record);
/// Nothing when the rule-set record is invalid, the flag is cut short, or the pattern has no
/// NUL within 261 bytes.
std::optional<ExtractionParameters> ParseGlobalExtractionRecord(std::span<const Byte> record);

} // namespace nelvix
