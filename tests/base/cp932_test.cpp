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

class Cp932ToUtf8Table : public testing::TestWithParam<ToUtf8Case> {};

TEST_P(Cp932ToUtf8Table, ConvertsAndReplaces) {
    const ToUtf8Case& c = GetParam();
    EXPECT_EQ(Cp932ToUtf8(c.sjis), c.utf8);
}

// Each defined code alone comes back through iconv in the round trip below; these rows are
// glibc's choices between twins, undefined bytes and their replacement.
INSTANTIATE_TEST_SUITE_P(
    Texts, Cp932ToUtf8Table,
    testing::Values(ToUtf8Case{"Empty", "", ""},
                    ToUtf8Case{"AsciiWithLineEnds", "abc\r\n~\\", "abc\r\n~\\"},
                    ToUtf8Case{"NulIsKept", "a\0b"s, "a\0b"s},
                    ToUtf8Case{"TildeIsFullWidthTildeAsOnWindows", "\x81\x60", "\xEF\xBD\x9E"},
                    ToUtf8Case{"MinusSignIsFullWidthHyphenMinus", "\x81\x7C", "\xEF\xBC\x8D"},
                    ToUtf8Case{"NecSelectedIbmExtension", "\xEE\xEF", "ⅰ"},
                    ToUtf8Case{"Byte80IsUndefined", "a\x80z", "a\xEF\xBF\xBDz"},
                    ToUtf8Case{"ByteA0IsUndefined", "a\xA0z", "a\xEF\xBF\xBDz"},
                    ToUtf8Case{"BytesFdFeFfAreUndefined", "\xFD\xFE\xFF",
                               "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
                    ToUtf8Case{"UndefinedRowTakesBothBytes", "\x85\x40z", "\xEF\xBF\xBDz"},
                    ToUtf8Case{"LeadByteTakesAnInvalidTrailWithIt", "\x81\x20z", "\xEF\xBF\xBDz"},
                    ToUtf8Case{"LeadByteTakesALineEndWithIt", "\x82\n\x82\xA0", kFffd + "あ"},
                    ToUtf8Case{"LeadByteAtTheEnd", "ab\x82", "ab\xEF\xBF\xBD"},
                    ToUtf8Case{"ConversionGoesOnAfterEachReplacement",
                               "\x80\x82\xA0\x85\x40\x82\xA2\x82",
                               kFffd + "あ" + kFffd + "い" + kFffd}),
    [](const testing::TestParamInfo<ToUtf8Case>& row) { return std::string(row.param.name); });

struct ToCp932Case {
    const char* name;
    std::string utf8;
    std::string replacement;
    std::string sjis;
    bool lossy;
};

class Utf8ToCp932Table : public testing::TestWithParam<ToCp932Case> {};

TEST_P(Utf8ToCp932Table, ConvertsAndReplaces) {
    const ToCp932Case& c = GetParam();
    bool lossy = !c.lossy;
    EXPECT_EQ(Utf8ToCp932(c.utf8, c.replacement, &lossy), c.sjis);
    EXPECT_EQ(lossy, c.lossy);
    EXPECT_EQ(Utf8ToCp932(c.utf8, c.replacement), c.sjis) << "without asking whether lossy";
}

const std::string kDot(kSjisMiddleDot);

INSTANTIATE_TEST_SUITE_P(
    Texts, Utf8ToCp932Table,
    testing::Values(
        ToCp932Case{"Empty", "", kDot, "", false},
        ToCp932Case{"Ascii", "abc\r\n\\~", kDot, "abc\r\n\\~", false},
        // iconv's one-way mappings: taken as code page 932 can show them.
        ToCp932Case{"WaveDashOneWay", "\xE3\x80\x9C", kDot, "\x81\x60", false},
        ToCp932Case{"YenSignOneWay", "\xC2\xA5", kDot, "\x5C", false},
        ToCp932Case{"NecRow13DuplicatePrefersJisX0208", "≒", kDot, "\x81\xE0", false},
        ToCp932Case{"IbmDuplicatePrefersIbmExtension", "ⅰ", kDot, "\xFA\x40", false},
        ToCp932Case{"LatinSmallEAcuteIsMissing", "caf\xC3\xA9!", kDot, "caf\x81\x45!", true},
        ToCp932Case{"EmojiIsOneCharacter", "a\xF0\x9F\x98\x80z", kDot, "a\x81\x45z", true},
        ToCp932Case{"ByteOrderMarkIsMissing", "\xEF\xBB\xBFx", kDot, "\x81\x45x", true},
        ToCp932Case{"OwnReplacement", "\xC3\xA9", "?", "?", true},
        ToCp932Case{"EmptyReplacementDrops", "a\xC3\xA9z", "", "az", true},
        ToCp932Case{"LoneContinuationByte", "a\x80z", kDot, "a\x81\x45z", true},
        ToCp932Case{"OverlongIsTwoBadBytes", "\xC0\xAF", "?", "??", true},
        ToCp932Case{"SurrogateIsThreeBadBytes", "\xED\xA0\x80", "?", "???", true},
        ToCp932Case{"AboveU10FFFFIsFourBadBytes", "\xF4\x90\x80\x80", "?", "????", true},
        ToCp932Case{"CutSequenceAtTheEndIsOneUnit", "a\xE3\x81", "?", "a?", true},
        ToCp932Case{"CutSequenceKeepsTheByteThatBrokeIt", "\xE3\x81\x41\xE3\x81\x82", "?",
                    "?A\x82\xA0", true},
        ToCp932Case{"LongReplacementGrowsTheOutput", "\xFF\xFF\xFF\xFF", "<bad>",
                    "<bad><bad><bad><bad>", true},
        // iconv drops these silently; the text converter replaces them like any other.
        ToCp932Case{"LanguageTagIsReplacedAsTheTextConverterDoes",
                    "\x80\x80\xA0\x80\xF3\xA0\x80\x80\x80", "?", "??????", true},
        ToCp932Case{"LastLanguageTagIsReplaced", "a\xF3\xA0\x81\xBF", "?", "a?", true},
        ToCp932Case{"NotALanguageTagGoesToIconv", "\xF3\xA0\x82\x80z", "?", "?z", true}),
    [](const testing::TestParamInfo<ToCp932Case>& row) { return std::string(row.param.name); });

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

TEST(Cp932Tables, AgreeWithEachOtherForEveryCodeThatComesBack) {
    const std::uint16_t* table = UnicodeToCp932Table();
    int mapped = 0;
    for (char32_t codePoint = 0; codePoint < 0x10000; ++codePoint) {
        const std::uint16_t code = table[codePoint];
        if (code == kNoCp932)
            continue;
        ++mapped;
        if (!IsSingleByteCode(code)) {
            EXPECT_TRUE(IsLeadByte(LeadByteOf(code)));
            EXPECT_TRUE(IsTrailByte(TrailByteOf(code)));
        }
    }
    for (char32_t codePoint = 0; codePoint < 0x80; ++codePoint) {
        EXPECT_EQ(table[codePoint], codePoint);
        EXPECT_EQ(Cp932CodeToUnicode(static_cast<std::uint16_t>(codePoint)), codePoint);
    }
    EXPECT_EQ(table[0x3042], 0x82A0);   // あ
    EXPECT_EQ(table[0xFF5E], 0x8160);   // ～
    EXPECT_EQ(table[0x00E9], kNoCp932); // é
    EXPECT_EQ(table[0xD800], kNoCp932); // a surrogate
    EXPECT_EQ(Cp932CodeToUnicode(0x8160), 0xFF5Eu);
    EXPECT_EQ(Cp932CodeToUnicode(0x80), kNoUnicode);
    EXPECT_GT(mapped, 128 + 63 + 9604 - 398);
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

class DecodeUtf8Table : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeUtf8Table, DecodesOneStep) {
    const DecodeCase& c = GetParam();
    const auto* p = reinterpret_cast<const Byte*>(c.bytes.data());
    const Utf8Step step = DecodeUtf8(p, p + c.bytes.size());
    EXPECT_EQ(step.valid, c.valid);
    EXPECT_EQ(step.length, c.length);
    if (c.valid) {
        EXPECT_EQ(step.codePoint, c.codePoint);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, DecodeUtf8Table,
    testing::Values(DecodeCase{"Ascii", "A", true, 1, U'A'}, DecodeCase{"Nul", "\0"s, true, 1, 0},
                    DecodeCase{"TwoBytesLowest", "\xC2\x80", true, 2, 0x80},
                    DecodeCase{"TwoBytesHighest", "\xDF\xBF", true, 2, 0x7FF},
                    DecodeCase{"ThreeBytesLowest", "\xE0\xA0\x80", true, 3, 0x800},
                    DecodeCase{"BeforeSurrogates", "\xED\x9F\xBF", true, 3, 0xD7FF},
                    DecodeCase{"AfterSurrogates", "\xEE\x80\x80", true, 3, 0xE000},
                    DecodeCase{"ThreeBytesHighest", "\xEF\xBF\xBF", true, 3, 0xFFFF},
                    DecodeCase{"FourBytesLowest", "\xF0\x90\x80\x80", true, 4, 0x10000},
                    DecodeCase{"FourBytesHighest", "\xF4\x8F\xBF\xBF", true, 4, 0x10FFFF},
                    DecodeCase{"LoneContinuation", "\x80", false, 1, 0},
                    DecodeCase{"OverlongC0", "\xC0\x80", false, 1, 0},
                    DecodeCase{"OverlongC1", "\xC1\xBF", false, 1, 0},
                    DecodeCase{"OverlongE0", "\xE0\x9F\xBF", false, 1, 0},
                    DecodeCase{"OverlongF0", "\xF0\x8F\xBF\xBF", false, 1, 0},
                    DecodeCase{"Surrogate", "\xED\xA0\x80", false, 1, 0},
                    DecodeCase{"AboveU10FFFF", "\xF4\x90\x80\x80", false, 1, 0},
                    DecodeCase{"ByteF5", "\xF5\x80\x80\x80", false, 1, 0},
                    DecodeCase{"ByteFF", "\xFF", false, 1, 0},
                    DecodeCase{"CutAfterLead", "\xE3", false, 1, 0},
                    DecodeCase{"CutAfterTwo", "\xE3\x81", false, 2, 0},
                    DecodeCase{"CutFourAfterThree", "\xF0\x9F\x98", false, 3, 0},
                    DecodeCase{"BrokenByAscii",
                               "\xE3\x81"
                               "A",
                               false, 2, 0},
                    DecodeCase{"BrokenByLead", "\xC3\xC3\xA9", false, 1, 0}),
    [](const testing::TestParamInfo<DecodeCase>& row) { return std::string(row.param.name); });

} // namespace
} // namespace nelvix
