// Writing and reading the operation record of a global find.
#include "store/global_find_record.h"

#include <cstdint>
#include <string_view>

#include "base/byte_record.h"

namespace nelvix {
namespace {

void PutFlag(std::vector<Byte>& out, bool flag) {
    PutU32(out, flag ? 1 : 0);
}

std::optional<bool> Flag(ByteReader& reader) {
    const std::optional<std::uint32_t> value = reader.U32();
    if (!value)
        return std::nullopt;
    return *value != 0;
}

std::optional<std::string> String(ByteReader& reader, std::size_t maxBytes) {
    const std::optional<std::string_view> text = reader.CString(maxBytes);
    if (!text)
        return std::nullopt;
    return std::string(*text);
}

} // namespace

std::vector<Byte> SerializeGlobalFindRecord(const GlobalFindParameters& parameters) {
    std::vector<Byte> record;
    record.reserve(4 * kRecordIntBytes + parameters.pattern.size() +
                   parameters.specification.size() + 2);
    PutFlag(record, parameters.subdirectories);
    PutFlag(record, parameters.caseSensitive);
    PutCString(record, parameters.pattern);
    PutCString(record, parameters.specification);
    PutFlag(record, parameters.widthSensitive);
    PutFlag(record, parameters.regularExpression);
    return record;
}

std::optional<GlobalFindParameters> ParseGlobalFindRecord(std::span<const Byte> record) {
    ByteReader reader(record);
    const std::optional<bool> subdirectories = Flag(reader);
    const std::optional<bool> caseSensitive = Flag(reader);
    if (!subdirectories || !caseSensitive)
        return std::nullopt;
    std::optional<std::string> pattern = String(reader, kMaxPatternBytes);
    if (!pattern)
        return std::nullopt;
    std::optional<std::string> specification = String(reader, kMaxPathBytes);
    if (!specification)
        return std::nullopt;
    GlobalFindParameters parameters;
    parameters.subdirectories = *subdirectories;
    parameters.caseSensitive = *caseSensitive;
    parameters.pattern = std::move(*pattern);
    parameters.specification = std::move(*specification);
    // Records of older runs end here.
    parameters.widthSensitive = Flag(reader).value_or(false);
    parameters.regularExpression = Flag(reader).value_or(false);
    return parameters;
}

} // namespace nelvix
