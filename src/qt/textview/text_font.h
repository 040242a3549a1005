// The text window's font from the font description a document carries.
#pragma once

#include <QFont>

#include "text/display_format.h"

namespace nelvix::qt {

/// The font of `description` at `pixelHeight` (negative: the character height;
/// 0 keeps the default size). The stored face is kept when it is installed; otherwise the
/// fixed-pitch font with Japanese glyphs stands in, with the description's size and style.
QFont TextFontOf(const FontDescription& description, int pixelHeight);

} // namespace nelvix::qt
