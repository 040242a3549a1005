// The settings sheet's colour page.
#include "settings_sheet/settings_colour_page.h"

namespace nelvix {

int ColourItemOfWord(std::int32_t word) {
    return (word & ~kBackgroundFlag) - 1;
}

std::int32_t ColourWordOfItem(int item, bool flagged) {
    const std::int32_t index = item + 1;
    return flagged ? (index | kBackgroundFlag) : index;
}

void SetColourPageModel::Open(const DisplayColours& colours) {
    for (std::size_t i = 0; i < kColourControlCount; ++i)
        m_items[i] = ColourItemOfWord(colours.*kColourControls[i].colour);
}

void SetColourPageModel::Store(DisplayColours& colours) const {
    for (std::size_t i = 0; i < kColourControlCount; ++i)
        colours.*kColourControls[i].colour =
            ColourWordOfItem(m_items[i], kColourControls[i].flagged);
}

} // namespace nelvix
