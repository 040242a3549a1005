// The macro file: a header with a comment, then the command records of one recorded operation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/sjis.h"

namespace nelvix {

inline constexpr std::int32_t kMacroVersion = 200;
/// A header is looked for within the first bytes of a file only.
inline constexpr std::size_t kMacroHeadBytes = 200;
inline constexpr std::size_t kMacroCommentMaxBytes = 100;
/// Four integers and the comment's NUL.
inline constexpr std::size_t kMacroHeaderFixedBytes = 17;
inline constexpr std::size_t kMacroCommentOffset = 16;
/// The most record bytes a file may hold: what the recorder's buffer holds.
inline constexpr std::size_t kMacroRecordMaxBytes = 61440;
/// Type, code and length in front of a record's data.
inline constexpr std::size_t kCommandRecordHeadBytes = 12;
// Views of one named array: a view of a bare literal may see a different copy of the literal
// in each file under AddressSanitizer, so that its begin and end would not belong together.
inline constexpr char kMacroExtensionBytes[] = ".mac";
inline constexpr std::string_view kMacroExtension{kMacroExtensionBytes,
                                                  sizeof kMacroExtensionBytes - 1};

struct MacroHeader {
    std::int32_t headerSize = 0;
    std::int32_t recordBytes = 0;
    std::int32_t recordCount = 0;
    std::int32_t version = kMacroVersion;
    std::string comment; ///< Shift-JIS, without its NUL
};

/// One command record inside a run of records; `data` points into that run.
struct CommandRecord {
    std::int32_t type = 0;
    std::int32_t code = 0;
    std::span<const Byte> data;
};

/// The header of a macro file from its first bytes; nothing when the version is not 200, the
/// comment has no NUL within the first 200 bytes or is longer than 100 bytes, headerSize does
/// not match the comment, or the counts are negative or more than the record buffer holds.
std::optional<MacroHeader> ParseMacroHeader(const Byte* bytes, std::size_t length);

/// The comment as a file can carry it: up to its first NUL, cut to 100 bytes on a character
/// boundary.
std::string MacroComment(std::string_view sjisComment);

/// A whole macro file. headerSize, recordBytes and version are derived from the comment and
/// `records` rather than taken from `header`, so the image always reads back.
std::vector<Byte> BuildMacroImage(const MacroHeader& header, std::span<const Byte> records);

/// The record at `offset` of `records`, advancing `offset` past it; nothing when its head or
/// its data would run past the end (a damaged record ends the walk).
std::optional<CommandRecord> ReadCommandRecord(std::span<const Byte> records, std::size_t& offset);

/// The file name of macro `sjisName`: ".mac" appended unless the name already ends in ".mac"
/// in any case.
std::string MacroFileName(std::string_view sjisName);

} // namespace nelvix
