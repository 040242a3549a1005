// The fixed-pitch font with Japanese glyphs in which texts are shown.
#pragma once

#include <QFont>

namespace nelvix::qt {

/// IPA Gothic when installed (fixed pitch, every JIS X 0208 glyph), else the system's fixed font.
QFont DocumentFont();

} // namespace nelvix::qt
