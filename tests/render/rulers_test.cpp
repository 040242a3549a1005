// The line ruler and the column ruler, drawn on a recording surface at 96 dots per inch: the
// line ruler is 30 pixels wide, the column ruler 15 high, the margins 5 pixels, the ticks 13, 9
// and 5 pixels; rows are 16 pixels, columns 8.
#include "render/line_bar.h"
#include "render/ruler_bar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "ui/recording_surface.h"

namespace nelvix {
namespace {

using ui::PixelRect;
using ui::RecordingSurface;
using ui::SurfaceOperation;
using ui::SurfaceOperationKind;

constexpr int kBarWidth = 30;
constexpr int kMargin = 5;
constexpr int kPitch = 16;
constexpr int kLineBarHeight = kMargin + 10 * kPitch + 8; // ten rows and part of one more
constexpr int kRulerWidth = 400;
constexpr int kRulerHeight = 15;

RulerViewState View(int topRow, int caretRow) {
    RulerViewState view;
    view.topRow = topRow;
    view.visibleRows = 10;
    view.caretRow = caretRow;
    view.charsPerLine = 20;
    view.rowPitch = kPitch;
    view.columnPitch = 8;
    return view;
}

RulerSettings Settings(bool figureRuler) {
    RulerSettings settings;
    settings.figureRuler = figureRuler;
    return settings;
}

CLineBar MakeLineBar(const RulerSettings& settings, const RulerViewState& view,
                     RecordingSurface& surface) {
    CLineBar bar;
    bar.Create(settings, view, surface);
    bar.SetHeight(kLineBarHeight);
    return bar;
}

CRulerBar MakeRulerBar(const RulerViewState& view, const RecordingSurface& surface) {
    CRulerBar bar;
    bar.Create(RulerSettings{}, view, surface);
    bar.SetWidth(kRulerWidth);
    return bar;
}

// One cell per pixel: two images are the same when their grids are. Gives the first pixel
// that differs, or "same".
std::string CompareImages(const RecordingSurface& drawn, const RecordingSurface& expected,
                          int width, int height) {
    ui::CellGrid a = drawn.Rasterise(0, 0, 1, 1, width, height);
    ui::CellGrid b = expected.Rasterise(0, 0, 1, 1, width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (!(a.At(x, y) == b.At(x, y)))
                return "differs at " + std::to_string(x) + "," + std::to_string(y);
    return "same";
}

std::vector<const SurfaceOperation*> Texts(const RecordingSurface& surface) {
    std::vector<const SurfaceOperation*> texts;
    for (const SurfaceOperation& op : surface.operations)
        if (op.kind == SurfaceOperationKind::DrawText)
            texts.push_back(&op);
    return texts;
}

TEST(LineBarTest, NumberStyleCountsFromOneAtTheTopRow) {
    RecordingSurface surface;
    RulerViewState view = View(100, 100);
    CLineBar bar = MakeLineBar(Settings(true), view, surface);
    EXPECT_EQ(bar.Width(), kBarWidth);
    bar.Paint(surface, view);
    // Three digits of 8 pixels end against the 5-pixel marker strip.
    ui::CellGrid grid = surface.Rasterise(kBarWidth - 5 - 24, kMargin, 8, kPitch, 3, 11);
    EXPECT_EQ(grid.RowText(0), "101");
    EXPECT_EQ(grid.RowText(1), "102");
    EXPECT_EQ(grid.RowText(10), "111");
    EXPECT_EQ(grid.At(0, 0).foreground, ui::StandardPaletteColor(1));
}

// The ruler grows with the digits of the largest number it shows, so that row 1303 never reads
// "303"; three digits of 8 pixels fit the standard 30 pixels beside the 5-pixel marker strip.
TEST(LineBarTest, RulerShowsFiveDigitRows) {
    struct Case {
        const char* name;
        bool figureRuler;
        int rowCount;
        int topRow;
        int width;
    };
    const Case cases[] = {
        {"999 rows", true, 999, 0, kBarWidth},
        {"1000 rows", true, 1000, 0, 1 + 4 * 8 + 5},
        {"16,669 rows, at the top", true, 16'669, 0, 1 + 5 * 8 + 5},
        {"16,669 rows, at the end", true, 16'669, 16'660, 1 + 5 * 8 + 5},
        {"100,000 rows", true, 100'000, 0, 1 + 6 * 8 + 5},
        {"995 rows scrolled past the end shows 1001", true, 995, 990, 1 + 4 * 8 + 5},
        {"scale of 99 rows: two small digits fit", false, 99, 0, kBarWidth},
        {"scale of 100 rows", false, 100, 0, 1 + 3 * 6 + 13},
        {"scale of 16,669 rows", false, 16'669, 0, 1 + 5 * 6 + 13},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingSurface surface;
        RulerViewState view = View(c.topRow, c.topRow);
        view.rowCount = c.rowCount;
        CLineBar bar = MakeLineBar(Settings(c.figureRuler), view, surface);
        EXPECT_EQ(bar.Width(), c.width);
        if (!c.figureRuler)
            continue;
        // The last number shown stands whole between the edge line and the marker strip.
        bar.Paint(surface, view);
        const std::vector<const SurfaceOperation*> texts = Texts(surface);
        ASSERT_FALSE(texts.empty());
        const SurfaceOperation& last = *texts.back();
        EXPECT_EQ(last.text, std::to_string(c.topRow + 11));
        EXPECT_GE(last.x1, 1);
        EXPECT_EQ(last.x1 + static_cast<int>(last.text.size()) * 8, c.width - 5);
    }
}

TEST(LineBarTest, WidthFollowsAGrowingText) {
    RecordingSurface surface;
    RulerViewState view = View(0, 0);
    view.rowCount = 999;
    CLineBar bar = MakeLineBar(Settings(true), view, surface);
    EXPECT_FALSE(bar.FitWidth(view));
    view.rowCount = 1000;
    EXPECT_TRUE(bar.FitWidth(view));
    EXPECT_EQ(bar.Width(), 1 + 4 * 8 + 5);
    EXPECT_FALSE(bar.FitWidth(view));
}

TEST(LineBarTest, ScaleStyleTicksAndNumbers) {
    RecordingSurface surface;
    RulerViewState view = View(0, 40);
    view.visibleRows = 20;
    CLineBar bar = MakeLineBar(Settings(false), view, surface);
    bar.SetHeight(kMargin + 20 * kPitch);
    bar.Paint(surface, view);

    std::vector<std::pair<std::string, int>> labels; // text, row of the tick under it
    for (const SurfaceOperation* text : Texts(surface)) {
        EXPECT_EQ(text->font, ui::FontRole::Small);
        EXPECT_EQ(text->rect.right, kBarWidth - 13) << text->text;
        labels.emplace_back(text->text, (text->rect.bottom - kMargin) / kPitch);
    }
    std::vector<std::pair<std::string, int>> expected = {
        {"1", 0}, {"5", 5}, {"10", 10}, {"15", 15}, {"20", 20}};
    EXPECT_EQ(labels, expected);

    struct Tick {
        int row;
        int length;
    };
    for (Tick tick : {Tick{0, 13}, Tick{1, 5}, Tick{5, 9}, Tick{10, 13}, Tick{14, 5}}) {
        SCOPED_TRACE(tick.row);
        int y = kMargin + tick.row * kPitch;
        SurfaceOperation line;
        line.kind = SurfaceOperationKind::DrawLine;
        line.x1 = kBarWidth - tick.length;
        line.y1 = y;
        line.x2 = kBarWidth - 1;
        line.y2 = y;
        line.foreground = kRulerBlack;
        EXPECT_NE(std::find(surface.operations.begin(), surface.operations.end(), line),
                  surface.operations.end());
    }
}

// Whatever a ruler does step by step must leave the image a fresh paint would draw.
TEST(LineBarTest, StepsLeaveTheImageOfAFreshPaint) {
    struct Case {
        const char* name;
        bool figureRuler;
        int topBefore;
        int caretBefore;
        int topAfter;
        int caretAfter;
    };
    const Case cases[] = {
        {"caret down, numbers", true, 0, 2, 0, 3},
        {"caret up, scale", false, 0, 7, 0, 1},
        {"caret from the last row, scale", false, 0, 9, 0, 4},
        {"caret from above the window", true, 5, 2, 5, 6},
        {"scroll up 3, numbers", true, 0, 4, 3, 4},
        {"scroll up 3, scale", false, 2, 4, 5, 4},
        {"scroll down 2, scale", false, 5, 6, 3, 6},
        {"scroll down 1 to the top, numbers", true, 1, 1, 0, 1},
        {"scroll by more than a window", false, 0, 0, 30, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingSurface surface;
        RulerViewState before = View(c.topBefore, c.caretBefore);
        RulerViewState after = View(c.topAfter, c.caretAfter);
        CLineBar bar = MakeLineBar(Settings(c.figureRuler), before, surface);
        bar.Paint(surface, before);
        bar.ScrollRows(surface, after, c.topAfter - c.topBefore);
        bar.SetCaretRow(surface, after);

        RecordingSurface fresh;
        MakeLineBar(Settings(c.figureRuler), after, fresh).Paint(fresh, after);
        EXPECT_EQ(CompareImages(surface, fresh, kBarWidth, kLineBarHeight), "same");
    }
}

TEST(LineBarTest, CaretMoveTouchesOnlyTheTwoMarkerCells) {
    for (bool figureRuler : {true, false}) {
        SCOPED_TRACE(figureRuler);
        RecordingSurface surface;
        CLineBar bar = MakeLineBar(Settings(figureRuler), View(0, 2), surface);
        bar.Paint(surface, View(0, 2));
        surface.ClearOperations();
        bar.SetCaretRow(surface, View(0, 6));

        PixelRect oldCell{kBarWidth - 5, kMargin + 2 * kPitch, kBarWidth, kMargin + 3 * kPitch};
        PixelRect newCell{kBarWidth - 5, kMargin + 6 * kPitch, kBarWidth, kMargin + 7 * kPitch};
        auto inside = [](const PixelRect& cell, int x, int y) {
            return x >= cell.left && x < cell.right && y >= cell.top && y < cell.bottom;
        };
        int fills = 0;
        for (const SurfaceOperation& op : surface.operations) {
            if (op.kind == SurfaceOperationKind::FillRect) {
                EXPECT_TRUE(op.rect == oldCell || op.rect == newCell);
                ++fills;
            } else {
                ASSERT_EQ(op.kind, SurfaceOperationKind::DrawLine);
                EXPECT_TRUE(inside(oldCell, op.x1, op.y1) && inside(oldCell, op.x2, op.y2));
            }
        }
        EXPECT_EQ(fills, 2);
        EXPECT_EQ(surface.operations.back().background, ui::StandardPaletteColor(2));
    }
}

TEST(LineBarTest, CaretLeavingTheLastVisibleRowRepaintsAll) {
    RecordingSurface surface;
    CLineBar bar = MakeLineBar(Settings(true), View(0, 9), surface);
    bar.Paint(surface, View(0, 9));
    surface.ClearOperations();
    bar.SetCaretRow(surface, View(0, 3));
    ASSERT_FALSE(surface.operations.empty());
    EXPECT_EQ(surface.operations.front().rect, (PixelRect{0, 0, kBarWidth, kLineBarHeight}));
}

TEST(LineBarTest, ScrollMovesTheImageBelowTheTopMargin) {
    RecordingSurface surface;
    CLineBar bar = MakeLineBar(Settings(true), View(0, 0), surface);
    bar.Paint(surface, View(0, 0));
    surface.ClearOperations();
    bar.ScrollRows(surface, View(3, 0), 3);
    ASSERT_FALSE(surface.operations.empty());
    const SurfaceOperation& scroll = surface.operations.front();
    EXPECT_EQ(scroll.kind, SurfaceOperationKind::ScrollRect);
    EXPECT_EQ(scroll.rect, (PixelRect{0, kMargin, kBarWidth, kLineBarHeight}));
    EXPECT_EQ(scroll.dy, -3 * kPitch);
    // Only the three new rows and the partly shown one are written.
    std::vector<std::string> numbers;
    for (const SurfaceOperation* text : Texts(surface))
        numbers.push_back(text->text);
    EXPECT_EQ(numbers, (std::vector<std::string>{"11", "12", "13", "14"}));
}

TEST(RulerBarTest, ScaleFromTheLeftMargin) {
    struct Case {
        const char* name;
        bool lineBarShown;
        int firstColumn;
        int firstTickX;
        std::string firstNumber;
        int firstNumberX;
    };
    const Case cases[] = {
        // "1" would start left of the ruler and is moved to its edge.
        {"line ruler hidden", false, 0, 5, "1", 0},
        {"line ruler shown", true, 0, 35, "1", 28},
        {"scrolled to column 7", true, 7, 35, "10", 35 + 3 * 8 - 1 - 12},
        {"line ruler widened for five digits", true, 0, 5 + 46, "1", 5 + 46 - 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingSurface surface;
        RulerViewState view = View(0, 0);
        view.lineBarShown = c.lineBarShown;
        view.firstColumn = c.firstColumn;
        view.caretColumn = 50;
        CRulerBar bar = MakeRulerBar(view, surface);
        if (c.firstTickX > kMargin + kBarWidth)
            bar.SetLineBarWidth(c.firstTickX - kMargin);
        EXPECT_EQ(bar.Height(), kRulerHeight);
        bar.Paint(surface, view);

        std::vector<const SurfaceOperation*> ticks;
        for (const SurfaceOperation& op : surface.operations)
            if (op.kind == SurfaceOperationKind::DrawLine && op.x1 == op.x2)
                ticks.push_back(&op);
        ASSERT_FALSE(ticks.empty());
        EXPECT_EQ(ticks.front()->x1, c.firstTickX);
        EXPECT_EQ(ticks.front()->y1 - ticks.front()->y2 + 1, c.firstColumn % 10 == 0  ? 13
                                                             : c.firstColumn % 5 == 0 ? 9
                                                                                      : 5);
        // The wrap column's tick has its own pen.
        for (const SurfaceOperation* tick : ticks)
            EXPECT_EQ(tick->foreground == kRulerWrapTick,
                      tick->x1 == c.firstTickX + (20 - c.firstColumn) * 8);

        std::vector<const SurfaceOperation*> texts = Texts(surface);
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts.front()->text, c.firstNumber);
        EXPECT_EQ(texts.front()->x1, c.firstNumberX);
        EXPECT_EQ(texts[1]->text, std::to_string((c.firstColumn / 10 + 1) * 10 +
                                                 (c.firstColumn % 10 == 0 ? 0 : 10)));
    }
}

TEST(RulerBarTest, CaretMovesAndScrollsLeaveTheImageOfAFreshPaint) {
    struct Case {
        const char* name;
        int caretBefore;
        int caretAfter;
        int firstAfter;
        int smallHeight; ///< a tall font lifts the marker into the numbers
    };
    const Case cases[] = {
        {"right", 3, 12, 0, 12},
        {"onto the wrap column", 3, 20, 0, 12},
        {"off the wrap column under a number", 20, 9, 0, 14},
        {"under the first number", 0, 5, 0, 14},
        {"horizontal scroll", 3, 3, 10, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingSurface surface;
        surface.smallMetrics = {c.smallHeight, 6};
        RulerViewState view = View(0, 0);
        view.caretColumn = c.caretBefore;
        CRulerBar bar = MakeRulerBar(view, surface);
        bar.Paint(surface, view);
        view.caretColumn = c.caretAfter;
        view.firstColumn = c.firstAfter;
        bar.SetFirstColumn(surface, view);
        bar.SetCaretColumn(surface, view);

        RecordingSurface fresh;
        fresh.smallMetrics = surface.smallMetrics;
        MakeRulerBar(view, fresh).Paint(fresh, view);
        EXPECT_EQ(CompareImages(surface, fresh, kRulerWidth, kRulerHeight), "same");
    }
}

} // namespace
} // namespace nelvix
