// File names between the core and the system: the documented escape, and the round trip
// native -> core -> native for every byte string.
#include "base/native_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "base/cp932_table.h"
#include "support/test_files.h"

namespace nelvix {
namespace {

using std::string_literals::operator""s;

/// The escape of one native byte, written out from the table in docs/ENCODINGS.md.
std::string DocumentedEscape(Byte b) {
    if ((b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC))
        return "\xF0"s + static_cast<char>(b);
    if (b <= 0x3E)
        return "\xF1"s + static_cast<char>(b + 0x40);
    switch (b) {
    case 0x3F:
        return "\xF1\x80";
    case 0x7F:
        return "\xF1\x81";
    case 0xFD:
        return "\xF1\x82";
    case 0xFE:
        return "\xF1\x83";
    default:
        return "\xF1\x84"; // 0xFF
    }
}

std::string EscapedBytes(std::string_view bytes) {
    std::string sjis;
    for (const char c : bytes)
        sjis += DocumentedEscape(static_cast<Byte>(c));
    return sjis;
}

std::string Utf8Of(char32_t codePoint) {
    std::string utf8;
    if (codePoint < 0x80) {
        utf8 += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        utf8 += static_cast<char>(0xC0 | (codePoint >> 6));
        utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        utf8 += static_cast<char>(0xE0 | (codePoint >> 12));
        utf8 += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        utf8 += static_cast<char>(0xF0 | (codePoint >> 18));
        utf8 += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        utf8 += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    return utf8;
}

struct PathCase {
    const char* name;
    std::string native;
    std::string sjis;
};

// What code page 932 carries is checked character by character, by count and through the table
// the UTF-8 converter holds to iconv, in the round trip below; past a plain example, these rows
// are the escapes.
TEST(NativePath, EscapesWhatCodePage932CannotCarry) {
    const PathCase cases[] = {
        {"Empty", "", ""},
        {"Ascii", "/home/user/a b~c\\d.txt", "/home/user/a b~c\\d.txt"},
        {"Japanese", "/データ/日本語.txt",
         "/\x83\x66\x81\x5B\x83\x5E/\x93\xFA\x96\x7B\x8C\xEA.txt"},
        {"WaveDashWouldComeBackAsFullWidthTilde", "\xE3\x80\x9C", "\xF0\xE3\xF0\x80\xF0\x9C"},
        {"YenSignWouldComeBackAsBackslash", "\xC2\xA5", "\xF0\xC2\xF0\xA5"},
        {"LatinSmallEAcute", "caf\xC3\xA9", "caf\xF0\xC3\xF0\xA9"},
        {"Emoji", "\xF0\x9F\x98\x80", "\xF0\xF0\xF0\x9F\xF0\x98\xF0\x80"},
        {"UserDefinedAreaOnEscapeLeadF0", "\xEE\x80\x80", "\xF0\xEE\xF0\x80\xF0\x80"},
        {"UserDefinedAreaOnEscapeLeadF1", "\xEE\x85\xB7", "\xF0\xEE\xF0\x85\xF0\xB7"},
        {"LatinOneFileNameFromAnOldArchive", "r\xE9sum\xE9.txt", "r\xF0\xE9sum\xF0\xE9.txt"},
        {"ShiftJisFileNameFromAnOldArchive", "\x83\x66\x81\x5B\x83\x5E",
         "\xF0\x83\x66\xF0\x81\x5B\xF0\x83\x5E"},
        {"CutSequenceAtTheEnd", "a\xE3\x81", "a\xF0\xE3\xF0\x81"},
        {"OverlongSlash", "\xC0\xAF", "\xF0\xC0\xF0\xAF"},
        {"Surrogate", "\xED\xA0\x80", "\xF0\xED\xF0\xA0\xF0\x80"},
        {"ByteThatBreaksASequenceStartsTheNext", "\xE3\xE3\x81\x82", "\xF0\xE3\x82\xA0"}};
    for (const PathCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(NativePathToSjis(c.native), c.sjis);
        EXPECT_EQ(SjisPathToNative(c.sjis), c.native);
    }
}

struct SjisOnlyCase {
    const char* name;
    std::string sjis;
    std::string native;
};

TEST(SjisPathToNative, ConvertsOtherTextPlainly) {
    const SjisOnlyCase cases[] = {
        {"EscapeLeadWithAnInvalidTrailIsNoEscape", "\xF0 x", "\xEF\xBF\xBDx"},
        {"EscapeLeadAtTheEnd", "a\xF0", "a\xEF\xBF\xBD"},
        {"UnusedSlotOfF1IsUserDefinedText", "\xF1\x85", "\xEE\x84\x80"},
        {"TrailThatLooksLikeAnEscapeLead", "\x82\xF0\x40", "\xE3\x82\x92@"},
        {"EscapeBetweenKanji", "\x96\xB3\xF0\xE9\x91\xE8", "無\xE9題"},
        {"EscapeLeadTakesASlashWithItAsAnyLeadByte", "a\xF0/b",
         "a\xEF\xBF\xBD"
         "b"}};
    for (const SjisOnlyCase& c : cases)
        EXPECT_EQ(SjisPathToNative(c.sjis), c.native) << c.name;
}

TEST(NativePath, EveryByteValueHasItsDocumentedEscape) {
    std::vector<std::string> seen;
    for (unsigned value = 0; value < 0x100; ++value) {
        const Byte b = static_cast<Byte>(value);
        const std::string escape = DocumentedEscape(b);
        ASSERT_EQ(escape.size(), 2u);
        EXPECT_TRUE(IsTrailByte(static_cast<Byte>(escape[1])));
        EXPECT_EQ(SjisPathToNative(escape), std::string(1, static_cast<char>(b))) << value;
        // Bytes that are no part of well-formed UTF-8 on their own are escaped alone.
        if (b >= 0x80) {
            EXPECT_EQ(NativePathToSjis(std::string(1, static_cast<char>(b))), escape) << value;
        }
        for (const std::string& other : seen)
            EXPECT_NE(escape, other);
        seen.push_back(escape);
    }
}

void ExpectRoundTrip(const std::string& native) {
    const std::string sjis = NativePathToSjis(native);
    ASSERT_EQ(SjisPathToNative(sjis), native) << testing::PrintToString(native);
}

TEST(NativePathRoundTrip, EveryStringOfOneAndTwoBytes) {
    for (unsigned first = 0; first < 0x100; ++first) {
        ExpectRoundTrip(std::string(1, static_cast<char>(first)));
        for (unsigned second = 0; second < 0x100; ++second)
            ExpectRoundTrip({static_cast<char>(first), static_cast<char>(second)});
    }
}

TEST(NativePathRoundTrip, EveryThreeByteStringAroundTheTrickyLeads) {
    // Leads whose continuations have narrowed ranges or land on the escape area, between
    // ASCII, an escape-lead-looking byte and a trail-looking byte.
    const Byte leads[] = {0xC2, 0xE0, 0xE3, 0xED, 0xEE, 0xEF, 0xF0, 0xF4};
    for (const Byte lead : leads) {
        for (unsigned second = 0; second < 0x100; ++second) {
            for (unsigned third = 0; third < 0x100; ++third)
                ExpectRoundTrip(
                    {static_cast<char>(lead), static_cast<char>(second), static_cast<char>(third)});
        }
    }
}

TEST(NativePathRoundTrip, EveryCodePointAloneAndBetweenNeighbours) {
    int carried = 0;
    for (char32_t codePoint = 0; codePoint <= 0x10FFFF; ++codePoint) {
        if (codePoint >= 0xD800 && codePoint <= 0xDFFF)
            continue;
        if (codePoint > 0x10000 && codePoint % 97 != 0)
            continue; // outside the BMP nothing is carried: a sample is enough
        const std::string native = Utf8Of(codePoint);
        const std::string sjis = NativePathToSjis(native);
        ASSERT_EQ(SjisPathToNative(sjis), native)
            << std::hex << static_cast<std::uint32_t>(codePoint);
        ASSERT_EQ(SjisPathToNative("\x80" + sjis + "\x82"),
                  "\xEF\xBF\xBD" + native + "\xEF\xBF\xBD")
            << std::hex << static_cast<std::uint32_t>(codePoint);
        if (sjis.size() <= 2 && sjis != EscapedBytes(native))
            ++carried;
    }
    // Every character code page 932 defines (128 ASCII, 63 half-width katakana, 9,604
    // double-byte codes, less the 398 second spellings) except the 376 user-defined characters
    // on the escape leads.
    EXPECT_EQ(carried, 128 + 63 + 9604 - 398 - 376);
}

TEST(NativePathRoundTrip, RandomByteStrings) {
    std::mt19937 random(0x5EED);
    std::uniform_int_distribution<int> pieceKind(0, 5);
    std::uniform_int_distribution<int> anyByte(0, 255);
    std::uniform_int_distribution<int> highByte(0x80, 0xFF);
    std::uniform_int_distribution<int> ascii(0x20, 0x7E);
    std::uniform_int_distribution<int> bmp(0x80, 0xFFFF);
    std::uniform_int_distribution<int> pieces(0, 12);
    const char32_t interesting[] = {0xA5,   0xE9,   0x301C, 0xFF5E, 0x2252,  0x2170, 0xE000, 0xE177,
                                    0xE178, 0xE757, 0xFEFF, 0xFFFD, 0x1F600, 0x3042, 0x6F22};
    std::uniform_int_distribution<std::size_t> pick(0, std::size(interesting) - 1);
    for (int round = 0; round < 100'000; ++round) {
        std::string native;
        const int count = pieces(random);
        for (int i = 0; i < count; ++i) {
            switch (pieceKind(random)) {
            case 0:
                native += static_cast<char>(anyByte(random));
                break;
            case 1:
                native += static_cast<char>(highByte(random));
                break;
            case 2:
                native += static_cast<char>(ascii(random));
                break;
            case 3: {
                const auto codePoint = static_cast<char32_t>(bmp(random));
                if (codePoint < 0xD800 || codePoint > 0xDFFF)
                    native += Utf8Of(codePoint);
                break;
            }
            case 4:
                native += Utf8Of(interesting[pick(random)]);
                break;
            default: {
                // A character cut short.
                const std::string whole = Utf8Of(interesting[pick(random)]);
                native += whole.substr(0, whole.size() - 1);
                break;
            }
            }
        }
        ExpectRoundTrip(native);
    }
}

TEST(AbsoluteSjisPath, JoinsTheWorkingFolderAndNormalisesWithoutResolvingLinks) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.PathOf("real"));
    std::filesystem::create_directory_symlink(dir.PathOf("real"), dir.PathOf("link"));
    test::WorkingFolder here(dir.PathOf("link"));
    const std::string current = std::filesystem::current_path().string();
    const std::string parent = current.substr(0, current.rfind('/'));
    // 表 is 0x95 0x5C: a trail byte that is a backslash, never a separator.
    const std::string hyou = "\x95\x5C";
    struct Case {
        std::string given;
        std::string expected;
    };
    const std::vector<Case> cases{
        {"", ""},
        {"a.txt", current + "/a.txt"},
        {"./sub/../a.txt", current + "/a.txt"},
        {"../link/a.txt", parent + "/link/a.txt"},
        {"/x//y/./z/../w.txt", "/x/y/w.txt"},
        {hyou + "/../" + hyou + ".txt", current + "/" + hyou + ".txt"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AbsoluteSjisPath(c.given), c.expected) << c.given;
}

} // namespace
} // namespace nelvix
