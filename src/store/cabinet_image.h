// The bytes of the cabinet file `nelvix.cab`: checking and reading an image, and building one.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/sjis.h"
#include "store/display_block.h"

namespace nelvix {

/// A file is read up to this many bytes; an image this long or longer is refused.
inline constexpr std::size_t kCabinetReadLimit = 30720;
inline constexpr std::size_t kMaxCabinetDocuments = 30;
inline constexpr std::size_t kMaxUserKeywords = 200;
/// Keywords of 31 bytes or more are dropped on reading and never written.
inline constexpr std::size_t kMaxKeywordBytes = 30;
/// The count and offset words, the block and the keyword count: the smallest image.
inline constexpr std::size_t kCabinetMinBytes = 8 + kDisplayBlockWords * 4 + 4;
/// A record's fixed part: the path's 0 byte and sixteen words.
inline constexpr std::size_t kDocumentRecordFixedBytes = 65;

struct CabinetDocument {
    std::string path;                         ///< Shift-JIS, non-empty
    std::array<std::int32_t, 11> placement{}; ///< length, flags, show state, min x/y, max x/y,
                                              ///< normal left/top/right/bottom
    bool active = false;
    bool readOnly = false;
    std::array<std::int32_t, 3> viewState{}; ///< top row (16-bit widened), caret column, caret row
    bool operator==(const CabinetDocument&) const = default;
};

struct CabinetContents {
    DisplayBlock block{};
    std::vector<std::string> keywords;
    std::vector<CabinetDocument> documents;
    bool operator==(const CabinetContents&) const = default;
};

/// True when every layout and colour word lies in the range a file's block must keep.
bool IsValidDisplayBlock(const DisplayBlock& block);

/// Nothing when the image is refused: a wrong length, a block out of range, a keyword list or
/// a run of document records that does not fit its counts. Keywords of 31 bytes or more are
/// left out and word 24 of the block counts the ones kept; records without a path are walked
/// but not returned.
std::optional<CabinetContents> ParseCabinetImage(const Byte* bytes, std::size_t length);

/// The file image. Records past the 30th, records with an empty path and records that would
/// make the image too long to be read back are left out; keywords of 31 bytes or more and
/// keywords past the 200th are never written, and word 24 of the written block counts the
/// keywords written.
std::vector<Byte> BuildCabinetImage(const DisplayBlock& block,
                                    const std::vector<std::string>& keywords,
                                    const std::vector<CabinetDocument>& documents);

} // namespace nelvix
