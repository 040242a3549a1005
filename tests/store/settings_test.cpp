// The settings record against the store: defaults, clamps, placement, user tools, recent files.
#include "store/settings.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/cp932.h"
#include "base/native_path.h"

namespace nelvix {
namespace {

IniFile SettingsFile(const std::string& lines) {
    return IniFile::Parse("[Settings]\n" + lines);
}

TEST(Settings, AnEmptyStoreGivesTheRecordsDefaults) {
    Settings loaded;
    loaded.scrollLineCount = 9;
    loaded.userTools[2] = "x";
    LoadSettings(IniFile(), loaded);
    EXPECT_EQ(loaded, Settings{});
}

struct ClampCase {
    const char* name;
    const char* key;
    const char* stored;
    std::function<int(const Settings&)> member;
    int expected;
    const char* writtenBack;
};

class SettingsClampTable : public testing::TestWithParam<ClampCase> {};

TEST_P(SettingsClampTable, ReadsTheClampedValueAndWritesItBack) {
    const ClampCase& c = GetParam();
    Settings settings;
    LoadSettings(SettingsFile(std::string(c.key) + "=" + c.stored + "\n"), settings);
    EXPECT_EQ(c.member(settings), c.expected);
    IniFile saved;
    SaveSettings(saved, settings);
    EXPECT_EQ(saved.GetString("Settings", c.key), c.writtenBack);
}

ClampCase Clamp(const char* name, const char* key, const char* stored,
                std::function<int(const Settings&)> member, int expected, const char* writtenBack) {
    return {name, key, stored, std::move(member), expected, writtenBack};
}

/// A member of the record as a number; switches read 0 or 1.
template <auto member> int Get(const Settings& s) {
    return static_cast<int>(s.*member);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, SettingsClampTable,
    testing::Values(
        Clamp("ScrollZero", "ScrollLineCount", "0", Get<&Settings::scrollLineCount>, 3, "3"),
        Clamp("ScrollEleven", "ScrollLineCount", "11", Get<&Settings::scrollLineCount>, 3, "3"),
        Clamp("ScrollTenStays", "ScrollLineCount", "10", Get<&Settings::scrollLineCount>, 10, "10"),
        Clamp("ScrollLeadingDigits", "ScrollLineCount", "7 lines", Get<&Settings::scrollLineCount>,
              7, "7"),
        Clamp("ScrollNoDigits", "ScrollLineCount", "many", Get<&Settings::scrollLineCount>, 3, "3"),
        Clamp("RulerCursorSeventeen", "RulerCursorColor", "17", Get<&Settings::rulerCursorColor>, 4,
              "4"),
        Clamp("RulerBackZero", "RulerBackColor", "0", Get<&Settings::rulerBackColor>, 16, "16"),
        Clamp("SubDirNine", "SubDirBufSizeKB", "9", Get<&Settings::subDirBufBytes>, 150 * 1024,
              "150"),
        Clamp("SubDirFiveHundred", "SubDirBufSizeKB", "500", Get<&Settings::subDirBufBytes>, 512000,
              "500"),
        Clamp("TitleEightyOne", "TitleViewLength", "81", Get<&Settings::titleViewLength>, 44, "44"),
        Clamp("TitleEightyStays", "TitleViewLength", "80", Get<&Settings::titleViewLength>, 80,
              "80"),
        Clamp("LinkNine", "LinkViewLength", "9", Get<&Settings::linkViewLength>, 44, "44"),
        Clamp("LinkJumpTen", "LinkJumpViewLength", "10", Get<&Settings::linkJumpViewLength>, 10,
              "10"),
        Clamp("CodeDecisionFour", "CodeDecision", "4", Get<&Settings::codeDecision>, 0, "0"),
        Clamp("RunTypeTwo", "RunType", "2", Get<&Settings::runType>, 0, "0"),
        Clamp("TabBarHeightEleven", "TabBarHeightAdjust", "11", Get<&Settings::tabBarHeightAdjust>,
              0, "0"),
        Clamp("LeftMarginNegative", "LeftMgnLM", "-1", Get<&Settings::leftMgnLM>, 15, "15"),
        Clamp("TopMarginThousandStays", "TopMgnLM", "1000", Get<&Settings::topMgnLM>, 1000, "1000"),
        Clamp("UnclampedTakenAsRead", "UpperHeightPix", "-5", Get<&Settings::upperHeightPix>, -5,
              "-5"),
        Clamp("SwitchTwoIsOnAndWrittenAsOne", "DisplayTabBar", "2", Get<&Settings::displayTabBar>,
              1, "1"),
        Clamp("SwitchNegativeIsOn", "TagToUpper", "-3", Get<&Settings::tagToUpper>, 1, "1"),
        Clamp("SwitchZeroIsOff", "TabBarToTop", "0", Get<&Settings::tabBarToTop>, 0, "0"),
        Clamp("ColourWrittenUnsigned", "LineFigureColor", "-1", Get<&Settings::lineFigureColor>, -1,
              "4294967295")),
    [](const testing::TestParamInfo<ClampCase>& row) { return std::string(row.param.name); });

TEST(Settings, PlacementModeIsOppositeTheTagWindow) {
    struct Row {
        int separated, tagToUpper, expected;
    };
    for (const Row row : {Row{0, 1, 0}, Row{0, 0, 0}, Row{1, 1, 2}, Row{1, 0, 1}}) {
        Settings settings;
        LoadSettings(SettingsFile("SeparatedPlacement=" + std::to_string(row.separated) +
                                  "\nTagToUpper=" + std::to_string(row.tagToUpper) + "\n"),
                     settings);
        EXPECT_EQ(settings.placementMode, row.expected) << row.separated << row.tagToUpper;
        EXPECT_EQ(DerivePlacementMode(settings), row.expected);
    }
}

TEST(Settings, SaveThenLoadGivesTheSameRecordAndKeepsTheRestOfTheFile) {
    Settings settings;
    settings.colorAreaComment = 1;
    settings.scrollLineCount = 10;
    settings.subDirBufBytes = 500 * 1024;
    settings.separatedPlacement = 1;
    settings.tagToUpper = 0;
    settings.lineBackColorref = 0x00123456;
    settings.userTools = {Sjis("一.mac"), "", "  three.mac", "", "five.mac"};
    settings.placementMode = DerivePlacementMode(settings);

    const std::string others = "; kept\n[Other]\nScrollLineCount=99\n";
    IniFile ini =
        IniFile::Parse(others + "[settings]\nuserkeywordwithdelimiter=1\nUserTool2=old\n");
    SaveSettings(ini, settings);
    const std::string text = ini.Serialize();
    EXPECT_TRUE(text.starts_with(others)) << text;
    // Read but never written: the line stays as it was although the record holds 0.
    EXPECT_NE(text.find("\nuserkeywordwithdelimiter=1\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("UserTool2"), std::string::npos) << text;
    EXPECT_EQ(text.find("UserTool4"), std::string::npos) << text;

    Settings loaded;
    LoadSettings(IniFile::Parse(text), loaded);
    settings.userKeyWordWithDelimiter = 1; // read, never written
    EXPECT_EQ(loaded, settings);
}

TEST(Settings, AToolNameThatCannotBeStoredRemovesTheOldOne) {
    Settings settings;
    settings.userTools[0] = "bad\nname";
    IniFile ini = SettingsFile("UserTool1=old.mac\n");
    SaveSettings(ini, settings);
    EXPECT_FALSE(ini.GetString("Settings", "UserTool1"));
}

TEST(WindowPlacement, OnlyTenNumbersWithinTheirTypesAreAccepted) {
    struct Row {
        const char* stored;
        bool accepted;
    };
    for (const Row row : {
             Row{"2,3,-1,-1,-8,-8,10,20,810,620", true},
             Row{" 2, 3,-1,-1,-8,-8,10,20,810,620 trailing", true},
             Row{"2,3,-1,-1,-8,-8,10,20,810", false},
             Row{"2,3,-1,-1,-8,-8,10,20,810,", false},
             Row{"2,3,-1,-1,-8,-8,10,20,810 ,620", false},
             Row{"2;3;-1;-1;-8;-8;10;20;810;620", false},
             Row{"-2,3,-1,-1,-8,-8,10,20,810,620", false},
             Row{"2,3,-1,-1,-8,-8,10,20,810,2147483648", false},
             Row{"4294967295,3,-2147483648,-1,-8,-8,10,20,810,620", true},
             Row{"", false},
         }) {
        const std::optional<WindowPlacement> placement =
            ReadWindowPlacement(SettingsFile(std::string("WindowPos=") + row.stored + "\n"));
        EXPECT_EQ(placement.has_value(), row.accepted) << row.stored;
    }
}

TEST(WindowPlacement, WriteThenReadGivesItBack) {
    const WindowPlacement placement{2, 3, -1, -1, -8, -8, 10, 20, 810, 620};
    IniFile ini;
    WriteWindowPlacement(ini, placement);
    EXPECT_EQ(ini.GetString("Settings", "WindowPos"), "2,3,-1,-1,-8,-8,10,20,810,620");
    EXPECT_EQ(ReadWindowPlacement(ini), placement);
    EXPECT_FALSE(ReadWindowPlacement(IniFile()));
}

TEST(RecentFiles, AtMostFourMostRecentFirstAndStaleKeysRemoved) {
    // A name that code page 932 cannot express travels escaped and must come back as it was.
    const std::string escaped = NativePathToSjis("/t/\xFF\xFEname");
    IniFile ini = IniFile::Parse("[Recent File List]\nFile1=a\nFile2=b\nFile3=c\nFile4=d\n");
    WriteRecentFiles(ini, {escaped, "", "bad\npath", Sjis("/t/日本.txt")});
    EXPECT_EQ(ReadRecentFiles(ini), (std::vector<std::string>{escaped, Sjis("/t/日本.txt")}));
    EXPECT_FALSE(ini.GetString("Recent File List", "File3"));

    WriteRecentFiles(ini, {"1", "2", "3", "4", "5"});
    EXPECT_EQ(ReadRecentFiles(ini), (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_EQ(ReadRecentFiles(IniFile::Parse("[recent file list]\nfile2=x\nFile3=\n")),
              std::vector<std::string>{"x"});
}

TEST(StandardPalette, BlackOutsideTheSixteenColours) {
    EXPECT_EQ(StandardPaletteColor(0), 0u);
    EXPECT_EQ(StandardPaletteColor(17), 0u);
    EXPECT_EQ(StandardPaletteColor(-1), 0u);
}

} // namespace
} // namespace nelvix
