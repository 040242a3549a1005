// The font command.
#include "commands/font_command.h"

#include <algorithm>
#include <limits>

namespace nelvix {

ScreenFontSize PointsForScreen(std::int32_t pointSizeTenths, int dotsPerInch) {
    const std::int64_t dpi = dotsPerInch > 0 ? dotsPerInch : kDefaultDotsPerInch;
    const std::int32_t points = std::max(pointSizeTenths / 10, kMinFontPoints);
    if (dpi * points <= std::int64_t{kMaxFontPixelHeight} * kPointsPerInch)
        return {points, false};
    const auto reduced = static_cast<std::int32_t>(kMaxFontPixelHeight * kPointsPerInch / dpi);
    return {std::max(reduced, kMinFontPoints), true};
}

bool StoreFontChoice(ui::Beeper& beeper, FontDescription& font, const ui::FontChoice& choice,
                     int dotsPerInch) {
    const ScreenFontSize size = PointsForScreen(choice.pointSizeTenths, dotsPerInch);
    if (size.reduced)
        beeper.Beep();

    const FontDescription before = font;
    font.height = size.points;
    font.width = 0;
    font.escapement = 0;
    font.orientation = 0;
    font.weight = choice.weight;
    font.italic = choice.italic ? 1 : 0;
    font.underline = 0;
    font.strikeOut = 0;
    font.charSet = kShiftJisCharSet;
    font.pitchAndFamily = kFixedPitchModern;
    SetFontFaceName(font, choice.faceName);
    return font != before;
}

ui::FontChoice FontChoiceOf(const FontDescription& font) {
    ui::FontChoice choice;
    choice.faceName = FontFaceName(font);
    // A cabinet from elsewhere may hold any size; it must not overflow on the way.
    const std::int64_t tenths = std::int64_t{font.height} * 10;
    choice.pointSizeTenths = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(tenths, 0, std::numeric_limits<std::int32_t>::max()));
    choice.weight = font.weight;
    choice.italic = font.italic != 0;
    return choice;
}

bool RunFontCommand(ui::FontDialog& dialog, ui::Beeper& beeper, FontDescription& font,
                    int dotsPerInch) {
    const auto choice = dialog.AskFixedPitchFont(FontChoiceOf(font));
    if (!choice)
        return false;
    return StoreFontChoice(beeper, font, *choice, dotsPerInch);
}

} // namespace nelvix
