// CKespoEV: the mapping between cells and pixels, scrolling, the scroll bars and keeping the
// caret in view.
#include <algorithm>
#include <cstdlib>

#include "view/text_window.h"

namespace nelvix {

namespace {

std::uint32_t ClampPosition(long long position, std::uint32_t maximum) {
    return static_cast<std::uint32_t>(std::clamp<long long>(position, 0, maximum));
}

} // namespace

PixelPoint CKespoEV::CellToPixel(std::uint32_t column, std::uint32_t row) const {
    const long long x = (static_cast<long long>(column) - m_firstColumn) * m_cellWidth;
    const long long y = (static_cast<long long>(row) - m_topRow) * m_rowHeight;
    return {static_cast<int>(x + m_leftMargin), static_cast<int>(y + m_topMargin)};
}

std::pair<std::uint32_t, std::uint32_t> CKespoEV::PixelToCell(int x, int y) const {
    const long long column = (static_cast<long long>(x - m_leftMargin) +
                              static_cast<long long>(m_cellWidth) * m_firstColumn) /
                             m_cellWidth;
    // Rows count from the top row; a point above the text belongs to the row above it.
    const long long row = (y - m_topMargin) / m_rowHeight + static_cast<long long>(m_topRow);
    return {ClampPosition(column, Rules().charsPerLine), ClampPosition(row, RowCount())};
}

// Every placement of the caret passes here, so the status panes and rulers hear of each.
void CKespoEV::ShowCaret() {
    const PixelPoint at = CellToPixel(m_caretColumn, m_caretRow);
    m_host.PlaceCaret(at.x, at.y);
    m_host.CaretMoved(m_caretColumn, m_caretRow);
}

void CKespoEV::ScrollVerticallyTo(std::uint32_t topRow) {
    if (topRow == m_topRow)
        return;
    const long long rows = static_cast<long long>(topRow) - m_topRow;
    m_topRow = topRow;
    const ui::PixelRect area{0, m_topMargin, m_clientWidth, m_clientHeight};
    if (std::llabs(rows) < m_visibleRows) {
        const int dy = static_cast<int>(-rows * m_rowHeight);
        m_host.ScrollImage(area, 0, dy);
        if (dy < 0)
            m_host.InvalidateRect({0, m_clientHeight + dy, m_clientWidth, m_clientHeight});
        else
            m_host.InvalidateRect({0, m_topMargin, m_clientWidth, m_topMargin + dy});
    } else {
        m_host.InvalidateAll();
    }
    m_host.SetVerticalScrollBar(static_cast<int>(m_verticalMaximum),
                                static_cast<int>(std::min(m_topRow, m_verticalMaximum)),
                                m_verticalActive);
    m_host.RowsScrolled(static_cast<int>(rows));
    ShowCaret();
}

void CKespoEV::ScrollHorizontallyTo(std::uint32_t firstColumn) {
    if (firstColumn == m_firstColumn)
        return;
    const long long columns = static_cast<long long>(firstColumn) - m_firstColumn;
    m_firstColumn = firstColumn;
    const int dx = static_cast<int>(-columns * m_cellWidth);
    m_host.ScrollImage({m_leftMargin, 0, m_clientWidth, m_clientHeight}, dx, 0);
    if (dx < 0)
        m_host.InvalidateRect(
            {std::max(m_leftMargin, m_clientWidth + dx), 0, m_clientWidth, m_clientHeight});
    else
        m_host.InvalidateRect(
            {m_leftMargin, 0, std::min(m_clientWidth, m_leftMargin + dx), m_clientHeight});
    m_host.SetHorizontalScrollBar(static_cast<int>(m_horizontalMaximum),
                                  static_cast<int>(m_firstColumn));
    m_host.ColumnsScrolled(static_cast<int>(columns));
    ShowCaret();
}

bool CKespoEV::ScrollToRow(std::uint32_t row, ScrollMode mode, bool force) {
    const std::uint32_t visible = m_visibleRows;
    if (visible == 0)
        return false;
    std::uint32_t topRow = row;
    if (mode == ScrollMode::Middle)
        topRow = row + 1 <= visible / 2 ? 0 : row - visible / 2 + 1;
    else if (mode == ScrollMode::Bottom)
        topRow = row + 1 <= visible ? 0 : row - visible + 1;
    const bool shown = row >= m_topRow && row < m_topRow + visible;
    const bool scrolls = topRow != m_topRow && (force || !shown);
    if (scrolls)
        ScrollVerticallyTo(topRow);
    m_caretColumn = 0;
    m_caretRow = std::min(row, RowCount());
    ShowCaret();
    return scrolls;
}

void CKespoEV::KeepCellInView(std::uint32_t column, std::uint32_t row) {
    if (m_visibleRows > 0) {
        if (row < m_topRow)
            ScrollVerticallyTo(row);
        else if (row >= m_topRow + m_visibleRows - 1)
            ScrollVerticallyTo(std::min(row - m_visibleRows + 1, m_verticalMaximum));
    }
    if (m_visibleColumns == 0 ||
        (column >= m_firstColumn && column < m_firstColumn + m_visibleColumns))
        return;
    if (column >= m_firstColumn) {
        const std::uint32_t step =
            std::max(column + 2 - m_firstColumn - m_visibleColumns, kHorizontalStepColumns);
        ScrollHorizontallyTo(std::min(m_firstColumn + step, m_horizontalMaximum));
    } else {
        const std::uint32_t step = m_firstColumn - column + kHorizontalStepColumns;
        ScrollHorizontallyTo(m_firstColumn > step ? m_firstColumn - step : 0);
    }
}

void CKespoEV::PlaceCaret(std::uint32_t column, std::uint32_t row) {
    KeepCellInView(column, row);
    m_caretColumn = column;
    m_caretRow = row;
    ShowCaret();
}

void CKespoEV::BringRangeIntoView(std::uint32_t row, std::uint32_t startColumn,
                                  std::uint32_t endColumn) {
    const std::uint32_t visible = m_visibleRows;
    const std::uint32_t half = visible / 2;
    std::uint32_t targetRow = row;
    if (row >= m_topRow + visible) {
        targetRow = row + half;
        if (targetRow >= RowCount())
            targetRow = RowCount() > 0 ? RowCount() - 1 : 0;
    } else if (row < m_topRow) {
        targetRow = row >= half ? row - half : 0;
    }
    const std::uint32_t width =
        static_cast<std::uint32_t>(std::max(0, m_clientWidth / m_cellWidth));
    std::uint32_t targetColumn = startColumn;
    if (startColumn < m_firstColumn)
        targetColumn = startColumn < width / 2 ? 0 : startColumn - width / 2;
    else if (endColumn > m_firstColumn + width && endColumn - startColumn < width)
        targetColumn = endColumn;
    KeepCellInView(targetColumn, targetRow);
}

std::optional<ScrollKey> CKespoEV::OnVerticalScroll(ScrollRequest request, int position) {
    if (m_document.TextLength() == 0)
        return std::nullopt;
    if (!m_verticalActive && m_topRow == 0) {
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
            return std::nullopt;
        }
    }
    const long long page = std::max(0, m_clientHeight - m_topMargin) / m_rowHeight;
    const long long top = m_topRow;
    long long target = top;
    switch (request) {
    case ScrollRequest::LineUp:
        target = top - 1;
        break;
    case ScrollRequest::LineDown:
        target = top + 1;
        break;
    case ScrollRequest::PageUp:
        target = top - page;
        break;
    case ScrollRequest::PageDown:
        target = top + page;
        break;
    case ScrollRequest::ThumbPosition:
    case ScrollRequest::ThumbTrack:
        target = position;
        break;
    case ScrollRequest::Top:
        target = 0;
        break;
    case ScrollRequest::Bottom:
        target = m_verticalMaximum;
        break;
    case ScrollRequest::EndScroll:
        return std::nullopt;
    }
    ScrollVerticallyTo(ClampPosition(target, m_verticalMaximum));
    return std::nullopt;
}

