// The settings command with a scripted sheet: what the sheet opens with and the page it opens
// on, cancel, and the confirmation steps in order: the common settings, the window bar, the
// placement, the format words with the layout only where it depends on them, the line
// numbering, the colours with the text background, the redraw, the cabinet and the tool lists.
#include "settings_sheet/settings_sheet_command.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "commands/command_scene.h"
#include "settings_sheet/fake_settings_sheet.h"
#include "text/text_document.h"

namespace nelvix {
namespace {

using Log = std::vector<std::string>;

class SettingsSheetCommandTest : public ::testing::Test, protected test::CommandScene {
protected:
    SettingsSheetValues Initial() { return command.InitialValues(); }
    void Answer(std::optional<SettingsSheetValues> values, int page = kSetCommonPage) {
        sheet.answers.push_back({std::move(values), page});
    }
    /// Confirms the sheet with the initial values as `edit` changes them; the effects' log.
    Log Confirm(const std::function<void(SettingsSheetValues&)>& edit) {
        SettingsSheetValues values = Initial();
        edit(values);
        Answer(values);
        effects.log.clear();
        command.Run();
        return effects.log;
    }
    bool CabinetWritten() const { return !test::ReadFileBytes(application.CabinetFile()).empty(); }

    test::FakeSettingsSheet sheet;
    test::FakeSettingsEffects effects;
    int recordRequests = 0;
    SettingsSheetCommand command{application, windows, placement, sheet, effects, [this] {
                                     ++recordRequests;
                                     return std::vector<CabinetDocument>{};
                                 }};
};

TEST_F(SettingsSheetCommandTest, OpensWithTheSettingsTheFormatAndBothLists) {
    application.GetSettings().scrollLineCount = 7;
    application.GetSettings().codeDecision = 2;
    DisplayFormat format = application.GetCabinet().Format();
    format.tabColumns = 8;
    application.GetCabinet().SetFormat(format);
    application.Editors() = {{"/usr/bin/vi", "$f", ""}};
    application.Browsers() = {{"/usr/bin/firefox", "$f", ""}};
    Answer(std::nullopt);
    command.Run();
    ASSERT_EQ(sheet.asked.size(), 1u);
    const SettingsSheetValues& initial = sheet.asked[0].initial;
    EXPECT_EQ(initial.common.scrollLineCount, 7);
    EXPECT_EQ(initial.common.codeDecision, 2);
    EXPECT_TRUE(initial.common.displayTabBar);
    EXPECT_EQ(initial.common.titleViewLength, 44);
    EXPECT_EQ(initial.format, application.GetCabinet().Format());
    EXPECT_EQ(initial.editors, application.Editors());
    EXPECT_EQ(initial.browsers, application.Browsers());
    EXPECT_EQ(sheet.asked[0].page, kSetCommonPage) << "the common page the first time";
    EXPECT_TRUE(command.IsEnabled());
}

TEST_F(SettingsSheetCommandTest, OpensOnThePageLastLeftEvenAfterCancel) {
    Answer(std::nullopt, kSetColourPage);
    command.Run();
    EXPECT_EQ(command.RememberedPage(), kSetColourPage);
    Answer(Initial(), kSetBrowserPage);
    command.Run();
    Answer(std::nullopt);
    command.Run();
    ASSERT_EQ(sheet.asked.size(), 3u);
    EXPECT_EQ(sheet.asked[1].page, kSetColourPage);
    EXPECT_EQ(sheet.asked[2].page, kSetBrowserPage);
}

TEST_F(SettingsSheetCommandTest, CancelChangesNothing) {
    const Settings settings = application.GetSettings();
    const DisplayBlock block = application.GetCabinet().Current();
    application.Editors() = {{"/usr/bin/vi", "", ""}};
    SettingsSheetValues changed = Initial();
    Answer(std::nullopt);
    command.Run();
    EXPECT_EQ(application.GetSettings(), settings);
    EXPECT_EQ(application.GetCabinet().Current(), block);
    EXPECT_EQ(application.Editors(), changed.editors);
    EXPECT_TRUE(effects.log.empty());
    EXPECT_EQ(windows.repaints, 0);
    EXPECT_FALSE(CabinetWritten());
    EXPECT_EQ(recordRequests, 0);
}

struct EffectCase {
    const char* name;
    void (*edit)(SettingsSheetValues&);
    Log log;
};

const EffectCase kEffectCases[] = {
    {"nothing changed", [](SettingsSheetValues&) {}, {"read", "redraw"}},
    {"window bar hidden",
     [](SettingsSheetValues& v) { v.common.displayTabBar = false; },
     {"bar 0", "read", "redraw"}},
    {"window bar on top waits for the next start",
     [](SettingsSheetValues& v) { v.common.tabBarToTop = false; },
     {"read", "redraw"}},
    {"placement switched on",
     [](SettingsSheetValues& v) { v.common.separatedPlacement = true; },
     {"place 1", "read", "redraw"}},
    {"characters per line",
     [](SettingsSheetValues& v) { v.format.charsPerLine = 100; },
     {"read", "layout", "redraw"}},
    {"tab width",
     [](SettingsSheetValues& v) { v.format.tabColumns = 8; },
     {"read", "layout", "redraw"}},
    {"word wrap",
     [](SettingsSheetValues& v) { v.format.wordWrap = true; },
     {"read", "layout", "redraw"}},
    {"document type",
     [](SettingsSheetValues& v) { v.format.documentType = DocumentType::C; },
     {"read", "layout", "redraw"}},
    {"line numbering",
     [](SettingsSheetValues& v) { v.format.lineNumbering = false; },
     {"read", "caret", "redraw"}},
    {"line-end marks only redraw",
     [](SettingsSheetValues& v) { v.format.showLineEnds = false; },
     {"read", "redraw"}},
    {"colours only redraw",
     [](SettingsSheetValues& v) { v.format.colours.cKeyword = 6; },
     {"read", "redraw"}},
    {"text background navy",
     [](SettingsSheetValues& v) { v.format.colours.textBackground = 9; },
     {"read", "background 800000", "redraw"}},
    {"scroll count and HTML lengths",
     [](SettingsSheetValues& v) {
         v.common.scrollLineCount = 10;
         v.common.titleViewLength = 80;
     },
     {"read", "redraw"}},
    {"everything at once in order",
     [](SettingsSheetValues& v) {
         v.common.displayTabBar = false;
         v.common.separatedPlacement = true;
         v.format.charsPerLine = 100;
         v.format.lineNumbering = false;
         v.format.colours.textBackground = 16;
     },
     {"bar 0", "place 1", "read", "layout", "caret", "background c0c0c0", "redraw"}},
};

TEST_F(SettingsSheetCommandTest, EachChangeHasItsEffectsInTheStepsOrder) {
    for (const EffectCase& c : kEffectCases) {
        const SettingsSheetValues before = Initial();
        EXPECT_EQ(Confirm(c.edit), c.log) << c.name;
        // Back to where the next case starts.
        Answer(before);
        command.Run();
    }
}

TEST_F(SettingsSheetCommandTest, StoresTheFourteenCommonSettings) {
    CommonSettings common;
    common.invokeGlobalFind = true;
    common.copySelection = true;
    common.scrollLineCount = 9;
    common.runType = 1;
    common.codeDecision = 3;
    common.displayTabBar = false;
    common.tabBarToTop = false;
    common.multiText = true;
    common.displayGlobalFindResult = false;
    common.titleViewLength = 11;
    common.linkViewLength = 12;
    common.linkJumpViewLength = 13;
    common.colorFoundLine = true;
    common.separatedPlacement = true;
    Confirm([&](SettingsSheetValues& v) { v.common = common; });
    EXPECT_EQ(CommonSettingsOf(application.GetSettings()), common);
    EXPECT_EQ(application.DocumentsEnvironment().codeDecision, 3);
    EXPECT_EQ(placement.Mode(), PlacementMode::Lower) << "opposite the tag window";
}

TEST_F(SettingsSheetCommandTest, CodeDecisionAboveThreeIsStoredAsZero) {
    application.GetSettings().codeDecision = 1;
    Confirm([](SettingsSheetValues& v) { v.common.codeDecision = 4; });
    EXPECT_EQ(application.GetSettings().codeDecision, 0);
    EXPECT_EQ(application.DocumentsEnvironment().codeDecision, 0);
}

TEST_F(SettingsSheetCommandTest, DocumentsAreLaidOutWithTheNewFormatAndRedrawnWithTheColours) {
    DisplayFormat atLayOut;
    DisplayFormat formatAtLayOut;
    DisplayFormat atRedraw;
    effects.onLayOut = [&] {
        atLayOut = application.GetCabinet().Format();
        formatAtLayOut = application.DocumentsEnvironment().format;
    };
    effects.onRedraw = [&] {
        atRedraw = application.GetCabinet().Format();
        EXPECT_FALSE(CabinetWritten()) << "the cabinet is confirmed after the redraw";
        EXPECT_EQ(windows.repaints, 0) << "the frame is repainted after the documents";
    };
    Confirm([](SettingsSheetValues& v) {
        v.format.charsPerLine = 64;
        v.format.colours.comment = 3;
    });
    EXPECT_EQ(atLayOut.charsPerLine, 64);
    EXPECT_EQ(formatAtLayOut.charsPerLine, 64);
    EXPECT_EQ(atRedraw.colours.comment, 3);
    EXPECT_EQ(application.DocumentsEnvironment().format.colours.comment, 3)
        << "new documents take the colours too";
    EXPECT_EQ(windows.repaints, 1);
}

TEST_F(SettingsSheetCommandTest, ConfirmsTheCabinetAndReplacesBothToolLists) {
    const std::vector<ToolEntry> editors{{"/usr/bin/vi", "+$l $f", ""}};
    const std::vector<ToolEntry> browsers{{"/usr/bin/firefox", "$f", "/tmp"}};
    Confirm([&](SettingsSheetValues& v) {
        v.format.tabColumns = 2;
        v.format.colours.tagTargetBackground = kBackgroundFlag + 7;
        v.editors = editors;
        v.browsers = browsers;
    });
    const Cabinet& cabinet = application.GetCabinet();
    EXPECT_EQ(cabinet.Saved(), cabinet.Current());
    EXPECT_EQ(cabinet.SavedFormat().tabColumns, 2);
    EXPECT_EQ(cabinet.SavedFormat().colours.tagTargetBackground, kBackgroundFlag + 7);
    EXPECT_TRUE(CabinetWritten());
    EXPECT_EQ(recordRequests, 1);
    EXPECT_EQ(application.Editors(), editors);
    EXPECT_EQ(application.Browsers(), browsers);
}

TEST_F(SettingsSheetCommandTest, OnlyWhatThePagesEditIsTaken) {
    DisplayFormat spaced = application.GetCabinet().Format();
    spaced.lineSpacing = 2;
    application.GetCabinet().SetFormat(spaced);
    const DisplayBlock before = application.GetCabinet().Current();
    Confirm([](SettingsSheetValues& v) {
        v.format.lineSpacing = 9;
        v.format.charSpacing = 9;
        v.format.font.height = 99;
    });
    EXPECT_EQ(application.GetCabinet().Current(), before);
}

TEST_F(SettingsSheetCommandTest, TheLayoutReachesAnOpenDocument) {
    dir.Write("a.txt", "abcdefghijklmnopqrstuvwxyz\r\n");
    CKespoEV* window = windows.OpenOrActivate(dir.PathOf("a.txt"));
    ASSERT_NE(window, nullptr);
    CKespoDoc& document = window->Document();
    effects.onLayOut = [&] {
        document.SetFormatSettings(application.DocumentsEnvironment().format);
    };
    Confirm([](SettingsSheetValues& v) { v.format.charsPerLine = 10; });
    EXPECT_EQ(document.Format().charsPerLine, 10);
    EXPECT_EQ(document.Rows().Count(), 3u) << "26 letters in rows of 10";
}

} // namespace
} // namespace nelvix
