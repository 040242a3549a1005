// The mouse, the selection, the clipboard, marked lines and appended text in the text window,
// and one scripted session through all of them.
#include <gtest/gtest.h>

#include "base/cp932.h"
#include "text_window_fixture.h"
#include "ui/message_ids.h"

namespace nelvix {
namespace {

using namespace std::string_literals;
using test::TextWindow;

TEST(TextWindowSelection, DoubleClickSelectsTheRunOfOneClass) {
    const std::string mixed = Sjis("漢字語カタカナ");
    struct Case {
        const char* name;
        std::string text;
        int column;
        std::optional<std::pair<std::uint32_t, std::uint32_t>> selection;
    };
    const Case cases[] = {
        {"on a kanji: the three kanji", mixed, 3, std::make_pair(0u, 6u)},
        {"on a katakana: the four katakana", mixed, 8, std::make_pair(6u, 14u)},
        {"the prolonged sound mark belongs to katakana", Sjis("あカーテンあ"), 4,
         std::make_pair(2u, 10u)},
        {"between two blanks: the blanks", "ab   cd", 3, std::make_pair(2u, 5u)},
        {"letters and digits", "x=ab12_c", 3, std::make_pair(2u, 6u)},
        {"half-width katakana", "a\xb6\xc5\xa5", 1, std::make_pair(1u, 3u)},
        {"beyond the row end: nothing", "ab\r\n", 5, std::nullopt},
    };
    for (const Case& c : cases) {
        TextWindow w(c.text);
        EXPECT_EQ(w.DoubleClick(c.column, 0), c.selection.has_value()) << c.name;
        EXPECT_EQ(w.Stream(), c.selection) << c.name;
    }
}

TEST(TextWindowSelection, WordSelectionPutsTheCaretOnTheLastCharacterAndMayCopy) {
    TextWindow w("one two three");
    w.window->SetCaretSettings({3, true});
    ASSERT_TRUE(w.DoubleClick(5, 0));
    EXPECT_EQ(w.Caret(), std::make_pair(6u, 0u));
    EXPECT_EQ(w.fake.clipboard.text, "two");
}

TEST(TextWindowSelection, CopiesStreamsBoxesAndAppends) {
    const std::string kanji = Sjis("漢字漢");
    const std::string text = "abcdef\r\nab\r\nabcdef\r\n" + kanji + "\r\n";
    struct Case {
        const char* name;
        bool box;
        int fromColumn, fromRow, toColumn, toRow;
        std::optional<std::string> clipboard;
        bool append;
        std::string expected;
    };
    const Case cases[] = {
        {"box over a short middle row", true, 1, 0, 4, 2, std::nullopt, false,
         "bcd\r\nb\r\nbcd\r\n"},
        {"box edges take a straddling wide character on the left only", true, 1, 2, 4, 3,
         std::nullopt, false, "bcd\r\n" + Sjis("漢字") + "\r\n"},
        {"stream over a line end", false, 4, 0, 1, 1, std::nullopt, false, "ef\r\na"},
        {"append copy with an empty clipboard", false, 0, 0, 3, 0, std::nullopt, true, "abc"},
        {"append copy ends the old text at its NUL", false, 0, 0, 3, 0, "xy\0zz"s, true, "xyabc"},
    };
    for (const Case& c : cases) {
        TextWindow w(text);
        w.fake.clipboard.text = c.clipboard;
        w.Drag(c.fromColumn, c.fromRow, c.toColumn, c.toRow, c.box);
        EXPECT_TRUE(w.window->OnCommand(c.append ? kCmdAppendCopy : kCmdCopy)) << c.name;
        EXPECT_EQ(w.fake.clipboard.text, c.expected) << c.name;
    }
}

TEST(TextWindowSelection, AClipboardThatFailsKeepsItsText) {
    // Without memory for the clipboard's block a message; a clipboard that refuses, a beep.
    for (const auto& [command, noMemory] : {std::pair{kCmdCopy, true}, std::pair{kCmdCopy, false},
                                            std::pair{kCmdAppendCopy, false}}) {
        SCOPED_TRACE(command);
        TextWindow w("abc");
        w.fake.clipboard.text = "old";
        w.window->SelectAll();
        w.fake.memory.failAll = noMemory;
        w.fake.clipboard.available = noMemory;
        EXPECT_TRUE(w.window->OnCommand(command));
        EXPECT_EQ(w.fake.clipboard.text, "old");
        EXPECT_EQ(w.fake.messageBox.ShownIds(),
                  noMemory ? std::vector<int>{ui::kMsgOutOfMemory} : std::vector<int>{});
        EXPECT_EQ(w.fake.beeper.beeps, noMemory ? 0 : 1);
    }
}

TEST(TextWindowSelection, SelectRangeTakesTheWholeLastCharacterAndStaysInTheText) {
    TextWindow w(Sjis("ab漢字"));
    struct Case {
        std::uint32_t first, last;
        std::optional<std::pair<std::uint32_t, std::uint32_t>> selection;
    };
    const Case cases[] = {
        {0, 2, std::make_pair(0u, 4u)},
        {1, 1, std::make_pair(1u, 2u)},
        {2, 99, std::make_pair(2u, 6u)},
        {6, 9, std::nullopt},
        {3, 1, std::nullopt},
    };
    for (const Case& c : cases) {
        w.window->SelectRange(c.first, c.last);
        EXPECT_EQ(w.Stream(), c.selection) << c.first << ".." << c.last;
    }
}

TEST(TextWindowSelection, DragBeyondTheWindowScrollsOnTimerTicks) {
    TextWindow w(test::NumberedLines(40));
    w.Click(2, 1);
    EXPECT_TRUE(w.host.mouseCaptured);
    EXPECT_EQ(w.host.timerPeriod, kDragTimerMilliseconds);
    const PixelPoint below{20, test::kRows * test::kRowHeight + 5};
    w.window->OnMouseMove(below.x, below.y, true);
    EXPECT_EQ(w.host.pointer, PointerShape::Arrow);
    const std::uint32_t top = w.window->TopRow();
    w.window->OnDragTimer(below.x, below.y);
    EXPECT_GT(w.window->TopRow(), top);
    w.window->OnLeftButtonUp();
    EXPECT_FALSE(w.host.mouseCaptured);
    EXPECT_EQ(w.host.timerPeriod, 0);
    w.window->OnDragTimer(below.x, below.y);
    EXPECT_EQ(w.window->TopRow(), top + 1) << "no ticks after the button came up";
    ASSERT_TRUE(w.Stream().has_value());
    EXPECT_EQ(w.Stream()->first, 10u);
}

TEST(TextWindowMarks, SetClearAndJump) {
    // Row 1 continues the wrapped first line; rows 2..4 begin lines.
    const std::string text = "abcdefghijklmn\r\nxyz\r\nuvw\r\nrst\r\n";
    TextWindow w(text, 10);
    DisplayFormat format = w.document->Format();
    format.keepLineMarks = false; // "ﾏｰｸ行情報を保存" off
    w.document->SetFormatSettings(format);
    struct Step {
        const char* name;
        std::uint32_t row;
        int command;
        std::vector<std::uint32_t> marks;
        int beeps;
        std::uint32_t caretRow;
    };
    const Step steps[] = {
        {"a continuation row beeps", 1, kCmdToggleMark, {}, 1, 1},
        {"the first line", 0, kCmdToggleMark, {kFirstLineMark}, 1, 0},
        {"a line after a wrapped one", 3, kCmdToggleMark, {kFirstLineMark, 19}, 1, 3},
        {"the empty last row takes none", 5, kCmdToggleMark, {kFirstLineMark, 19}, 1, 5},
        {"F2 on the last wraps to the first", 3, kCmdNextMark, {kFirstLineMark, 19}, 1, 0},
        {"Shift+F2 on the first: the last", 0, kCmdPreviousMark, {kFirstLineMark, 19}, 1, 3},
        {"toggling again clears", 0, kCmdToggleMark, {19}, 1, 0},
        {"clear all", 0, kCmdClearAllMarks, {}, 1, 0},
        {"a jump without marks beeps", 2, kCmdNextMark, {}, 2, 2},
    };
    for (const Step& s : steps) {
        w.window->PlaceCaret(0, s.row);
        w.window->OnCommand(s.command);
        EXPECT_EQ(w.document->LineMarks(), s.marks) << s.name;
        EXPECT_EQ(w.fake.beeper.beeps, s.beeps) << s.name;
        EXPECT_EQ(w.window->CaretRow(), s.caretRow) << s.name;
    }
    EXPECT_FALSE(w.document->IsModified()) << "marks are not kept";
}

TEST(TextWindowMarks, HundredMarksAndTheModifiedFlag) {
    TextWindow w(test::NumberedLines(101));
    DisplayFormat format = w.document->Format();
    format.keepLineMarks = true; // "ﾏｰｸ行情報を保存"
    w.document->SetFormatSettings(format);
    for (std::uint32_t row = 0; row < 101; ++row) {
        w.window->PlaceCaret(0, row);
        w.Press(Key::F2, true);
    }
    EXPECT_EQ(w.document->LineMarks().size(), kMaxMarks);
    EXPECT_EQ(w.fake.beeper.beeps, 1);
    EXPECT_TRUE(w.document->IsModified());
    w.window->SelectAll();
    w.Press(Key::F2, true);
    EXPECT_EQ(w.fake.beeper.beeps, 2) << "a selection is shown";
}

TEST(TextWindowInsert, AppendedTextMovesWhatLiesBehindIt) {
    TextWindow w(test::NumberedLines(12));
    w.window->SelectRange(0, 3);
    w.window->SetTagTargetLine(1);
    const auto append = [&](const std::string& bytes) {
        HintArgument argument;
        argument.text = reinterpret_cast<const Byte*>(bytes.data());
        argument.length = bytes.size();
        w.document->UpdateAllViews(UpdateHint::AppendLength, argument);
    };
    append("appended\r\n");
    EXPECT_EQ(w.Stream(), std::make_pair(0u, 4u)) << "a selection before the end stays";
    EXPECT_EQ(w.Caret(), std::make_pair(0u, 13u));
    EXPECT_EQ(w.window->TopRow(), 4u) << "the new end is scrolled into view";

    w.document->LineMarks() = {kFirstLineMark, 8};
    w.document->StringMarks() = {{1, 3, "ine"}, {9, 4, "line"}};
    const std::string lineEnd = "\r\n";
    ASSERT_TRUE(w.window->InsertText(0, reinterpret_cast<const Byte*>(lineEnd.data()), 2, true));
    EXPECT_EQ(w.document->LineMarks(), (std::vector<std::uint32_t>{0, 10}));
    EXPECT_EQ(w.document->StringMarks().size(), 2u);
    EXPECT_EQ(w.document->StringMarks()[0].offset, 3u);
    EXPECT_EQ(w.window->TagTargetLine(), 8);
    EXPECT_EQ(w.Stream(), std::make_pair(2u, 6u));
    ASSERT_TRUE(w.window->InsertText(5, reinterpret_cast<const Byte*>("XX"), 2, true));
    EXPECT_EQ(w.document->StringMarks().size(), 1u) << "a string cut in two is dropped";
    EXPECT_EQ(w.Stream(), std::make_pair(2u, 8u)) << "a selection holding the insertion grows";
}

TEST(TextWindowInsert, TextThatDoesNotFitChangesNothing) {
    TextWindow w("abc");
    TextWindow second("");
    w.window->SelectAll();
    w.fake.memory.failAll = true;
    const std::string big(40'000, 'x');
    EXPECT_FALSE(
        w.window->AppendAtEnd(reinterpret_cast<const Byte*>(big.data()), big.size(), true));
    EXPECT_FALSE(
        w.window->InsertText(0, reinterpret_cast<const Byte*>(big.data()), kMaxTextBytes, true));
    EXPECT_EQ(w.fake.messageBox.ShownIds(),
              (std::vector<int>{ui::kMsgOutOfMemory, ui::kMsgTextTooLong}));
    EXPECT_EQ(w.document->TextView(), "abc");
    EXPECT_EQ(w.Stream(), std::make_pair(0u, 3u));
}

TEST(TextWindowInsert, AFollowingViewIgnoresAnAppendThatFailed) {
    TextWindow w("abc\r\n");
    test::InputHost otherHost;
    CKespoEV other(*w.document, w.fake.platform, w.surface, otherHost, w.settings);
    other.OnSize(640, 160);
    w.fake.memory.failAll = true;
    const std::string big(40'000, 'x');
    HintArgument argument{reinterpret_cast<const Byte*>(big.data()), big.size(), nullptr};
    w.document->UpdateAllViews(UpdateHint::AppendLength, argument);
    EXPECT_EQ(w.document->TextLength(), 5u);
    w.fake.memory.failAll = false;
    argument.length = 3;
    w.document->UpdateAllViews(UpdateHint::AppendLength, argument);
    EXPECT_EQ(w.document->TextView(), "abc\r\nxxx");
}

TEST(TextWindowSession, KeysMouseCopyAndMarks) {
    TextWindow w("first line\r\nsecond line\r\nthird\r\n");
    auto grid = w.Paint();
    EXPECT_EQ(grid.RowText(0).substr(0, 10), "first line");

    w.Press(Key::Down);
    w.Press(Key::Right);
    EXPECT_EQ(w.Caret(), std::make_pair(1u, 1u));
    EXPECT_EQ(w.window->CaretOffset(), 13u);

    w.Press(Key::Right, false, true);
    w.Press(Key::Right, false, true);
    EXPECT_EQ(w.Stream(), std::make_pair(13u, 15u));
    grid = w.Paint();
    EXPECT_EQ(TextWindow::Inverted(grid, 1, 5), ".xx..");

    w.Drag(2, 0, 3, 1);
    EXPECT_EQ(w.Stream(), std::make_pair(2u, 15u));
    EXPECT_EQ(w.Caret(), std::make_pair(3u, 1u));
    grid = w.Paint();
    EXPECT_EQ(TextWindow::Inverted(grid, 0, 12), "..xxxxxxxx..");
    EXPECT_EQ(TextWindow::Inverted(grid, 1, 5), "xxx..");
    w.Press(Key::C, true);
    EXPECT_EQ(w.fake.clipboard.text, "rst line\r\nsec");

    w.Drag(1, 0, 3, 2, true);
    EXPECT_EQ(w.window->BoxSelection(), (BoxRect{0, 2, 1, 3}));
    EXPECT_EQ(w.Stream(), std::nullopt);
    grid = w.Paint();
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(TextWindow::Inverted(grid, row, 5), ".xx..") << row;
    w.Press(Key::Insert, true);
    EXPECT_EQ(w.fake.clipboard.text, "ir\r\nec\r\nhi\r\n");

    w.Press(Key::F2, true);
    EXPECT_EQ(w.fake.beeper.beeps, 1) << "no mark while a selection is shown";
    w.Press(Key::Escape);
    EXPECT_FALSE(w.window->SelectionShown());
    EXPECT_TRUE(w.host.caretShown);
    grid = w.Paint();
    EXPECT_EQ(TextWindow::Inverted(grid, 1, 5), ".....");

    w.Press(Key::Down);
    w.Press(Key::F2, true);
    EXPECT_EQ(w.document->LineMarks(), std::vector<std::uint32_t>{10});
    grid = w.Paint();
    EXPECT_NE(grid.At(0, 1).background, grid.At(0, 0).background) << "the marked line";
}

} // namespace
} // namespace nelvix
