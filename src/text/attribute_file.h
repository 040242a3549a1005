// The attribute file beside a text: its line and string marks, kept between sessions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/sjis.h"
#include "files/atomic_write.h"
#include "text/text_document.h"

namespace nelvix {

/// The most of an attribute file that is ever read; the largest valid file has 4,934 bytes.
inline constexpr std::size_t kAttributeReadLimit = 16384;
/// The 30 bytes every attribute file begins with, without a NUL.
// Views of one named array: a view of a bare literal may see a different copy of the literal
// in each file under AddressSanitizer, so that its begin and end would not belong together.
inline constexpr char kAttributeMagicBytes[] = "KAV Mirol Attribute File 100\r\n";
inline constexpr std::string_view kAttributeMagic{kAttributeMagicBytes,
                                                  sizeof kAttributeMagicBytes - 1};

/// The attribute file's name for a text path (Shift-JIS, '/' separators): the extension found
/// among the path's last four characters replaced by "ATR", or ".ATR" appended when there is
/// none. Nothing when the text itself has the extension "ATR" (in any case).
std::optional<std::string> AttributeFileName(std::string_view sjisTextPath);

struct AttributeMarks {
    std::vector<std::uint32_t> lineMarks;
    std::vector<StringMark> stringMarks;
};

/// NotOurs: fewer than 30 bytes, or another magic; such a file is left alone, not reported.
enum class AttributeParse { NotOurs, Invalid, Valid };

/// Parses an attribute file's bytes against the text they belong to. `marks` is empty unless
/// Valid comes back; line marks come back in line order without repeats.
AttributeParse ParseAttributeImage(const Byte* bytes, std::size_t length, std::string_view text,
                                   AttributeMarks& marks);

/// The file image: the first 100 line marks when `saveLineMarks`, the first 100 string marks
/// that can be stored (1..40 bytes, no NUL) when `saveStringMarks`, in the order held.
std::vector<Byte> BuildAttributeImage(const AttributeMarks& marks, bool saveLineMarks,
                                      bool saveStringMarks);

/// Loads the marks of the attribute file beside the text into the document. False after
/// message 59409 (the file exists but cannot be read) or 59411 (it does not fit the text); the
/// document then holds no marks.
bool ReadAttributeFile(CKespoDoc& document, std::string_view sjisTextPath);

/// Prepares what a save does to the attribute file beside the text: its new bytes staged in
/// `staged`, its removal (no marks left), or nothing. No file changes yet. False after message
/// 59408 (it cannot be written, or its name holds something that is not a regular file), or when
/// the person declined to overwrite a foreign file of that name. A text whose own extension is
/// "ATR" has no attribute file: its save goes on, after message 59407 when marks are lost.
bool PrepareAttributeFile(CKespoDoc& document, std::string_view sjisTextPath, StagedFile& staged);

/// The DocumentAttributes the program installs in its document environment.
class AttributeFiles final : public DocumentAttributes {
public:
    void Read(CKespoDoc& document, std::string_view sjisPath) override;
    bool Prepare(CKespoDoc& document, std::string_view sjisPath, StagedFile& staged) override;
};

} // namespace nelvix
