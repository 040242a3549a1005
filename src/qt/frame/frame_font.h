// The fonts of the main frame's bars, made from the frame fonts table.
#pragma once

#include <QFont>

#include "frame/frame_fonts.h"

namespace nelvix::qt {

/// The table's face at the use's size on a screen of `dotsPerInch`. A face that is not installed
/// gives way to a font with Japanese glyphs of the same pitch.
QFont FrameFont(FrameFontUse use, int dotsPerInch);

} // namespace nelvix::qt