void CKespoEV::OnHorizontalScroll(ScrollRequest request, int position) {
    // A page is the columns in view; never less than one step.
    const long long page = std::max<std::uint32_t>(m_visibleColumns, 1);
    const long long first = m_firstColumn;
    long long target = first;
    switch (request) {
    case ScrollRequest::LineUp:
        target = first - kHorizontalStepColumns;
        break;
    case ScrollRequest::LineDown:
        target = first + kHorizontalStepColumns;
        break;
    case ScrollRequest::PageUp:
        target = first - page;
        break;
    case ScrollRequest::PageDown:
        target = first + page;
        break;
    case ScrollRequest::ThumbPosition:
    case ScrollRequest::ThumbTrack:
        target = position;
        break;
    case ScrollRequest::Top:
        target = 0;
        break;
    case ScrollRequest::Bottom:
        target = m_horizontalMaximum;
        break;
    case ScrollRequest::EndScroll:
        return;
    }
    ScrollHorizontallyTo(ClampPosition(target, m_horizontalMaximum));
}

ViewPosition CKespoEV::GetViewPosition() const {
    return {m_topRow, m_caretColumn, m_caretRow};
}

void CKespoEV::SetViewPosition(const ViewPosition& position) {
    if (position.topRow >= RowCount())
        return;
    const LayoutRules rules = Rules();
    const CellOffset at = OffsetOfCell(Text(), rules, Rows(), position.caretColumn,
                                       position.caretRow, m_settings.freeCursor);
    const CellPosition cell = CellOfOffset(Text(), rules, Rows(), at.offset, at.overshoot);
    ScrollToRow(position.topRow, ScrollMode::Top, true);
    PlaceCaret(cell.column, cell.row);
}

} // namespace nelvix
