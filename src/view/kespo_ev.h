// CKespoEV: the text window of a view; lays one document out into rows of cells, maps offsets,
// cells and pixels, and scrolls. Keys, selection and painting are built on it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "text/kespo_doc.h"
#include "text/update_hint.h"
#include "ui/surface.h"
#include "view/comment_tables.h"
#include "view/row_layout.h"
#include "view/ruler_settings.h"
#include "view/text_paint_input.h"
#include "view/text_painter.h"
#include "view/text_window_host.h"
#include "view/view_settings.h"

namespace nelvix::ui {
struct Platform;
}

namespace nelvix {

enum class ScrollMode { Top, Middle, Bottom };

/// What a scroll bar asks for.
enum class ScrollRequest {
    LineUp,
    LineDown,
    PageUp,
    PageDown,
    ThumbPosition,
    ThumbTrack,
    Top,
    Bottom,
    EndScroll
};

/// The key that a vertical scroll-bar request stands for while vertical scrolling is inactive.
enum class ScrollKey { Up, Down, PageUp, PageDown, Home, End };

/// The top row and the caret cell, as the cabinet keeps them.
struct ViewPosition {
    std::uint32_t topRow = 0;
    std::uint32_t caretColumn = 0;
    std::uint32_t caretRow = 0;
    bool operator==(const ViewPosition&) const = default;
};

struct PixelPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PixelPoint&) const = default;
};

/// Columns the horizontal bar moves per line step, and the least step when the caret leaves
/// the visible columns.
inline constexpr std::uint32_t kHorizontalStepColumns = 10;

class CKespoEV final : public DocumentView {
public:
    /// Registers itself with the document and takes its text, settings and rows.
    CKespoEV(CKespoDoc& document, ui::Platform& platform, ui::Surface& surface,
             TextWindowHost& host, const ViewSettings& settings);
    ~CKespoEV() override;
    CKespoEV(const CKespoEV&) = delete;
    CKespoEV& operator=(const CKespoEV&) = delete;

    void OnUpdate(CKespoDoc& document, UpdateHint hint, const HintArgument& argument) override;

    /// The text window's new client size in pixels.
    void OnSize(int width, int height);
    /// Builds the font from the document's font description and takes its metrics.
    void MakeFont();
    /// After a settings change: with `reset` the rows are rebuilt; the top row and the caret
    /// keep their offsets.
    void LayOutAgain(bool reset);

    PixelPoint CellToPixel(std::uint32_t column, std::uint32_t row) const;
    /// Clamped to 0..CPL and 0..row count.
    std::pair<std::uint32_t, std::uint32_t> PixelToCell(int x, int y) const;

    /// Shows `row` by `mode` and puts the caret at its start; false when the text did not
    /// scroll (also when no row is visible).
    bool ScrollToRow(std::uint32_t row, ScrollMode mode, bool force);
    /// Scrolls as little as the rules allow for the cell to be visible, then places the caret.
    void PlaceCaret(std::uint32_t column, std::uint32_t row);
    /// Makes a range (on one row, columns start..end) visible about half a window from the edge
    /// it came in from; the caret is not moved.
    void BringRangeIntoView(std::uint32_t row, std::uint32_t startColumn, std::uint32_t endColumn);

    /// The key the request stands for when vertical scrolling is inactive at the top, which
    /// the caller handles as typed; otherwise nothing, after scrolling.
    std::optional<ScrollKey> OnVerticalScroll(ScrollRequest request, int position = 0);
    void OnHorizontalScroll(ScrollRequest request, int position = 0);

    ViewPosition GetViewPosition() const;
    /// Ignored when the top row is not below the row count.
    void SetViewPosition(const ViewPosition& position);

    /// Appends bytes at the text end and lays out what changed; false (after its message) when
    /// the text cannot hold them.
    bool AppendAtEnd(const Byte* bytes, std::size_t length, bool repaint);
    /// Lays out again after bytes were appended to a text that was `oldLength` long.
    void TextAppended(std::uint32_t oldLength, bool repaint);

