// Fuzzes the operation record of a global extraction: whatever a replayed record holds is read
// within its bounds, and what reads back is written again to the same parameters.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "extract/extraction_sheet.h"
#include "store/extraction_record.h"

namespace {

// A broken promise: stop here so that the fuzzer keeps the input.
void Check(bool holds) {
    if (!holds)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const nelvix::Byte> bytes(data, size);
    const auto rules = nelvix::ParseLineExtractionRecord(bytes);
    const auto parameters = nelvix::ParseGlobalExtractionRecord(bytes);
    // A global record starts with a whole rule-set record.
    Check(!parameters || rules);
    if (!parameters)
        return 0;
    Check(parameters->pattern.size() <= nelvix::kMaxPathBytes);
    Check(parameters->pattern.find('\0') == std::string::npos);
    for (const nelvix::RuleList* list :
         {&parameters->rules.step1Lines, &parameters->rules.startLines,
          &parameters->rules.endLines})
        Check(list->count >= 0 && list->count <= static_cast<std::int32_t>(nelvix::kRuleListSlots));

    const auto record = nelvix::SerializeGlobalExtractionRecord(*parameters);
    const auto back = nelvix::ParseGlobalExtractionRecord(record);
    Check(back && *back == *parameters);
    return 0;
}
