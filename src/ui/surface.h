// A place to draw: the text window and the rulers paint through this, so that every drawing
// rule can be checked without a display. The Qt front end draws with QPainter; tests record.
#pragma once

#include <cstdint>
#include <string_view>

#include "ui/colour.h"

namespace nelvix::ui {

/// Pixels; right and bottom are exclusive.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const PixelRect&) const = default;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
};

struct FontMetrics {
    int height = 0;       ///< pixels of a row of text, without extra line spacing
    int averageWidth = 0; ///< pixels of one cell, without extra character spacing
    bool operator==(const FontMetrics&) const = default;
};

/// The fonts a surface draws with: the text window's font, made from the document's font
/// description by the host, and a small font for the rulers' scale numbers.
enum class FontRole { Text, Small };

class Surface {
public:
    virtual ~Surface() = default;

    /// Later text, and Metrics(), use this font.
    virtual void SelectFont(FontRole role) = 0;

    virtual void FillRect(const PixelRect& rect, Colour colour) = 0;
    /// Draws Shift-JIS text with its top-left corner at (x, y) in the fixed grid: every
    /// single-byte character takes one cell of `cellWidth` pixels, every double-byte character
    /// two; the cells (of the font's height) are filled with `background` first.
    virtual void DrawText(int x, int y, std::string_view sjisText, int cellWidth, Colour foreground,
                          Colour background) = 0;
    /// A one-pixel line from (x1, y1) to (x2, y2), both ends included.
    virtual void DrawLine(int x1, int y1, int x2, int y2, Colour colour) = 0;
    /// Inverts every pixel of the rectangle (selections, markers).
    virtual void InvertRect(const PixelRect& rect) = 0;
    /// Moves the image inside `rect` by (dx, dy); what is uncovered is left to be repainted.
    virtual void ScrollRect(const PixelRect& rect, int dx, int dy) = 0;

    /// Metrics of the surface's current font.
    virtual FontMetrics Metrics() const = 0;
    /// The screen's logical dots per inch (96 under the offscreen platform).
    virtual int DotsPerInchX() const = 0;
    virtual int DotsPerInchY() const = 0;
};

} // namespace nelvix::ui
