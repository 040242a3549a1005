// How documents are laid out and drawn: the cabinet's display format as typed values. Only the
// cabinet's reader and writer know how these are stored.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace nelvix {

/// Plain text ("一般文書"), C, or C and C++: which keywords and comments are coloured.
enum class DocumentType : std::int32_t { Plain = 0, C = 1, Cpp = 2 };

/// Set on the colour code of a background role (marked line, marked string, tag line).
inline constexpr std::int32_t kBackgroundFlag = 0x8000;

/// The colour codes: palette indices 1..16, the three background roles with kBackgroundFlag
/// added.
struct DisplayColours {
    std::int32_t markLineBackground = kBackgroundFlag + 11;
    std::int32_t markedTextBackground = kBackgroundFlag + 10;
    std::int32_t cKeyword = 2;
    std::int32_t cppKeyword = 6;
    std::int32_t userKeyword = 2;
    std::int32_t newline = 2;
    std::int32_t tab = 16;
    std::int32_t comment = 11;
    std::int32_t text = 1;
    std::int32_t textBackground = 8;
    std::int32_t tagTargetBackground = kBackgroundFlag + 4;
    bool operator==(const DisplayColours&) const = default;
};

/// The face name field holds this many bytes, its terminating 0 included.
inline constexpr std::size_t kFontFaceBytes = 32;

/// The text font as the platform describes it: size in points, weight, flags and face name.
struct FontDescription {
    std::int32_t height = 0; ///< the size in points
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    std::array<std::uint8_t, kFontFaceBytes> faceName{}; ///< Shift-JIS, 0-terminated
    bool operator==(const FontDescription&) const = default;
};

/// The face name in Shift-JIS, up to its first 0 byte (at most 31 bytes).
std::string FontFaceName(const FontDescription& font);
/// Stores the face name, cut to the whole characters that fit in 31 bytes.
void SetFontFaceName(FontDescription& font, std::string_view sjisFace);

/// What every document keeps a copy of; a change of `font` makes the views build their font
/// again.
struct DisplayFormat {
    std::int32_t charsPerLine = 200;
    std::int32_t tabColumns = 4;
    bool lineNumbering = true;    ///< only rows that begin a line are numbered
    std::int32_t lineSpacing = 0; ///< tenths of a millimetre between rows
    std::int32_t charSpacing = 0; ///< tenths of a millimetre between characters
    bool showLineEnds = true;     ///< "改行ﾏｰｸを表示"
    bool showTabs = false;        ///< "ﾀﾌﾞﾏｰｸを表示"
    bool freeCursor = true;
    bool autoIndent = true;
    bool keepLineMarks = true;   ///< line marks are saved in the attribute file
    bool keepStringMarks = true; ///< string marks are saved in the attribute file
    DocumentType documentType = DocumentType::Plain;
    DisplayColours colours{};
    bool wordWrap = false;
    FontDescription font{};
    bool operator==(const DisplayFormat&) const = default;
};

} // namespace nelvix