    /// Paints the part of the text window inside `dirty`.
    void Paint(const ui::PixelRect& dirty);
    /// Repaints the characters `first` through `last` (a selection), colours swapped when
    /// `swap`.
    void PaintRange(std::uint32_t first, std::uint32_t last, bool swap);
    /// Makes the line starting at `row` the tag target line (a beep when the row does not begin
    /// a line) and repaints the old and the new one.
    void SetTagTargetLine(std::uint32_t row);
    std::int64_t TagTargetLine() const { return m_painter->TagTargetLine(); }
    /// Everything painting reads, as it stands now.
    view::TextPaintInput PaintInput() const;
    /// What the rulers read of this window.
    view::RulerViewState RulerState() const;
    const view::CommentTables& CommentTables() const { return m_comments; }

    LayoutRules Rules() const;
    LayoutText Text() const { return LayoutTextOf(m_document); }
    RowTable Rows() const { return RowTableOf(m_document); }

    std::uint32_t TopRow() const { return m_topRow; }
    std::uint32_t FirstColumn() const { return m_firstColumn; }
    std::uint32_t CaretColumn() const { return m_caretColumn; }
    std::uint32_t CaretRow() const { return m_caretRow; }
    std::uint32_t VisibleRows() const { return m_visibleRows; }
    std::uint32_t VisibleColumns() const { return m_visibleColumns; }
    int CellWidth() const { return m_cellWidth; }
    int RowHeight() const { return m_rowHeight; }
    int LeftMargin() const { return m_leftMargin; }
    int TopMargin() const { return m_topMargin; }
    std::uint32_t VerticalMaximum() const { return m_verticalMaximum; }
    std::uint32_t HorizontalMaximum() const { return m_horizontalMaximum; }
    bool VerticalScrollActive() const { return m_verticalActive; }
    /// The offset at the top row's start.
    std::uint32_t TopRowOffset() const;

private:
    /// Hints 48 to 50: the first view appends, every view follows.
    void OnAppend(const Byte* bytes, std::size_t length, bool repaint);
    void ComputeMetrics();
    void ComputeVisible();
    void UpdateScrollRanges();
    void RebuildAll();
    void KeepCellInView(std::uint32_t column, std::uint32_t row);
    void ScrollVerticallyTo(std::uint32_t topRow);
    void ScrollHorizontallyTo(std::uint32_t firstColumn);
    void ShowCaret();
    std::uint32_t RowCount() const { return m_document.RowCount(); }
    /// Block comments are tracked only in C and C++ documents with "ColorAreaComment".
    bool KeepsCommentTables() const;
    void RebuildCommentTables();
    /// Repaints what an append may have changed, from the first rebuilt row (or earlier) on.
    void RepaintAfterAppend(std::uint32_t firstRow);

    CKespoDoc& m_document;
    ui::Platform& m_platform;
    ui::Surface& m_surface;
    TextWindowHost& m_host;
    const ViewSettings& m_settings;

    ui::FontMetrics m_font{};
    int m_cellWidth = 1;
    int m_rowHeight = 1;
    int m_leftMargin = 0;
    int m_topMargin = 0;
    int m_clientWidth = 0;
    int m_clientHeight = 0;
    std::uint32_t m_visibleColumns = 0;
    std::uint32_t m_visibleRows = 0;
    std::uint32_t m_topRow = 0;
    std::uint32_t m_firstColumn = 0;
    std::uint32_t m_verticalMaximum = 1;
    std::uint32_t m_horizontalMaximum = 0;
    bool m_verticalActive = false;
    std::uint32_t m_caretColumn = 0;
    std::uint32_t m_caretRow = 0;

    view::CommentTables m_comments;
    /// Its run buffers are large: one per window, made once.
    std::unique_ptr<view::TextPainter> m_painter = std::make_unique<view::TextPainter>();
};

} // namespace nelvix
