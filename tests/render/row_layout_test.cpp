// The layout rules over bytes: row ends, the incremental rebuild, offsets and cells.
#include "render/row_layout.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "ui/fake_platform.h"
#include "ui/message_ids.h"

namespace nelvix {
namespace {

using namespace std::string_literals;

const std::string kKanji = "\x88\x9f"s; // one double-byte character

/// A text with a row table of its own, laid out by the rules under test.
struct Laid {
    explicit Laid(std::string bytes, LayoutRules layoutRules = {10, 4, false})
        : text(std::move(bytes)), rules(layoutRules) {}
    LayoutText Text() const {
        LayoutText t{reinterpret_cast<const Byte*>(text.data()),
                     static_cast<std::uint32_t>(text.size()), 0};
        for (std::uint32_t at = 0; at < t.length; at = NextChar(t, at))
            t.lastCharOffset = at;
        return t;
    }
    void LayOutAll() { RebuildRows(fake.platform, Text(), rules, rows, 0, Text().length, 0, 0); }
    /// Appends `piece` the way a view lays out text appended at the end.
    RebuildResult Append(const std::string& piece) {
        const LayoutText old = Text();
        const std::uint32_t firstRow = RebuildStartRow(old, rules, rows, old.length);
        const std::uint32_t firstStart = RowStart(old, rows, firstRow);
        text += piece;
        return RebuildRows(fake.platform, Text(), rules, rows, old.length,
                           static_cast<std::uint32_t>(piece.size()), firstRow, firstStart);
    }
    std::vector<std::string> RowTexts() const {
        std::vector<std::string> out;
        for (std::uint32_t r = 0; r < rows.Count(); ++r) {
            const std::uint32_t end = r + 1 < rows.Count() ? rows.Start(r + 1) : text.size();
            out.push_back(text.substr(rows.Start(r), end - rows.Start(r)));
        }
        return out;
    }
    std::vector<int> Flags() const {
        std::vector<int> out;
        for (std::uint32_t r = 0; r < rows.Count(); ++r)
            out.push_back(rows.BeginsLine(r) ? 1 : 0);
        return out;
    }

