#include "render/text_colouring.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/cp932.h"
#include "render/paint_input_fixture.h"
#include "ui/fake_platform.h"

namespace nelvix {
namespace {

using test::PaintFixture;

// Colour words chosen so that every role has its own letter in the picture below.
DisplayColours LetterColours() {
    DisplayColours colours;
    colours.userKeyword = 3;
    colours.cKeyword = 4;
    colours.cppKeyword = 5;
    colours.comment = 6;
    colours.markedTextBackground = kBackgroundFlag + 7;
    return colours;
}

/// One letter per byte: '.' normal, 'u' user keyword, 'c' C, 'p' C++, 'm' comment, 'M' marked.
std::string Picture(const std::vector<ColourCode>& codes) {
    std::string picture;
    for (const ColourCode code : codes)
        picture += code == kBackgroundFlag + 7 ? 'M' : code <= 6 ? ".??ucpm"[code] : '?';
    return picture;
}

std::string ColourAll(PaintFixture& fixture, std::uint32_t first = 0, std::uint32_t end = 0) {
    TextPaintInput& input = fixture.Input();
    input.colours = LetterColours();
    ui::FakePlatform fake;
    fixture.tables.Build(fake.platform, input.text, input.textLength);
    if (end == 0)
        end = input.textLength;
    std::vector<ColourCode> codes(end - first, 99);
    EXPECT_TRUE(ColourRange(input, first, end, codes));
    return Picture(codes);
}

TEST(TextColouringTest, KeywordsCommentsAndMarkedStrings) {
    struct Case {
        const char* name;
        std::string text;
        DocumentType type;
        bool areaComment;
        std::string expected;
        std::vector<std::string> user = {};
        std::vector<StringMark> marks = {};
    };
    const auto C = DocumentType::C, Plain = DocumentType::Plain;
    const std::vector<std::string> print{"print"};
    const std::vector<StringMark> at2{{2, 3, "int"}}, at3{{3, 3, "int"}}, stale{{2, 3, "xyz"}};
    const Case cases[] = {
        {"int in printf no, after underscore yes, #include yes", "printf my_int #include", C, false,
         "..........ccc.cccccccc"},
        {"plain text: no C keyword, user keyword yes", "int printf", Plain, false, "....uuuuu.",
         print},
        {"C++: underscores of __inline in C colour", "__inline", DocumentType::Cpp, false,
         "ccpppppp"},
        {"C: no C++ keyword", "class", C, false, "....."},
        {"#if at the start of #ifdef is not delimited", "#ifdef", C, false, "......"},
        {"user keyword undelimited is found inside words", "xprintx", Plain, false, ".uuuuu.",
         print},
        {"line comment through its line end", "a // int\r\nb", C, false, "..mmmmmmmm."},
        {"block comment not coloured without area comments", "/* a\r\nb\r\n*/", C, false,
         "..........."},
        {"block comment over three lines", "/* a\r\nb\r\n*/ x", C, true, "mmmmmmmmmmm.."},
        {"*/ after a // does not close the block comment", "/* // */ int\r\nint", C, true,
         "mmmmmmmmmmmmmmmmm"},
        {"/* inside a line comment opens nothing", "// /*\r\nint", C, true, "mmmmmmmccc"},
        {"marked string over a keyword keeps its background",
         "a int b",
         C,
         false,
         "..MMM..",
         {},
         at2},
        {"marked string inside a comment keeps its background",
         "// int",
         C,
         false,
         "mmmMMM",
         {},
         at3},
        {"stale marked string is not coloured", "a int b", C, false, "..ccc..", {}, stale},
    };
    for (const Case& c : cases) {
        PaintFixture fixture(c.text);
        fixture.input.documentType = c.type;
        fixture.input.colorAreaComment = c.areaComment;
        fixture.userKeywords = c.user;
        fixture.stringMarks = c.marks;
        EXPECT_EQ(ColourAll(fixture), c.expected) << c.name;
    }
}

TEST(TextColouringTest, DelimitersAndCharacterBoundaries) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> user;
        std::string expected;
    };
    const std::string katakanaA = "\x83\x41"; // its second byte is an ASCII 'A'
    const Case cases[] = {
        {"delimited user keyword", "ab ab_abc", {"ab"}, "uu.uu...."},
        {"a double-byte character delimits", Sjis("あ") + "ab", {"ab"}, "..uu"},
        {"a trail byte is never the start of a keyword", katakanaA + " A", {"A"}, "...u"},
    };
    for (const Case& c : cases) {
        PaintFixture fixture(c.text);
        fixture.input.userKeyWordWithDelimiter = true;
        fixture.userKeywords = c.user;
        EXPECT_EQ(ColourAll(fixture), c.expected) << c.name;
    }
}

