// The display block's defaults and the packing of its font description.
#include "store/display_block.h"

#include <algorithm>

namespace nelvix {
namespace {

constexpr std::size_t kFontHeadWords = 5; // height, width, escapement, orientation, weight
constexpr std::size_t kFontFlagWords = 2; // the eight byte fields
constexpr std::size_t kFontBytes = kFontWords * 4;
static_assert(kFontBytes == 60);
static_assert(kFontHeadWords * 4 + kFontFlagWords * 4 + kFontFaceBytes == kFontBytes);

using FontBytes = std::array<std::uint8_t, kFontBytes>;

FontBytes FontBytesOf(const DisplayBlock& block) {
    FontBytes bytes{};
    for (std::size_t i = 0; i < kFontWords; ++i) {
        const auto word = static_cast<std::uint32_t>(block[kWordFontFirst + i]);
        for (std::size_t b = 0; b < 4; ++b)
            bytes[i * 4 + b] = static_cast<std::uint8_t>(word >> (8 * b));
    }
    return bytes;
}

void StoreFontBytes(DisplayBlock& block, const FontBytes& bytes) {
    for (std::size_t i = 0; i < kFontWords; ++i) {
        std::uint32_t word = 0;
        for (std::size_t b = 0; b < 4; ++b)
            word |= static_cast<std::uint32_t>(bytes[i * 4 + b]) << (8 * b);
        block[kWordFontFirst + i] = static_cast<std::int32_t>(word);
    }
}

} // namespace

DisplayBlock DefaultDisplayBlock() {
    DisplayBlock block{200,
                       4,
                       1,
                       0,
                       0,
                       1,
                       0,
                       1,
                       1,
                       0,
                       1,
                       1,
                       0,
                       kBackColourFlag + 11,
                       kBackColourFlag + 10,
                       2,
                       6,
                       2,
                       2,
                       16,
                       11,
                       1,
                       8,
                       kBackColourFlag + 4,
                       0,
                       0};
    FontDescription font;
    font.height = 14;
    font.weight = 400;
    font.charSet = 128; // Shift-JIS
    font.outPrecision = 1;
    font.clipPrecision = 2;
    font.quality = 1;
    font.pitchAndFamily = 0x31;
    SetFontFaceName(font, "Fixedsys");
    SetFont(block, font);
    return block;
}

FontDescription FontOf(const DisplayBlock& block) {
    const FontBytes bytes = FontBytesOf(block);
    FontDescription font;
    font.height = block[kWordFontFirst];
    font.width = block[kWordFontFirst + 1];
    font.escapement = block[kWordFontFirst + 2];
    font.orientation = block[kWordFontFirst + 3];
    font.weight = block[kWordFontFirst + 4];
    const std::uint8_t* flags = bytes.data() + kFontHeadWords * 4;
    font.italic = flags[0];
    font.underline = flags[1];
    font.strikeOut = flags[2];
    font.charSet = flags[3];
    font.outPrecision = flags[4];
    font.clipPrecision = flags[5];
    font.quality = flags[6];
    font.pitchAndFamily = flags[7];
    std::copy_n(flags + kFontFlagWords * 4, kFontFaceBytes, font.faceName.begin());
    return font;
}

void SetFont(DisplayBlock& block, const FontDescription& font) {
    block[kWordFontFirst] = font.height;
    block[kWordFontFirst + 1] = font.width;
    block[kWordFontFirst + 2] = font.escapement;
    block[kWordFontFirst + 3] = font.orientation;
    block[kWordFontFirst + 4] = font.weight;
    FontBytes bytes = FontBytesOf(block);
    std::uint8_t* flags = bytes.data() + kFontHeadWords * 4;
    flags[0] = font.italic;
    flags[1] = font.underline;
    flags[2] = font.strikeOut;
    flags[3] = font.charSet;
    flags[4] = font.outPrecision;
    flags[5] = font.clipPrecision;
    flags[6] = font.quality;
    flags[7] = font.pitchAndFamily;
    std::copy(font.faceName.begin(), font.faceName.end(), flags + kFontFlagWords * 4);
    StoreFontBytes(block, bytes);
}

namespace {

using ColourMember = std::int32_t DisplayColours::*;

/// Words 13..23 in their order.
constexpr std::array<ColourMember, 11> kColourWords{&DisplayColours::markLineBackground,
                                                    &DisplayColours::markedTextBackground,
                                                    &DisplayColours::cKeyword,
                                                    &DisplayColours::cppKeyword,
                                                    &DisplayColours::userKeyword,
                                                    &DisplayColours::newline,
                                                    &DisplayColours::tab,
                                                    &DisplayColours::comment,
                                                    &DisplayColours::text,
                                                    &DisplayColours::textBackground,
                                                    &DisplayColours::tagTargetBackground};
static_assert(kWordMarkedLineBackColour + kColourWords.size() - 1 == kWordTagLineBackColour);

DocumentType DocumentTypeOfWord(std::int32_t word) {
    return static_cast<DocumentType>(std::clamp(word, 0, 2));
}

// A word is rewritten only when it says something else, so that a block read and written back
// without a change keeps every word as it was.
void StoreFlag(std::int32_t& word, bool value) {
    if ((word != 0) != value)
        word = value ? 1 : 0;
}

} // namespace

DisplayFormat FormatOf(const DisplayBlock& block) {
    DisplayFormat format;
    format.charsPerLine = block[kWordCharsPerLine];
    format.tabColumns = block[kWordTabWidth];
    format.lineNumbering = block[kWordLineNumbering] != 0;
    format.lineSpacing = block[kWordLineSpacing];
    format.charSpacing = block[kWordCharSpacing];
    format.showLineEnds = block[kWordShowLineEnds] != 0;
    format.showTabs = block[kWordShowTabs] != 0;
    format.freeCursor = block[kWordFreeCursor] != 0;
    format.autoIndent = block[kWordAutoIndent] != 0;
    format.keepLineMarks = block[kWordKeepMarkedLines] != 0;
    format.keepStringMarks = block[kWordKeepMarkedChars] != 0;
    format.documentType = DocumentTypeOfWord(block[kWordDocumentType]);
    for (std::size_t i = 0; i < kColourWords.size(); ++i)
        format.colours.*kColourWords[i] = block[kWordMarkedLineBackColour + i];
    format.wordWrap = block[kWordWordWrap] != 0;
    format.font = FontOf(block);
    return format;
}

void StoreFormat(DisplayBlock& block, const DisplayFormat& format) {
    block[kWordCharsPerLine] = format.charsPerLine;
    block[kWordTabWidth] = format.tabColumns;
    StoreFlag(block[kWordLineNumbering], format.lineNumbering);
    block[kWordLineSpacing] = format.lineSpacing;
    block[kWordCharSpacing] = format.charSpacing;
    StoreFlag(block[kWordShowLineEnds], format.showLineEnds);
    StoreFlag(block[kWordShowTabs], format.showTabs);
    StoreFlag(block[kWordFreeCursor], format.freeCursor);
    StoreFlag(block[kWordAutoIndent], format.autoIndent);
    StoreFlag(block[kWordKeepMarkedLines], format.keepLineMarks);
    StoreFlag(block[kWordKeepMarkedChars], format.keepStringMarks);
    if (DocumentTypeOfWord(block[kWordDocumentType]) != format.documentType)
        block[kWordDocumentType] = static_cast<std::int32_t>(format.documentType);
    for (std::size_t i = 0; i < kColourWords.size(); ++i)
        block[kWordMarkedLineBackColour + i] = format.colours.*kColourWords[i];
    StoreFlag(block[kWordWordWrap], format.wordWrap);
    SetFont(block, format.font);
}

} // namespace nelvix
