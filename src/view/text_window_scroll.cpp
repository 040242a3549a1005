// CKespoEV: the mapping between cells and pixels, scrolling, the scroll bars and keeping the
// caret in view.
#include <algorithm>

#include "view/text_window.h"

namespace nelvix {

PixelPoint CKespoEV::CellToPixel(std::uint32_t column, std::uint32_t row) const {
    return m_viewport.CellToPixel(column, row);
}

std::pair<std::uint32_t, std::uint32_t> CKespoEV::PixelToCell(int x, int y) const {
    return m_viewport.PixelToCell(x, y, Rules().charsPerLine, RowCount());
}

// Every placement of the caret passes here, so the status panes and rulers hear of each.
void CKespoEV::ShowCaret() {
    const PixelPoint at = CellToPixel(m_caret.Column(), m_caret.Row());
    m_host.PlaceCaret(at.x, at.y);
    m_host.CaretMoved(m_caret.Column(), m_caret.Row());
}

void CKespoEV::ScrollTo(ScrollAxis axis, std::uint32_t position) {
    const std::optional<ScrollMove> move = m_viewport.ScrollTo(axis, position);
    if (!move)
        return;
    if (move->repaintAll) {
        m_host.InvalidateAll();
    } else {
        m_host.ScrollImage(move->image, move->dx, move->dy);
        m_host.InvalidateRect(move->exposed);
    }
    ShowScrollBar(axis);
    if (axis == ScrollAxis::Vertical)
        m_host.RowsScrolled(static_cast<int>(move->delta));
    else
        m_host.ColumnsScrolled(static_cast<int>(move->delta));
    ShowCaret();
}

bool CKespoEV::ScrollToRow(std::uint32_t row, ScrollMode mode, bool force) {
    if (m_viewport.VisibleRows() == 0)
        return false;
    const std::uint32_t topRow = m_viewport.TopRowShowing(row, mode);
    const bool scrolls = topRow != m_viewport.TopRow() && (force || !m_viewport.RowShown(row));
    if (scrolls)
        ScrollTo(ScrollAxis::Vertical, topRow);
    m_caret.Place(0, std::min(row, RowCount()));
    ShowCaret();
    return scrolls;
}

void CKespoEV::KeepCellInView(std::uint32_t column, std::uint32_t row) {
    const ViewOrigin origin = m_viewport.OriginShowing(column, row);
    ScrollTo(ScrollAxis::Vertical, origin.topRow);
    ScrollTo(ScrollAxis::Horizontal, origin.firstColumn);
}

void CKespoEV::PlaceCaret(std::uint32_t column, std::uint32_t row) {
    KeepCellInView(column, row);
    m_caret.Place(column, row);
    ShowCaret();
}

void CKespoEV::BringRangeIntoView(std::uint32_t row, std::uint32_t startColumn,
                                  std::uint32_t endColumn) {
    const auto [column, targetRow] =
        m_viewport.RangeTarget(row, startColumn, endColumn, RowCount());
    KeepCellInView(column, targetRow);
}

std::optional<ScrollKey> CKespoEV::OnVerticalScroll(ScrollRequest request, int position) {
    if (m_document.TextLength() == 0)
        return std::nullopt;
    if (!m_viewport.VerticalActive() && m_viewport.TopRow() == 0)
        return ScrollKeyOf(request);
    OnScroll(ScrollAxis::Vertical, request, position);
    return std::nullopt;
}

void CKespoEV::OnHorizontalScroll(ScrollRequest request, int position) {
    OnScroll(ScrollAxis::Horizontal, request, position);
}

void CKespoEV::OnScroll(ScrollAxis axis, ScrollRequest request, int position) {
    if (const std::optional<std::uint32_t> target =
            m_viewport.ScrollTarget(axis, request, position))
        ScrollTo(axis, *target);
}

ViewPosition CKespoEV::GetViewPosition() const {
    return {m_viewport.TopRow(), m_caret.Column(), m_caret.Row()};
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
