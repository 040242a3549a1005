// Fuzzes the operation record of a global extraction: whatever a replayed record holds is read
// within its bounds, and what reads back is written again to the same parameters.
#include <span>

#include "extract/extraction_sheet.h"
#include "fuzz_check.h"
#include "store/extraction_record.h"

using nelvix::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const nelvix::Byte> bytes(data, size);
    const auto parameters = nelvix::ParseGlobalExtractionRecord(bytes);
    // A global record starts with a whole rule-set record.
    Check(!parameters || nelvix::ParseLineExtractionRecord(bytes));
    if (!parameters)
        return 0;
    Check(parameters->pattern.size() <= nelvix::kMaxPathBytes);
    Check(parameters->pattern.find('\0') == std::string::npos);
    const nelvix::ExtractionRules& rules = parameters->rules;
    for (const nelvix::RuleList* list : {&rules.step1Lines, &rules.startLines, &rules.endLines})
        Check(list->count >= 0 && list->count <= static_cast<std::int32_t>(nelvix::kRuleListSlots));
    Check(nelvix::ParseGlobalExtractionRecord(
              nelvix::SerializeGlobalExtractionRecord(*parameters)) == parameters);
    return 0;
}
