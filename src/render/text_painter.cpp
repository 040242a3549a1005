// Drawing rows of runs onto a surface: backgrounds, characters in the grid, and the marks.
#include "render/text_painter.h"

#include <algorithm>
#include <string_view>

#include "ui/platform.h"

namespace nelvix {

namespace {

constexpr std::string_view kBlanks =
    "                                                                "
    "                                                                ";

ui::Colour Palette(std::int32_t word) {
    return ui::StandardPaletteColor(word & ~kBackgroundFlag);
}

bool HasGeometry(const TextPaintInput& input) {
    return input.text != nullptr && input.rowStarts != nullptr && input.rowCount > 0 &&
           input.cellWidth > 0 && input.rowHeight > 0;
}

std::uint32_t CharLength(const TextPaintInput& input, std::uint32_t offset) {
    const Byte b = input.text[offset];
    return (IsLeadByte(b) || b == kCr) && offset + 1 < input.textLength ? 2 : 1;
}

/// Draws `count` blanks from `column`, skipping what lies left of the first column or right of
/// the text area.
void DrawBlanks(const TextPaintInput& input, const ColourRun& run, int column, int count,
                int rowTop, int areaRight, ui::Surface& surface) {
    const int from = std::max(column, input.firstColumn);
    int to = column + count;
    const int lastVisible =
        input.firstColumn + (areaRight - input.leftMargin + input.cellWidth - 1) / input.cellWidth;
    to = std::min(to, lastVisible);
    if (from >= to)
        return;
    // The background was filled under every cell; the blanks stand for the characters.
    const int blanks = std::min(to - from, static_cast<int>(kBlanks.size()));
    surface.DrawText(input.leftMargin + (from - input.firstColumn) * input.cellWidth, rowTop,
                     kBlanks.substr(0, static_cast<std::size_t>(blanks)), input.cellWidth,
                     run.foreground, run.background);
}

void DrawNewlineMark(const TextPaintInput& input, int cellLeft, int rowTop, ui::Surface& surface) {
    const ui::Colour pen = Palette(input.colours.newline);
    const int x = cellLeft + input.cellWidth / 2;
    const int tip = rowTop + input.rowHeight - 1;
    const int shaft = std::min(kMarkLength, input.rowHeight);
    surface.DrawLine(x, tip - shaft, x, tip, pen);
    surface.DrawLine(x, tip, x - kMarkHead, tip - kMarkHead, pen);
    surface.DrawLine(x, tip, x + kMarkHead, tip - kMarkHead, pen);
}

void DrawTabMark(const TextPaintInput& input, int cellLeft, int rowTop, ui::Surface& surface) {
    const ui::Colour pen = Palette(input.colours.tab);
    const int y = rowTop + input.rowHeight / 2;
    const int tip = cellLeft + std::min(kMarkLength, input.cellWidth) - 1;
    surface.DrawLine(cellLeft, y, tip, y, pen);
    surface.DrawLine(tip, y, tip - kMarkHead, y - kMarkHead, pen);
    surface.DrawLine(tip, y, tip - kMarkHead, y + kMarkHead, pen);
}

} // namespace

ui::PixelRect TextPainter::TextArea(const TextPaintInput& input) {
    const std::int64_t right =
        input.leftMargin +
        (std::int64_t{input.charsPerLine} - input.firstColumn + 2) * input.cellWidth;
    return ui::PixelRect{input.leftMargin, input.topMargin,
                         static_cast<int>(std::min<std::int64_t>(right, input.clientWidth)),
                         input.clientHeight};
}

void TextPainter::Paint(const TextPaintInput& input, ui::Surface& surface,
                        const ui::PixelRect& dirty) {
    const ui::PixelRect fill{std::max(dirty.left, 0), std::max(dirty.top, 0),
                             std::min(dirty.right, input.clientWidth),
                             std::min(dirty.bottom, input.clientHeight)};
    if (!fill.IsEmpty())
        surface.FillRect(fill, Palette(input.colours.textBackground));
    if (!HasGeometry(input) || input.textLength == 0)
        return;
    const auto rowAt = [&](int y) {
        const std::int64_t row =
            (std::int64_t{y} - input.topMargin) / input.rowHeight + input.topRow;
        return std::max<std::int64_t>(row, 0);
    };
    const std::int64_t firstRow = rowAt(dirty.top);
    if (firstRow >= input.rowCount)
        return;
    const auto lastRow =
        static_cast<std::uint32_t>(std::min<std::int64_t>(rowAt(dirty.bottom), input.rowCount - 1));
    PaintRows(input, input.rowStarts[firstRow], RowEnd(input, lastRow), false, surface);
}

void TextPainter::PaintRange(const TextPaintInput& input, std::uint32_t first, std::uint32_t last,
                             bool swap, ui::Surface& surface) {
    if (!HasGeometry(input) || input.textLength == 0 || first > last)
        return;
    last = std::min(last, input.textLength - 1);
    if (first > last)
        return;
    PaintRows(input, first, last + CharLength(input, last), swap, surface);
}

void TextPainter::PaintRows(const TextPaintInput& input, std::uint32_t first, std::uint32_t end,
                            bool swap, ui::Surface& surface) {
    // Only the rows that are at least partly visible are painted.
    if (input.topRow >= input.rowCount || input.clientHeight <= input.topMargin)
        return;
    const std::int64_t shown =
        (std::int64_t{input.clientHeight} - input.topMargin + input.rowHeight - 1) /
        input.rowHeight;
    const auto lastShown = static_cast<std::uint32_t>(
        std::min<std::int64_t>(input.topRow + shown - 1, input.rowCount - 1));
    first = std::max(first, input.rowStarts[input.topRow]);
    end = std::min(end, RowEnd(input, lastShown));

    // A window taller than the buffer is painted in pieces of whole rows.
    while (first < end) {
        std::uint32_t pieceEnd = end;
        if (end - first > kMaxPaintBytes) {
            pieceEnd = first + kMaxPaintBytes;
            const std::uint32_t rowStart = input.rowStarts[*RowOfOffset(input, pieceEnd)];
            if (rowStart > first)
                pieceEnd = rowStart;
            else if (!IsCharBoundary(input.text, rowStart, pieceEnd))
                --pieceEnd;
        }
        if (!ColourRange(input, first, pieceEnd, m_codes))
            return;
        RowColouring colouring{std::span<const ColourCode>(m_codes.data(), pieceEnd - first), first,
                               RowHighlight::None, swap};
        for (std::uint32_t row = *RowOfOffset(input, first);
             row < input.rowCount && input.rowStarts[row] < pieceEnd; ++row) {
            colouring.highlight = HighlightOfRow(input, m_tagTargetLine, row);
            PaintRow(input, row, std::max(first, input.rowStarts[row]),
                     std::min(pieceEnd, RowEnd(input, row)), colouring, surface);
        }
        first = pieceEnd;
    }
}

void TextPainter::PaintRow(const TextPaintInput& input, std::uint32_t row, std::uint32_t from,
                           std::uint32_t to, const RowColouring& colouring, ui::Surface& surface) {
    if (row < input.topRow)
        return;
    const int rowTop = input.topMargin + static_cast<int>(row - input.topRow) * input.rowHeight;
    RunCursor cursor{input.rowStarts[row], 0};
    AdvanceCursor(input, cursor, from);
    while (cursor.offset < to) {
        const std::size_t count = CutRuns(input, colouring, cursor, to, m_runs);
        if (count == 0)
            return;
        for (std::size_t i = 0; i < count; ++i)
            DrawRun(input, m_runs[i], rowTop, surface);
    }
}

void TextPainter::DrawRun(const TextPaintInput& input, const ColourRun& run, int rowTop,
                          ui::Surface& surface) {
    const ui::PixelRect area = TextArea(input);
    const auto cellLeft = [&](int column) {
        return input.leftMargin + (column - input.firstColumn) * input.cellWidth;
    };
    const int runLeft = cellLeft(run.column);
    const int left = std::max(runLeft, area.left);
    const int right = run.OwnCellsOnly()
                          ? std::min(runLeft + run.cells * input.cellWidth, area.right)
                          : area.right;
    if (left < right)
        surface.FillRect({left, rowTop, right, rowTop + input.rowHeight}, run.background);

    const bool visible = run.column >= input.firstColumn && runLeft < area.right;
    switch (run.kind) {
    case RunKind::LineEnd:
        DrawBlanks(input, run, run.column, run.cells, rowTop, area.right, surface);
        if (input.showLineEnds && visible)
            DrawNewlineMark(input, runLeft, rowTop, surface);
        return;
    case RunKind::Tab:
        DrawBlanks(input, run, run.column, run.cells, rowTop, area.right, surface);
        if (input.showTabs && visible)
            DrawTabMark(input, runLeft, rowTop, surface);
        return;
    case RunKind::Control:
        DrawBlanks(input, run, run.column, run.cells, rowTop, area.right, surface);
        return;
    case RunKind::Text:
        break;
    }
    // Characters left of the first column or past the text area are not drawn.
    std::uint32_t at = run.offset;
    const std::uint32_t end = run.offset + run.length;
    int column = run.column;
    while (at < end && column < input.firstColumn) {
        const std::uint32_t length = std::min(CharLength(input, at), end - at);
        at += length;
        column += static_cast<int>(length);
    }
    std::uint32_t stop = at;
    for (int stopColumn = column; stop < end && cellLeft(stopColumn) < area.right;) {
        const std::uint32_t length = std::min(CharLength(input, stop), end - stop);
        stop += length;
        stopColumn += static_cast<int>(length);
    }
    if (stop > at)
        surface.DrawText(
            cellLeft(column), rowTop,
            std::string_view(reinterpret_cast<const char*>(input.text) + at, stop - at),
            input.cellWidth, run.foreground, run.background);
}

void TextPainter::SetTagTargetLine(const TextPaintInput& input, std::uint32_t row,
                                   ui::Platform& platform, ui::Surface& surface) {
    const std::int64_t old = m_tagTargetLine;
    m_tagTargetLine = kNoTagTargetLine;
    if (old != kNoTagTargetLine)
        PaintFirstRowOfLine(input, old, surface);
    if (!HasGeometry(input) || row >= input.rowCount) {
        platform.beeper.Beep();
        return;
    }
    const std::uint32_t start = input.rowStarts[row];
    if (row == 0) {
        m_tagTargetLine = -2;
    } else if (start >= 2 && start <= input.textLength && input.text[start - 2] == kCr &&
               input.text[start - 1] == kLf) {
        m_tagTargetLine = std::int64_t{start} - 2;
    } else {
        platform.beeper.Beep();
        return;
    }
    PaintFirstRowOfLine(input, m_tagTargetLine, surface);
}

void TextPainter::PaintFirstRowOfLine(const TextPaintInput& input, std::int64_t lineEndBefore,
                                      ui::Surface& surface) {
    const std::int64_t lineStart = lineEndBefore + 2;
    if (!HasGeometry(input) || lineStart < 0 || lineStart >= input.textLength)
        return;
    const std::uint32_t row = *RowOfOffset(input, static_cast<std::uint32_t>(lineStart));
    PaintRows(input, input.rowStarts[row], RowEnd(input, row), false, surface);
}

} // namespace nelvix
