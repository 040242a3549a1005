// The code page 932 <-> UTF-8 edges: glibc's CP932 choices, replacement of what cannot be
// converted, and the tables built from iconv.
#include "base/cp932.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <thread>
#include <vector>

#include "base/cp932_table.h"

namespace nelvix {
namespace {

using std::string_literals::operator""s;

const std::string kFffd = "\xEF\xBF\xBD";

struct ToUtf8Case {
    const char* name;
    std::string sjis;
    std::string utf8;
};

// Each code alone, defined or not, meets the tables in the round trip below; these rows are
// glibc's choices between twins and the replacement within a text.
TEST(Cp932ToUtf8, ConvertsAndReplaces) {
    const ToUtf8Case cases[] = {{"Empty", "", ""},
                                {"AsciiWithLineEnds", "abc\r\n~\\", "abc\r\n~\\"},
                                {"NulIsKept", "a\0b"s, "a\0b"s},
                                {"TildeIsFullWidthTildeAsOnWindows", "\x81\x60", "\xEF\xBD\x9E"},
                                {"MinusSignIsFullWidthHyphenMinus", "\x81\x7C", "\xEF\xBC\x8D"},
                                {"NecSelectedIbmExtension", "\xEE\xEF", "ⅰ"},
                                {"Byte80IsUndefined", "a\x80z", "a\xEF\xBF\xBDz"},
                                {"LeadByteTakesAnInvalidTrailWithIt", "\x81\x20z", "\xEF\xBF\xBDz"},
                                {"LeadByteTakesALineEndWithIt", "\x82\n\x82\xA0", kFffd + "あ"},
                                {"LeadByteAtTheEnd", "ab\x82", "ab\xEF\xBF\xBD"},
                                {"ConversionGoesOnAfterEachReplacement",
                                 "\x80\x82\xA0\x85\x40\x82\xA2\x82",
                                 kFffd + "あ" + kFffd + "い" + kFffd}};
    for (const ToUtf8Case& c : cases)
        EXPECT_EQ(Cp932ToUtf8(c.sjis), c.utf8) << c.name;
}

struct ToCp932Case {
    const char* name;
    std::string utf8;
    std::string replacement;
    std::string sjis;
    bool lossy;
};

const std::string kDot(kSjisMiddleDot);

TEST(Utf8ToCp932, ConvertsAndReplaces) {
    const ToCp932Case cases[] = {
        {"Empty", "", kDot, "", false},
        {"Ascii", "abc\r\n\\~", kDot, "abc\r\n\\~", false},
        // iconv's one-way mappings: taken as code page 932 can show them.
        {"WaveDashOneWay", "\xE3\x80\x9C", kDot, "\x81\x60", false},
        {"YenSignOneWay", "\xC2\xA5", kDot, "\x5C", false},
        {"NecRow13DuplicatePrefersJisX0208", "≒", kDot, "\x81\xE0", false},
        {"IbmDuplicatePrefersIbmExtension", "ⅰ", kDot, "\xFA\x40", false},
        {"LatinSmallEAcuteIsMissing", "caf\xC3\xA9!", kDot, "caf\x81\x45!", true},
        {"EmojiIsOneCharacter", "a\xF0\x9F\x98\x80z", kDot, "a\x81\x45z", true},
        {"ByteOrderMarkIsMissing", "\xEF\xBB\xBFx", kDot, "\x81\x45x", true},
        {"OwnReplacement", "\xC3\xA9", "?", "?", true},
        {"EmptyReplacementDrops", "a\xC3\xA9z", "", "az", true},
        {"LoneContinuationByte", "a\x80z", kDot, "a\x81\x45z", true},
        // How many bytes each ill-formed part takes is the decoder's table below.
        {"OverlongIsTwoBadBytes", "\xC0\xAF", "?", "??", true},
        {"CutSequenceAtTheEndIsOneUnit", "a\xE3\x81", "?", "a?", true},
        {"CutSequenceKeepsTheByteThatBrokeIt", "\xE3\x81\x41\xE3\x81\x82", "?", "?A\x82\xA0", true},
        {"LongReplacementGrowsTheOutput", "\xFF\xFF\xFF\xFF", "<bad>", "<bad><bad><bad><bad>",
         true},
        // iconv drops these silently; the text converter replaces them like any other.
        {"LanguageTagIsReplacedAsTheTextConverterDoes", "\x80\x80\xA0\x80\xF3\xA0\x80\x80\x80", "?",
         "??????", true},
        {"LastLanguageTagIsReplaced", "a\xF3\xA0\x81\xBF", "?", "a?", true},
        {"NotALanguageTagGoesToIconv", "\xF3\xA0\x82\x80z", "?", "?z", true}};
    for (const ToCp932Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool lossy = !c.lossy;
        EXPECT_EQ(Utf8ToCp932(c.utf8, c.replacement, &lossy), c.sjis);
        EXPECT_EQ(lossy, c.lossy);
        EXPECT_EQ(Utf8ToCp932(c.utf8, c.replacement), c.sjis) << "without asking whether lossy";
    }
}

TEST(Cp932ToUtf8, LongTextPassesWhole) {
    std::string sjis;
    std::string utf8;
    for (int i = 0; i < 100'000; ++i) {
        sjis += "\x82\xA0z\xB1\x80";
        utf8 += "あzｱ";
        utf8 += kFffd;
    }
    EXPECT_EQ(Cp932ToUtf8(sjis), utf8);
}

TEST(Cp932ToUtf8, AlwaysGivesWellFormedUtf8) {
    std::mt19937 random(932);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 40);
    for (int round = 0; round < 20'000; ++round) {
        std::string sjis(static_cast<std::size_t>(length(random)), '\0');
        for (char& c : sjis)
            c = static_cast<char>(byte(random));
        const std::string utf8 = Cp932ToUtf8(sjis);
        ASSERT_TRUE(IsWellFormedUtf8(utf8)) << testing::PrintToString(sjis);
    }
}

TEST(Cp932ToUtf8, EveryDefinedCodeComesBackUnlessItIsADuplicate) {
    // Code page 932 defines some characters twice (NEC row 13 / JIS X 0208, NEC-selected IBM
    // extensions / IBM extensions); UTF-8 -> code page 932 picks one of each pair.
    int defined = 0;
    int duplicates = 0;
    for (unsigned code = 0; code < 0x10000; ++code) {
        std::string sjis;
        if (code < 0x100) {
            if (IsLeadByte(static_cast<Byte>(code)))
                continue;
            sjis += static_cast<char>(code);
        } else {
            sjis += static_cast<char>(code >> 8);
            sjis += static_cast<char>(code & 0xFF);
            if (!IsLeadByte(static_cast<Byte>(sjis[0])) || !IsTrailByte(static_cast<Byte>(sjis[1])))
                continue;
        }
        const std::string utf8 = Cp932ToUtf8(sjis);
        if (utf8 == kFffd) {
            EXPECT_EQ(Cp932CodeToUnicode(static_cast<std::uint16_t>(code)), kNoUnicode);
            continue;
        }
        ++defined;
        EXPECT_NE(Cp932CodeToUnicode(static_cast<std::uint16_t>(code)), kNoUnicode);
        bool lossy = true;
        if (Utf8ToCp932(utf8, kSjisMiddleDot, &lossy) != sjis)
            ++duplicates;
        EXPECT_FALSE(lossy);
    }
    // 128 ASCII + 63 half-width katakana + 7,915 double-byte + 1,880 user-defined...
    EXPECT_EQ(defined, 128 + 63 + 9604);
    // ... of which 398 are the second spelling of another code (glibc's CP932, as Windows).
    EXPECT_EQ(duplicates, 398);
}

TEST(Cp932, ConversionsAreThreadSafe) {
    const std::string sjis = "\x82\xA0\x96\xB3\x91\xE8\x80z\xB1";
    const std::string utf8 = Cp932ToUtf8(sjis);
    std::vector<std::thread> threads;
    std::vector<int> failures(8, 0);
    for (std::size_t t = 0; t < failures.size(); ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 2'000; ++i) {
                if (Cp932ToUtf8(sjis) != utf8 ||
                    Utf8ToCp932("無題é", kSjisMiddleDot) != "\x96\xB3\x91\xE8\x81\x45")
                    ++failures[t];
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    for (int failed : failures)
        EXPECT_EQ(failed, 0);
}

struct DecodeCase {
    const char* name;
    std::string bytes;
    bool valid;
    std::uint32_t length;
    char32_t codePoint;
};

TEST(DecodeUtf8, DecodesOneStep) {
    const DecodeCase cases[] = {{"Ascii", "A", true, 1, U'A'},
                                {"Nul", "\0"s, true, 1, 0},
                                {"TwoBytesLowest", "\xC2\x80", true, 2, 0x80},
                                {"TwoBytesHighest", "\xDF\xBF", true, 2, 0x7FF},
                                {"ThreeBytesLowest", "\xE0\xA0\x80", true, 3, 0x800},
                                {"BeforeSurrogates", "\xED\x9F\xBF", true, 3, 0xD7FF},
                                {"AfterSurrogates", "\xEE\x80\x80", true, 3, 0xE000},
                                {"ThreeBytesHighest", "\xEF\xBF\xBF", true, 3, 0xFFFF},
                                {"FourBytesLowest", "\xF0\x90\x80\x80", true, 4, 0x10000},
                                {"FourBytesHighest", "\xF4\x8F\xBF\xBF", true, 4, 0x10FFFF},
                                {"LoneContinuation", "\x80", false, 1, 0},
                                {"OverlongC0", "\xC0\x80", false, 1, 0},
                                {"OverlongC1", "\xC1\xBF", false, 1, 0},
                                {"OverlongE0", "\xE0\x9F\xBF", false, 1, 0},
                                {"OverlongF0", "\xF0\x8F\xBF\xBF", false, 1, 0},
                                {"Surrogate", "\xED\xA0\x80", false, 1, 0},
                                {"AboveU10FFFF", "\xF4\x90\x80\x80", false, 1, 0},
                                {"ByteF5", "\xF5\x80\x80\x80", false, 1, 0},
                                {"ByteFF", "\xFF", false, 1, 0},
                                {"CutAfterLead", "\xE3", false, 1, 0},
                                {"CutAfterTwo", "\xE3\x81", false, 2, 0},
                                {"CutFourAfterThree", "\xF0\x9F\x98", false, 3, 0},
                                {"BrokenByAscii",
                                 "\xE3\x81"
                                 "A",
                                 false, 2, 0},
                                {"BrokenByLead", "\xC3\xC3\xA9", false, 1, 0}};
    for (const DecodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto* p = reinterpret_cast<const Byte*>(c.bytes.data());
        const Utf8Step step = DecodeUtf8(p, p + c.bytes.size());
        EXPECT_EQ(step.valid, c.valid);
        EXPECT_EQ(step.length, c.length);
        if (c.valid) {
            EXPECT_EQ(step.codePoint, c.codePoint);
        }
    }
}

} // namespace
} // namespace nelvix
