// The keys of the text window: caret moves with and without Ctrl, Shift and free cursor, the
// remembered column, "ScrollLineCount", and keys in an empty text.
#include <gtest/gtest.h>

#include "base/cp932.h"
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
    const std::string kanji = Sjis("漢字");
    struct Case {
        const char* name;
        std::string text;
        int charsPerLine;
        bool freeCursor;
        std::vector<Press> keys;
        std::pair<std::uint32_t, std::uint32_t> caret;
        std::uint32_t topRow;
    };
    const std::vector<Press> toLastVisibleRow(9, Press{Key::Down});
    std::vector<Press> pastLastVisibleRow = toLastVisibleRow;
    pastLastVisibleRow.push_back({Key::Down});
    std::vector<Press> pageThenToBottom{{Key::PageDown}};
    pageThenToBottom.insert(pageThenToBottom.end(), toLastVisibleRow.begin(),
                            toLastVisibleRow.end());
    pageThenToBottom.push_back({Key::Up, true});
    const Case cases[] = {
        {"Down on the last visible row goes ScrollLineCount rows",
         lines,
         80,
         false,
         pastLastVisibleRow,
         {0, 12},
         3},
        {"Up on the top row goes ScrollLineCount rows",
         lines,
         80,
         false,
         {{Key::PageDown}, {Key::Up}},
         {0, 7},
         7},
        {"Ctrl+Down moves the top row and keeps a visible caret",
         lines,
         80,
         false,
         {{Key::Down}, {Key::Down}, {Key::Down, true}},
         {0, 2},
         1},
        {"Ctrl+Down takes a caret above the top row along",
         lines,
         80,
         false,
         {{Key::Down, true}},
         {0, 1},
         1},
        {"Ctrl+Up takes a caret below the last visible row along",
         lines,
         80,
         false,
         pageThenToBottom,
         {0, 18},
         9},
        {"Page Down scrolls a page and moves the caret as far",
         lines,
         80,
         false,
         {{Key::Right}, {Key::PageDown}},
         {1, 10},
         10},
        {"End on a row with a line end stops before it",
         "abc\r\nde\r\n",
         80,
         false,
         {{Key::End}},
         {3, 0},
         0},
        {"End on a wrapped row goes after its last character",
         "abcdefghijklmn\r\n",
         10,
         false,
         {{Key::End}},
         {10, 0},
         0},
        {"Ctrl+End and Ctrl+Home", "ab\r\ncd", 80, false, {{Key::End, true}}, {2, 1}, 0},
        {"Ctrl+Home", "ab\r\ncd", 80, false, {{Key::End, true}, {Key::Home, true}}, {0, 0}, 0},
        {"Down on the last row goes to the text end",
         "ab\r\ncdef",
         80,
         false,
         {{Key::Down}, {Key::Down}},
         {4, 1},
         0},
        {"Down onto the empty last row",
         "ab\r\ncd\r\n",
         80,
         false,
         {{Key::Right}, {Key::Down}, {Key::Down}},
         {0, 2},
         0},
        {"Left from column 0 stops before the line end above",
         "abc\r\nde",
         80,
         false,
         {{Key::Down}, {Key::Left}},
         {3, 0},
         0},
        {"Right over a double-byte character", kanji + "a", 80, false, {{Key::Right}}, {2, 0}, 0},
        {"Right after a wrapped row's end goes to the next row",
         "abcdefghijklmn",
         10,
         false,
         {{Key::End}, {Key::Right}},
         {0, 1},
         0},
        {"vertical moves keep the remembered column",
         "abcdef\r\nab\r\nabcdef",
         80,
         false,
         {{Key::End}, {Key::Down}, {Key::Down}},
         {6, 2},
         0},
        {"free cursor keeps the column past a short row",
         "abcdef\r\nab\r\nabcdef",
         80,
         true,
         {{Key::End}, {Key::Down}},
         {6, 1},
         0},
        {"free cursor Right goes beyond the row end",
         "ab\r\n",
         80,
         true,
         {{Key::End}, {Key::Right}, {Key::Right}, {Key::Left}},
         {3, 0},
         0},
        {"free cursor Left from column 0 goes to column CPL above",
         "ab\r\ncd",
         80,
         true,
         {{Key::Down}, {Key::Left}},
         {80, 0},
         0},
        {"Shift does not let the caret beyond the row end",
         "abcdef\r\nab\r\nabcdef",
         80,
         true,
         {{Key::End}, {Key::Down, false, true}},
         {2, 1},
         0},
    };
    for (const Case& c : cases) {
        TextWindow w(c.text, c.charsPerLine, c.freeCursor);
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
