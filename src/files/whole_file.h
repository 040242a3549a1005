// Reading and writing a file in one piece, for the program's own small files.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "base/byte_block.h"

namespace nelvix::ui {
struct Platform;
}

namespace nelvix {

/// Files longer than this are refused by ReadWholeFile.
inline constexpr std::size_t kWholeFileLimitBytes = 20 * 1024 * 1024;
/// Spare bytes allocated past the end of a file read whole (zeroed), so that parsers may
/// look a little past the end.
inline constexpr std::size_t kWholeFileSpareBytes = 10;

/// Nothing when the file cannot be opened or read, is longer than the limit, or memory ran out
/// (the last with the out-of-memory box captioned for this reader). Paths are Shift-JIS.
std::optional<ByteBlock> ReadWholeFile(ui::Platform& platform, std::string_view sjisPath);

/// Creates or replaces the file with the bytes (through a temporary file and a rename, so an
/// old file is never left half-written); with `append`, adds them at the end of the file
/// instead, creating it when missing. False on any error.
bool WriteWholeFile(std::string_view sjisPath, const Byte* bytes, std::size_t length, bool append);

/// Reads `sjisSource` whole and writes it to `sjisTarget`.
bool CopyWholeFile(ui::Platform& platform, std::string_view sjisTarget,
                   std::string_view sjisSource);

} // namespace nelvix
