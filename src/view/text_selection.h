// The selection of a text window: a stream of bytes or a box of cells, from its anchor to its
// moving end, and what an insertion into the text does to it.
#pragma once

#include <cstdint>
#include <string>

#include "view/row_cells.h"

namespace nelvix {

/// A box position names a cell as row × (CPL + 2) + column.
std::uint32_t BoxPosition(std::uint32_t column, std::uint32_t row, std::uint32_t charsPerLine);

/// Rows `firstRow`..`lastRow` inclusive, columns `firstColumn` up to, not including,
/// `endColumn`.
struct BoxRect {
    std::uint32_t firstRow = 0;
    std::uint32_t lastRow = 0;
    std::uint32_t firstColumn = 0;
    std::uint32_t endColumn = 0;
    bool operator==(const BoxRect&) const = default;
};

/// Bytes `first` up to, not including, `end`: the selection start through its whole last
/// character.
struct StreamRange {
    std::uint32_t first = 0;
    std::uint32_t end = 0;
    bool operator==(const StreamRange&) const = default;
};

class TextSelection {
public:
    /// No selection, no dragging, no box mode.
    void Clear() { *this = TextSelection{}; }
    /// Starts a selection at `anchor` (an offset, or a box position in box mode); nothing is
    /// shown until the end moves away from it.
    void Begin(std::uint32_t anchor, bool boxMode);
    /// The selection is shown unless the end is back on the anchor.
    void MoveEnd(std::uint32_t end);
    /// After `length` bytes were inserted at `offset`: a stream selection that starts at or
    /// after it moves along; one that holds it keeps its start and grows over the new bytes.
    void FollowInsertion(std::uint32_t offset, std::uint32_t length);
    void SetDragging(bool dragging) { m_dragging = dragging; }

    bool Started() const { return m_started; }
    bool Shown() const { return m_shown; }
    bool Dragging() const { return m_dragging; }
    bool BoxMode() const { return m_boxMode; }
    std::uint32_t Anchor() const { return m_anchor; }
    std::uint32_t End() const { return m_end; }
    /// Stream mode: the anchor and the end in order.
    StreamRange Stream() const;
    /// Box mode: the rectangle between the anchor's cell and the end's cell.
    BoxRect Box(std::uint32_t charsPerLine) const;

private:
    std::uint32_t m_anchor = 0;
    std::uint32_t m_end = 0;
    bool m_started = false;
    bool m_shown = false;
    bool m_dragging = false;
    bool m_boxMode = false;
};

/// The shown selection's text as copy puts it on the clipboard: a stream's bytes, or a box's
/// rows each ended by a line end; empty without a shown selection.
std::string SelectedText(const TextSelection& selection, const RowCells& cells);

} // namespace nelvix
