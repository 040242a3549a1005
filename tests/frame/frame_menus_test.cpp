// The main frame's tables: menus and keys agree, the toolbar's tips split, the open-file filter
// lists parse, the frame fonts' heights, and the window bar's limits.
#include "frame/frame_menus.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "base/cp932.h"
#include "commands/open_file_filters.h"
#include "frame/command_prompts.h"
#include "frame/frame_commands.h"
#include "frame/frame_fonts.h"
#include "frame/frame_toolbar.h"
#include "frame/window_bar_rules.h"
#include "record/command_table.h"
#include "text/document_list.h"
#include "ui/fake_platform.h"
#include "view/document_view.h"
#include "view/text_window.h"

namespace nelvix {
namespace {

void CollectCommands(std::span<const MenuItem> items, std::vector<const MenuItem*>& out) {
    for (const MenuItem& item : items) {
        if (item.kind == MenuItemKind::Command)
            out.push_back(&item);
        CollectCommands(item.items, out);
    }
}

std::vector<const MenuItem*> CommandsOf(FrameMenu menu) {
    std::vector<const MenuItem*> items;
    for (const MenuPopup& popup : FrameMenuPopups(menu))
        CollectCommands(popup.items, items);
    return items;
}

bool HasCommand(FrameMenu menu, int id) {
    for (const MenuItem* item : CommandsOf(menu))
        if (item->commandId == id)
            return true;
    return false;
}

TEST(FrameMenusTest, EveryKeyRunsAMenu3CommandOrATextWindowOrHelpCommand) {
    const std::set<int> keyOnly = {kCmdGoToFindBox, 32822, 32792, kCmdHelp, kCmdContextHelp};
    for (const KeyBinding& binding : FrameKeyTable())
        EXPECT_TRUE(HasCommand(FrameMenu::Documents, binding.commandId) ||
                    keyOnly.contains(binding.commandId))
            << KeyText(binding);
}

TEST(FrameMenusTest, EveryItemWhoseCommandHasAKeyShowsItsFirstKey) {
    // Menu 3 once showed no key beside "グローバル検索", "グローバル抽出" and "ＨＴＭＬ検索".
    for (FrameMenu menu : {FrameMenu::NoDocument, FrameMenu::Documents})
        for (const MenuItem* item : CommandsOf(menu)) {
            std::string expected;
            for (const KeyBinding& binding : FrameKeyTable())
                if (binding.commandId == item->commandId && expected.empty())
                    expected = KeyText(binding);
            EXPECT_EQ(item->keyText, expected) << item->label;
        }
}

TEST(FrameMenusTest, Menu3HoldsMenu2AndNoMenuHoldsACommandTwice) {
    for (const MenuItem* item : CommandsOf(FrameMenu::NoDocument))
        EXPECT_TRUE(HasCommand(FrameMenu::Documents, item->commandId)) << item->commandId;
    for (FrameMenu menu : {FrameMenu::NoDocument, FrameMenu::Documents}) {
        std::set<int> seen;
        for (const MenuItem* item : CommandsOf(menu))
            EXPECT_TRUE(seen.insert(item->commandId).second) << item->commandId;
    }
}

TEST(FrameMenusTest, KeysAreUniqueAndFoundByKeyAndModifiers) {
    std::set<std::string> texts;
    for (const KeyBinding& binding : FrameKeyTable())
        EXPECT_TRUE(texts.insert(KeyText(binding)).second) << KeyText(binding);
    EXPECT_EQ(CommandOfKey(FrameKey::C, {true, true}), kCmdAppendCopy);
    EXPECT_EQ(CommandOfKey(FrameKey::E, {true, true}), std::nullopt);
    EXPECT_EQ(CommandOfKey(FrameKey::Insert, {false, false}), std::nullopt);
}

TEST(FrameToolbarTest, ATipSplitsIntoItsStatusTextAndItsShortTip) {
    const TipParts copy = SplitTip(ToolbarTipOf(kCmdCopy));
    EXPECT_EQ(copy.statusText, "選択した範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存");
    EXPECT_EQ(copy.shortTip, "ｺﾋﾟｰ");
    EXPECT_EQ(SplitTip("only").shortTip, "only");
    EXPECT_TRUE(ToolbarTipOf(kCmdAppExit).empty());
}

// Menu items without a toolbar button (the rulers, marks, jump, ...) once showed no prompt.
TEST(FrameMenusTest, EveryMenuCommandHasAStatusBarPrompt) {
    for (FrameMenu menu : {FrameMenu::NoDocument, FrameMenu::Documents})
        for (const MenuItem* item : CommandsOf(menu))
            EXPECT_FALSE(CommandPrompt(item->commandId).empty()) << item->label;
}

// The lists themselves are what the open dialog shows (main_window_test.cpp).
TEST(OpenFileFiltersTest, EachListParsesWholeAndAnUnknownTypeTakesTheTextList) {
    for (int documentType : {0, 1, 2}) {
        const std::vector<FileFilter> parsed =
            ParseFilterList(OpenFileFiltersOf(documentType).filterList);
        ASSERT_GE(parsed.size(), 4u) << documentType;
        EXPECT_EQ(parsed.back(), (FileFilter{"すべてのﾌｧｲﾙ(*.*)", "*.*"})) << documentType;
    }
    EXPECT_EQ(OpenFileFiltersOf(7).filterList, OpenFileFiltersOf(0).filterList);
}

TEST(OpenFileFiltersTest, AListWithoutItsEndOrWithAStrayNameKeepsTheWholePairs) {
    EXPECT_EQ(ParseFilterList("A|*.a|B|*.b"),
              (std::vector<FileFilter>{{"A", "*.a"}, {"B", "*.b"}}));
    EXPECT_EQ(ParseFilterList("A|*.a|B|"), (std::vector<FileFilter>{{"A", "*.a"}}));
    EXPECT_EQ(ParseFilterList("A|*.a||B|*.b"), (std::vector<FileFilter>{{"A", "*.a"}}));
    EXPECT_TRUE(ParseFilterList("").empty());
}

TEST(FrameFontsTest, HeightsAreNegativeAndRoundedTowardsZero) {
    EXPECT_EQ(FrameFontHeight(96, kFindBoxFont.points), -14);    // 14.67
    EXPECT_EQ(FrameFontHeight(96, kStatusBarFont.points), -13);  // 13.33
    EXPECT_EQ(FrameFontHeight(96, kWindowBarFont.points), -12);  // 12
    EXPECT_EQ(FrameFontHeight(120, kWindowBarFont.points), -15); // 15
    EXPECT_EQ(FrameFontFaces()[kWindowBarFont.face].pitch, FontPitch::Variable);
}

TEST(WindowBarRulesTest, AnAdjustOf10MakesTheBar10PixelsTaller) {
    EXPECT_EQ(WindowBarHeight(12, 0), 20);
    EXPECT_EQ(WindowBarHeight(12, 10), 30);
}

TEST(WindowBarRulesTest, Only100DocumentsGetTabsAndATabBeyondThemIsIgnored) {
    ui::FakePlatform fake;
    DocumentEnvironment environment{fake.platform};
    DocumentList documents{environment};
    for (int i = 0; i < 101; ++i)
        ASSERT_NE(documents.CreateUntitled(), nullptr);
    const std::vector<std::string> titles = WindowTabTitles(documents);
    ASSERT_EQ(titles.size(), 100u);
    EXPECT_EQ(titles.front(), Sjis("無題1"));
    EXPECT_EQ(titles.back(), Sjis("無題100"));
    EXPECT_EQ(DocumentOfTab(99, 101), 99u);
    EXPECT_EQ(DocumentOfTab(100, 101), std::nullopt);
    EXPECT_EQ(DocumentOfTab(3, 3), std::nullopt);
    EXPECT_EQ(DocumentOfTab(-1, 3), std::nullopt);
}

} // namespace
} // namespace nelvix
