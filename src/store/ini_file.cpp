// A private-profile (INI) text held as its lines, read and changed key by key.
#include "store/ini_file.h"

#include <cstdint>

#include "base/cp932.h"
#include "base/cp932_table.h"
#include "base/sjis.h"

namespace nelvix {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

bool IsIniBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsIniBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsIniBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiToLower(static_cast<Byte>(a[i])) != AsciiToLower(static_cast<Byte>(b[i])))
            return false;
    }
    return true;
}

bool HoldsLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool NeedsQuotes(std::string_view value) {
    if (value.empty())
        return false;
    if (IsIniBlank(value.front()) || IsIniBlank(value.back()))
        return true;
    return value.size() >= 2 && value.front() == '"' && value.back() == '"';
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

/// The section name of a "[name]" line; nothing for any other line.
std::optional<std::string_view> SectionNameOf(std::string_view line) {
    const std::string_view trimmed = TrimBlanks(line);
    if (trimmed.empty() || trimmed.front() != '[')
        return std::nullopt;
    std::string_view name = trimmed.substr(1);
    name = name.substr(0, name.find(']'));
    return TrimBlanks(name);
}

struct KeyValue {
    std::string_view key;
    std::string_view rawValue;
};

std::optional<KeyValue> KeyValueOf(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    return KeyValue{TrimBlanks(line.substr(0, equals)), TrimBlanks(line.substr(equals + 1))};
}

bool IsWritableSectionName(std::string_view section) {
    return !section.empty() && !HoldsLineBreakOrNul(section) &&
           section.find(']') == std::string_view::npos && TrimBlanks(section) == section;
}

bool IsWritableKey(std::string_view key) {
    return !key.empty() && !HoldsLineBreakOrNul(key) && key.find('=') == std::string_view::npos &&
           key.front() != '[' && TrimBlanks(key) == key;
}

/// The text stored for a Shift-JIS value: UTF-8 when the value survives the trip there and
/// back, else its own bytes.
std::string StoredValue(std::string_view sjisValue) {
    std::string utf8 = Cp932ToUtf8(sjisValue);
    bool lossy = false;
    if (Utf8ToCp932(utf8, kSjisMiddleDot, &lossy) != sjisValue || lossy)
        utf8.assign(sjisValue);
    if (NeedsQuotes(utf8))
        return '"' + utf8 + '"';
    return utf8;
}

std::string SjisValueOf(std::string_view rawValue) {
    const std::string_view value = Unquote(rawValue);
    if (!IsWellFormedUtf8(value))
        return std::string(value);
    return Utf8ToCp932(value, kSjisMiddleDot);
}

} // namespace

IniFile IniFile::Parse(std::string_view bytes) {
    while (bytes.starts_with(kUtf8ByteOrderMark))
        bytes.remove_prefix(kUtf8ByteOrderMark.size());
    IniFile ini;
    while (!bytes.empty()) {
        const std::size_t lineFeed = bytes.find('\n');
        std::string_view line = bytes.substr(0, lineFeed);
        bytes.remove_prefix(lineFeed == std::string_view::npos ? bytes.size() : lineFeed + 1);
        // Every CR at the end goes, so that a line never ends in one and a written file reads
        // back line for line.
        while (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        ini.m_lines.emplace_back(line);
    }
    return ini;
}

std::string IniFile::Serialize() const {
    std::size_t length = 0;
    for (const std::string& line : m_lines)
        length += line.size() + 1;
    std::string bytes;
    bytes.reserve(length);
    for (const std::string& line : m_lines) {
        bytes += line;
        bytes += '\n';
    }
    return bytes;
}

std::optional<IniFile::KeyLine> IniFile::FindKey(std::string_view section,
                                                 std::string_view key) const {
    bool inSection = false;
    for (std::size_t index = 0; index < m_lines.size(); ++index) {
        const std::string_view line = m_lines[index];
        if (const std::optional<std::string_view> name = SectionNameOf(line)) {
            inSection = EqualsIgnoringAsciiCase(*name, section);
            continue;
        }
        if (!inSection)
            continue;
        const std::optional<KeyValue> pair = KeyValueOf(line);
        if (pair && EqualsIgnoringAsciiCase(pair->key, key))
            return KeyLine{index, pair->rawValue};
    }
    return std::nullopt;
}

std::optional<std::size_t> IniFile::EndOfSection(std::string_view section) const {
    std::optional<std::size_t> end;
    for (std::size_t index = 0; index < m_lines.size(); ++index) {
        const std::string_view line = m_lines[index];
        if (const std::optional<std::string_view> name = SectionNameOf(line)) {
            if (end)
                return end;
            if (EqualsIgnoringAsciiCase(*name, section))
                end = index + 1;
            continue;
        }
        // Comments and blank lines after the last key are left to head the next section.
        if (end && KeyValueOf(line))
            end = index + 1;
    }
    return end;
}

std::optional<std::string> IniFile::GetString(std::string_view section,
                                              std::string_view key) const {
    const std::optional<KeyLine> found = FindKey(section, key);
    if (!found)
        return std::nullopt;
    return SjisValueOf(found->rawValue);
}

int IniFile::GetInt(std::string_view section, std::string_view key, int defaultValue) const {
    const std::optional<KeyLine> found = FindKey(section, key);
    if (!found)
        return defaultValue;
    std::string_view text = TrimBlanks(Unquote(found->rawValue));
    const bool negative = text.starts_with('-');
    if (negative)
        text.remove_prefix(1);
    // Unsigned arithmetic wraps where a signed one would overflow, as the Windows reader does.
    std::uint32_t value = 0;
    for (const char c : text) {
        const auto b = static_cast<Byte>(c);
        if (!IsAsciiDigit(b))
            break;
        value = value * 10u + static_cast<std::uint32_t>(b - '0');
    }
    if (negative)
        value = 0u - value;
    return static_cast<int>(value);
}

bool IniFile::SetString(std::string_view section, std::string_view key,
                        std::string_view sjisValue) {
    if (!IsWritableSectionName(section) || !IsWritableKey(key) || HoldsLineBreakOrNul(sjisValue))
        return false;
    std::string line(key);
    line += '=';
    line += StoredValue(sjisValue);

    if (const std::optional<KeyLine> found = FindKey(section, key)) {
        m_lines[found->index] = std::move(line);
        return true;
    }
    if (const std::optional<std::size_t> end = EndOfSection(section)) {
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(*end), std::move(line));
        return true;
    }
    m_lines.push_back('[' + std::string(section) + ']');
    m_lines.push_back(std::move(line));
    return true;
}

bool IniFile::SetInt(std::string_view section, std::string_view key, int value) {
    return SetString(section, key, std::to_string(value));
}

bool IniFile::SetUnsigned(std::string_view section, std::string_view key, unsigned value) {
    return SetString(section, key, std::to_string(value));
}

bool IniFile::RemoveKey(std::string_view section, std::string_view key) {
    bool removed = false;
    while (const std::optional<KeyLine> found = FindKey(section, key)) {
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(found->index));
        removed = true;
    }
    return removed;
}

} // namespace nelvix
