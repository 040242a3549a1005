// A private-profile (INI) text held as its lines, read and changed key by key.
//
// The text is UTF-8 on disk; values cross into the core as Shift-JIS. Sections and keys are
// compared without regard to ASCII case. Every line the program does not change (comments,
// other sections, lines it cannot read) is kept as it was.
//
// Reading follows the Windows profile reader: blanks around keys and values are dropped and one
// pair of double quotes around a value is removed; a value written with blanks at either end or
// with quotes at both ends is quoted, so every value comes back as it was set.
//
// A value that is not well-formed UTF-8 (a store saved in Shift-JIS by hand or by the older
// program) is taken as Shift-JIS bytes as they stand. Likewise a Shift-JIS value that does not
// survive the trip to UTF-8 and back is written as its own bytes, which then read back unchanged.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nelvix {

class IniFile {
public:
    IniFile() = default;

    /// Never fails: a UTF-8 byte order mark is skipped, lines end at LF (a CR before it is
    /// dropped), and bytes that make no section or key line are kept as lines of their own.
    static IniFile Parse(std::string_view bytes);
    /// The lines joined with LF, the last one ended too.
    std::string Serialize() const;

    /// The Shift-JIS value of the first `key` of the first section `section` holding it;
    /// nothing when there is no such key.
    std::optional<std::string> GetString(std::string_view section, std::string_view key) const;
    /// The leading decimal number of the value (blanks, an optional sign, digits, taken modulo
    /// 2^32 as a two's complement int): "12abc" gives 12, a value without digits 0.
    /// `defaultValue` only when the key is missing.
    int GetInt(std::string_view section, std::string_view key, int defaultValue) const;

    /// Replaces the first `key` line in place, or adds it at the end of the section (the
    /// section at the end of the file when missing). False, and nothing changed, when the
    /// section, key or value holds a line break or a NUL, or the names could not be read back.
    bool SetString(std::string_view section, std::string_view key, std::string_view sjisValue);
    /// Writes the value in decimal; false as SetString.
    bool SetInt(std::string_view section, std::string_view key, int value);
    /// Writes the value in unsigned decimal; false as SetString.
    bool SetUnsigned(std::string_view section, std::string_view key, unsigned value);
    /// Removes every `key` line of every section `section`; false when there was none.
    bool RemoveKey(std::string_view section, std::string_view key);

    const std::vector<std::string>& Lines() const { return m_lines; }

private:
    struct KeyLine {
        std::size_t index = 0;
        std::string_view rawValue;
    };

    std::optional<KeyLine> FindKey(std::string_view section, std::string_view key) const;
    /// The index just past the last key line (or the header) of the first section `section`.
    std::optional<std::size_t> EndOfSection(std::string_view section) const;

    std::vector<std::string> m_lines;
};

} // namespace nelvix
