// Colours as the program stores them (0x00BBGGRR), and the standard palette of sixteen colours
// that the colour settings and the cabinet's colour words index.
#pragma once

#include <cstdint>
#include <iterator>

namespace nelvix::ui {

using Colour = std::uint32_t;

constexpr Colour Rgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return red | (green << 8) | (blue << 16);
}

inline constexpr int kPaletteSize = 16;

/// Index 1..16 gives its colour. Index 0 is no colour and is never stored; it and any other
/// index outside the table give black, so a damaged index still draws.
constexpr Colour StandardPaletteColor(int index) {
    constexpr Colour kPalette[kPaletteSize] = {
        Rgb(0, 0, 0),     Rgb(0, 0, 255),   Rgb(0, 255, 255),   Rgb(0, 255, 0),
        Rgb(255, 0, 255), Rgb(255, 0, 0),   Rgb(255, 255, 0),   Rgb(255, 255, 255),
        Rgb(0, 0, 128),   Rgb(0, 128, 128), Rgb(0, 128, 0),     Rgb(128, 0, 128),
        Rgb(128, 0, 0),   Rgb(128, 128, 0), Rgb(128, 128, 128), Rgb(192, 192, 192),
    };
    if (index < 1 || index > kPaletteSize)
        return Rgb(0, 0, 0);
    return kPalette[index - 1];
}

} // namespace nelvix::ui
