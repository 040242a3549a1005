// The INI text: profile-reader rules for lookups, and edits that keep every other line.
#include "store/ini_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "base/cp932.h"

namespace nelvix {
namespace {

using namespace std::string_literals;

struct LookupCase {
    const char* name;
    std::string file;
    const char* section;
    const char* key;
    std::optional<std::string> expectedString;
    int expectedInt; // with default 77
};

class IniLookupTable : public testing::TestWithParam<LookupCase> {};

TEST_P(IniLookupTable, ReadsAsTheProfileReaderDoes) {
    const LookupCase& c = GetParam();
    const IniFile ini = IniFile::Parse(c.file);
    EXPECT_EQ(ini.GetString(c.section, c.key), c.expectedString);
    EXPECT_EQ(ini.GetInt(c.section, c.key, 77), c.expectedInt);
}

INSTANTIATE_TEST_SUITE_P(
    Files, IniLookupTable,
    testing::Values(
        LookupCase{"Plain", "[S]\nk=12\n", "S", "k", "12", 12},
        LookupCase{"CrLfAndBom", "\xEF\xBB\xBF[S]\r\nk=5\r\n", "S", "k", "5", 5},
        LookupCase{"CaseOfSectionAndKey", "[settings]\nSCROLLlinecount=4", "Settings",
                   "ScrollLineCount", "4", 4},
        LookupCase{"BlanksAroundNamesAndValue", "  [ S ]  \n\t k \t=  -7 \n", "S", "k", "-7", -7},
        LookupCase{"LeadingNumberOnly", "[S]\nk=12abc\n", "S", "k", "12abc", 12},
        LookupCase{"NoDigitsGivesZeroNotDefault", "[S]\nk=abc\n", "S", "k", "abc", 0},
        LookupCase{"EmptyValueGivesZero", "[S]\nk=\n", "S", "k", "", 0},
        LookupCase{"MissingKeyGivesDefault", "[S]\nother=1\n", "S", "k", std::nullopt, 77},
        LookupCase{"KeyInAnotherSection", "[T]\nk=1\n[S]\n", "S", "k", std::nullopt, 77},
        LookupCase{"KeyBeforeAnySection", "k=1\n[S]\n", "S", "k", std::nullopt, 77},
        LookupCase{"FirstOfTwoWins", "[S]\nk=1\nk=2\n[S]\nk=3\n", "S", "k", "1", 1},
        LookupCase{"SecondSectionOfTheSameName", "[S]\na=1\n[T]\n[S]\nk=3\n", "S", "k", "3", 3},
        LookupCase{"LineWithoutEqualsIgnored", "[S]\nk\nk=9\n", "S", "k", "9", 9},
        LookupCase{"ValueKeepsLaterEquals", "[S]\nk=a=b\n", "S", "k", "a=b", 0},
        LookupCase{"QuotesRemoved", "[S]\nk=\" 8 \"\n", "S", "k", " 8 ", 8},
        LookupCase{"WrapsLikeA32BitReader", "[S]\nk=4294967295\n", "S", "k", "4294967295", -1},
        LookupCase{"Utf8BecomesShiftJis", "[S]\nk=日本\n", "S", "k", Sjis("日本"), 0},
        LookupCase{"InvalidUtf8KeptAsShiftJisBytes", "[S]\nk=\x93\xFA\x96\x7B\n", "S", "k",
                   "\x93\xFA\x96\x7B", 0},
        LookupCase{"NulBytesDoNotEndTheLine", "[S]\nk=1\0x\nj=2\n"s, "S", "j", "2", 2},
        LookupCase{"SectionWithoutClosingBracket", "[S\nk=6\n", "S", "k", "6", 6}),
    [](const testing::TestParamInfo<LookupCase>& row) { return std::string(row.param.name); });

struct EditCase {
    const char* name;
    std::string before;
    std::string expectedAfter;
};

class IniSetTable : public testing::TestWithParam<EditCase> {};

// Every row sets k=v in section S.
TEST_P(IniSetTable, KeepsEveryOtherLine) {
    const EditCase& c = GetParam();
    IniFile ini = IniFile::Parse(c.before);
    ASSERT_TRUE(ini.SetString("S", "k", "v"));
    EXPECT_EQ(ini.Serialize(), c.expectedAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Files, IniSetTable,
    testing::Values(EditCase{"EmptyFile", "", "[S]\nk=v\n"},
                    EditCase{"ReplacedInPlace", "; note\n[s]\na=1\nK = old\nb=2\n",
                             "; note\n[s]\na=1\nk=v\nb=2\n"},
                    EditCase{"AddedAfterTheLastKeyOfItsSection",
                             "[S]\na=1\n\n; about T\n[T]\nk=0\n",
                             "[S]\na=1\nk=v\n\n; about T\n[T]\nk=0\n"},
                    EditCase{"AddedAfterAnEmptyHeader", "[S]\n[T]\n", "[S]\nk=v\n[T]\n"},
                    EditCase{"SectionAddedAtTheEnd", "[T]\nx=1", "[T]\nx=1\n[S]\nk=v\n"},
                    EditCase{"CrLfAndBomBecomeLf", "\xEF\xBB\xBF[S]\r\nk=1\r\n", "[S]\nk=v\n"},
                    EditCase{"StrayBytesKept", "\x01\xFF\n[S]\n", "\x01\xFF\n[S]\nk=v\n"}),
    [](const testing::TestParamInfo<EditCase>& row) { return std::string(row.param.name); });

TEST(IniFile, EveryValueComesBackAsItWasSet) {
    const std::vector<std::string> values = {
        "",
        "plain",
        "  blanks at both ends\t",
        "\"quoted\"",
        "\"",
        Sjis("C:/ツール/日本語.mac"),
        "\x82",             // a lead byte without its trail: no UTF-8 form
        "\xF0\x40\xF1\x80", // the escape pairs of native file names
    };
    for (const std::string& value : values) {
        IniFile ini;
        ASSERT_TRUE(ini.SetString("S", "k", value));
        const IniFile reread = IniFile::Parse(ini.Serialize());
        EXPECT_EQ(reread.GetString("S", "k"), value) << ini.Serialize();
    }
}

TEST(IniFile, RefusesWhatWouldBreakTheFile) {
    IniFile ini = IniFile::Parse("[S]\nk=old\n");
    const std::string before = ini.Serialize();
    EXPECT_FALSE(ini.SetString("S", "k", "a\nb=c"));
    EXPECT_FALSE(ini.SetString("S", "k", "a\rb"));
    EXPECT_FALSE(ini.SetString("S", "k", "a\0b"s));
    EXPECT_FALSE(ini.SetString("S", "a=b", "v"));
    EXPECT_FALSE(ini.SetString("S", "[x]", "v"));
    EXPECT_FALSE(ini.SetString("S", "", "v"));
    EXPECT_FALSE(ini.SetString("S]", "k", "v"));
    EXPECT_FALSE(ini.SetString("S\n[T", "k", "v"));
    EXPECT_EQ(ini.Serialize(), before);
}

TEST(IniFile, RemoveKeyTakesEveryCopyAndNothingElse) {
    IniFile ini = IniFile::Parse("[S]\nk=1\nK=2\nj=3\n[T]\nk=4\n");
    EXPECT_TRUE(ini.RemoveKey("s", "k"));
    EXPECT_FALSE(ini.RemoveKey("S", "k"));
    EXPECT_EQ(ini.Serialize(), "[S]\nj=3\n[T]\nk=4\n");
}

} // namespace
} // namespace nelvix
