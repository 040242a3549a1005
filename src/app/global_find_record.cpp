// Writing and reading the operation record of a global find.
#include "app/global_find_record.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace nelvix {
namespace {

constexpr std::size_t kFlagBytes = 4;

void PutFlag(std::vector<Byte>& out, bool flag) {
    out.push_back(flag ? 1 : 0);
    out.insert(out.end(), kFlagBytes - 1, 0);
}

void PutString(std::vector<Byte>& out, std::string_view text) {
    text = text.substr(0, text.find('\0'));
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
}

/// Reads the record front to back; every read stays inside the record.
class RecordReader {
public:
    explicit RecordReader(std::span<const Byte> record) : m_record(record) {}

    std::optional<bool> Flag() {
        if (m_record.size() - m_offset < kFlagBytes)
            return std::nullopt;
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < kFlagBytes; ++i)
            value |= static_cast<std::uint32_t>(m_record[m_offset + i]) << (8 * i);
        m_offset += kFlagBytes;
        return value != 0;
    }
    /// The bytes up to the next NUL, which must come within `maxBytes` + 1 bytes.
    std::optional<std::string> String(std::size_t maxBytes) {
        const std::span<const Byte> rest = m_record.subspan(m_offset);
        const std::span<const Byte> window = rest.first(std::min(rest.size(), maxBytes + 1));
        const auto end = std::find(window.begin(), window.end(), Byte{0});
        if (end == window.end())
            return std::nullopt;
        std::string text(window.begin(), end);
        m_offset += text.size() + 1;
        return text;
    }

private:
    std::span<const Byte> m_record;
    std::size_t m_offset = 0;
};

} // namespace

std::vector<Byte> SerializeGlobalFindRecord(const GlobalFindParameters& parameters) {
    std::vector<Byte> record;
    record.reserve(4 * kFlagBytes + parameters.pattern.size() + parameters.specification.size() +
                   2);
    PutFlag(record, parameters.subdirectories);
    PutFlag(record, parameters.caseSensitive);
    PutString(record, parameters.pattern);
    PutString(record, parameters.specification);
    PutFlag(record, parameters.widthSensitive);
    PutFlag(record, parameters.regularExpression);
    return record;
}

std::optional<GlobalFindParameters> ParseGlobalFindRecord(std::span<const Byte> record) {
    RecordReader reader(record);
    const std::optional<bool> subdirectories = reader.Flag();
    const std::optional<bool> caseSensitive = reader.Flag();
    if (!subdirectories || !caseSensitive)
        return std::nullopt;
    std::optional<std::string> pattern = reader.String(kRecordPatternMaxBytes);
    if (!pattern)
        return std::nullopt;
    std::optional<std::string> specification = reader.String(kRecordSpecificationMaxBytes);
    if (!specification)
        return std::nullopt;
    GlobalFindParameters parameters;
    parameters.subdirectories = *subdirectories;
    parameters.caseSensitive = *caseSensitive;
    parameters.pattern = std::move(*pattern);
    parameters.specification = std::move(*specification);
    // Records of older runs end here.
    parameters.widthSensitive = reader.Flag().value_or(false);
    parameters.regularExpression = reader.Flag().value_or(false);
    return parameters;
}

} // namespace nelvix
