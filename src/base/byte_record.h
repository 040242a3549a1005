// Reading and writing the program's binary records: 32-bit little-endian integers and
// NUL-terminated Shift-JIS strings written back to back. The reader never reads outside its
// bytes: every read that would is refused.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/sjis.h"

namespace nelvix {

inline constexpr std::size_t kRecordIntBytes = 4;

inline void PutU32(std::vector<Byte>& out, std::uint32_t value) {
    for (std::size_t i = 0; i < kRecordIntBytes; ++i)
        out.push_back(static_cast<Byte>(value >> (8 * i)));
}
inline void PutI32(std::vector<Byte>& out, std::int32_t value) {
    PutU32(out, static_cast<std::uint32_t>(value));
}
/// Writes the text up to its first NUL, then a NUL, so that it reads back as written.
inline void PutCString(std::vector<Byte>& out, std::string_view text) {
    text = text.substr(0, text.find('\0'));
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
}
inline std::uint32_t GetU32(const Byte* bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < kRecordIntBytes; ++i)
        value |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
    return value;
}

class ByteReader {
public:
    explicit ByteReader(std::span<const Byte> bytes, std::size_t offset = 0)
        : m_bytes(bytes), m_offset(std::min(offset, bytes.size())) {}

    std::optional<std::uint32_t> U32() {
        if (Remaining() < kRecordIntBytes)
            return std::nullopt;
        const std::uint32_t value = GetU32(m_bytes.data() + m_offset);
        m_offset += kRecordIntBytes;
        return value;
    }
    std::optional<std::int32_t> I32() {
        const std::optional<std::uint32_t> value = U32();
        if (!value)
            return std::nullopt;
        return static_cast<std::int32_t>(*value);
    }
    /// The bytes up to the next NUL, which must come within `maxBytes` + 1 bytes.
    std::optional<std::string_view> CString(std::size_t maxBytes) {
        const std::span<const Byte> rest = m_bytes.subspan(m_offset);
        const std::span<const Byte> window = rest.first(std::min(rest.size(), maxBytes + 1));
        const auto end = std::find(window.begin(), window.end(), Byte{0});
        if (end == window.end())
            return std::nullopt;
        const auto length = static_cast<std::size_t>(end - window.begin());
        const std::string_view text(reinterpret_cast<const char*>(window.data()), length);
        m_offset += length + 1;
        return text;
    }
    std::size_t Offset() const { return m_offset; }
    std::size_t Remaining() const { return m_bytes.size() - m_offset; }
    bool AtEnd() const { return m_offset >= m_bytes.size(); }

private:
    std::span<const Byte> m_bytes;
    std::size_t m_offset = 0;
};

} // namespace nelvix
