// Converting a file or buffer into Shift-JIS with CR LF, and the work file that holds a
// converted copy for readers that want a file. Files are converted piece by piece, so a text of
// any size is converted in the same small memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/byte_block.h"
#include "encoding/text_code.h"

namespace nelvix::ui {
struct Platform;
}

namespace nelvix {

/// The pieces in which a file is read and converted; a conversion holds about three of them.
inline constexpr std::size_t kConvertPieceBytes = 1024 * 1024;
/// No bound on a conversion's output.
inline constexpr std::uint64_t kWholeText = UINT64_MAX;

struct ConvertedText {
    ByteBlock text;
    /// Some characters could not be expressed in Shift-JIS and were replaced.
    bool lossy = false;
};

/// Nothing when no conversion is needed or the file cannot be converted (cannot be opened, or
/// memory ran out — the last with the out-of-memory box). `sjisPath` is a core path.
std::optional<ConvertedText> ConvertFileToSjis(ui::Platform& platform, std::string_view sjisPath,
                                               int codeSetting);

/// As ConvertFileToSjis for a file the caller has open: `fd` is read from its start with pread,
/// its position left alone, up to `fileLength` (its length when opened).
std::optional<ConvertedText> ConvertOpenFileToSjis(ui::Platform& platform, int fd,
                                                   std::size_t fileLength, int codeSetting);

/// The in-memory form; no length limit. Nothing when no conversion is needed or memory ran out.
std::optional<ConvertedText> ConvertBufferToSjis(ui::Platform& platform, const Byte* bytes,
                                                 std::size_t length, int codeSetting);

struct WorkFileConversion {
    bool written = false; ///< a converted copy was made
    bool lossy = false;
    /// The native path to read the copy from: the work file, or a copy in memory when the work
    /// file could not be written (a full disk); valid until the next conversion.
    std::string path;
    explicit operator bool() const { return written; }
};

/// Converts into the work file at `workPath` (a native path), which is created new and
/// exclusively each time (a file, link or anything else found at the name goes first, and
/// nothing is ever written through it). When the work file cannot be written, the copy is made
/// in memory instead. Not written when no conversion is needed, when the file cannot be read,
/// or when memory ran out too (with the out-of-memory box). The conversion ends after the piece
/// that brings the copy to `maxBytes` or more: a reader that takes no more than that need not
/// wait for the rest of a long file.
WorkFileConversion ConvertFileToWorkFile(ui::Platform& platform, std::string_view sjisPath,
                                         int codeSetting, const std::string& workPath,
                                         std::uint64_t maxBytes = kWholeText);

/// As ConvertFileToWorkFile for a file the caller has open (see ConvertOpenFileToSjis), so that
/// a search that reads the file anyway opens it once.
WorkFileConversion ConvertOpenFileToWorkFile(ui::Platform& platform, int fd, std::size_t fileLength,
                                             int codeSetting, const std::string& workPath,
                                             std::uint64_t maxBytes = kWholeText);

} // namespace nelvix
