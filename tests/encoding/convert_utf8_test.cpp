// UTF-8 to Shift-JIS: characters, replacement of what code page 932 lacks and of ill-formed
// sequences, the byte-order mark, line ends, and agreement with iconv.
#include "encoding/convert.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#include "base/cp932.h"

namespace nelvix {
namespace {

using std::string_literals::operator""s;

struct Converted {
    std::string sjis;
    bool lossy = false;
};

/// Converts into a buffer of exactly 2 x length + 1 bytes, as the callers allocate it.
Converted Convert(const std::string& utf8, LineEndKind lineEnd) {
    auto out = std::make_unique<Byte[]>(2 * utf8.size() + 1);
    Converted result;
    result.lossy = true; // must be overwritten
    const std::size_t n = ConvertUtf8ToSjis(reinterpret_cast<const Byte*>(utf8.data()), out.get(),
                                            utf8.size(), lineEnd, result.lossy);
    EXPECT_LE(n, 2 * utf8.size());
    result.sjis.assign(reinterpret_cast<const char*>(out.get()), n);
    return result;
}

struct Utf8Case {
    const char* name;
    LineEndKind lineEnd;
    std::string utf8;
    std::string sjis;
    bool lossy;
};

class ConvertUtf8Table : public testing::TestWithParam<Utf8Case> {};

TEST_P(ConvertUtf8Table, WritesExpectedBytes) {
    const Utf8Case& c = GetParam();
    const Converted converted = Convert(c.utf8, c.lineEnd);
    EXPECT_EQ(converted.sjis, c.sjis);
    EXPECT_EQ(converted.lossy, c.lossy);
}

constexpr auto kCrLf = LineEndKind::CrLf;
constexpr auto kCrOnly = LineEndKind::Cr;
constexpr auto kLfOnly = LineEndKind::Lf;

// Each character on its own is held to iconv by the agreement tests below; these rows are the
// text around the characters.
INSTANTIATE_TEST_SUITE_P(
    ValidText, ConvertUtf8Table,
    testing::Values(Utf8Case{"Empty", kCrLf, "", "", false},
                    Utf8Case{"Ascii", kCrLf, "int main() { return 0; }", "int main() { return 0; }",
                             false},
                    Utf8Case{"NulIsKept", kCrLf, "a\0b"s, "a\0b"s, false},
                    Utf8Case{"LongAsciiRunThenKanji", kCrLf, "abcdefghijklmnopqrstuvwxyz漢",
                             "abcdefghijklmnopqrstuvwxyz\x8A\xBF", false}),
    [](const testing::TestParamInfo<Utf8Case>& row) { return std::string(row.param.name); });

INSTANTIATE_TEST_SUITE_P(
    ByteOrderMark, ConvertUtf8Table,
    testing::Values(Utf8Case{"DroppedAtTheStart", kCrLf,
                             "\xEF\xBB\xBF"
                             "あ",
                             "\x82\xA0", false},
                    Utf8Case{"AloneGivesNothing", kCrLf, "\xEF\xBB\xBF", "", false},
                    Utf8Case{"OnlyTheFirstIsDropped", kCrLf, "\xEF\xBB\xBF\xEF\xBB\xBF", "\x81\x45",
                             true},
                    Utf8Case{"ElsewhereIsACharacterCodePage932Lacks", kCrLf, "a\xEF\xBB\xBF",
                             "a\x81\x45", true},
                    Utf8Case{"CutShortIsACutSequence", kCrLf, "\xEF\xBB", "\x81\x45", true},
                    Utf8Case{"DroppedBeforeALineEnd", kLfOnly, "\xEF\xBB\xBF\n", "\r\n", false}),
    [](const testing::TestParamInfo<Utf8Case>& row) { return std::string(row.param.name); });

// Characters of the Basic Multilingual Plane that code page 932 lacks meet iconv in the random
// agreement test; these lie past it or at its end.
INSTANTIATE_TEST_SUITE_P(
    MissingCharacters, ConvertUtf8Table,
    testing::Values(Utf8Case{"EmojiIsOneDot", kCrLf, "\xF0\x9F\x98\x80!", "\x81\x45!", true},
                    Utf8Case{"NonCharacterFFFF", kCrLf, "\xEF\xBF\xBF", "\x81\x45", true}),
    [](const testing::TestParamInfo<Utf8Case>& row) { return std::string(row.param.name); });

// Ill-formed input is replaced by maximal invalid parts (the Unicode Standard's recommendation):
// one dot for a sequence cut short, one per byte that can start nothing. Which bytes form
// such a part is the shared decoder's table; these rows show the converter replacing them.
INSTANTIATE_TEST_SUITE_P(
    InvalidSequences, ConvertUtf8Table,
    testing::Values(
        Utf8Case{"LoneContinuation", kCrLf, "a\x80z", "a\x81\x45z", true},
        Utf8Case{"ContinuationsAfterACharacter", kCrLf, "\xC3\xA9\xA9", "\x81\x45\x81\x45", true},
        Utf8Case{"OverlongThreeBytes", kCrLf, "\xE0\x80\xAF", "\x81\x45\x81\x45\x81\x45", true},
        Utf8Case{"HighSurrogate", kCrLf, "\xED\xA0\x80", "\x81\x45\x81\x45\x81\x45", true},
        Utf8Case{"CutAtTheEndAfterTwoBytes", kCrLf, "a\xE3\x81", "a\x81\x45", true},
        Utf8Case{"FourByteCutAtTheEnd", kCrLf, "a\xF0\x9F\x98", "a\x81\x45", true},
        Utf8Case{"CutByAsciiKeepsTheAscii", kCrLf, "\xE3\x81z", "\x81\x45z", true},
        Utf8Case{"CutByALeadKeepsTheNextCharacter", kCrLf, "\xE3\xE3\x81\x82", "\x81\x45\x82\xA0",
                 true},
        Utf8Case{"CutByALineEndKeepsTheLineEnd", kLfOnly, "\xE3\x81\nz", "\x81\x45\r\nz", true},
        Utf8Case{"ShiftJisReadAsUtf8", kCrLf, "\x82\xA0", "\x81\x45\x81\x45", true}),
    [](const testing::TestParamInfo<Utf8Case>& row) { return std::string(row.param.name); });

INSTANTIATE_TEST_SUITE_P(
    LineEnds, ConvertUtf8Table,
    testing::Values(
        Utf8Case{"LfBecomesCrLf", kLfOnly, "あ\nい\n", "\x82\xA0\r\n\x82\xA2\r\n", false},
        Utf8Case{"CrBecomesCrLf", kCrOnly, "あ\rい", "\x82\xA0\r\n\x82\xA2", false},
        Utf8Case{"LaterCrLfStaysOneLineEnd", kLfOnly, "a\r\nb", "a\r\nb", false},
        Utf8Case{"CrLfKindCopiesLineEnds", kCrLf, "a\nb\rc\r\n", "a\nb\rc\r\n", false},
        Utf8Case{"OnlyLineEndsDoubleTheLength", kLfOnly, "\n\n\n\n", "\r\n\r\n\r\n\r\n", false},
        Utf8Case{"LineEndInsideAnAsciiRun", kLfOnly, "abcdefghij\nklmnopqrstuvwxyz",
                 "abcdefghij\r\nklmnopqrstuvwxyz", false},
        Utf8Case{"CrInsideAnAsciiRun", kCrOnly, "abcdefg\rhijklmnopq", "abcdefg\r\nhijklmnopq",
                 false},
        Utf8Case{"LineEndsInAnAsciiRunCopiedForCrLf", kCrLf, "abcdefg\rhijklm\nnopq",
                 "abcdefg\rhijklm\nnopq", false}),
    [](const testing::TestParamInfo<Utf8Case>& row) { return std::string(row.param.name); });

TEST(ConvertUtf8ToSjis, WorstCasesFillTheBufferExactly) {
    EXPECT_EQ(Convert(std::string(4096, '\n'), kLfOnly).sjis.size(), 2u * 4096);
    EXPECT_EQ(Convert(std::string(4096, '\xFF'), kCrLf).sjis.size(), 2u * 4096);
    EXPECT_EQ(Convert(std::string(4096, '\x80'), kLfOnly).sjis.size(), 2u * 4096);
}

std::string Utf8Of(char32_t codePoint) {
    std::string utf8;
    if (codePoint < 0x80) {
        utf8 += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        utf8 += static_cast<char>(0xC0 | (codePoint >> 6));
        utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        utf8 += static_cast<char>(0xE0 | (codePoint >> 12));
        utf8 += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    return utf8;
}

TEST(ConvertUtf8ToSjis, AgreesWithIconvOnEveryExpressibleBmpCharacter) {
    // Which characters code page 932 expresses is asked of the iconv-based edge conversion one
    // by one; the whole text is then converted by both in one go.
    std::string text;
    int expressible = 0;
    for (char32_t codePoint = 1; codePoint < 0x10000; ++codePoint) {
        if (codePoint >= 0xD800 && codePoint <= 0xDFFF)
            continue;
        const std::string utf8 = Utf8Of(codePoint);
        bool lossy = true;
        Utf8ToCp932(utf8, "", &lossy);
        if (lossy)
            continue;
        text += utf8;
        ++expressible;
        if (expressible % 40 == 0)
            text += "\r\n";
    }
    EXPECT_GT(expressible, 9000);

    const Converted converted = Convert(text, kCrLf);
    EXPECT_FALSE(converted.lossy);
    const std::string expected = Utf8ToCp932(text, kSjisMiddleDot);
    ASSERT_EQ(converted.sjis.size(), expected.size());
    EXPECT_TRUE(converted.sjis == expected);
}

TEST(ConvertUtf8ToSjis, AgreesWithTheEdgeConversionOnRandomBytes) {
    // Utf8ToCp932 runs iconv and replaces where iconv stops; the table-driven converter must
    // come to the same bytes (no byte-order mark at the start, line ends copied).
    std::mt19937 random(4096);
    std::uniform_int_distribution<int> pieceKind(0, 3);
    std::uniform_int_distribution<int> anyByte(0, 255);
    std::uniform_int_distribution<int> bmp(0x80, 0xFFFF);
    std::uniform_int_distribution<int> pieces(0, 24);
    for (int round = 0; round < 20'000; ++round) {
        std::string utf8;
        const int count = pieces(random);
        for (int i = 0; i < count; ++i) {
            switch (pieceKind(random)) {
            case 0:
                utf8 += static_cast<char>(anyByte(random));
                break;
            case 1:
                utf8 += static_cast<char>(anyByte(random) & 0x7F);
                break;
            default: {
                const auto codePoint = static_cast<char32_t>(bmp(random));
                if (codePoint < 0xD800 || codePoint > 0xDFFF) {
                    const std::string whole = Utf8Of(codePoint);
                    utf8 += pieceKind(random) == 0 ? whole.substr(0, whole.size() - 1) : whole;
                }
                break;
            }
            }
        }
        if (utf8.rfind("\xEF\xBB\xBF", 0) == 0)
            continue;
        bool lossy = false;
        const std::string expected = Utf8ToCp932(utf8, kSjisMiddleDot, &lossy);
        const Converted converted = Convert(utf8, kCrLf);
        ASSERT_EQ(converted.sjis, expected) << testing::PrintToString(utf8);
        ASSERT_EQ(converted.lossy, lossy) << testing::PrintToString(utf8);
    }
}

} // namespace
} // namespace nelvix
