// The frame fonts table.
#include "frame/frame_fonts.h"

namespace nelvix {
namespace {

constexpr int kPointsPerInch = 72;

constexpr FrameFontFace kFaces[kFrameFontCount] = {
    {"ＭＳ 明朝", FontCharset::ShiftJis, FontPitch::Fixed, FontFamily::Roman},
    {"ＭＳ ゴシック", FontCharset::ShiftJis, FontPitch::Fixed, FontFamily::Modern},
    {"標準明朝", FontCharset::ShiftJis, FontPitch::Fixed, FontFamily::Roman},
    {"標準ゴシック", FontCharset::ShiftJis, FontPitch::Fixed, FontFamily::Modern},
    {"Arial", FontCharset::Ansi, FontPitch::Variable, FontFamily::Swiss},
    {"ＭＳ Ｐゴシック", FontCharset::ShiftJis, FontPitch::Variable, FontFamily::Modern},
};

} // namespace

std::span<const FrameFontFace, kFrameFontCount> FrameFontFaces() {
    return kFaces;
}

int FrameFontHeight(int dotsPerInch, int points) {
    return -(dotsPerInch * points / kPointsPerInch);
}

} // namespace nelvix