    ui::FakePlatform fake;
    std::string text;
    LayoutRules rules;
    RowTable rows;
};

TEST(RowLayoutTest, RowsEndWhereTheRulesSay) {
    struct Case {
        const char* name;
        std::string text;
        bool wordWrap;
        std::string rows; ///< separated by '|'
        std::string flags;
    };
    const Case cases[] = {
        {"fourteen letters wrap at ten", "abcdefghijklmn\r\n", false, "abcdefghij|klmn\r\n", "00"},
        {"wide character never split", "abcdefghi" + kKanji + "\r\n", false,
         "abcdefghi|" + kKanji + "\r\n", "00"},
        {"tab carries the row past the width", "abcdefgh\tx\r\n", false, "abcdefgh\t|x\r\n", "00"},
        {"word wrap moves the second word", "abcde fghijklmn\r\n", true, "abcde |fghijklmn\r\n",
         "00"},
        {"a word longer than a row is cut", "abcdefghijklmnop\r\n", true, "abcdefghij|klmnop\r\n",
         "00"},
        {"digits are break candidates", "0123456789012\r\n", true, "0123456789|012\r\n", "00"},
        {"a line end at full width stays", "abcdefghij\r\nxy", false, "abcdefghij\r\n|xy", "01"},
        {"lines begin rows with flag 1", "ab\r\ncd\r\n\r\n", false, "ab\r\n|cd\r\n|\r\n", "011"},
        {"a lone LF is a character", "ab\ncd", false, "ab\ncd", "0"},
        {"a lead byte at the very end", "abc\x88", false, "abc\x88", "0"},
        {"a lone CR at the very end", "abcdefghij\r", false, "abcdefghij\r", "0"},
    };
    for (const Case& c : cases) {
        Laid laid(c.text, {10, 4, c.wordWrap});
        laid.LayOutAll();
        const std::vector<std::string> texts = laid.RowTexts();
        std::string rows, flags;
        for (std::size_t r = 0; r < texts.size(); ++r) {
            rows += (r == 0 ? "" : "|") + texts[r];
            flags += static_cast<char>('0' + laid.Flags()[r]);
        }
        EXPECT_EQ(rows, c.rows) << c.name;
        EXPECT_EQ(flags, c.flags) << c.name;
    }
}

TEST(RowLayoutTest, OffsetsAndCellsMapBothWays) {
    // Row 0: a b tab(2..3) c d kanji(6..7) e CR LF; row 1: x y z. CPL 10, T 4.
    Laid laid("ab\tcd" + kKanji + "e\r\nxyz");
    laid.LayOutAll();
    ASSERT_EQ(laid.rows.Count(), 2u);
    struct Cell {
        std::uint32_t column, row;
        bool free;
        std::uint32_t offset, overshoot;
    };
    const Cell cells[] = {
        {0, 0, false, 0, 0},  {2, 0, false, 2, 0},  {3, 0, false, 3, 0},  {6, 0, false, 5, 0},
        {7, 0, false, 7, 0},  {9, 0, false, 8, 0},  {10, 0, false, 8, 0}, {10, 0, true, 8, 1},
        {3, 1, false, 13, 0}, {5, 1, false, 12, 1}, {5, 1, true, 12, 3},  {99, 1, true, 12, 8},
        {0, 7, false, 10, 0},
    };
    for (const Cell& c : cells) {
        const CellOffset got =
            OffsetOfCell(laid.Text(), laid.rules, laid.rows, c.column, c.row, c.free);
        EXPECT_EQ(got.offset, c.offset) << c.column << "," << c.row << " free " << c.free;
        EXPECT_EQ(got.overshoot, c.overshoot) << c.column << "," << c.row << " free " << c.free;
    }
    const std::pair<std::uint32_t, std::pair<std::uint32_t, std::uint32_t>> offsets[] = {
        {0, {0, 0}}, {3, {4, 0}}, {5, {6, 0}}, {7, {8, 0}}, {8, {9, 0}}, {10, {0, 1}}, {13, {3, 1}},
    };
    for (const auto& [offset, cell] : offsets) {
        const CellPosition got = CellOfOffset(laid.Text(), laid.rules, laid.rows, offset);
        EXPECT_EQ(std::make_pair(got.column, got.row), cell) << offset;
    }
    const std::pair<std::uint32_t, std::uint32_t> previous[] = {{13, 12}, {10, 8}, {7, 5},
                                                                {5, 4},   {1, 0},  {0, 0}};
    for (const auto& [offset, expected] : previous)
        EXPECT_EQ(PrevChar(laid.Text(), laid.rules, laid.rows, offset), expected) << offset;
    EXPECT_EQ(RowLastChar(laid.Text(), laid.rules, laid.rows, 0), 8u);
    EXPECT_EQ(RowLastChar(laid.Text(), laid.rules, laid.rows, 1), 12u);
}

TEST(RowLayoutTest, TextEndingWithLineEndHasAnEmptyLastRow) {
    Laid laid("ab\r\ncd\r\n");
    laid.LayOutAll();
    ASSERT_EQ(laid.rows.Count(), 2u);
    EXPECT_EQ(RowOfOffset(laid.Text(), laid.rules, laid.rows, 8), 2u);
    EXPECT_EQ(RowStart(laid.Text(), laid.rows, 2), 8u);
    const CellPosition cell = CellOfOffset(laid.Text(), laid.rules, laid.rows, 8);
    EXPECT_EQ(cell.row, 2u);
    EXPECT_EQ(cell.column, 0u);
    EXPECT_EQ(OffsetOfCell(laid.Text(), laid.rules, laid.rows, 3, 2, true).offset, 8u);
    EXPECT_EQ(BuildLineTable(laid.rows), (std::vector<std::uint32_t>{0, 4}));
}

/// Characters of every kind the layout treats differently.
std::string RandomText(std::mt19937& random, std::size_t tokens) {
    static const std::vector<std::string> kinds = {
        "word", "Letters", "x",    "abcdefghijklmnopqrstuvwxyz",
        " ",    "\t",      kKanji, "\x82\xa0",
        "\xb1", "0123",    ".",    "\r\n",
        "\r\n", "\n"};
    std::string text;
    for (std::size_t i = 0; i < tokens; ++i)
        text += kinds[random() % kinds.size()];
    return text;
}

TEST(RowLayoutTest, AppendingOrInsertingGivesTheRowsOfOneLayout) {
    std::mt19937 random(20260514);
    for (int round = 0; round < 300; ++round) {
        const LayoutRules rules{10 + static_cast<std::uint32_t>(random() % 241),
                                2 + static_cast<std::uint32_t>(random() % 19), random() % 2 == 0};
        const std::size_t tokens = round % 50 == 0 ? 1500 : 10 + random() % 200;
        const std::string text = RandomText(random, tokens);
        Laid whole(text, rules);
        whole.LayOutAll();

        // Pieces end at character boundaries, as appended text always does.
        Laid pieces("", rules);
        std::size_t at = 0;
        while (at < text.size()) {
            std::size_t end = std::min(text.size(), at + 1 + random() % 40);
            while (end < text.size() && end > at) {
                const LayoutText t = whole.Text();
                std::uint32_t boundary = 0;
                while (boundary < end)
                    boundary = NextChar(t, boundary);
                if (boundary == end)
                    break;
                ++end;
            }
            pieces.Append(text.substr(at, end - at));
            at = end;
        }
        ASSERT_EQ(pieces.RowTexts(), whole.RowTexts()) << "round " << round;
        ASSERT_EQ(pieces.Flags(), whole.Flags()) << "round " << round;

        // An insertion anywhere, rebuilt from the row the rules pick, gives the same rows too.
        const LayoutText t = whole.Text();
        std::uint32_t insertAt = 0;
        for (std::uint32_t steps = random() % 64; steps > 0 && insertAt < t.length; --steps)
            insertAt = NextChar(t, insertAt);
        const std::string inserted = RandomText(random, 1 + random() % 4);
        Laid edited(text, rules);
        edited.LayOutAll();
        const std::uint32_t firstRow = RebuildStartRow(t, rules, edited.rows, insertAt);
        const std::uint32_t firstStart = RowStart(t, edited.rows, firstRow);
        edited.text.insert(insertAt, inserted);
        RebuildRows(edited.fake.platform, edited.Text(), rules, edited.rows, insertAt,
                    static_cast<std::uint32_t>(inserted.size()), firstRow, firstStart);
        Laid editedWhole(edited.text, rules);
        editedWhole.LayOutAll();
        ASSERT_EQ(edited.RowTexts(), editedWhole.RowTexts()) << "round " << round;
        ASSERT_EQ(edited.Flags(), editedWhole.Flags()) << "round " << round;

        for (std::uint32_t offset = 0; offset < t.length; offset = NextChar(t, offset)) {
            std::uint32_t expected = 0;
            while (expected + 1 < whole.rows.Count() && whole.rows.Start(expected + 1) <= offset)
                ++expected;
            ASSERT_EQ(RowOfOffset(t, rules, whole.rows, offset), expected)
                << "round " << round << " offset " << offset;
        }
    }
}

TEST(RowLayoutTest, FullTableShowsTheMessageAndKeepsItsRows) {
    std::string text;
    for (std::uint32_t i = 0; i + 1 < kMaxRows; ++i)
        text += "a\r\n";
    Laid laid(text);
    laid.LayOutAll();
    ASSERT_EQ(laid.rows.Count(), kMaxRows - 1);
    EXPECT_TRUE(laid.fake.messageBox.ShownIds().empty());

    const RebuildResult result = laid.Append("abcdefghijklmno\r\n");
    EXPECT_TRUE(result.rowLimitReached);
    EXPECT_EQ(laid.rows.Count(), kMaxRows);
    EXPECT_EQ(laid.fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgTooManyRows});
    EXPECT_EQ(laid.rows.Start(kMaxRows - 1), text.size());
    // A further line finds no room at all, and says so again without writing past the table.
    laid.Append("z\r\n");
    EXPECT_EQ(laid.rows.Count(), kMaxRows);
    EXPECT_EQ(laid.fake.messageBox.ShownIds().size(), 2u);
}

TEST(RowLayoutTest, InsertionTakesOverTheOldRowsBehindTheNextLineEnd) {
    struct Case {
        const char* name;
        std::string inserted;
        bool rowsMoved;
    };
    const Case cases[] = {
        {"the line keeps its two rows", "QQQQ", false},
        {"the line grows to three rows", "QQQQQQQQQQQQ", true},
    };
    for (const Case& c : cases) {
        Laid laid("ab\r\ncdefghijklmn\r\nxy\r\n");
        laid.LayOutAll();
        laid.text.insert(6, c.inserted);
        const auto length = static_cast<std::uint32_t>(c.inserted.size());
        const RebuildResult result =
            RebuildRows(laid.fake.platform, laid.Text(), laid.rules, laid.rows, 6, length, 1, 4);
        Laid whole(laid.text);
        whole.LayOutAll();
        EXPECT_EQ(laid.RowTexts(), whole.RowTexts()) << c.name;
        EXPECT_EQ(laid.Flags(), whole.Flags()) << c.name;
        // Only the edited line changed on screen unless the rows behind it moved.
        const std::size_t changed = c.rowsMoved ? laid.text.size() : 18 + c.inserted.size();
        EXPECT_EQ(result.changedUpTo, changed) << c.name;
        EXPECT_EQ(result.rowCountChanged, c.rowsMoved) << c.name;
    }
}

TEST(RowLayoutTest, RebuildStartsWhereTextCanMoveBackARow) {
    struct Case {
        const char* name;
        std::string text;
        bool wordWrap;
        std::uint32_t insertAt;
        std::uint32_t startRow;
    };
    const Case cases[] = {
        {"a character fits before the wide one", "abcdefghi" + kKanji, false, 9, 0},
        {"a blank lets part of a word move back", "abcde fghij", true, 7, 0},
        {"a blank before the insertion keeps the row above", "abcde fg hij kl", true, 14, 1},
        {"a line start never moves back", "ab\r\ncd", true, 4, 1},
    };
    for (const Case& c : cases) {
        Laid laid(c.text, {10, 4, c.wordWrap});
        laid.LayOutAll();
        EXPECT_EQ(RebuildStartRow(laid.Text(), laid.rules, laid.rows, c.insertAt), c.startRow)
            << c.name;
    }
}

} // namespace
} // namespace nelvix
