// The display block: the cabinet's 41 words of layout, marks, colours and text font.
#pragma once

#include "text/display_format.h"
#include <array>
#include <cstddef>
#include <cstdint>

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
inline constexpr std::int32_t kBackColourFlag = kBackgroundFlag;
inline constexpr std::int32_t kPaletteColours = 16;

/// The block a new cabinet starts with: 200 characters per line, tab width 4, 14-point
/// "Fixedsys", and so on.
DisplayBlock DefaultDisplayBlock();

/// The font as words 26..40 store it: five 32-bit words, eight bytes and the face name, 60
/// bytes in that order, little-endian.
FontDescription FontOf(const DisplayBlock& block);
void SetFont(DisplayBlock& block, const FontDescription& font);

/// The typed format of words 0..25 and the font; a document type outside 0..2 is taken as the
/// nearest one.
DisplayFormat FormatOf(const DisplayBlock& block);
/// Writes `format` into its words, leaving the words it does not hold (9, which nothing uses,
/// and 24, the keyword count the cabinet writes) as they are.
void StoreFormat(DisplayBlock& block, const DisplayFormat& format);

} // namespace nelvix