TEST(TextColouringTest, ARowPaintedAloneLooksAsWhenPaintedWithItsNeighbours) {
    // Rows of four bytes cut "my int x" as "my i", "nt x".
    PaintFixture fixture("my int x", 4);
    fixture.input.documentType = DocumentType::C;
    fixture.cKeywords = {"int"};
    EXPECT_EQ(ColourAll(fixture), "...ccc..");
    EXPECT_EQ(ColourAll(fixture, 4, 8), "cc..");
    // A line comment that began on the row before still colours.
    PaintFixture comment("a // bcdef\r\nx", 5);
    comment.input.documentType = DocumentType::C;
    EXPECT_EQ(ColourAll(comment, 5, 13), "mmmmmmm.");
}

TEST(TextColouringTest, TagTargetLineWinsOverAMarkedLine) {
    PaintFixture fixture("one\r\ntwo\r\nthree");
    fixture.lineMarks = {kFirstLineMark, 3};
    const TextPaintInput& input = fixture.Input();
    EXPECT_EQ(HighlightOfRow(input, -1, 0), RowHighlight::MarkedLine);
    EXPECT_EQ(HighlightOfRow(input, -1, 1), RowHighlight::MarkedLine);
    EXPECT_EQ(HighlightOfRow(input, -1, 2), RowHighlight::None);
    EXPECT_EQ(HighlightOfRow(input, 3, 1), RowHighlight::TagTarget);
    EXPECT_EQ(HighlightOfRow(input, -2, 0), RowHighlight::TagTarget);
    EXPECT_EQ(HighlightOfRow(input, 8, 2), RowHighlight::TagTarget);
}

TEST(TextColouringTest, RunsEndAtTabsLineEndsColourChangesAnd250Bytes) {
    PaintFixture fixture("ab\tint\r\n" + std::string(300, 'x'), 400);
    fixture.input.documentType = DocumentType::C;
    fixture.input.colours = LetterColours();
    fixture.lineMarks = {kFirstLineMark};
    const TextPaintInput& input = fixture.Input();
    std::vector<ColourCode> codes(input.textLength);
    ASSERT_TRUE(ColourRange(input, 0, input.textLength, codes));
    RowColouring colouring{codes, 0, HighlightOfRow(input, -1, 0), true};
    std::vector<ColourRun> runs(16);
    RunCursor cursor;
    std::size_t count = CutRuns(input, colouring, cursor, 8, runs);
    RunCursor secondRow{8, 0};
    count += CutRuns(input, colouring, secondRow, input.textLength,
                     std::span<ColourRun>(runs).subspan(count));
    ASSERT_EQ(count, 6u);
    const RunKind kinds[] = {RunKind::Text,    RunKind::Tab,  RunKind::Text,
                             RunKind::LineEnd, RunKind::Text, RunKind::Text};
    const int lengths[] = {2, 1, 3, 2, 250, 50};
    const int columns[] = {0, 2, 4, 7, 0, 250};
    for (std::size_t i = 0; i < count; ++i) {
        EXPECT_EQ(runs[i].kind, kinds[i]) << i;
        EXPECT_EQ(runs[i].length, lengths[i]) << i;
        EXPECT_EQ(runs[i].column, columns[i]) << i;
    }
    // A marked line draws every run in the text colour on its background; swapped here.
    EXPECT_EQ(runs[2].background, ui::StandardPaletteColor(1));
    EXPECT_EQ(runs[2].foreground, ui::StandardPaletteColor(11));
}

TEST(TextColouringTest, RepaintStart) {
    struct Case {
        const char* name;
        std::string text;
        std::uint32_t offset;
        std::vector<StringMark> marks;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {"nothing near", "abc def", 5, {}, 5},
        {"keyword reaching the offset", "x int", 5, {}, 2},
        {"keyword ending before it", "int  x", 5, {}, 5},
        {"inside a marked string", "abcdefgh", 6, {{3, 4, "defg"}}, 3},
        {"splits //", "a//b", 2, {}, 1},
        {"splits /* with area comments", "a/*b", 2, {}, 1},
    };
    for (const Case& c : cases) {
        PaintFixture fixture(c.text);
        fixture.input.documentType = DocumentType::C;
        fixture.input.colorAreaComment = true;
        fixture.stringMarks = c.marks;
        EXPECT_EQ(RepaintStart(fixture.Input(), c.offset), c.expected) << c.name;
    }
}

} // namespace
} // namespace nelvix
