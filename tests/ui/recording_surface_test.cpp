// The recording surface: what its grid shows for each kind of drawing.
#include "ui/recording_surface.h"

#include <gtest/gtest.h>

#include "base/cp932.h"

namespace nelvix::ui {
namespace {

constexpr Colour kRed = Rgb(255, 0, 0);
constexpr Colour kBlue = Rgb(0, 0, 255);
constexpr Colour kWhite = Rgb(255, 255, 255);

// An 8 x 16 grid from the surface's origin, 10 columns and 3 rows.
CellGrid Grid(const RecordingSurface& surface) {
    return surface.Rasterise(0, 0, 8, 16, 10, 3);
}

TEST(RecordingSurfaceTest, TextLandsInCellsWithItsColours) {
    RecordingSurface surface;
    surface.DrawText(8, 16, "a" + Sjis("漢") + "b", 8, kRed, kWhite);
    CellGrid grid = Grid(surface);
    EXPECT_EQ(grid.RowText(1), " a" + Sjis("漢") + "b     ");
    EXPECT_EQ(grid.At(2, 1).bytes, Sjis("漢"));
    EXPECT_TRUE(grid.At(3, 1).continuation);
    EXPECT_EQ(grid.At(4, 1).foreground, kRed);
    EXPECT_EQ(grid.At(4, 1).background, kWhite);
    EXPECT_EQ(grid.At(0, 1).background, kNoColour);
    EXPECT_EQ(grid.At(99, 1), Cell{});
}

TEST(RecordingSurfaceTest, LaterOperationsChangeTheGrid) {
    struct Case {
        const char* name;
        void (*draw)(RecordingSurface&);
        int column;
        int row;
        Cell expected;
    };
    const auto scrollUp = [](RecordingSurface& s) {
        s.DrawText(0, 32, "z", 8, kRed, kWhite);
        s.ScrollRect({0, 0, 80, 48}, 0, -16);
    };
    const Cell z{"z", false, kRed, kWhite, false, false};
    const Case cases[] = {
        {"fill clears text",
         [](RecordingSurface& s) {
             s.DrawText(0, 0, "xy", 8, kRed, kWhite);
             s.FillRect({8, 0, 16, 16}, kBlue);
         },
         1, 0, Cell{"", false, kNoColour, kBlue, false, false}},
        {"fill over a trail byte cuts the character",
         [](RecordingSurface& s) {
             s.DrawText(0, 0, Sjis("漢"), 8, kRed, kWhite);
             s.FillRect({8, 0, 16, 16}, kBlue);
         },
         0, 0, Cell{"", false, kRed, kWhite, false, false}},
        {"fill needs the centre of a cell",
         [](RecordingSurface& s) {
             s.FillRect({0, 0, 4, 16}, kBlue);
         },
         0, 0, Cell{}},
        {"invert twice is no change",
         [](RecordingSurface& s) {
             s.FillRect({0, 0, 80, 48}, kBlue);
             s.InvertRect({0, 0, 16, 16});
             s.InvertRect({8, 0, 16, 16});
         },
         0, 0, Cell{"", false, kNoColour, kBlue, true, false}},
        {"line marks its cells", [](RecordingSurface& s) { s.DrawLine(20, 0, 20, 47, kRed); }, 2, 2,
         Cell{"", false, kNoColour, kNoColour, false, true}},
        {"scroll up moves a row", scrollUp, 0, 1, z},
        {"scroll leaves the uncovered part as it was", scrollUp, 0, 2, z},
        {"scroll takes nothing from outside its rectangle",
         [](RecordingSurface& s) {
             s.DrawText(0, 32, "z", 8, kRed, kWhite);
             s.ScrollRect({0, 0, 80, 32}, 0, -16);
         },
         0, 1, Cell{}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingSurface surface;
        c.draw(surface);
        EXPECT_EQ(Grid(surface).At(c.column, c.row), c.expected);
    }
}

TEST(RecordingSurfaceTest, OperationsKeepTheFontAndMetricsFollowIt) {
    RecordingSurface surface;
    surface.smallMetrics = {10, 5};
    surface.SelectFont(FontRole::Small);
    surface.DrawText(0, 0, "ab", 5, kRed, kWhite);
    EXPECT_EQ(surface.Metrics(), (FontMetrics{10, 5}));
    ASSERT_EQ(surface.operations.size(), 2u);
    EXPECT_EQ(surface.operations[1].font, FontRole::Small);
    EXPECT_EQ(surface.operations[1].rect, (PixelRect{0, 0, 10, 10}));
    surface.ClearOperations();
    EXPECT_TRUE(surface.operations.empty());
}

} // namespace
} // namespace nelvix::ui
