// The settings sheet's colour page.
#include "settings_sheet/settings_colour_page.h"

namespace nelvix {

int ColourItemOfWord(std::int32_t word) {
    return (word & ~kBackColourFlag) - 1;
}

std::int32_t ColourWordOfItem(int item, bool flagged) {
    const std::int32_t index = item + 1;
    return flagged ? (index | kBackColourFlag) : index;
}

void SetColourPageModel::Open(const DisplayBlock& block) {
    for (std::size_t i = 0; i < kColourControlCount; ++i)
        m_items[i] = ColourItemOfWord(block[kColourControls[i].word]);
}

void SetColourPageModel::Store(DisplayBlock& block) const {
    for (std::size_t i = 0; i < kColourControlCount; ++i)
        block[kColourControls[i].word] = ColourWordOfItem(m_items[i], kColourControls[i].flagged);
}

} // namespace nelvix
