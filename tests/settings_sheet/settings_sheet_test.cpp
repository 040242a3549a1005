// The settings sheet's pages: the number fields' range checks and messages, the code list, the
// colour lists' items with bit 15, the format page's words, the editor and browser pages over
// the tool-list rules, the help topics and the checks of OK.
#include "settings_sheet/settings_sheet_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/cp932.h"
#include "settings_sheet/settings_sheet_command.h"
#include "ui/fake_platform.h"
#include "ui/message_ids.h"

namespace nelvix {
namespace {

std::string RangeText(const char* lowest, const char* highest) {
    return std::string(lowest) + Sjis(" から ") + highest + Sjis(" までの整数を入力してください。");
}

const std::string& ExpectedText() {
    static const std::string text = Sjis("整数を入力してください。");
    return text;
}

/// The only message shown, or an empty text when none or several were.
std::string OnlyMessage(const ui::FakePlatform& fake) {
    return fake.messageBox.shown.size() == 1 ? fake.messageBox.shown[0].text : std::string();
}

struct IntegerCase {
    const char* name;
    const char* text;
    IntegerRange range;
    std::optional<int> value;
    std::string message; ///< empty when the value is taken
};

const IntegerCase kIntegerCases[] = {
    {"lowest scroll count", "1", kScrollLineCountRange, 1, {}},
    {"highest scroll count", "10", kScrollLineCountRange, 10, {}},
    {"scroll count 0", "0", kScrollLineCountRange, std::nullopt, RangeText("1", "10")},
    {"scroll count 11", "11", kScrollLineCountRange, std::nullopt, RangeText("1", "10")},
    {"leading zeros", "007", kScrollLineCountRange, 7, {}},
    {"empty field", "", kScrollLineCountRange, std::nullopt, ExpectedText()},
    {"a lone minus", "-", kScrollLineCountRange, std::nullopt, ExpectedText()},
    {"a letter", "5a", kScrollLineCountRange, std::nullopt, ExpectedText()},
    {"far beyond int", "99999999999999999999", kTabWidthRange, std::nullopt, RangeText("2", "20")},
    {"negative", "-3", kTabWidthRange, std::nullopt, RangeText("2", "20")},
};

TEST(SettingsFields, RangeChecksAndTheirMessages) {
    for (const IntegerCase& c : kIntegerCases) {
        ui::FakePlatform fake;
        EXPECT_EQ(ReadIntegerField(fake.platform, c.text, c.range), c.value) << c.name;
        EXPECT_EQ(OnlyMessage(fake), c.message) << c.name;
        if (!c.message.empty()) {
            EXPECT_EQ(fake.messageBox.shown[0].caption, Sjis("KAV Nelvix")) << c.name;
            const int id =
                c.message == ExpectedText() ? ui::kMsgIntegerExpected : ui::kMsgIntegerRange;
            EXPECT_EQ(fake.messageBox.shown[0].id, id) << c.name;
        }
    }
}

TEST(SettingsFields, QuietValueOfAField) {
    EXPECT_EQ(IntegerFieldOr("42", 3), 42);
    EXPECT_EQ(IntegerFieldOr("", 3), 3);
    EXPECT_EQ(IntegerFieldOr("99999999999999", 3), 2147483647);
}

CommonSettings SomeCommonSettings() {
    CommonSettings common;
    common.invokeGlobalFind = true;
    common.copySelection = false;
    common.scrollLineCount = 5;
    common.runType = 1;
    common.codeDecision = 2;
    common.displayTabBar = false;
    common.tabBarToTop = false;
    common.multiText = true;
    common.displayGlobalFindResult = false;
    common.titleViewLength = 10;
    common.linkViewLength = 80;
    common.linkJumpViewLength = 33;
    common.colorFoundLine = true;
    common.separatedPlacement = true;
    return common;
}

TEST(SettingsCommonPage, OpensWithTheSettingsAndGivesThemBack) {
    SetCommonPageModel page;
    page.Open(SomeCommonSettings());
    EXPECT_EQ(page.Fields().scrollLineCount, "5");
    EXPECT_EQ(page.Fields().linkJumpViewLength, "33");
    EXPECT_EQ(page.Fields().codeItem, 2);
    EXPECT_TRUE(page.Fields().runBrowser);
    EXPECT_FALSE(page.Fields().displayTabBar);
    ui::FakePlatform fake;
    EXPECT_EQ(page.Check(fake.platform), SetField::None);
    EXPECT_TRUE(fake.messageBox.shown.empty());
    EXPECT_EQ(page.Values(), SomeCommonSettings());
}

TEST(SettingsCommonPage, TickedBoxesAreOneAndTypedNumbersAreTaken) {
    SetCommonPageModel page;
    page.Open(CommonSettings{});
    CommonPageFields& fields = page.Fields();
    fields.copySelection = true;
    fields.displayTabBar = false;
    fields.scrollLineCount = "10";
    fields.titleViewLength = "80";
    fields.codeItem = 3;
    const CommonSettings values = page.Values();
    EXPECT_EQ(values.copySelection, 1);
    EXPECT_EQ(values.displayTabBar, 0);
    EXPECT_EQ(values.scrollLineCount, 10);
    EXPECT_EQ(values.titleViewLength, 80);
    EXPECT_EQ(values.codeDecision, 3);
}

struct CommonRefusal {
    const char* name;
    std::string CommonPageFields::*field;
    const char* text;
    SetField refused;
    std::string message;
};

const CommonRefusal kCommonRefusals[] = {
    {"scroll count 0", &CommonPageFields::scrollLineCount, "0", SetField::ScrollLineCount,
     RangeText("1", "10")},
    {"title length 9", &CommonPageFields::titleViewLength, "9", SetField::TitleViewLength,
     RangeText("10", "80")},
    {"link length 81", &CommonPageFields::linkViewLength, "81", SetField::LinkViewLength,
     RangeText("10", "80")},
    {"link target length empty", &CommonPageFields::linkJumpViewLength, "",
     SetField::LinkJumpViewLength, ExpectedText()},
};

TEST(SettingsCommonPage, EachNumberFieldIsChecked) {
    for (const CommonRefusal& c : kCommonRefusals) {
        SetCommonPageModel page;
        page.Open(CommonSettings{});
        page.Fields().*c.field = c.text;
        ui::FakePlatform fake;
        EXPECT_EQ(page.Check(fake.platform), c.refused) << c.name;
        EXPECT_EQ(OnlyMessage(fake), c.message) << c.name;
    }
}

TEST(SettingsCommonPage, OnlyTheFirstRefusalIsReported) {
    SetCommonPageModel page;
    page.Open(CommonSettings{});
    page.Fields().scrollLineCount = "11";
    page.Fields().linkViewLength = "1";
    ui::FakePlatform fake;
    EXPECT_EQ(page.Check(fake.platform), SetField::ScrollLineCount);
    EXPECT_EQ(OnlyMessage(fake), RangeText("1", "10"));
}

struct CodeCase {
    int stored;
    int item;     ///< the list's item on opening
    int decision; ///< stored back
};

const CodeCase kCodeCases[] = {
    {0, 0, 0}, {1, 1, 1}, {3, 3, 3}, {4, -1, 0}, {7, -1, 0}, {-1, -1, 0},
};

TEST(SettingsCommonPage, CodeDecisionAboveThreeBecomesZero) {
    for (const CodeCase& c : kCodeCases) {
        CommonSettings common;
        common.codeDecision = c.stored;
        SetCommonPageModel page;
        page.Open(common);
        EXPECT_EQ(page.Fields().codeItem, c.item) << c.stored;
        Settings settings;
        StoreCommonSettings(settings, page.Values());
        EXPECT_EQ(settings.codeDecision, c.decision) << c.stored;
    }
}

struct ColourCase {
    const char* name;
    std::int32_t word;
    bool flagged;
    int item;
};

const ColourCase kColourCases[] = {
    {"black", 1, false, 0},
    {"silver", 16, false, 15},
    {"marked line background", kBackgroundFlag + 11, true, 10},
    {"tag line background", kBackgroundFlag + 4, true, 3},
    {"flagged silver", kBackgroundFlag + 16, true, 15},
    {"flagged with index 0 stays as it was", kBackgroundFlag, true, -1},
};

TEST(SettingsColourPage, ItemsAreIndexesLessOneWithoutBit15) {
    for (const ColourCase& c : kColourCases) {
        EXPECT_EQ(ColourItemOfWord(c.word), c.item) << c.name;
        EXPECT_EQ(ColourWordOfItem(c.item, c.flagged), c.word) << c.name;
    }
}

TEST(SettingsColourPage, DefaultColoursRoundTripAndAChangedItemIsStored) {
    const DisplayColours defaults;
    SetColourPageModel page;
    page.Open(defaults);
    DisplayColours colours = defaults;
    page.Store(colours);
    EXPECT_EQ(colours, defaults);

    page.Items()[6] = 0; // "ﾏｰｸ行背景" black
    page.Items()[7] = 8; // "文字背景" navy
    page.Store(colours);
    EXPECT_EQ(colours.markLineBackground, kBackgroundFlag + 1);
    EXPECT_EQ(colours.textBackground, 9);
}

TEST(SettingsFormatPage, OpensWithTheLayoutAndStoresIt) {
    SetFormatPageModel page;
    page.Open(DisplayFormat{});
    const FormatPageFields& fields = page.Fields();
    EXPECT_EQ(fields.documentTypeItem, 0);
    EXPECT_EQ(fields.charsPerLine, "200");
    EXPECT_EQ(fields.tabWidth, "4");
    EXPECT_TRUE(fields.showLineEnds);
    EXPECT_FALSE(fields.showTabs);
    EXPECT_FALSE(fields.wordWrap);
    EXPECT_EQ(fields.lineNumbering, 1);

    page.Fields() = {2, "80", "8", false, true, true, 0};
    ui::FakePlatform fake;
    ASSERT_EQ(page.Check(fake.platform), SetField::None);
    DisplayFormat format;
    page.Store(format);
    EXPECT_EQ(format.documentType, DocumentType::Cpp);
    EXPECT_EQ(format.charsPerLine, 80);
    EXPECT_EQ(format.tabColumns, 8);
    EXPECT_FALSE(format.showLineEnds);
    EXPECT_TRUE(format.showTabs);
    EXPECT_TRUE(format.wordWrap);
    EXPECT_FALSE(format.lineNumbering);
}

TEST(SettingsFormatPage, HiddenSettingsPassThroughUnchanged) {
    DisplayFormat opened;
    opened.freeCursor = false;
    opened.keepLineMarks = false;
    SetFormatPageModel page;
    page.Open(opened);
    DisplayFormat format;
    page.Store(format);
    EXPECT_FALSE(format.freeCursor);
    EXPECT_TRUE(format.autoIndent);
    EXPECT_FALSE(format.keepLineMarks);
    EXPECT_TRUE(format.keepStringMarks);
}

TEST(SettingsFormatPage, NoDocumentTypeChosenBecomesGeneralText) {
    SetFormatPageModel page;
    page.Open(DisplayFormat{});
    page.Fields().documentTypeItem = -1;
    DisplayFormat format;
    format.documentType = DocumentType::Cpp;
    page.Store(format);
    EXPECT_EQ(format.documentType, DocumentType::Plain);
}

TEST(SettingsFormatPage, ChecksCharactersPerLineBeforeTabWidth) {
    SetFormatPageModel page;
    page.Open(DisplayFormat{});
    page.Fields().charsPerLine = "9";
    page.Fields().tabWidth = "1";
    ui::FakePlatform fake;
    EXPECT_EQ(page.Check(fake.platform), SetField::CharsPerLine);
    EXPECT_EQ(OnlyMessage(fake), RangeText("10", "250"));

    page.Fields().charsPerLine = "10";
    ui::FakePlatform second;
    EXPECT_EQ(page.Check(second.platform), SetField::TabWidth);
    EXPECT_EQ(OnlyMessage(second), RangeText("2", "20"));
}

const ToolEntry kVi{"/usr/bin/vi", "+$l $f", ""};
const ToolEntry kEmacs{"/usr/bin/emacs", "+$l:$c $f", "/tmp"};
const ToolEntry kGone{"/opt/gone/editor", "$f", ""};

/// Every program but the one that is gone exists.
bool Exists(std::string_view path) {
    return path != kGone.program;
}

TEST(SettingsToolPage, OpensOnEntryZero) {
    SetToolPageModel page;
    page.Open({kVi, kEmacs});
    EXPECT_EQ(page.Fields(), kVi);
    EXPECT_FALSE(page.Changed());
    page.Open({});
    EXPECT_EQ(page.Fields(), ToolEntry{});
}

TEST(SettingsToolPage, ChoosingAnEntryFillsTheFieldsAndOkPutsItFirst) {
    SetToolPageModel page;
    page.Open({kVi, kEmacs});
    page.Choose(1);
    EXPECT_EQ(page.Fields(), kEmacs);
    page.Choose(7); // no such entry
    EXPECT_EQ(page.Fields(), kEmacs);
    ui::FakePlatform fake;
    EXPECT_TRUE(page.Confirm(fake.platform, Exists).ok);
    EXPECT_EQ(page.List(), (std::vector<ToolEntry>{kEmacs, kVi}));
    EXPECT_FALSE(page.Changed());
    EXPECT_TRUE(page.Confirm(fake.platform, Exists).ok) << "a second OK changes nothing";
    EXPECT_EQ(page.List(), (std::vector<ToolEntry>{kEmacs, kVi}));
}

TEST(SettingsToolPage, BrowsingFillsTheProgramAndEmptiesTheOthers) {
    SetToolPageModel page;
    page.Open({kEmacs});
    page.Browsed("/usr/bin/vi");
    EXPECT_EQ(page.Fields(), (ToolEntry{"/usr/bin/vi", "", ""}));
}

TEST(SettingsToolPage, UntouchedFieldsAreNotCheckedAgain) {
    SetToolPageModel page;
    page.Open({kGone, kVi});
    ui::FakePlatform fake;
    EXPECT_TRUE(page.Confirm(fake.platform, Exists).ok);
    EXPECT_EQ(page.List(), (std::vector<ToolEntry>{kGone, kVi}));
    EXPECT_EQ(fake.beeper.beeps, 0);
    EXPECT_TRUE(fake.messageBox.shown.empty());
}

struct ToolCase {
    const char* name;
    ToolEntry typed;
    SetCheck check;
};

const std::string k261(261, 'a');

// The refusals themselves, their beeps and messages are the tool list's (tool_list_test.cpp);
// here the field each one sends the focus to.
TEST(SettingsToolPage, ARefusalFocusesItsFieldAndLeavesTheList) {
    const ToolCase cases[] = {
        {"an empty program", {"", "$f", ""}, {}},
        {"a missing program", kGone, {false, 0, SetField::Program, false}},
        {"a program of 261 bytes", {k261, "", ""}, {false, 0, SetField::Program, false}},
        {"parameters of 261 bytes",
         {"/usr/bin/vi", k261, ""},
         {false, 0, SetField::Parameters, true}},
        {"a directory of 261 bytes",
         {"/usr/bin/vi", "", k261},
         {false, 0, SetField::Directory, true}},
    };
    for (const ToolCase& c : cases) {
        SetToolPageModel page;
        page.Open({kEmacs, kVi});
        page.Fields() = c.typed;
        ui::FakePlatform fake;
        EXPECT_EQ(page.Confirm(fake.platform, Exists), c.check) << c.name;
        EXPECT_EQ(page.List(), (std::vector<ToolEntry>{kEmacs, kVi})) << c.name;
    }
}

TEST(SettingsSheetModel, HelpTopicOfTheActivePage) {
    const std::pair<int, int> topics[] = {{5, 0}, {-1, 0}};
    for (const auto& [page, topic] : topics)
        EXPECT_EQ(SettingsHelpTopic(page), topic) << page;
    SettingsSheetModel model;
    model.Open({}, kSetColourPage);
    EXPECT_EQ(model.HelpTopic(), 32817);
    model.SetActivePage(kSetBrowserPage);
    EXPECT_EQ(model.HelpTopic(), 32835);
    model.SetActivePage(9);
    EXPECT_EQ(model.ActivePage(), kSetBrowserPage);
}

SettingsSheetValues SomeValues() {
    SettingsSheetValues values;
    values.common = SomeCommonSettings();
    values.format.lineSpacing = 3;
    values.format.font.height = 14;
    SetFontFaceName(values.format.font, "Fixedsys");
    values.editors = {kVi};
    values.browsers = {kEmacs};
    return values;
}

TEST(SettingsSheetModel, OpensOnTheGivenPageOrTheCommonPage) {
    SettingsSheetModel model;
    model.Open(SomeValues(), kSetEditorPage);
    EXPECT_EQ(model.ActivePage(), kSetEditorPage);
    model.Open(SomeValues(), 5);
    EXPECT_EQ(model.ActivePage(), kSetCommonPage);
}

TEST(SettingsSheetModel, UntouchedSheetGivesBackWhatItWasOpenedWith) {
    SettingsSheetModel model;
    model.Open(SomeValues(), kSetCommonPage);
    ui::FakePlatform fake;
    EXPECT_TRUE(model.Ok(fake.platform, Exists).ok);
    EXPECT_EQ(model.Values(), SomeValues());
}

struct OkCase {
    const char* name;
    void (*edit)(SettingsSheetModel&);
    SetCheck check;
};

const OkCase kOkCases[] = {
    {"scroll count on the common page",
     [](SettingsSheetModel& m) { m.CommonPage().Fields().scrollLineCount = "0"; },
     {false, kSetCommonPage, SetField::ScrollLineCount, true}},
    {"characters per line on the format page",
     [](SettingsSheetModel& m) { m.FormatPage().Fields().charsPerLine = "9"; },
     {false, kSetFormatPage, SetField::CharsPerLine, true}},
    {"the common page before the format page",
     [](SettingsSheetModel& m) {
         m.FormatPage().Fields().tabWidth = "30";
         m.CommonPage().Fields().titleViewLength = "100";
     },
     {false, kSetCommonPage, SetField::TitleViewLength, true}},
    {"a missing editor",
     [](SettingsSheetModel& m) { m.EditorPage().Fields() = kGone; },
     {false, kSetEditorPage, SetField::Program, false}},
    {"browser parameters too long",
     [](SettingsSheetModel& m) { m.BrowserPage().Fields().parameters = k261; },
     {false, kSetBrowserPage, SetField::Parameters, true}},
};

TEST(SettingsSheetModel, ARefusalBecomesTheActivePage) {
    for (const OkCase& c : kOkCases) {
        SettingsSheetModel model;
        model.Open(SomeValues(), kSetColourPage);
        c.edit(model);
        ui::FakePlatform fake;
        EXPECT_EQ(model.Ok(fake.platform, Exists), c.check) << c.name;
        EXPECT_EQ(model.ActivePage(), c.check.page) << c.name;
    }
}

TEST(SettingsSheetModel, ValuesKeepWhatNoPageEdits) {
    SettingsSheetModel model;
    model.Open(SomeValues(), kSetCommonPage);
    model.FormatPage().Fields().charsPerLine = "120";
    model.ColourPage().Items()[0] = 4;
    model.EditorPage().Choose(0);
    model.BrowserPage().Browsed("/usr/bin/vi");
    ui::FakePlatform fake;
    ASSERT_TRUE(model.Ok(fake.platform, Exists).ok);
    const SettingsSheetValues values = model.Values();
    EXPECT_EQ(values.format.charsPerLine, 120);
    EXPECT_EQ(values.format.colours.cKeyword, 5);
    EXPECT_EQ(values.format.lineSpacing, 3);
    EXPECT_EQ(values.format.font, SomeValues().format.font);
    EXPECT_EQ(values.editors, (std::vector<ToolEntry>{kVi}));
    EXPECT_EQ(values.browsers, (std::vector<ToolEntry>{{"/usr/bin/vi", "", ""}, kEmacs}));
}

} // namespace
} // namespace nelvix
