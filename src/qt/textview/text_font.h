// The text window's font from the font description a document carries.
#pragma once

#include <QFont>

#include <array>
#include <cstdint>

#include "text/text_document.h"

namespace nelvix::qt {

using FontWords = std::array<std::int32_t, FormatSettings::kFontWordCount>;

/// The font of the description in `words` at `pixelHeight` (negative: the character height;
/// 0 keeps the default size). The stored face is kept when it is installed; otherwise the
/// fixed-pitch font with Japanese glyphs stands in, with the description's size and style.
QFont TextFontOf(const FontWords& words, int pixelHeight);

} // namespace nelvix::qt
