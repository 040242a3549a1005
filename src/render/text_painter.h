// Painting the text window: the rows an update touches, in runs of one colour, with the
// line-end and tab marks, and the tag target line that a tag jump or a find leaves behind.
#pragma once

#include <array>
#include <cstdint>

#include "render/text_colouring.h"
#include "render/text_paint_input.h"
#include "ui/surface.h"

namespace nelvix::ui {
struct Platform;
}

namespace nelvix {

/// Runs cut from a row at a time; a row holds at most CPL + 2 bytes, so one pass usually
/// takes it whole.
inline constexpr std::size_t kRunBufferSize = 256;
/// Longest shaft of a line-end or tab mark, in pixels.
inline constexpr int kMarkLength = 8;
/// Length of the strokes of a mark's arrow head, in pixels.
inline constexpr int kMarkHead = 3;
/// No tag target line.
inline constexpr std::int64_t kNoTagTargetLine = -1;

/// Holds the buffers painting needs, so that nothing is allocated while painting; make it once
/// per text window (it is about 70 KB).
class TextPainter {
public:
    /// Fills `dirty` with the window background, then paints the rows it touches.
    void Paint(const TextPaintInput& input, ui::Surface& surface, const ui::PixelRect& dirty);
    /// Paints the characters from `first` through the character at `last` that lie in the
    /// visible rows; with `swap`, text and background colours are exchanged. Nothing happens
    /// for an empty text or an empty range.
    void PaintRange(const TextPaintInput& input, std::uint32_t first, std::uint32_t last, bool swap,
                    ui::Surface& surface);

    /// Makes the line whose first row is `row` the tag target line and repaints the first
    /// rows of the old and the new one. A row that does not begin a line, or lies at or
    /// beyond the row count, beeps and leaves no tag target line.
    void SetTagTargetLine(const TextPaintInput& input, std::uint32_t row, ui::Platform& platform,
                          ui::Surface& surface);
    /// The offset of the CR before the tag target line, -2 for the first line, -1 for none.
    std::int64_t TagTargetLine() const { return m_tagTargetLine; }
    /// For insertions, which move the line with the text; no repaint.
    void MoveTagTargetLine(std::int64_t lineEndBefore) { m_tagTargetLine = lineEndBefore; }

    /// Where the text is drawn: from the margins to CPL - first column + 2 cells to the right,
    /// or to the window's edge when that is nearer.
    static ui::PixelRect TextArea(const TextPaintInput& input);

private:
    void PaintRows(const TextPaintInput& input, std::uint32_t first, std::uint32_t end, bool swap,
                   ui::Surface& surface);
    void PaintRow(const TextPaintInput& input, std::uint32_t row, std::uint32_t from,
                  std::uint32_t to, const RowColouring& colouring, ui::Surface& surface);
    void DrawRun(const TextPaintInput& input, const ColourRun& run, int rowTop,
                 ui::Surface& surface);
    void PaintFirstRowOfLine(const TextPaintInput& input, std::int64_t lineEndBefore,
                             ui::Surface& surface);

    std::array<ColourCode, kMaxPaintBytes> m_codes{};
    std::array<ColourRun, kRunBufferSize> m_runs{};
    std::int64_t m_tagTargetLine = kNoTagTargetLine;
};

} // namespace nelvix
