// The part of a text window's rows and columns that is shown: the cell size and margins, the
// client size, the top row and first column, the scroll ranges, and the arithmetic between
// cells, pixels and scroll requests.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>

#include "ui/surface.h"

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

/// The vertical axis moves the top row, the horizontal one the first column.
enum class ScrollAxis { Vertical, Horizontal };

struct PixelPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PixelPoint&) const = default;
};

/// Columns the horizontal bar moves per line step, and the least step when the caret leaves
/// the visible columns.
inline constexpr std::uint32_t kHorizontalStepColumns = 10;

/// The key `request` stands for; nothing for a thumb drag or the end of a scroll.
std::optional<ScrollKey> ScrollKeyOf(ScrollRequest request);

/// What a scroll did to the window's image: `image` moves by (dx, dy) and `exposed` is drawn
/// again, or, when the move is a window or more, everything is drawn again.
struct ScrollMove {
    long long delta = 0; ///< rows or columns, towards the text end positive
    bool repaintAll = false;
    ui::PixelRect image;
    int dx = 0;
    int dy = 0;
    ui::PixelRect exposed;
};

/// A top row and a first column.
struct ViewOrigin {
    std::uint32_t topRow = 0;
    std::uint32_t firstColumn = 0;
};

class TextViewport {
public:
    void SetMargins(int left, int top);
    /// A cell's pixels; the visible counts follow at the next UpdateVisible.
    void SetCellSize(int width, int height);
    /// The client size in pixels (less than 0 counts as 0), then the visible counts.
    void Resize(int width, int height);
    void UpdateVisible();
    /// The scroll maxima for a text of `rows` rows `charsPerLine` wide; a position beyond its
    /// axis's new range goes back to 0 or the maximum.
    void UpdateRanges(std::uint32_t rows, std::uint32_t charsPerLine);
    /// Sets the top row and first column without scrolling the image.
    void SetOrigin(std::uint32_t topRow, std::uint32_t firstColumn);

    PixelPoint CellToPixel(std::uint32_t column, std::uint32_t row) const;
    /// Clamped to 0..charsPerLine and 0..rowCount; a point above the text is on the row above.
    std::pair<std::uint32_t, std::uint32_t> PixelToCell(int x, int y, std::uint32_t charsPerLine,
                                                        std::uint32_t rowCount) const;
    bool Contains(int x, int y) const;
    /// The pixel top of `row`, which is not above the top row.
    int RowTop(std::uint32_t row) const;
    /// The pixels of rows `firstRow`..`lastRow` that are visible (the row below the last whole
    /// one included); nothing when none is.
    std::optional<ui::PixelRect> RowsRect(std::uint32_t firstRow, std::uint32_t lastRow) const;

    /// The top row that shows `row` as `mode` says.
    std::uint32_t TopRowShowing(std::uint32_t row, ScrollMode mode) const;
    bool RowShown(std::uint32_t row) const;
    /// The least scroll that shows the cell: whole rows, columns by at least
    /// kHorizontalStepColumns.
    ViewOrigin OriginShowing(std::uint32_t column, std::uint32_t row) const;
    /// The cell to show for a range on `row` to stand about half a window from the edge it
    /// came in from.
    std::pair<std::uint32_t, std::uint32_t> RangeTarget(std::uint32_t row,
                                                        std::uint32_t startColumn,
                                                        std::uint32_t endColumn,
                                                        std::uint32_t rowCount) const;
    /// Where `request` takes the axis, within its range; nothing for the end of a scroll.
    std::optional<std::uint32_t> ScrollTarget(ScrollAxis axis, ScrollRequest request,
                                              int position) const;
    /// Moves the axis to `position`; nothing when it stands there already.
    std::optional<ScrollMove> ScrollTo(ScrollAxis axis, std::uint32_t position);

    std::uint32_t TopRow() const { return m_topRow; }
    std::uint32_t FirstColumn() const { return m_firstColumn; }
    std::uint32_t VisibleRows() const { return m_visibleRows; }
    std::uint32_t VisibleColumns() const { return m_visibleColumns; }
    int CellWidth() const { return m_cellWidth; }
    int RowHeight() const { return m_rowHeight; }
    int LeftMargin() const { return m_leftMargin; }
    int TopMargin() const { return m_topMargin; }
    int ClientWidth() const { return m_clientWidth; }
    int ClientHeight() const { return m_clientHeight; }
    std::uint32_t VerticalMaximum() const { return m_verticalMaximum; }
    std::uint32_t HorizontalMaximum() const { return m_horizontalMaximum; }
    bool VerticalActive() const { return m_verticalActive; }

private:
    /// An axis's position, range and steps.
    struct Axis {
        std::uint32_t position;
        std::uint32_t maximum;
        long long line;
        long long page;
    };
    Axis AxisOf(ScrollAxis axis) const;

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
};

} // namespace nelvix
