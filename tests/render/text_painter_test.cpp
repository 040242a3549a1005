#include "render/text_painter.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "render/paint_input_fixture.h"
#include "ui/fake_platform.h"
#include "ui/recording_surface.h"

namespace nelvix {
namespace {

using test::PaintFixture;
using ui::StandardPaletteColor;

constexpr int kCell = 8;
constexpr int kRow = 16;
constexpr int kLeft = 8;

TextPaintInput& Window(PaintFixture& fixture, int columns = 20, int rows = 4) {
    TextPaintInput& input = fixture.Input();
    input.charsPerLine = 10;
    input.cellWidth = kCell;
    input.rowHeight = kRow;
    input.leftMargin = kLeft;
    input.clientWidth = kLeft + columns * kCell;
    input.clientHeight = rows * kRow;
    return input;
}

ui::CellGrid PaintAll(const TextPaintInput& input, TextPainter& painter,
                      ui::RecordingSurface& surface) {
    painter.Paint(input, surface, {0, 0, input.clientWidth, input.clientHeight});
    return surface.Rasterise(kLeft, 0, kCell, kRow, (input.clientWidth - kLeft) / kCell,
                             input.clientHeight / kRow);
}

int Lines(const ui::RecordingSurface& surface) {
    int lines = 0;
    for (const auto& op : surface.operations)
        lines += op.kind == ui::SurfaceOperationKind::DrawLine ? 1 : 0;
    return lines;
}

TEST(TextPainterTest, RowsColoursAndMarks) {
    const auto painter = std::make_unique<TextPainter>();
    PaintFixture fixture("int a;\r\n\tb\r\nx");
    fixture.input.documentType = DocumentType::C;
    fixture.input.showTabs = true;
    const TextPaintInput& input = Window(fixture);
    ui::RecordingSurface surface;
    const ui::CellGrid grid = PaintAll(input, *painter, surface);
    EXPECT_EQ(grid.RowText(0), "int a;" + std::string(14, ' '));
    EXPECT_EQ(grid.RowText(1), std::string(4, ' ') + "b" + std::string(15, ' '));
    EXPECT_EQ(grid.At(0, 0).foreground, StandardPaletteColor(2)); // C keyword
    EXPECT_EQ(grid.At(4, 0).foreground, StandardPaletteColor(1)); // text
    EXPECT_EQ(grid.At(0, 0).background, StandardPaletteColor(8));
    // Two line ends and one tab, three strokes each.
    EXPECT_EQ(Lines(surface), 9);

    fixture.input.showLineEnds = false;
    fixture.input.showTabs = false;
    surface.ClearOperations();
    PaintAll(input, *painter, surface);
    EXPECT_EQ(Lines(surface), 0);
}

TEST(TextPainterTest, LineBackgroundsReachTheTextAreaEdgeMarkedStringsDoNot) {
    struct Case {
        const char* name;
        std::int64_t tagTarget; // tag target row, -1 none
        bool markFirstLine;
        ui::Colour rowBackground;     // row 0, past its characters, inside the text area
        ui::Colour keywordBackground; // row 0, under the marked string
    };
    const ui::Colour text = StandardPaletteColor(8);
    const ui::Colour markLine = StandardPaletteColor(11);
    const ui::Colour marked = StandardPaletteColor(10);
    const ui::Colour tag = StandardPaletteColor(4);
    const Case cases[] = {
        {"plain", -1, false, text, marked},
        {"marked line", -1, true, markLine, markLine},
        {"tag target on a marked line", 0, true, tag, tag},
    };
    for (const Case& c : cases) {
        const auto painter = std::make_unique<TextPainter>();
        PaintFixture fixture("a int\r\nb");
        fixture.input.documentType = DocumentType::C;
        fixture.stringMarks = {{2, 3, "int"}};
        if (c.markFirstLine)
            fixture.lineMarks = {kFirstLineMark};
        const TextPaintInput& input = Window(fixture);
        ui::FakePlatform fake;
        ui::RecordingSurface surface;
        if (c.tagTarget >= 0)
            painter->SetTagTargetLine(input, static_cast<std::uint32_t>(c.tagTarget), fake.platform,
                                      surface);
        const ui::CellGrid grid = PaintAll(input, *painter, surface);
        EXPECT_EQ(grid.At(2, 0).background, c.keywordBackground) << c.name;
        EXPECT_EQ(grid.At(9, 0).background, c.rowBackground) << c.name;
        EXPECT_EQ(grid.At(11, 0).background, c.rowBackground) << c.name; // CPL + 1
        EXPECT_EQ(grid.At(12, 0).background, text) << c.name;            // outside the text area
        EXPECT_EQ(grid.At(0, 0).foreground, StandardPaletteColor(1)) << c.name;
    }
}

TEST(TextPainterTest, SetTagTargetLine) {
    struct Case {
        const char* name;
        std::uint32_t row;
        std::int64_t expected;
        int beeps;
    };
    // CPL 10 wraps the first line into rows 0 and 1.
    const Case cases[] = {
        {"first row", 0, -2, 0},
        {"row after a line end", 2, 14, 0},
        {"continuation row", 1, -1, 1},
        {"past the rows", 9, -1, 1},
    };
    for (const Case& c : cases) {
        const auto painter = std::make_unique<TextPainter>();
        PaintFixture fixture("abcdefghijklmn\r\nxyz", 10);
        const TextPaintInput& input = Window(fixture);
        ui::FakePlatform fake;
        ui::RecordingSurface surface;
        painter->SetTagTargetLine(input, 2, fake.platform, surface);
        surface.ClearOperations();
        painter->SetTagTargetLine(input, c.row, fake.platform, surface);
        EXPECT_EQ(painter->TagTargetLine(), c.expected) << c.name;
        EXPECT_EQ(fake.beeper.beeps, c.beeps) << c.name;
        // The old line's row was repainted without the tag background.
        const ui::CellGrid grid = surface.Rasterise(kLeft, 0, kCell, kRow, 20, 4);
        EXPECT_EQ(grid.RowText(2).substr(0, 3), "xyz") << c.name;
    }
}

TEST(TextPainterTest, SwapExchangesColoursInARange) {
    const auto painter = std::make_unique<TextPainter>();
    PaintFixture fixture("abcdef");
    const TextPaintInput& input = Window(fixture);
    ui::RecordingSurface surface;
    painter->PaintRange(input, 2, 3, true, surface);
    const ui::CellGrid grid = surface.Rasterise(kLeft, 0, kCell, kRow, 20, 4);
    EXPECT_EQ(grid.RowText(0).substr(0, 5), "  cd ");
    EXPECT_EQ(grid.At(2, 0).foreground, StandardPaletteColor(8));
    EXPECT_EQ(grid.At(2, 0).background, StandardPaletteColor(1));
}

TEST(TextPainterTest, AWindowTallerThanTheBufferIsPaintedWhole) {
    const auto painter = std::make_unique<TextPainter>();
    std::string text;
    for (int row = 0; row < 200; ++row)
        text += std::string(248, static_cast<char>('a' + row % 26)) + "\r\n";
    PaintFixture fixture(text);
    TextPaintInput& input = Window(fixture, 250, 200);
    input.charsPerLine = 250;
    ui::RecordingSurface surface;
    const ui::CellGrid grid = PaintAll(input, *painter, surface);
    EXPECT_EQ(grid.At(247, 199).bytes, std::string(1, 'a' + 199 % 26));
}

TEST(TextPainterTest, ScrolledColumnsNeverDrawIntoTheMargin) {
    const auto painter = std::make_unique<TextPainter>();
    PaintFixture fixture("a\x82\xA0"
                         "bcdefg\tx\r\n"); // "あ" straddles column 2
    TextPaintInput& input = Window(fixture);
    input.firstColumn = 2;
    input.showTabs = true;
    ui::RecordingSurface surface;
    painter->Paint(input, surface, {kLeft, 0, input.clientWidth, input.clientHeight});
    for (const auto& op : surface.operations) {
        if (op.kind == ui::SurfaceOperationKind::DrawText) {
            EXPECT_GE(op.x1, kLeft) << op.text;
        }
        if (op.kind == ui::SurfaceOperationKind::DrawLine) {
            EXPECT_GE(std::min(op.x1, op.x2), kLeft);
        }
    }
    const ui::CellGrid grid = surface.Rasterise(kLeft, 0, kCell, kRow, 20, 4);
    EXPECT_EQ(grid.RowText(0).substr(0, 4), " bcd");
}

} // namespace
} // namespace nelvix
