// CKespoEV: the text window of a view; lays one document out into rows of cells, maps offsets,
// cells and pixels, scrolls, and follows the keys and the mouse with its caret and selection.
// Its state is held by its parts (TextViewport, TextCaret, TextSelection); the window tells its
// host what their changes mean on screen.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "render/comment_tables.h"
#include "render/row_layout.h"
#include "render/ruler_settings.h"
#include "render/text_paint_input.h"
#include "render/text_painter.h"
#include "text/text_document.h"
#include "text/update_hint.h"
#include "ui/surface.h"
#include "view/keys.h"
#include "view/row_cells.h"
#include "view/text_caret.h"
#include "view/text_selection.h"
#include "view/text_viewport.h"
#include "view/text_window_host.h"
#include "view/view_settings.h"

namespace nelvix::ui {
struct Platform;
}

namespace nelvix {

/// The top row and the caret cell, as the cabinet keeps them.
struct ViewPosition {
    std::uint32_t topRow = 0;
    std::uint32_t caretColumn = 0;
    std::uint32_t caretRow = 0;
    bool operator==(const ViewPosition&) const = default;
};

/// The commands of the text window.
inline constexpr int kCmdCopy = 57634;
inline constexpr int kCmdAppendCopy = 32805;
inline constexpr int kCmdSelectAll = 32803;
inline constexpr int kCmdToggleMark = 32768;
inline constexpr int kCmdNextMark = 32769;
inline constexpr int kCmdPreviousMark = 32770;
inline constexpr int kCmdClearAllMarks = 32771;

/// The drag timer's period: while the button is held outside the window the text scrolls this
/// often.
inline constexpr int kDragTimerMilliseconds = 50;

/// The settings record's values that the caret and the mouse read.
struct CaretSettings {
    std::uint32_t scrollLineCount = 3; ///< "ScrollLineCount", 1..10
    bool copySelection = false;        ///< "CopySelection": a word selected is also copied
};

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
    /// Inserts `length` bytes at `offset` (at most the text length), moves the selection, the
    /// marks, the marked strings and the tag target line with the text, and with `redraw`
    /// repaints and puts the caret after the new bytes. False, after message 59399 or 59394,
    /// when the text cannot hold them; the text is then unchanged.
    bool InsertText(std::uint32_t offset, const Byte* bytes, std::size_t length, bool redraw);

    /// A "ScrollLineCount" outside 1..10 counts as 3.
    void SetCaretSettings(const CaretSettings& settings);
    /// As set, with "ScrollLineCount" within 1..10; the mouse wheel scrolls by it too.
    const CaretSettings& GetCaretSettings() const { return m_caretSettings; }

    /// A key press; false when the window has no use for the key.
    bool OnKeyDown(Key key, KeyModifiers modifiers);
    /// Runs one of the window's commands; false for a command it does not know or that is
    /// disabled.
    bool OnCommand(int command);
    bool IsCommandEnabled(int command) const;

    void OnLeftButtonDown(int pixelX, int pixelY, bool ctrl);
    void OnMouseMove(int pixelX, int pixelY, bool leftButtonDown);
    /// A tick of the drag timer with the pointer where it is now.
    void OnDragTimer(int pixelX, int pixelY);
    void OnLeftButtonUp();
    /// Selects the word under the mouse; false (nothing changes) beyond the end of a row or in
    /// an empty text. Tag jumps and shell opens come first, from the view.
    bool SelectWordAt(int pixelX, int pixelY);
    void OnSetFocus();
    void OnKillFocus();

    /// The first byte of the word at `offset` and the first byte of its last character;
    /// nothing for an empty text or at the text end.
    std::optional<std::pair<std::uint32_t, std::uint32_t>> WordAt(std::uint32_t offset) const;

