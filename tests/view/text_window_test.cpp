// The text window: metrics, scrolling, the scroll bars, the view position and the notices.
#include "view/text_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text_window_fixture.h"
#include "ui/message_ids.h"
#include "view/document_view.h"

namespace nelvix {
namespace {

/// `lines` numbered lines in an 805 × 411 window: 100 columns and 25 rows, with margins of 5
/// and 11 pixels.
struct Window : test::TextWindow {
    explicit Window(int lines, int charsPerLine = 200)
        : TextWindow(test::NumberedLines(lines), charsPerLine, false, {15, 30}) {
        window->OnSize(805, 411);
    }
};

TEST(KespoEvTest, MetricsMarginsAndPixels) {
    Window w(100);
    EXPECT_EQ(w.host.fontHeights, std::vector<int>{-16}); // 12 points at 96 dpi
    EXPECT_EQ(w.window->LeftMargin(), 5);
    EXPECT_EQ(w.window->TopMargin(), 11);
    EXPECT_EQ(w.window->VisibleColumns(), 100u);
    EXPECT_EQ(w.window->VisibleRows(), 25u);
}

TEST(KespoEvTest, ScrollToRowModes) {
    struct Case {
        ScrollMode mode;
        std::uint32_t row;
        bool force;
        std::uint32_t startTop;
        std::uint32_t top;
    };
    const Case cases[] = {
        {ScrollMode::Top, 40, false, 0, 40},    {ScrollMode::Middle, 11, false, 30, 0},
        {ScrollMode::Middle, 40, false, 0, 29}, {ScrollMode::Bottom, 24, false, 30, 0},
        {ScrollMode::Bottom, 40, false, 0, 16}, {ScrollMode::Top, 40, false, 30, 30},
        {ScrollMode::Top, 40, true, 30, 40},
    };
    for (const Case& c : cases) {
        Window w(100);
        w.window->ScrollToRow(c.startTop, ScrollMode::Top, true);
        const bool scrolled = w.window->ScrollToRow(c.row, c.mode, c.force);
        EXPECT_EQ(w.window->TopRow(), c.top) << c.row;
        EXPECT_EQ(scrolled, c.top != c.startTop) << c.row;
        EXPECT_EQ(w.window->CaretRow(), c.row);
        EXPECT_EQ(w.window->CaretColumn(), 0u);
    }
}

TEST(KespoEvTest, ScrollBarRequests) {
    Window w(100);
    EXPECT_EQ(w.window->OnVerticalScroll(ScrollRequest::PageDown), std::nullopt);
    EXPECT_EQ(w.window->TopRow(), 25u);
    // A scroll of fewer rows than are shown moves the image and repaints the uncovered row.
    w.window->OnVerticalScroll(ScrollRequest::LineDown);
    EXPECT_EQ(w.host.scrolledBy.back(), -16);
    EXPECT_EQ(w.host.repainted.back(), (ui::PixelRect{0, 395, 805, 411}));
    w.window->OnVerticalScroll(ScrollRequest::Bottom);
    EXPECT_EQ(w.window->TopRow(), 76u);
    w.window->OnVerticalScroll(ScrollRequest::ThumbTrack, 500);
    EXPECT_EQ(w.window->TopRow(), 76u);
    EXPECT_EQ(w.host.rowsScrolled, 76);
    w.window->OnHorizontalScroll(ScrollRequest::LineDown);
    EXPECT_EQ(w.window->FirstColumn(), 10u);
    EXPECT_EQ(w.host.columnsScrolled, 10);
    EXPECT_EQ(w.host.horizontalPosition, 10);
    // The caret leaving the columns shown takes the first column along.
    w.window->PlaceCaret(5, 80);
    EXPECT_EQ(w.window->FirstColumn(), 0u);
    EXPECT_EQ(w.host.caret, w.window->CellToPixel(5, 80));

    Window small(3);
    const std::pair<ScrollRequest, std::optional<ScrollKey>> keys[] = {
        {ScrollRequest::LineUp, ScrollKey::Up},
        {ScrollRequest::LineDown, ScrollKey::Down},
        {ScrollRequest::PageUp, ScrollKey::PageUp},
        {ScrollRequest::PageDown, ScrollKey::PageDown},
        {ScrollRequest::ThumbPosition, ScrollKey::End},
        {ScrollRequest::Top, ScrollKey::Home},
        {ScrollRequest::Bottom, ScrollKey::End},
        {ScrollRequest::ThumbTrack, std::nullopt},
        {ScrollRequest::EndScroll, std::nullopt},
    };
    for (const auto& [request, key] : keys)
        EXPECT_EQ(small.window->OnVerticalScroll(request), key);
    EXPECT_EQ(small.window->TopRow(), 0u);
}

TEST(KespoEvTest, ViewPositionRoundTripsAndIgnoresRowsPastTheEnd) {
    Window w(100);
    w.window->SetViewPosition({40, 3, 45});
    EXPECT_EQ(w.window->GetViewPosition(), (ViewPosition{40, 3, 45}));
    // Past the end of "line 47": the caret stands after its last character.
    w.window->SetViewPosition({40, 50, 47});
    EXPECT_EQ(w.window->GetViewPosition(), (ViewPosition{40, 7, 47}));
    w.window->SetViewPosition({100, 0, 0});
    EXPECT_EQ(w.window->GetViewPosition(), (ViewPosition{40, 7, 47}));
}

TEST(KespoEvTest, AppendedLinesAreLaidOutAndTheFullTableSaysSo) {
    Window w(0, 10);
    std::string text;
    for (std::uint32_t i = 0; i + 1 < kMaxRows; ++i)
        text += "a\r\n";
    w.document->LoadBytes(reinterpret_cast<const Byte*>(text.data()), text.size());
    ASSERT_EQ(w.document->Rows().Count(), kMaxRows - 1);
    const std::string line = "abcdefghijklmno\r\n";
    HintArgument argument;
    argument.text = reinterpret_cast<const Byte*>(line.c_str());
    w.document->UpdateAllViews(UpdateHint::AppendText, argument);
    EXPECT_EQ(w.document->Rows().Count(), kMaxRows);
    EXPECT_EQ(w.fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgTooManyRows});
    EXPECT_EQ(w.document->TextLength(), text.size() + line.size());
    EXPECT_EQ(w.host.verticalMaximum, static_cast<int>(kMaxRows) - 25 + 1);
}

TEST(KespoEvTest, LinesShownTogetherEndAsLinesShownOneByOne) {
    Window oneByOne(10), together(10);
    const std::uint32_t from = together.document->TextLength();
    for (int i = 0; i < 100; ++i) {
        const std::string line = "result " + std::to_string(i) + "\r\n";
        HintArgument argument;
        argument.text = reinterpret_cast<const Byte*>(line.c_str());
        oneByOne.document->UpdateAllViews(UpdateHint::AppendText, argument);
        argument.length = line.size();
        together.document->UpdateAllViews(UpdateHint::AppendNoLayout, argument);
    }
    EXPECT_NE(together.window->GetViewPosition(), oneByOne.window->GetViewPosition());
    HintArgument shown;
    shown.length = from;
    together.document->UpdateAllViews(UpdateHint::ShowAppended, shown);
    EXPECT_EQ(together.window->GetViewPosition(), oneByOne.window->GetViewPosition());
    EXPECT_EQ(together.window->TopRow(), oneByOne.window->TopRow());
    EXPECT_EQ(together.host.caret, oneByOne.host.caret);
    EXPECT_EQ(together.host.verticalMaximum, oneByOne.host.verticalMaximum);
}

TEST(KespoEvTest, LayingOutAgainKeepsTopRowAndCaretOffsets) {
    Window w(100, 200);
    w.window->ScrollToRow(50, ScrollMode::Top, true);
    w.window->PlaceCaret(4, 52);
    DisplayFormat narrow = w.document->Format();
    narrow.charsPerLine = 10;
    w.document->SetFormatSettings(narrow); // "line 5x" rows still fit in 10 cells
    EXPECT_EQ(w.window->TopRow(), 50u);
    EXPECT_EQ(w.window->GetViewPosition(), (ViewPosition{50, 4, 52}));
    EXPECT_EQ(w.window->HorizontalMaximum(), 0u);
    EXPECT_EQ(w.host.rulerRefreshes, 1);
}

TEST(KespoEvTest, NumbersOfRowsInBothModes) {
    Window w(0, 10);
    // Rows: "abcdefghij", "klmnopqrst", "uvwxy\r\n", "z\r\n", then the empty last row.
    const std::string text = "abcdefghijklmnopqrstuvwxy\r\nz\r\n";
    w.document->LoadBytes(reinterpret_cast<const Byte*>(text.data()), text.size());
    ASSERT_EQ(w.document->Rows().Count(), 4u);
    const std::uint32_t shown[2][5] = {{1, 2, 3, 4, 5}, {1, 1, 1, 2, 3}};
    for (int mode = 0; mode < 2; ++mode)
        for (std::uint32_t row = 0; row < 5; ++row)
            EXPECT_EQ(DisplayNumberOfRow(*w.document, row, mode), shown[mode][row])
                << "mode " << mode << " row " << row;
    const std::optional<std::uint32_t> typed[2][6] = {
        {std::nullopt, 0, 1, 2, 3, std::nullopt},
        {std::nullopt, 0, 3, std::nullopt, std::nullopt, std::nullopt}};
    for (int mode = 0; mode < 2; ++mode)
        for (std::uint32_t number = 0; number < 6; ++number)
            EXPECT_EQ(RowOfTypedNumber(*w.document, number, mode), typed[mode][number])
                << "mode " << mode << " number " << number;
}

TEST(KespoViewTest, ChildrenArePlacedAroundTheRulers) {
    struct Case {
        bool columnRuler, lineRuler;
        ViewChildRects rects;
    };
    const Case cases[] = {
        {true, true, {{0, 0, 400, 20}, {0, 20, 50, 300}, {50, 20, 400, 300}}},
        {false, true, {{}, {0, 0, 50, 300}, {50, 0, 400, 300}}},
        {true, false, {{0, 0, 400, 20}, {}, {0, 20, 400, 300}}},
        {false, false, {{}, {}, {0, 0, 400, 300}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaceViewChildren(400, 300, 20, 50, c.columnRuler, c.lineRuler), c.rects);

    struct Children final : ViewChildren {
        void Place(const ViewChildRects& rects) override { placed.push_back(rects); }
        std::vector<ViewChildRects> placed;
    } children;
    ViewSettings settings;
    CKespoView view(settings, children, 20, 50);
    view.OnSize(400, 300);
    EXPECT_TRUE(view.OnCommand(kCommandColumnRuler));
    EXPECT_FALSE(settings.displayRulerBar);
    EXPECT_FALSE(view.IsChecked(kCommandColumnRuler));
    EXPECT_EQ(children.placed.back(), cases[1].rects);
    EXPECT_FALSE(view.OnCommand(32808));
}

} // namespace
} // namespace nelvix
