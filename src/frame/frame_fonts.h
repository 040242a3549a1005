// The fonts of the main frame's bars: a fixed table of six faces, made at a size in points.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace nelvix {

enum class FontCharset { ShiftJis, Ansi };
enum class FontPitch { Fixed, Variable };
enum class FontFamily { Roman, Modern, Swiss };

struct FrameFontFace {
    std::string_view faceName; ///< UTF-8
    FontCharset charset;
    FontPitch pitch;
    FontFamily family;
    int weight = 400;
    bool italic = false;
};

inline constexpr std::size_t kFrameFontCount = 6;

std::span<const FrameFontFace, kFrameFontCount> FrameFontFaces();

/// A face of the table at a size.
struct FrameFontUse {
    std::size_t face;
    int points;
};
inline constexpr FrameFontUse kFindBoxFont{0, 11};
inline constexpr FrameFontUse kStatusBarFont{1, 10};
inline constexpr FrameFontUse kWindowBarFont{5, 9};

/// The font height of a size: −(dots per inch × points ÷ 72), negative as a character height
/// (not a cell height) is.
int FrameFontHeight(int dotsPerInch, int points);

} // namespace nelvix