    /// The offset at the caret: the byte after a row's last character when the caret stands
    /// beyond it, the line end when the row ends with one.
    std::uint32_t CaretOffset() const;
    std::uint32_t RememberedColumn() const { return m_caret.RememberedColumn(); }
    /// The shown stream selection: its first byte and the byte after its last character.
    std::optional<std::pair<std::uint32_t, std::uint32_t>> StreamSelection() const;
    /// The shown box selection.
    std::optional<BoxRect> BoxSelection() const;
    bool SelectionShown() const { return m_selection.Shown(); }
    bool Dragging() const { return m_selection.Dragging(); }
    bool BoxMode() const { return m_selection.BoxMode(); }
    /// Shows the characters holding bytes `first` through `last` as a stream
    /// selection and puts the caret after it without scrolling; nothing but a cancelled
    /// selection when the range lies outside the text.
    void SelectRange(std::uint32_t first, std::uint32_t last);
    /// Removes the selection's highlight and the selection, ends dragging and box mode, and
    /// shows the caret.
    void CancelSelection();
    /// The selection's text as copy puts it on the clipboard; empty without a selection.
    std::string SelectionText() const;
    void Copy();
    void AppendCopy();
    void SelectAll();

    void ToggleMark();
    void NextMark();
    void PreviousMark();
    void ClearAllMarks();

    /// The paint event: the text inside `dirty`, then the visible part of the selection
    /// inverted.
    void OnPaint(const ui::PixelRect& dirty);
    /// Repaints the characters `first` through `last`; the part inside a shown stream
    /// selection is drawn with text and background colours exchanged.
    void RepaintRange(std::uint32_t first, std::uint32_t last);

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
    TextPaintInput PaintInput() const;
    /// What the rulers read of this window.
    RulerViewState RulerState() const;
    CKespoDoc& Document() { return m_document; }
    const CKespoDoc& Document() const { return m_document; }
    const CommentTables& Comments() const { return m_comments; }

    LayoutRules Rules() const;
    LayoutText Text() const { return LayoutTextOf(m_document); }
    const RowTable& Rows() const { return m_document.Rows(); }
    /// The rows as they are laid out now.
    RowCells Cells() const { return {Text(), Rules(), Rows()}; }

    std::uint32_t TopRow() const { return m_viewport.TopRow(); }
    std::uint32_t FirstColumn() const { return m_viewport.FirstColumn(); }
    std::uint32_t CaretColumn() const { return m_caret.Column(); }
    std::uint32_t CaretRow() const { return m_caret.Row(); }
    std::uint32_t VisibleRows() const { return m_viewport.VisibleRows(); }
    std::uint32_t VisibleColumns() const { return m_viewport.VisibleColumns(); }
    int CellWidth() const { return m_viewport.CellWidth(); }
    int RowHeight() const { return m_viewport.RowHeight(); }
    int LeftMargin() const { return m_viewport.LeftMargin(); }
    int TopMargin() const { return m_viewport.TopMargin(); }
    std::uint32_t VerticalMaximum() const { return m_viewport.VerticalMaximum(); }
    std::uint32_t HorizontalMaximum() const { return m_viewport.HorizontalMaximum(); }
    bool VerticalScrollActive() const { return m_viewport.VerticalActive(); }
    const TextViewport& Viewport() const { return m_viewport; }
    const TextCaret& Caret() const { return m_caret; }
    /// The offset at the top row's start.
    std::uint32_t TopRowOffset() const;

private:
    /// Hints 48 to 50: the first view appends, every view follows.
    void OnAppend(const Byte* bytes, std::size_t length, bool repaint);
    /// Repaints from the row of `offset` to the end of the text.
    void RepaintToEnd(std::uint32_t offset);
    /// What appending with a redraw does, for the text appended without since `offset`.
    void ShowAppended(std::uint32_t offset);
    /// Another view of the document inserted `length` bytes at `offset`.
    void FollowInsertion(std::uint32_t offset, std::uint32_t length, bool lineEndOnly,
                         bool repaint);
    /// Moves line marks, marked strings and the tag target line after an insertion.
    void MoveMarksAfterInsertion(std::uint32_t offset, std::uint32_t length, bool lineEndOnly);
    void MoveTagTargetLine(std::uint32_t offset, std::uint32_t length, bool lineEndOnly);
    void RepaintInsertion(std::uint32_t fromOffset, std::uint32_t toOffset);

