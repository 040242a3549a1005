// The display block's defaults and the packing of its font description.
#include "store/display_block.h"

#include <algorithm>

#include "base/sjis.h"

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
    SetFont(block, font);
    SetFontFaceName(block, "Fixedsys");
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

std::string FontFaceName(const DisplayBlock& block) {
    const FontDescription font = FontOf(block);
    // A name that fills all 32 bytes has lost its 0; its last byte is taken as the 0.
    const auto end = std::find(font.faceName.begin(), font.faceName.end() - 1, 0);
    return std::string(font.faceName.begin(), end);
}

void SetFontFaceName(DisplayBlock& block, std::string_view sjisFace) {
    const auto* text = reinterpret_cast<const Byte*>(sjisFace.data());
    const std::size_t limit = std::min(sjisFace.size(), kFontFaceBytes - 1);
    std::size_t length = 0;
    while (length < limit) {
        const std::size_t next = NextCharOffset(text, sjisFace.size(), length);
        if (next > limit || text[length] == 0)
            break;
        length = next;
    }
    FontDescription font = FontOf(block);
    font.faceName.fill(0);
    std::copy_n(text, length, font.faceName.begin());
    SetFont(block, font);
}

std::int32_t FontPointSize(const DisplayBlock& block) {
    return block[kWordFontFirst];
}

void SetFontPointSize(DisplayBlock& block, std::int32_t points) {
    block[kWordFontFirst] = points;
}

FormatSettings FormatOf(const DisplayBlock& block) {
    FormatSettings format;
    std::copy_n(block.begin(), FormatSettings::kWordCount, format.words.begin());
    std::copy_n(block.begin() + kWordFontFirst, FormatSettings::kFontWordCount,
                format.font.begin());
    return format;
}

} // namespace nelvix
