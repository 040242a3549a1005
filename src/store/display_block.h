// The display block: the cabinet's 41 words of layout, marks, colours and text font.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "text/text_document.h"

namespace nelvix {

inline constexpr std::size_t kDisplayBlockWords = 41;
using DisplayBlock = std::array<std::int32_t, kDisplayBlockWords>;

inline constexpr std::size_t kWordCharsPerLine = 0;
inline constexpr std::size_t kWordTabWidth = 1;
inline constexpr std::size_t kWordLineNumbering = 2;
inline constexpr std::size_t kWordLineSpacing = 3;
inline constexpr std::size_t kWordCharSpacing = 4;
inline constexpr std::size_t kWordShowLineEnds = 5;
inline constexpr std::size_t kWordShowTabs = 6;
inline constexpr std::size_t kWordFreeCursor = 7;
inline constexpr std::size_t kWordAutoIndent = 8;
inline constexpr std::size_t kWordKeepMarkedLines = 10;
inline constexpr std::size_t kWordKeepMarkedChars = 11;
inline constexpr std::size_t kWordDocumentType = 12;
inline constexpr std::size_t kWordMarkedLineBackColour = 13;
inline constexpr std::size_t kWordMarkedCharBackColour = 14;
inline constexpr std::size_t kWordCKeywordColour = 15;
inline constexpr std::size_t kWordCppKeywordColour = 16;
inline constexpr std::size_t kWordUserKeywordColour = 17;
inline constexpr std::size_t kWordLineEndColour = 18;
inline constexpr std::size_t kWordTabColour = 19;
inline constexpr std::size_t kWordCommentColour = 20;
inline constexpr std::size_t kWordTextColour = 21;
inline constexpr std::size_t kWordTextBackColour = 22;
inline constexpr std::size_t kWordTagLineBackColour = 23;
inline constexpr std::size_t kWordKeywordCount = 24;
inline constexpr std::size_t kWordWordWrap = 25;
inline constexpr std::size_t kWordFontFirst = 26;
inline constexpr std::size_t kFontWords = kDisplayBlockWords - kWordFontFirst;

/// Bit set above the palette index in the three background colour words 13, 14 and 23.
inline constexpr std::int32_t kBackColourFlag = 0x8000;
inline constexpr std::int32_t kPaletteColours = 16;
/// The face name field holds this many bytes, its terminating 0 included.
inline constexpr std::size_t kFontFaceBytes = 32;

/// The text font as the block stores it: five 32-bit words, eight bytes and the face name,
/// 60 bytes in that order, little-endian.
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

/// The block a new cabinet starts with: 200 characters per line, tab width 4, 14-point
/// "Fixedsys", and so on.
DisplayBlock DefaultDisplayBlock();

FontDescription FontOf(const DisplayBlock& block);
void SetFont(DisplayBlock& block, const FontDescription& font);

/// The face name in Shift-JIS, up to its first 0 byte (at most 31 bytes).
std::string FontFaceName(const DisplayBlock& block);
/// Stores the face name, cut to the whole characters that fit in 31 bytes.
void SetFontFaceName(DisplayBlock& block, std::string_view sjisFace);
std::int32_t FontPointSize(const DisplayBlock& block);
void SetFontPointSize(DisplayBlock& block, std::int32_t points);

/// The layout and font words that every document keeps a copy of.
FormatSettings FormatOf(const DisplayBlock& block);

} // namespace nelvix
