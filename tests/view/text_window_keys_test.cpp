// The keys of the text window: caret moves with and without Ctrl, Shift and free cursor, the
// remembered column, "ScrollLineCount", and keys in an empty text.
#include <gtest/gtest.h>

#include "text_window_fixture.h"

namespace nelvix {
namespace {

using test::TextWindow;

struct Press {
    Key key;
    bool ctrl = false;
    bool shift = false;
};

TEST(TextWindowKeys, MovesTheCaret) {
    const std::string lines = test::NumberedLines(40);
    const std::string shortMiddle = "abcdef\r\nab\r\nabcdef";
    struct Case {
        const char* name;
        std::string text;
        bool freeCursor;
        std::vector<Press> keys;
        std::pair<std::uint32_t, std::uint32_t> caret;
        std::uint32_t topRow;
    };
    const std::vector<Press> toBottom(9, Press{Key::Down});
    std::vector<Press> belowBottom = toBottom;
    belowBottom.push_back({Key::Down});
    std::vector<Press> pageToBottomCtrlUp{{Key::PageDown}};
    pageToBottomCtrlUp.insert(pageToBottomCtrlUp.end(), toBottom.begin(), toBottom.end());
    pageToBottomCtrlUp.push_back({Key::Up, true});
    const std::vector<Press> ctrlDownAfterTwo{{Key::Down}, {Key::Down}, {Key::Down, true}};
    const std::vector<Press> endDownDown{{Key::End}, {Key::Down}, {Key::Down}};
    const std::vector<Press> endShiftDown{{Key::End}, {Key::Down, false, true}};
    const Case cases[] = {
        {"Down below the window: ScrollLineCount rows", lines, false, belowBottom, {0, 12}, 3},
        {"Up above the window: 3 rows", lines, false, {{Key::PageDown}, {Key::Up}}, {0, 7}, 7},
        {"Ctrl+Down keeps a visible caret", lines, false, ctrlDownAfterTwo, {0, 2}, 1},
        {"Ctrl+Down takes a caret above the window", lines, false, {{Key::Down, true}}, {0, 1}, 1},
        {"Ctrl+Up takes a caret below the window", lines, false, pageToBottomCtrlUp, {0, 18}, 9},
        {"Page Down", lines, false, {{Key::Right}, {Key::PageDown}}, {1, 10}, 10},
        {"Up and Down keep the remembered column", shortMiddle, false, endDownDown, {6, 2}, 0},
        {"Shift keeps the caret within the row", shortMiddle, true, endShiftDown, {2, 1}, 0},
    };
    for (const Case& c : cases) {
        TextWindow w(c.text, 80, c.freeCursor);
        for (const Press& press : c.keys)
            w.Press(press.key, press.ctrl, press.shift);
        EXPECT_EQ(w.Caret(), c.caret) << c.name;
        EXPECT_EQ(w.window->TopRow(), c.topRow) << c.name;
        EXPECT_EQ(w.host.lastCaretMove, c.caret) << c.name;
    }
}

TEST(TextWindowKeys, ShiftExtendsTheSelectionAndOtherMovesCancelIt) {
    TextWindow w("abcdef\r\nghij\r\n");
    w.Press(Key::Right);
    w.Press(Key::Right, false, true);
    w.Press(Key::Down, false, true);
    EXPECT_EQ(w.Stream(), std::make_pair(1u, 10u));
    EXPECT_FALSE(w.host.caretShown);
    w.Press(Key::Up, false, true);
    w.Press(Key::Left, false, true);
    EXPECT_EQ(w.Stream(), std::nullopt) << "back on the anchor";
    w.Press(Key::End, false, true);
    EXPECT_EQ(w.Stream(), std::make_pair(1u, 6u));
    w.Press(Key::Escape);
    EXPECT_EQ(w.Stream(), std::nullopt);
    EXPECT_TRUE(w.host.caretShown);
    w.Press(Key::Home, false, true);
    w.Press(Key::Right);
    EXPECT_EQ(w.Stream(), std::nullopt) << "a move without Shift cancels";
}

TEST(TextWindowKeys, EmptyTextTakesEveryKey) {
    TextWindow w("");
    const Key keys[] = {Key::Left,   Key::Right,    Key::Up,     Key::Down, Key::Home,   Key::End,
                        Key::PageUp, Key::PageDown, Key::Escape, Key::C,    Key::Insert, Key::F2};
    for (const Key key : keys)
        for (const bool ctrl : {false, true})
            for (const bool shift : {false, true}) {
                w.Press(key, ctrl, shift);
                EXPECT_EQ(w.Caret(), std::make_pair(0u, 0u));
                EXPECT_EQ(w.window->CaretOffset(), 0u);
            }
    w.window->OnCommand(kCmdSelectAll);
    EXPECT_FALSE(w.window->SelectionShown());
    EXPECT_EQ(w.document->LineMarks().size(), 0u);
}

} // namespace
} // namespace nelvix
