// Width folding and case folding, group by group of the tables.
#include "pattern/char_compare.h"

#include <gtest/gtest.h>

#include <string>

#include "base/cp932.h"

namespace nelvix {
namespace {

// Each character of `sjis` folded, written back as its bytes.
std::string Folded(const std::string& sjis, CharCode (*fold)(CharCode)) {
    std::string out;
    for (std::size_t i = 0; i < sjis.size();) {
        const auto lead = static_cast<Byte>(sjis[i]);
        CharCode code = lead;
        if (IsLeadByte(lead))
            code = static_cast<CharCode>(lead << 8 | static_cast<Byte>(sjis[++i]));
        ++i;
        const CharCode folded = fold(code);
        if (folded >= 0x100)
            out += static_cast<char>(folded >> 8);
        out += static_cast<char>(folded & 0xFF);
    }
    return out;
}

struct FoldRow {
    const char* name;
    std::string text;
    std::string expected;
};

TEST(FoldWidth, MapsEachGroupOfTheTableToItsHalfWidthByte) {
    const FoldRow rows[] = {
        {"AsciiSymbols",
         "\x81\x40\x81\x49\x81\x68\x81\x94\x81\x90\x81\x93\x81\x95\x81\x66\x81\x69\x81\x6A"
         "\x81\x96\x81\x7B\x81\x43\x81\x7C\x81\x44\x81\x5E\x81\x46\x81\x47\x81\x83\x81\x81"
         "\x81\x84\x81\x48\x81\x97\x81\x6D\x81\x8F\x81\x6E\x81\x4F\x81\x51\x81\x65\x81\x6F"
         "\x81\x62\x81\x70\x81\x50",
         " !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~"},
        {"Digits", Sjis("０１２３４５６７８９"), "0123456789"},
        {"Letters", Sjis("ＡＢＹＺａｂｙｚ"), "ABYZabyz"},
        {"Kana", Sjis("あアいイなナんンみミむムゐヰゑヱをヲ"), Sjis("ｱｱｲｲﾅﾅﾝﾝﾐﾐﾑﾑｲｲｴｴｦｦ")},
        {"Voiced", Sjis("がガぱパばバづヅヴ"), Sjis("ｶｶﾊﾊﾊﾊﾂﾂｳ")},
        {"Small", Sjis("ぁァぃィぅゥぇェぉォっッゃャゅュょョ"), Sjis("ｧｧｨｨｩｩｪｪｫｫｯｯｬｬｭｭｮｮ")},
        {"Specials", Sjis("ゎヮヵヶ"), Sjis("ﾜﾜｶｹ")},
        {"Symbols", Sjis("。「」、・ー゛゜"), Sjis("｡｢｣､･ｰﾞﾟ")},
        {"OneByteCharacters", Sjis("Aｱ~"), Sjis("Aｱ~")},
        // Greek and Cyrillic lie above 0x8396, kanji far above; 0x837F is no character.
        {"AboveTheKanaTable", Sjis("ΑαДд亜漢") + "\x83\x7F", Sjis("ΑαДд亜漢") + "\x83\x7F"},
        {"OtherSymbols", Sjis("〇◎※〒"), Sjis("〇◎※〒")},
    };
    for (const FoldRow& row : rows)
        EXPECT_EQ(Folded(row.text, FoldWidth), row.expected) << row.name;
}

TEST(FullWidthFormsOf, ReadsTheWidthTableBackwards) {
    const auto forms = [](Byte halfWidth) {
        std::string out;
        for (const CharCode code : FullWidthFormsOf(halfWidth)) {
            out += static_cast<char>(code >> 8);
            out += static_cast<char>(code & 0xFF);
        }
        return out;
    };
    EXPECT_EQ(forms(0xCA), Sjis("はばぱハバパ")); // ﾊ
    EXPECT_EQ(forms('A'), Sjis("Ａ"));
    EXPECT_EQ(forms(0x7F), "");
}

TEST(FoldCase, FoldsAsciiAndFullWidthLatinOnly) {
    const FoldRow rows[] = {
        {"AsciiCapitals", "AZaz", "azaz"},
        {"AsciiNeighbours", "@[`{", "@[`{"},
        {"FullWidthCapitals", Sjis("ＡＺａｚ"), Sjis("ａｚａｚ")},
        {"FullWidthNeighbours", Sjis("＠［｀｛"), Sjis("＠［｀｛")},
        {"GreekStaysAsItIs", Sjis("Α"), Sjis("Α")},
        {"HalfWidthKana", Sjis("ｱ"), Sjis("ｱ")},
    };
    for (const FoldRow& row : rows)
        EXPECT_EQ(Folded(row.text, FoldCase), row.expected) << row.name;
}

} // namespace
} // namespace nelvix
