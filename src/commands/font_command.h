// The font command ("フォント"): the text font chosen in the platform's font dialog goes into the
// display format, no taller on the screen than 100 pixels.
#pragma once

#include <cstdint>

#include "text/display_format.h"
#include "ui/frame_services.h"
#include "ui/platform.h"

namespace nelvix {

/// A font taller than this on the screen is reduced to it, with a beep.
inline constexpr std::int32_t kMaxFontPixelHeight = 100;
inline constexpr std::int32_t kPointsPerInch = 72;
/// Taken for a screen that reports no resolution.
inline constexpr int kDefaultDotsPerInch = 96;
/// The smallest size stored, so that a fraction of a point never becomes a font of size 0.
inline constexpr std::int32_t kMinFontPoints = 1;
/// Texts are Shift-JIS, and the dialog offers fixed-pitch fonts only (FIXED_PITCH | FF_MODERN).
inline constexpr std::uint8_t kShiftJisCharSet = 128;
inline constexpr std::uint8_t kFixedPitchModern = 0x31;

struct ScreenFontSize {
    std::int32_t points = 0;
    bool reduced = false; ///< it was taller than 100 pixels
    bool operator==(const ScreenFontSize&) const = default;
};

/// The dialog's size (tenths of a point) in whole points, reduced to 100 × 72 ÷ dots per inch
/// points when it would be taller than 100 pixels on the screen.
ScreenFontSize PointsForScreen(std::int32_t pointSizeTenths, int dotsPerInch);

/// Stores the choice into `font` (face name, size, weight, italic, as a fixed-pitch Shift-JIS
/// font); beeps when the size was reduced. True when anything changed.
bool StoreFontChoice(ui::Beeper& beeper, FontDescription& font, const ui::FontChoice& choice,
                     int dotsPerInch);

/// The font the dialog starts from: the stored face, weight, italic and point size.
ui::FontChoice FontChoiceOf(const FontDescription& font);

/// Asks the dialog, starting from the stored font, and stores the choice. False on cancel and
/// when nothing changed; the caller then lays the texts out again and confirms the cabinet.
bool RunFontCommand(ui::FontDialog& dialog, ui::Beeper& beeper, FontDescription& font,
                    int dotsPerInch);

} // namespace nelvix
