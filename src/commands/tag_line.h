// Tags: the file and line that a result line or a plain path line names, read from the bytes
// of a text line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "find/double_click.h"

namespace nelvix {

class CKespoDoc;
class CKespoEV;

/// A path of a tag line with a line number is 4 to 259 bytes; without one, at most 259.
inline constexpr std::size_t kMinTagPathBytes = 4;
inline constexpr std::size_t kMaxTagPathBytes = 259;
/// Characters of the line number between the parentheses.
inline constexpr std::size_t kMaxTagNumberChars = 5;
/// A tag is decided within this many bytes of its line: the path start column (at most the
/// title column of an HTML result line, 81), the path and the number in parentheses.
inline constexpr std::size_t kTagLineScanBytes = 1024;

/// Whether a Shift-JIS path names a file that exists and is not a directory.
bool TagFileExists(std::string_view sjisPath);

/// The tag of a line given without its line end: the path starts at column 0, at column
/// `titleViewLength` + 1 (HTML result lines) or at column 5, with '/' and at least 4 bytes
/// from there. Paths may hold parentheses, so the line number is a "(" with 1 to 5 digits and
/// ")" followed by ":" (as result lines are written) or by the line end; when a line holds
/// more than one such reading, the first whose path `exists` wins, else the first. A line
/// without one is a plain path, line 1. Nothing when the line is not a tag (no such start, a
/// path too short or too long, a line number that is 0, longer than 5 characters, not decimal
/// digits or without its ")").
std::optional<TagLocation>
ReadTag(std::string_view sjisLine, int titleViewLength,
        const std::function<bool(std::string_view sjisPath)>& exists = TagFileExists);

/// Row 0 and every row after a line end begin a line; wrapped continuation rows do not.
bool RowBeginsLine(const CKespoDoc& document, std::uint32_t row);
/// The first row of the line that holds `row`; a row at or beyond the row count is its own.
std::uint32_t FirstRowOfLine(const CKespoDoc& document, std::uint32_t row);

/// The bytes a tag is read from for a display row: its whole line from the line's first row,
/// without the line end and at most kTagLineScanBytes long; empty at or beyond the row count.
/// It points into the text and is valid until the text changes.
std::string_view RowTagText(const CKespoEV& window, std::uint32_t row);

} // namespace nelvix
