// Converting a whole file or buffer into Shift-JIS with CR LF, and the work file that holds a
// converted copy for readers that want a file.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "text/byte_block.h"
#include "text/text_code.h"

namespace nelvix::ui {
struct Platform;
}

namespace nelvix {

/// Files longer than this are never converted; they are read as Shift-JIS.
inline constexpr std::size_t kConversionLimitBytes = 2 * 1024 * 1024;

struct ConvertedText {
    ByteBlock text;
    /// Some characters could not be expressed in Shift-JIS and were replaced.
    bool lossy = false;
};

/// Nothing when no conversion is needed or the file cannot be converted (cannot be opened, is
/// too long, memory ran out — the last with the out-of-memory box). `sjisPath` is a core path.
std::optional<ConvertedText> ConvertFileToSjis(ui::Platform& platform, std::string_view sjisPath,
                                               int codeSetting);

/// As ConvertFileToSjis for a file the caller has open: `fd` is read from its start with pread,
/// its position left alone; `fileLength` is its length when opened.
std::optional<ConvertedText> ConvertOpenFileToSjis(ui::Platform& platform, int fd,
                                                   std::size_t fileLength, int codeSetting);

/// The in-memory form; no length limit. Nothing when no conversion is needed or memory ran out.
std::optional<ConvertedText> ConvertBufferToSjis(ui::Platform& platform, const Byte* bytes,
                                                 std::size_t length, int codeSetting);

struct WorkFileConversion {
    bool written = false; ///< a converted copy is in the work file
    bool lossy = false;
    explicit operator bool() const { return written; }
};

/// Converts into the work file at `workPath` (a native path). Not written when no conversion is
/// needed or possible, or when writing failed.
WorkFileConversion ConvertFileToWorkFile(ui::Platform& platform, std::string_view sjisPath,
                                         int codeSetting, const std::string& workPath);

/// As ConvertFileToWorkFile for a file the caller has open (see ConvertOpenFileToSjis), so that
/// a search that reads the file anyway opens it once.
WorkFileConversion ConvertOpenFileToWorkFile(ui::Platform& platform, int fd, std::size_t fileLength,
                                             int codeSetting, const std::string& workPath);

} // namespace nelvix
