#include "commands/document_placement.h"

#include <gtest/gtest.h>

#include <vector>

namespace nelvix {
namespace {

TEST(DocumentPlacement, ModesFollowTheTwoSettings) {
    struct Case {
        int separated;
        int tagToUpper;
        PlacementMode ordinary;
        PlacementMode run;
    };
    const Case cases[] = {
        {0, 0, PlacementMode::None, PlacementMode::None},
        {0, 1, PlacementMode::None, PlacementMode::None},
        {1, 1, PlacementMode::Lower, PlacementMode::Upper},
        {1, 0, PlacementMode::Upper, PlacementMode::Lower},
    };
    for (const Case& c : cases) {
        Settings settings;
        settings.separatedPlacement = c.separated;
        settings.tagToUpper = c.tagToUpper;
        EXPECT_EQ(OrdinaryPlacementMode(settings), c.ordinary) << c.separated << c.tagToUpper;
        EXPECT_EQ(RunPlacementMode(settings), c.run) << c.separated << c.tagToUpper;
    }
}

TEST(DocumentPlacement, UpperHeightFallsBackToHalfTheArea) {
    struct Case {
        int setting;
        int area;
        int expected;
    };
    const Case cases[] = {{5, 600, 300},   {10, 600, 10}, {590, 600, 590},
                          {591, 600, 300}, {0, 601, 300}, {250, 600, 250}};
    for (const Case& c : cases)
        EXPECT_EQ(UpperHeight(c.setting, c.area), c.expected) << c.setting;
}

TEST(DocumentPlacement, UpperAndLowerPartsShareTheArea) {
    EXPECT_EQ(PlacedWindowRect(PlacementMode::Upper, 800, 600, 200),
              (ui::PixelRect{0, 0, 800, 200}));
    EXPECT_EQ(PlacedWindowRect(PlacementMode::Lower, 800, 600, 200),
              (ui::PixelRect{0, 200, 800, 600}));
    EXPECT_TRUE(PlacedWindowRect(PlacementMode::None, 800, 600, 200).IsEmpty());
}

TEST(DocumentPlacement, ArrangedIconsFillRowsFromTheBottomLeft) {
    using Rects = std::vector<ui::PixelRect>;
    struct Case {
        const char* name;
        int areaWidth;
        std::vector<IconSize> icons;
        Rects expected;
    };
    const Case cases[] = {
        {"none", 500, {}, {}},
        {"one row", 500, {{160, 30}, {160, 30}}, Rects{{0, 270, 160, 300}, {160, 270, 320, 300}}},
        {"the fourth goes above",
         500,
         {{160, 30}, {160, 30}, {160, 30}, {160, 30}},
         Rects{{0, 270, 160, 300}, {160, 270, 320, 300}, {320, 270, 480, 300}, {0, 240, 160, 270}}},
        {"an area narrower than an icon",
         100,
         {{160, 30}, {160, 30}},
         Rects{{0, 270, 160, 300}, {0, 240, 160, 270}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ArrangedIconRects(c.areaWidth, 300, c.icons), c.expected) << c.name;
}

} // namespace
} // namespace nelvix
