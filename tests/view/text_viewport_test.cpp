// The viewport's arithmetic on 8 × 16 pixel cells in an 805 × 411 window with margins of 5 and
// 11 pixels: 100 columns and 25 rows shown.
#include "view/text_viewport.h"

#include <gtest/gtest.h>

namespace nelvix {
namespace {

TextViewport Viewport(std::uint32_t rows, std::uint32_t charsPerLine, ViewOrigin origin = {}) {
    TextViewport view;
    view.SetMargins(5, 11);
    view.SetCellSize(8, 16);
    view.Resize(805, 411);
    view.UpdateRanges(rows, charsPerLine);
    view.SetOrigin(origin.topRow, origin.firstColumn);
    return view;
}

TEST(TextViewportTest, CellsAndPixels) {
    const TextViewport view = Viewport(100, 200, {2, 1});
    EXPECT_EQ(view.CellToPixel(1, 2), (PixelPoint{5, 11}));
    EXPECT_EQ(view.CellToPixel(4, 4), (PixelPoint{29, 43}));
    EXPECT_EQ(view.PixelToCell(29, 43, 200, 100), std::make_pair(4u, 4u));
    EXPECT_EQ(view.PixelToCell(-50, 100000, 200, 100), std::make_pair(0u, 100u));
    EXPECT_EQ(view.RowsRect(0, 1), std::nullopt);
    EXPECT_EQ(view.RowsRect(3, 4), (ui::PixelRect{0, 27, 805, 59}));
    EXPECT_EQ(view.RowsRect(20, 1000), (ui::PixelRect{0, 299, 805, 411}));
}

TEST(TextViewportTest, RangesFollowRowsAndWidth) {
    struct Case {
        std::uint32_t rows, charsPerLine, verticalMaximum;
        bool active;
        std::uint32_t horizontalMaximum;
        ViewOrigin after; // from top row 30, first column 150
    };
    const Case cases[] = {
        {100, 200, 76, true, 101, {30, 101}},
        {3, 200, 1, false, 101, {0, 101}},
        {24, 200, 1, false, 101, {0, 101}}, // with the empty last row, 25 rows
        {3, 80, 1, false, 0, {0, 0}},
    };
    for (const Case& c : cases) {
        TextViewport view = Viewport(c.rows, c.charsPerLine, {30, 150});
        view.UpdateRanges(c.rows, c.charsPerLine);
        EXPECT_EQ(view.VerticalMaximum(), c.verticalMaximum) << c.rows;
        EXPECT_EQ(view.VerticalActive(), c.active) << c.rows;
        EXPECT_EQ(view.HorizontalMaximum(), c.horizontalMaximum) << c.rows;
        EXPECT_EQ(view.TopRow(), c.after.topRow) << c.rows;
        EXPECT_EQ(view.FirstColumn(), c.after.firstColumn) << c.rows;
    }
}

TEST(TextViewportTest, ScrollRequestsOnBothAxes) {
    struct Case {
        ScrollAxis axis;
        ScrollRequest request;
        int position;
        std::optional<std::uint32_t> target; // from top row 30, first column 20
    };
    const Case cases[] = {
        {ScrollAxis::Vertical, ScrollRequest::LineUp, 0, 29},
        {ScrollAxis::Vertical, ScrollRequest::LineDown, 0, 31},
        {ScrollAxis::Vertical, ScrollRequest::PageUp, 0, 5},
        {ScrollAxis::Vertical, ScrollRequest::PageDown, 0, 55},
        {ScrollAxis::Vertical, ScrollRequest::ThumbTrack, 500, 76},
        {ScrollAxis::Vertical, ScrollRequest::Top, 0, 0},
        {ScrollAxis::Vertical, ScrollRequest::Bottom, 0, 76},
        {ScrollAxis::Vertical, ScrollRequest::EndScroll, 0, std::nullopt},
        {ScrollAxis::Horizontal, ScrollRequest::LineUp, 0, 10},
        {ScrollAxis::Horizontal, ScrollRequest::LineDown, 0, 30},
        {ScrollAxis::Horizontal, ScrollRequest::PageUp, 0, 0},
        {ScrollAxis::Horizontal, ScrollRequest::PageDown, 0, 101},
        {ScrollAxis::Horizontal, ScrollRequest::ThumbPosition, -3, 0},
        {ScrollAxis::Horizontal, ScrollRequest::Bottom, 0, 101},
    };
    const TextViewport view = Viewport(100, 200, {30, 20});
    for (const Case& c : cases)
        EXPECT_EQ(view.ScrollTarget(c.axis, c.request, c.position), c.target)
            << static_cast<int>(c.axis) << " " << static_cast<int>(c.request);
}

TEST(TextViewportTest, ScrollingMovesTheImageOrRepaintsAll) {
    struct Case {
        ScrollAxis axis;
        std::uint32_t position; // from top row 30, first column 20
        bool repaintAll;
        int dx, dy;
        ui::PixelRect exposed;
    };
    const Case cases[] = {
        {ScrollAxis::Vertical, 31, false, 0, -16, {0, 395, 805, 411}},
        {ScrollAxis::Vertical, 28, false, 0, 32, {0, 11, 805, 43}},
        {ScrollAxis::Vertical, 55, true, 0, 0, {}},
        {ScrollAxis::Horizontal, 30, false, -80, 0, {725, 0, 805, 411}},
        {ScrollAxis::Horizontal, 10, false, 80, 0, {5, 0, 85, 411}},
    };
    for (const Case& c : cases) {
        TextViewport view = Viewport(100, 200, {30, 20});
        const std::optional<ScrollMove> move = view.ScrollTo(c.axis, c.position);
        ASSERT_TRUE(move.has_value());
        EXPECT_EQ(move->repaintAll, c.repaintAll) << c.position;
        if (!c.repaintAll) {
            EXPECT_EQ(std::make_pair(move->dx, move->dy), std::make_pair(c.dx, c.dy));
            EXPECT_EQ(move->exposed, c.exposed) << c.position;
        }
        EXPECT_EQ(c.axis == ScrollAxis::Vertical ? view.TopRow() : view.FirstColumn(), c.position);
        EXPECT_EQ(view.ScrollTo(c.axis, c.position), std::nullopt);
    }
}

TEST(TextViewportTest, OriginShowingACell) {
    struct Case {
        std::uint32_t column, row;
        std::uint32_t top, firstColumn; // from top row 30, first column 20
    };
    const Case cases[] = {
        {25, 40, 30, 20},  {25, 54, 30, 20},  {25, 60, 36, 20}, {25, 10, 10, 20},
        {125, 40, 30, 30}, {150, 40, 30, 52}, {15, 40, 30, 5},  {5, 40, 30, 0},
    };
    const TextViewport view = Viewport(100, 200, {30, 20});
    for (const Case& c : cases) {
        const ViewOrigin origin = view.OriginShowing(c.column, c.row);
        EXPECT_EQ(origin.topRow, c.top) << c.column << "," << c.row;
        EXPECT_EQ(origin.firstColumn, c.firstColumn) << c.column << "," << c.row;
    }
}

} // namespace
} // namespace nelvix
