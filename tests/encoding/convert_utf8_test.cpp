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

constexpr auto kCrLf = LineEndKind::CrLf;
constexpr auto kCrOnly = LineEndKind::Cr;
constexpr auto kLfOnly = LineEndKind::Lf;

TEST(ConvertUtf8ToSjis, WritesExpectedBytes) {
    using std::string_literals::operator""s;
    const Utf8Case cases[] = {
        // Each character on its own is held to iconv by the agreement tests below; these rows
        // are the text around the characters.
        {"Empty", kCrLf, "", "", false},
        {"Ascii", kCrLf, "int main() { return 0; }", "int main() { return 0; }", false},
        {"NulIsKept", kCrLf, "a\0b"s, "a\0b"s, false},
        {"LongAsciiRunThenKanji", kCrLf, "abcdefghijklmnopqrstuvwxyz漢",
         "abcdefghijklmnopqrstuvwxyz\x8A\xBF", false},
        // The byte-order mark.
        {"BomDroppedAtTheStart", kCrLf, "\xEF\xBB\xBFあ", "\x82\xA0", false},
        {"BomAloneGivesNothing", kCrLf, "\xEF\xBB\xBF", "", false},
        {"OnlyTheFirstBomIsDropped", kCrLf, "\xEF\xBB\xBF\xEF\xBB\xBF", "\x81\x45", true},
        {"BomElsewhereIsACharacterCodePage932Lacks", kCrLf, "a\xEF\xBB\xBF", "a\x81\x45", true},
        {"BomCutShortIsACutSequence", kCrLf, "\xEF\xBB", "\x81\x45", true},
        {"BomDroppedBeforeALineEnd", kLfOnly, "\xEF\xBB\xBF\n", "\r\n", false},
        // Characters of the Basic Multilingual Plane that code page 932 lacks meet iconv in the
        // random agreement test; these lie past it or at its end.
        {"EmojiIsOneDot", kCrLf, "\xF0\x9F\x98\x80!", "\x81\x45!", true},
        {"NonCharacterFFFF", kCrLf, "\xEF\xBF\xBF", "\x81\x45", true},
        // Ill-formed input is replaced by maximal invalid parts (the Unicode Standard's
        // recommendation): one dot for a sequence cut short, one per byte that can start
        // nothing. Each kind meets the edge conversion in the random agreement test below, which
        // copies line ends; these rows are the edges of a part.
        {"LoneContinuation", kCrLf, "a\x80z", "a\x81\x45z", true},
        {"FourByteCutAtTheEnd", kCrLf, "a\xF0\x9F\x98", "a\x81\x45", true},
        {"CutByALeadKeepsTheNextCharacter", kCrLf, "\xE3\xE3\x81\x82", "\x81\x45\x82\xA0", true},
        {"CutByALineEndKeepsTheLineEnd", kLfOnly, "\xE3\x81\nz", "\x81\x45\r\nz", true},
        {"ShiftJisReadAsUtf8", kCrLf, "\x82\xA0", "\x81\x45\x81\x45", true},
        // Line ends.
        {"LfBecomesCrLf", kLfOnly, "あ\nい\n", "\x82\xA0\r\n\x82\xA2\r\n", false},
        {"CrBecomesCrLf", kCrOnly, "あ\rい", "\x82\xA0\r\n\x82\xA2", false},
        {"LaterCrLfStaysOneLineEnd", kLfOnly, "a\r\nb", "a\r\nb", false},
        {"CrLfKindCopiesLineEnds", kCrLf, "a\nb\rc\r\n", "a\nb\rc\r\n", false},
        {"OnlyLineEndsDoubleTheLength", kLfOnly, "\n\n\n\n", "\r\n\r\n\r\n\r\n", false},
        {"LineEndInsideAnAsciiRun", kLfOnly, "abcdefghij\nklmnopqrstuvwxyz",
         "abcdefghij\r\nklmnopqrstuvwxyz", false},
        {"CrInsideAnAsciiRun", kCrOnly, "abcdefg\rhijklmnopq", "abcdefg\r\nhijklmnopq", false},
        {"LineEndsInAnAsciiRunCopiedForCrLf", kCrLf, "abcdefg\rhijklm\nnopq",
         "abcdefg\rhijklm\nnopq", false},
    };
    for (const Utf8Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Converted converted = Convert(c.utf8, c.lineEnd);
        EXPECT_EQ(converted.sjis, c.sjis);
        EXPECT_EQ(converted.lossy, c.lossy);
    }
}

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
