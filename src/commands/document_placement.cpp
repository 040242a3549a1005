// Placement of new document windows.
#include "commands/document_placement.h"

#include <algorithm>

namespace nelvix {

namespace {
constexpr int kUpperHeightMargin = 10;
}

PlacementMode OrdinaryPlacementMode(const Settings& settings) {
    if (!settings.separatedPlacement)
        return PlacementMode::None;
    return settings.tagToUpper ? PlacementMode::Lower : PlacementMode::Upper;
}

PlacementMode RunPlacementMode(const Settings& settings) {
    if (!settings.separatedPlacement)
        return PlacementMode::None;
    return settings.tagToUpper ? PlacementMode::Upper : PlacementMode::Lower;
}

int UpperHeight(int upperHeightPix, int areaHeight) {
    if (upperHeightPix >= kUpperHeightMargin && upperHeightPix <= areaHeight - kUpperHeightMargin)
        return upperHeightPix;
    return areaHeight / 2;
}

ui::PixelRect PlacedWindowRect(PlacementMode mode, int areaWidth, int areaHeight,
                               int upperHeightPix) {
    const int upper = UpperHeight(upperHeightPix, areaHeight);
    switch (mode) {
    case PlacementMode::Upper:
        return {0, 0, areaWidth, upper};
    case PlacementMode::Lower:
        return {0, upper, areaWidth, areaHeight};
    case PlacementMode::None:
        break;
    }
    return {};
}

std::vector<ui::PixelRect> ArrangedIconRects(int areaWidth, int areaHeight,
                                             std::span<const IconSize> icons) {
    std::vector<ui::PixelRect> rects;
    int left = 0;
    int bottom = areaHeight;
    int rowHeight = 0;
    for (const IconSize& icon : icons) {
        // A row holds at least one icon, however narrow the area.
        if (left > 0 && left + icon.width > areaWidth) {
            bottom -= rowHeight;
            left = 0;
            rowHeight = 0;
        }
        rects.push_back({left, bottom - icon.height, left + icon.width, bottom});
        left += icon.width;
        rowHeight = std::max(rowHeight, icon.height);
    }
    return rects;
}

} // namespace nelvix
