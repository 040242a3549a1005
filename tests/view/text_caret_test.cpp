// The caret's moves over laid-out rows, each from one cell and without scrolling.
#include "view/text_caret.h"

#include <gtest/gtest.h>

#include "base/cp932.h"
#include "text_window_fixture.h"

namespace nelvix {
namespace {

using Cell = std::pair<std::uint32_t, std::uint32_t>;

using Moved = std::optional<CellPosition>;
using Mover = Moved (*)(const TextCaret&, const RowCells&, bool freeCursor);
const Mover kLeft = [](auto& caret, auto& cells, bool free) -> Moved {
    return caret.Left(cells, free);
};
const Mover kRight = [](auto& caret, auto& cells, bool free) -> Moved {
    return caret.Right(cells, free);
};
const Mover kDown = [](auto& caret, auto& cells, bool free) -> Moved {
    return caret.Down(cells, 0, test::kRows, 3, free);
};
const Mover kCtrlHome = [](auto& caret, auto&, bool) -> Moved { return caret.Home(true); };
const Mover kEnd = [](auto& caret, auto& cells, bool) -> Moved { return caret.End(cells, false); };
const Mover kCtrlEnd = [](auto& caret, auto& cells, bool) -> Moved {
    return caret.End(cells, true);
};

TEST(TextCaretTest, EachMoveFromACell) {
    const std::string kanji = Sjis("漢字");
    const std::string lines = "abcdef\r\nab\r\nabcdef";
    struct Case {
        const char* name;
        std::string text;
        int charsPerLine;
        bool free;
        Cell from;
        Mover move;
        std::optional<Cell> to;
    };
    const Case cases[] = {
        {"End stops before a line end", "abc\r\nde\r\n", 80, false, {0, 0}, kEnd, Cell{3, 0}},
        {"End of a wrapped row", "abcdefghijklmn\r\n", 10, false, {0, 0}, kEnd, Cell{10, 0}},
        {"Ctrl+End", "ab\r\ncd", 80, false, {0, 0}, kCtrlEnd, Cell{2, 1}},
        {"Ctrl+Home", "ab\r\ncd", 80, false, {2, 1}, kCtrlHome, Cell{0, 0}},
        {"Down on the last row: text end", "ab\r\ncdef", 80, false, {0, 1}, kDown, Cell{4, 1}},
        {"Down onto the empty last row", "ab\r\ncd\r\n", 80, false, {1, 1}, kDown, Cell{0, 2}},
        {"Left from column 0", "abc\r\nde", 80, false, {0, 1}, kLeft, Cell{3, 0}},
        {"Left at the text start", "ab", 80, false, {0, 0}, kLeft, std::nullopt},
        {"Right over a double-byte character", kanji, 80, false, {0, 0}, kRight, Cell{2, 0}},
        {"Right after a wrapped row", "abcdefghijklmn", 10, false, {10, 0}, kRight, Cell{0, 1}},
        {"Right at the text end", "ab", 80, false, {2, 0}, kRight, std::nullopt},
        {"free Down past a short row", lines, 80, true, {6, 0}, kDown, Cell{6, 1}},
        {"free Right beyond the row end", "ab\r\n", 80, true, {2, 0}, kRight, Cell{3, 0}},
        {"free Left beyond the row end", "ab\r\n", 80, true, {4, 0}, kLeft, Cell{3, 0}},
        {"free Left from column 0: CPL above", "ab\r\ncd", 80, true, {0, 1}, kLeft, Cell{80, 0}},
        {"free Right in the last cell", "ab", 10, true, {9, 0}, kRight, std::nullopt},
    };
    for (const Case& c : cases) {
        test::TextWindow w(c.text, c.charsPerLine);
        TextCaret caret;
        caret.Place(c.from.first, c.from.second);
        caret.RememberColumn();
        const Moved cell = c.move(caret, w.window->Cells(), c.free);
        EXPECT_EQ(cell ? std::optional<Cell>(Cell{cell->column, cell->row}) : std::nullopt, c.to)
            << c.name;
    }
}

} // namespace
} // namespace nelvix
