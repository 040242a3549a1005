// Writing and reading the operation records of the two extraction commands.
#include "store/extraction_record.h"

#include "base/byte_record.h"
#include "extract/extraction_sheet.h"

namespace nelvix {

std::vector<Byte> SerializeLineExtractionRecord(const ExtractionRules& rules) {
    return SerializeRuleSet(rules);
}

std::vector<Byte> SerializeGlobalExtractionRecord(const ExtractionParameters& parameters) {
    std::vector<Byte> record = SerializeRuleSet(parameters.rules);
    PutU32(record, parameters.subdirectories ? 1 : 0);
    PutCString(record, parameters.pattern);
    return record;
}

std::optional<ExtractionRules> ParseLineExtractionRecord(std::span<const Byte> record) {
    ExtractionRules rules;
    if (DeserializeRuleSet(record, rules) == 0)
        return std::nullopt;
    return rules;
}

std::optional<ExtractionParameters> ParseGlobalExtractionRecord(std::span<const Byte> record) {
    ExtractionParameters parameters;
    const std::size_t consumed = DeserializeRuleSet(record, parameters.rules);
    if (consumed == 0)
        return std::nullopt;
    ByteReader reader(record, consumed);
    const std::optional<std::uint32_t> subdirectories = reader.U32();
    const std::optional<std::string_view> pattern =
        subdirectories ? reader.CString(kMaxPathBytes) : std::nullopt;
    if (!pattern)
        return std::nullopt;
    parameters.subdirectories = *subdirectories != 0;
    parameters.pattern.assign(*pattern);
    return parameters;
}

} // namespace nelvix
