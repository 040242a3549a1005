// Placement of new document windows.
#include "app/document_placement.h"

namespace nelvix {

namespace {
constexpr int kUpperHeightMargin = 10;
}

PlacementMode OrdinaryPlacementMode(const Settings& settings) {
    if (settings.separatedPlacement == 0)
        return PlacementMode::None;
    return settings.tagToUpper == 0 ? PlacementMode::Upper : PlacementMode::Lower;
}

PlacementMode RunPlacementMode(const Settings& settings) {
    if (settings.separatedPlacement == 0)
        return PlacementMode::None;
    return settings.tagToUpper != 0 ? PlacementMode::Upper : PlacementMode::Lower;
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

} // namespace nelvix
