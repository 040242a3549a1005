// The colour page "ｶﾗｰ" of the settings sheet: eleven colour lists over the display format's
// colour words, each list item k standing for palette colour k + 1.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "text/display_format.h"

namespace nelvix {

/// One colour list of the page: the colour it edits, whether that colour carries bit 15 above
/// the palette index, and whether the page shows the list at all.
struct ColourControl {
    std::int32_t DisplayColours::*colour;
    bool flagged;
    bool shown;
};

inline constexpr std::size_t kColourControlCount = 11;

/// The lists in the page's order: "Cｷｰﾜｰﾄﾞ", "C++ｷｰﾜｰﾄﾞ", "ｺﾒﾝﾄ行", "文字", "改行", "ﾀﾌﾞ",
/// "ﾏｰｸ行背景", "文字背景", "ﾀｸﾞ先行背景", then the two hidden ones, "ｷｰﾜｰﾄﾞ" and
/// "ﾏｰｸ文字背景".
inline constexpr std::array<ColourControl, kColourControlCount> kColourControls{{
    {&DisplayColours::cKeyword, false, true},
    {&DisplayColours::cppKeyword, false, true},
    {&DisplayColours::comment, false, true},
    {&DisplayColours::text, false, true},
    {&DisplayColours::newline, false, true},
    {&DisplayColours::tab, false, true},
    {&DisplayColours::markLineBackground, true, true},
    {&DisplayColours::textBackground, false, true},
    {&DisplayColours::tagTargetBackground, true, true},
    {&DisplayColours::userKeyword, false, false},
    {&DisplayColours::markedTextBackground, true, false},
}};

/// The list item of a colour word: its palette index less one, bit 15 removed.
int ColourItemOfWord(std::int32_t word);
/// The colour word of a list item: item + 1, with bit 15 set when `flagged`.
std::int32_t ColourWordOfItem(int item, bool flagged);

class SetColourPageModel {
public:
    void Open(const DisplayColours& colours);
    /// The item chosen in each list, in the order of kColourControls.
    std::array<int, kColourControlCount>& Items() { return m_items; }
    const std::array<int, kColourControlCount>& Items() const { return m_items; }
    /// Writes every colour back into `colours`.
    void Store(DisplayColours& colours) const;

private:
    std::array<int, kColourControlCount> m_items{};
};

} // namespace nelvix
