// What the two rulers take from the settings and from their view, and the measures they share.
#pragma once

#include <charconv>
#include <cstddef>
#include <string_view>

#include "ui/colour.h"

namespace nelvix {

/// The rulers' settings, as the settings record holds them after its clamps.
struct RulerSettings {
    bool displayRulerBar = true;
    bool displayLineBar = true;
    int rulerCursorColor = 4; ///< palette index of the column ruler's marker
    int rulerBackColor = 16;  ///< palette index of the column ruler's background
    bool figureRuler = true;  ///< the line ruler shows row numbers; false: a scale
    ui::Colour lineFigureColor = ui::StandardPaletteColor(1);
    ui::Colour lineCursorColorref = ui::StandardPaletteColor(2);
    ui::Colour lineBackColorref = ui::StandardPaletteColor(8);
    int leftMgnLM = 15; ///< tenths of a millimetre
    int topMgnLM = 15;  ///< tenths of a millimetre
};

/// What the rulers read from their view; indices count from 0, pitches are pixels.
struct RulerViewState {
    int topRow = 0;      ///< first visible row
    int visibleRows = 0; ///< whole rows that fit below the top margin
    int firstColumn = 0; ///< first visible column
    int caretRow = 0;
    int caretColumn = 0;
    int charsPerLine = 0; ///< the wrap column
    int rowPitch = 0;     ///< font height plus line spacing
    int columnPitch = 0;  ///< cell width plus character spacing
    int rowCount = 0;     ///< rows of the text
    bool lineBarShown = false;
};

// Measures of both rulers, in tenths of a millimetre.
inline constexpr int kLineBarWidthTenths = 80;
inline constexpr int kRulerBarHeightTenths = 40;
inline constexpr int kTick10Tenths = 35;
inline constexpr int kTick5Tenths = 25;
inline constexpr int kTick1Tenths = 15; ///< also the width of the caret marker strip

inline constexpr ui::Colour kRulerWhite = ui::Rgb(255, 255, 255);
inline constexpr ui::Colour kRulerGrey = ui::Rgb(128, 128, 128);
inline constexpr ui::Colour kRulerBlack = ui::Rgb(0, 0, 0);
/// The pen of the wrap column's tick.
inline constexpr ui::Colour kRulerWrapTick = ui::Rgb(255, 0, 0);

constexpr int TenthsToPixels(int tenths, int dotsPerInch) {
    return dotsPerInch * tenths / 254;
}

/// Length of the tick of scale index `index`.
constexpr int TickTenths(int index) {
    if (index % 10 == 0)
        return kTick10Tenths;
    return index % 5 == 0 ? kTick5Tenths : kTick1Tenths;
}

/// Decimal digits of `value`, written into `buffer`.
inline std::string_view NumberText(int value, char (&buffer)[12]) {
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return {buffer, static_cast<std::size_t>(result.ptr - buffer)};
}

/// The number a scale shows at `index`: the index itself, but 1 at index 0, so that the scale
/// starts where the user's counting starts.
inline std::string_view ScaleNumberText(int index, char (&buffer)[12]) {
    return NumberText(index == 0 ? 1 : index, buffer);
}

} // namespace nelvix
