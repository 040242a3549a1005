// The shown part of a text window: geometry, scroll ranges and the scrolling arithmetic.
#include "view/text_viewport.h"

#include <algorithm>
#include <cstdlib>

namespace nelvix {

namespace {

std::uint32_t ClampPosition(long long position, std::uint32_t maximum) {
    return static_cast<std::uint32_t>(std::clamp<long long>(position, 0, maximum));
}

} // namespace

std::optional<ScrollKey> ScrollKeyOf(ScrollRequest request) {
    switch (request) {
    case ScrollRequest::LineUp:
        return ScrollKey::Up;
    case ScrollRequest::LineDown:
        return ScrollKey::Down;
    case ScrollRequest::PageUp:
        return ScrollKey::PageUp;
    case ScrollRequest::PageDown:
        return ScrollKey::PageDown;
    case ScrollRequest::ThumbPosition:
    case ScrollRequest::Bottom:
        return ScrollKey::End;
    case ScrollRequest::Top:
        return ScrollKey::Home;
    case ScrollRequest::ThumbTrack:
    case ScrollRequest::EndScroll:
        break;
    }
    return std::nullopt;
}

void TextViewport::SetMargins(int left, int top) {
    m_leftMargin = left;
    m_topMargin = top;
}

void TextViewport::SetCellSize(int width, int height) {
    m_cellWidth = width;
    m_rowHeight = height;
}

void TextViewport::Resize(int width, int height) {
    m_clientWidth = std::max(0, width);
    m_clientHeight = std::max(0, height);
    UpdateVisible();
}

void TextViewport::UpdateVisible() {
    const int columns = (m_clientWidth - m_leftMargin) / m_cellWidth;
    m_visibleColumns = columns < 1 ? 0 : static_cast<std::uint32_t>(columns);
    m_visibleRows = m_clientHeight < m_topMargin
                        ? 0
                        : static_cast<std::uint32_t>((m_clientHeight - m_topMargin) / m_rowHeight);
}

void TextViewport::UpdateRanges(std::uint32_t rows, std::uint32_t charsPerLine) {
    if (rows + 1 > m_visibleRows) {
        m_verticalMaximum = rows - m_visibleRows + 1;
        m_verticalActive = true;
    } else {
        m_verticalMaximum = 1;
        m_verticalActive = false;
        m_topRow = 0;
    }
    m_horizontalMaximum =
        charsPerLine + 1 > m_visibleColumns ? charsPerLine - m_visibleColumns + 1 : 0;
    m_firstColumn = std::min(m_firstColumn, m_horizontalMaximum);
}

void TextViewport::SetOrigin(std::uint32_t topRow, std::uint32_t firstColumn) {
    m_topRow = topRow;
    m_firstColumn = firstColumn;
}

PixelPoint TextViewport::CellToPixel(std::uint32_t column, std::uint32_t row) const {
    const long long x = (static_cast<long long>(column) - m_firstColumn) * m_cellWidth;
    const long long y = (static_cast<long long>(row) - m_topRow) * m_rowHeight;
    return {static_cast<int>(x + m_leftMargin), static_cast<int>(y + m_topMargin)};
}

std::pair<std::uint32_t, std::uint32_t>
TextViewport::PixelToCell(int x, int y, std::uint32_t charsPerLine, std::uint32_t rowCount) const {
    const long long column = (static_cast<long long>(x - m_leftMargin) +
                              static_cast<long long>(m_cellWidth) * m_firstColumn) /
                             m_cellWidth;
    const long long row = (y - m_topMargin) / m_rowHeight + static_cast<long long>(m_topRow);
    return {ClampPosition(column, charsPerLine), ClampPosition(row, rowCount)};
}

bool TextViewport::Contains(int x, int y) const {
    return x >= 0 && y >= 0 && x < m_clientWidth && y < m_clientHeight;
}

int TextViewport::RowTop(std::uint32_t row) const {
    return m_topMargin + static_cast<int>(row - m_topRow) * m_rowHeight;
}

std::optional<ui::PixelRect> TextViewport::RowsRect(std::uint32_t firstRow,
                                                    std::uint32_t lastRow) const {
    const std::uint32_t bottom = m_topRow + m_visibleRows;
    if (lastRow < m_topRow || firstRow > bottom)
        return std::nullopt;
    const long long end =
        m_topMargin +
        (static_cast<long long>(std::min(lastRow, bottom)) - m_topRow + 1) * m_rowHeight;
    return ui::PixelRect{0, RowTop(std::max(firstRow, m_topRow)), m_clientWidth,
                         static_cast<int>(std::min<long long>(end, m_clientHeight))};
}

std::uint32_t TextViewport::TopRowShowing(std::uint32_t row, ScrollMode mode) const {
    const std::uint32_t visible = m_visibleRows;
    if (mode == ScrollMode::Middle)
        return row + 1 <= visible / 2 ? 0 : row - visible / 2 + 1;
    if (mode == ScrollMode::Bottom)
        return row + 1 <= visible ? 0 : row - visible + 1;
    return row;
}

bool TextViewport::RowShown(std::uint32_t row) const {
    return row >= m_topRow && row < m_topRow + m_visibleRows;
}

ViewOrigin TextViewport::OriginShowing(std::uint32_t column, std::uint32_t row) const {
    ViewOrigin origin{m_topRow, m_firstColumn};
    if (m_visibleRows > 0) {
        if (row < m_topRow)
            origin.topRow = row;
        else if (row >= m_topRow + m_visibleRows - 1)
            origin.topRow = std::min(row - m_visibleRows + 1, m_verticalMaximum);
    }
    if (m_visibleColumns == 0 ||
        (column >= m_firstColumn && column < m_firstColumn + m_visibleColumns))
        return origin;
    if (column >= m_firstColumn) {
        const std::uint32_t step =
            std::max(column + 2 - m_firstColumn - m_visibleColumns, kHorizontalStepColumns);
        origin.firstColumn = std::min(m_firstColumn + step, m_horizontalMaximum);
    } else {
        const std::uint32_t step = m_firstColumn - column + kHorizontalStepColumns;
        origin.firstColumn = m_firstColumn > step ? m_firstColumn - step : 0;
    }
    return origin;
}

std::pair<std::uint32_t, std::uint32_t> TextViewport::RangeTarget(std::uint32_t row,
                                                                  std::uint32_t startColumn,
                                                                  std::uint32_t endColumn,
                                                                  std::uint32_t rowCount) const {
    const std::uint32_t half = m_visibleRows / 2;
    std::uint32_t targetRow = row;
    if (row >= m_topRow + m_visibleRows) {
        targetRow = row + half;
        if (targetRow >= rowCount)
            targetRow = rowCount > 0 ? rowCount - 1 : 0;
    } else if (row < m_topRow) {
        targetRow = row >= half ? row - half : 0;
    }
    // The width counts the margin's cells too.
    const std::uint32_t width =
        static_cast<std::uint32_t>(std::max(0, m_clientWidth / m_cellWidth));
    std::uint32_t targetColumn = startColumn;
    if (startColumn < m_firstColumn)
        targetColumn = startColumn < width / 2 ? 0 : startColumn - width / 2;
    else if (endColumn > m_firstColumn + width && endColumn - startColumn < width)
        targetColumn = endColumn;
    return {targetColumn, targetRow};
}

TextViewport::Axis TextViewport::AxisOf(ScrollAxis axis) const {
    if (axis == ScrollAxis::Vertical)
        return {m_topRow, m_verticalMaximum, 1,
                std::max(0, m_clientHeight - m_topMargin) / m_rowHeight};
    // A page is the columns in view; never less than one step.
    return {m_firstColumn, m_horizontalMaximum, kHorizontalStepColumns,
            std::max<std::uint32_t>(m_visibleColumns, 1)};
}

std::optional<std::uint32_t> TextViewport::ScrollTarget(ScrollAxis axis, ScrollRequest request,
                                                        int position) const {
    const Axis at = AxisOf(axis);
    const long long now = at.position;
    long long target = now;
    switch (request) {
    case ScrollRequest::LineUp:
        target = now - at.line;
        break;
    case ScrollRequest::LineDown:
        target = now + at.line;
        break;
    case ScrollRequest::PageUp:
        target = now - at.page;
        break;
    case ScrollRequest::PageDown:
        target = now + at.page;
        break;
    case ScrollRequest::ThumbPosition:
    case ScrollRequest::ThumbTrack:
        target = position;
        break;
    case ScrollRequest::Top:
        target = 0;
        break;
    case ScrollRequest::Bottom:
        target = at.maximum;
        break;
    case ScrollRequest::EndScroll:
        return std::nullopt;
    }
    return ClampPosition(target, at.maximum);
}

std::optional<ScrollMove> TextViewport::ScrollTo(ScrollAxis axis, std::uint32_t position) {
    const bool vertical = axis == ScrollAxis::Vertical;
    std::uint32_t& now = vertical ? m_topRow : m_firstColumn;
    if (position == now)
        return std::nullopt;
    ScrollMove move;
    move.delta = static_cast<long long>(position) - now;
    now = position;
    if (vertical) {
        // Rows move with the image only while some of them stay in view.
        move.repaintAll = std::llabs(move.delta) >= m_visibleRows;
        move.image = {0, m_topMargin, m_clientWidth, m_clientHeight};
        move.dy = static_cast<int>(-move.delta * m_rowHeight);
        move.exposed =
            move.dy < 0 ? ui::PixelRect{0, m_clientHeight + move.dy, m_clientWidth, m_clientHeight}
                        : ui::PixelRect{0, m_topMargin, m_clientWidth, m_topMargin + move.dy};
        return move;
    }
    move.image = {m_leftMargin, 0, m_clientWidth, m_clientHeight};
    move.dx = static_cast<int>(-move.delta * m_cellWidth);
    move.exposed = move.dx < 0 ? ui::PixelRect{std::max(m_leftMargin, m_clientWidth + move.dx), 0,
                                               m_clientWidth, m_clientHeight}
                               : ui::PixelRect{m_leftMargin, 0,
                                               std::min(m_clientWidth, m_leftMargin + move.dx),
                                               m_clientHeight};
    return move;
}

} // namespace nelvix