    /// PlaceCaret, then the status panes and the rulers learn the new cell.
    void MoveCaret(std::uint32_t column, std::uint32_t row);
    void MoveCaret(const CellPosition& cell) { MoveCaret(cell.column, cell.row); }
    void MoveCaretToOffset(std::uint32_t offset);
    void ScrollOneRow(bool up);
    void MovePage(bool up, bool freeCursor);
    bool MoveKey(Key key, KeyModifiers modifiers);

    /// The caret (or, in box mode, its cell) as the end of a selection.
    std::uint32_t SelectionPointOfCaret() const;
    std::uint32_t BoxPositionOf(std::uint32_t column, std::uint32_t row) const;
    /// Moves the selection's end, repaints what changed and hides or shows the caret.
    void UpdateSelection(std::uint32_t end);
    /// Repaints the rows that a stream range or a box spans.
    void InvalidateStream(std::uint32_t first, std::uint32_t end);
    void InvalidateBox(const BoxRect& box);
    void InvalidateRows(std::uint32_t firstRow, std::uint32_t lastRow);
    void InvalidateSelection();
    void InvertSelection(const ui::PixelRect& dirty);
    /// Puts `text` on the clipboard; message 59399 when its memory cannot be had.
    void PutOnClipboard(const std::string& text);
    void SetCaretShown(bool shown);

    /// Places the caret under the mouse as a click does; returns the overshoot of the click.
    std::uint32_t CaretToMouse(int pixelX, int pixelY);
    void DragTo(int pixelX, int pixelY);

    /// The row the mark holds; the marks are line-end offsets, kFirstLineMark for row 0.
    std::uint32_t RowOfMark(std::uint32_t mark) const;
    void JumpToMarkRow(std::uint32_t row);
    /// The nearest marked row below the caret (above it when not `down`), wrapping around;
    /// a beep without marks.
    void JumpToMark(bool down);
    /// "ﾏｰｸ行情報を保存": marking makes the document modified so that saving writes the marks.
    void MarkDocumentModifiedForMarks();
    void ComputeMetrics();
    /// ComputeMetrics, and the viewport takes the new cell size.
    void MeasureCell();
    void UpdateScrollRanges();
    void ShowScrollBar(ScrollAxis axis);
    void RebuildAll();
    void KeepCellInView(std::uint32_t column, std::uint32_t row);
    /// Moves the top row or the first column, the image with it, and tells the scroll bar and
    /// the ruler of that axis.
    void ScrollTo(ScrollAxis axis, std::uint32_t position);
    void OnScroll(ScrollAxis axis, ScrollRequest request, int position);
    void ShowCaret();
    std::uint32_t RowCount() const { return m_document.Rows().Count(); }
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
    /// The cell the font and the format make, as ComputeMetrics measures it; the viewport
    /// takes it through MeasureCell.
    int m_cellWidth = 1;
    int m_rowHeight = 1;
    TextViewport m_viewport;
    TextCaret m_caret;
    CaretSettings m_caretSettings;
    TextSelection m_selection;
    /// The text length this window has laid out, so that a follower view can tell whether the
    /// first view's insertion happened.
    std::uint32_t m_knownLength = 0;
    /// Set while this window tells the other views to lay out again.
    bool m_ignoreRelayout = false;

    CommentTables m_comments;
    /// Its run buffers are large: one per window, made once.
    std::unique_ptr<TextPainter> m_painter = std::make_unique<TextPainter>();
};

} // namespace nelvix
