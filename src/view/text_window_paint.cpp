// CKespoEV: painting through the text painter, the comment tables that block-comment colouring
// reads, and what the rulers read of the window.
#include "view/text_window.h"

#include <algorithm>

#include "render/text_colouring.h"

namespace nelvix {
TextPaintInput CKespoEV::PaintInput() const {
    const DisplayFormat& format = m_document.Format();
    const LayoutRules rules = Rules();
    TextPaintInput input;
    input.text = m_document.Text();
    input.textLength = m_document.TextLength();
    input.rowStarts = m_document.Rows().Starts();
    input.rowCount = RowCount();
    input.charsPerLine = static_cast<int>(rules.charsPerLine);
    input.tabColumns = static_cast<int>(rules.tabColumns);
    input.cellWidth = m_viewport.CellWidth();
    input.rowHeight = m_viewport.RowHeight();
    input.leftMargin = m_viewport.LeftMargin();
    input.topMargin = m_viewport.TopMargin();
    input.topRow = m_viewport.TopRow();
    input.firstColumn = static_cast<int>(m_viewport.FirstColumn());
    input.clientWidth = m_viewport.ClientWidth();
    input.clientHeight = m_viewport.ClientHeight();
    input.colours = format.colours;
    input.showLineEnds = format.showLineEnds;
    input.showTabs = format.showTabs;
    input.documentType = format.documentType;
    input.colorAreaComment = m_settings.colorAreaComment;
    input.userKeyWordWithDelimiter = m_settings.userKeyWordWithDelimiter;
    input.lineMarks = m_document.LineMarks();
    input.stringMarks = m_document.StringMarks();
    input.keywords = m_settings.keywords;
    input.commentTables = KeepsCommentTables() ? &m_comments : nullptr;
    return input;
}

RulerViewState CKespoEV::RulerState() const {
    RulerViewState state;
    state.topRow = static_cast<int>(m_viewport.TopRow());
    state.visibleRows = static_cast<int>(m_viewport.VisibleRows());
    state.firstColumn = static_cast<int>(m_viewport.FirstColumn());
    state.caretRow = static_cast<int>(m_caret.Row());
    state.caretColumn = static_cast<int>(m_caret.Column());
    state.charsPerLine = static_cast<int>(Rules().charsPerLine);
    state.rowPitch = m_viewport.RowHeight();
    state.columnPitch = m_viewport.CellWidth();
    state.rowCount = static_cast<int>(RowCount());
    state.lineBarShown = m_settings.displayLineBar;
    return state;
}

void CKespoEV::Paint(const ui::PixelRect& dirty) {
    m_painter->Paint(PaintInput(), m_surface, dirty);
}

void CKespoEV::PaintRange(std::uint32_t first, std::uint32_t last, bool swap) {
    m_painter->PaintRange(PaintInput(), first, last, swap, m_surface);
}

void CKespoEV::SetTagTargetLine(std::uint32_t row) {
    m_painter->SetTagTargetLine(PaintInput(), row, m_platform, m_surface);
}

bool CKespoEV::KeepsCommentTables() const {
    return m_settings.colorAreaComment && m_document.Format().documentType != DocumentType::Plain;
}

void CKespoEV::RebuildCommentTables() {
    m_comments.Clear();
    if (KeepsCommentTables())
        m_comments.Build(m_platform, m_document.Text(), m_document.TextLength());
}

void CKespoEV::RepaintAfterAppend(std::uint32_t firstRow) {
    // An append changes only the text's end, so the repaint always runs to the bottom of the
    // window; what the colouring rules add is how far back it starts: a keyword, a marked
    // string or a comment mark that the new bytes complete.
    const LayoutText text = Text();
    const std::uint32_t rebuiltFrom = RowStart(text, Rows(), firstRow);
    const std::uint32_t start = RepaintStart(PaintInput(), rebuiltFrom);
    const std::uint32_t fromRow = std::max(
        std::min(firstRow, RowOfOffset(text, Rules(), Rows(), start)), m_viewport.TopRow());
    if (fromRow >= m_viewport.TopRow() + m_viewport.VisibleRows() + 1)
        return;
    m_host.InvalidateRect(
        {0, m_viewport.RowTop(fromRow), m_viewport.ClientWidth(), m_viewport.ClientHeight()});
}

} // namespace nelvix
