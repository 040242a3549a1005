// The data file (nelvix.DAT in the program home): the global find's histories and options, the
// editor and browser lists, the extraction rule set and the extraction file history, kept from
// one run of the program to the next.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/limits.h"
#include "base/sjis.h"
#include "extract/extraction_rules.h"
#include "extract/extraction_sheet.h"
#include "store/tool_entry.h"

namespace nelvix::ui {
struct Platform;
}

namespace nelvix {

/// Files are read into a buffer of this size; only shorter files are accepted, so the writer
/// never writes one this long.
inline constexpr std::size_t kDataFileBufferBytes = 30'720;
inline constexpr std::size_t kDataFileHeaderBytes = 80;
/// Entries of each history and tool list.
inline constexpr std::size_t kDataFileListEntries = 20;

/// What the data file holds. A section the file does not reach keeps the value it had.
struct DataFileContents {
    std::vector<std::string> searchStrings;      ///< most recent first, each ≤ 80 bytes
    std::vector<std::string> replacementStrings; ///< kept unchanged, each ≤ 80 bytes
    std::vector<std::string> filePatterns;       ///< each ≤ 260 bytes
    bool caseSensitive = false;
    bool widthSensitive = true; ///< stored inverted as option bit 1
    bool regularExpression = false;
    bool subdirectories = true;
    std::int32_t findDirection = 1; ///< 1 = towards the end
    std::vector<ToolEntry> editors;
    ExtractionRules rules = DefaultExtractionRules();
    ExtractionFileHistory extractionFiles;
    std::vector<ToolEntry> browsers;
    bool operator==(const DataFileContents&) const = default;
};

/// The validation of L bytes (80 <= L < 30,720): header, counts, string limits, and every
/// optional section that begins before L. Integers lie wholly inside the L bytes; a string may
/// run up to L, the byte after the file standing for its NUL. Counts above 20 anywhere, tool
/// strings and extraction patterns above 260 bytes make the file invalid.
bool ValidateDataFile(std::span<const Byte> bytes);
/// Reads a file image into `contents`; false (and `contents` unchanged) when it is invalid.
bool ParseDataFile(std::span<const Byte> bytes, DataFileContents& contents);
/// The file image of `contents`; nothing when it would reach kDataFileBufferBytes. Lists beyond
/// 20 entries and strings beyond their limits are cut so that the image reads back.
std::optional<std::vector<Byte>> BuildDataFile(const DataFileContents& contents);

/// `<home>/nelvix.DAT`; empty when the home is empty or the path would be 261 bytes or longer.
std::string DataFilePath(const std::string& nativeHome);

/// At start-up: a missing file leaves `contents` silently; an unreadable one shows the read
/// message, an invalid one the invalid-content message, and both leave `contents` as it was.
/// True when the file was read.
bool ReadDataFile(ui::Platform& platform, const std::string& nativePath,
                  DataFileContents& contents);
/// Writes the file (atomically); false after the write message when it cannot be written or
/// would be too long to read back.
bool WriteDataFile(ui::Platform& platform, const std::string& nativePath,
                   const DataFileContents& contents);

} // namespace nelvix
