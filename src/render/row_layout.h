// The layout rules over a text's bytes: where rows end, the row table and its incremental
// rebuild, and the mapping between byte offsets, rows and cells.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "base/sjis.h"
#include "text/text_document.h"

namespace nelvix::ui {
struct Platform;
}

namespace nelvix {

inline constexpr std::uint32_t kMinCharsPerLine = 10;
inline constexpr std::uint32_t kMaxCharsPerLine = 250;
inline constexpr std::uint32_t kMinTabColumns = 2;
inline constexpr std::uint32_t kMaxTabColumns = 20;
/// The text search for a row starts from the last row when the offset lies in the second half
/// of a text at least this long.
inline constexpr std::uint32_t kBackwardSearchMinBytes = 4'097;

/// Row width, tab stops and word wrap; out-of-range values are brought into range on use.
struct LayoutRules {
    std::uint32_t charsPerLine = 200;
    std::uint32_t tabColumns = 4;
    bool wordWrap = false;
};

/// The bytes that are laid out; `lastCharOffset` is the first byte of the last character.
struct LayoutText {
    const Byte* bytes = nullptr;
    std::uint32_t length = 0;
    std::uint32_t lastCharOffset = 0;
};

LayoutText LayoutTextOf(const CKespoDoc& document);

/// Where the row starting at `rowStart` ends: the next row's start, or nothing for the last row.
std::optional<std::uint32_t> NextRowStart(const LayoutText& text, const LayoutRules& rules,
                                          std::uint32_t rowStart);

struct RebuildResult {
    /// The offset up to which the display changed: the end of the rebuilt rows when the old
    /// rows behind them kept their indices, else the text length.
    std::uint32_t changedUpTo = 0;
    bool rowCountChanged = false;
    /// The table filled up before the text ended; the message has been shown.
    bool rowLimitReached = false;
};

/// Rebuilds the table from `firstRow` (which starts at `firstRowStart`) after `insertedLength`
/// bytes were inserted at `insertOffset`, taking over the old rows behind the first line end
/// after the insertion. A whole load is an insertion of the whole text at 0 into row 0.
RebuildResult RebuildRows(ui::Platform& platform, const LayoutText& text, const LayoutRules& rules,
                          RowTable& rows, std::uint32_t insertOffset, std::uint32_t insertedLength,
                          std::uint32_t firstRow, std::uint32_t firstRowStart);

/// The row to rebuild from after an insertion at `insertOffset`, laid out over the text as it
/// was before the insertion.
std::uint32_t RebuildStartRow(const LayoutText& text, const LayoutRules& rules,
                              const RowTable& rows, std::uint32_t insertOffset);

/// The row holding `offset` (0..row count); the row count for the text end after a CR LF.
std::uint32_t RowOfOffset(const LayoutText& text, const LayoutRules& rules, const RowTable& rows,
                          std::uint32_t offset);
/// At or beyond the row count: the text length after a final CR LF, else the last row's start.
std::uint32_t RowStart(const LayoutText& text, const RowTable& rows, std::uint32_t row);
std::uint32_t RowLastChar(const LayoutText& text, const LayoutRules& rules, const RowTable& rows,
                          std::uint32_t row);
/// Never beyond the text length.
std::uint32_t NextChar(const LayoutText& text, std::uint32_t offset);
/// The character start before `offset`; 0 at the text start.
std::uint32_t PrevChar(const LayoutText& text, const LayoutRules& rules, const RowTable& rows,
                       std::uint32_t offset);

struct CellPosition {
    std::uint32_t column = 0;
    std::uint32_t row = 0;
    std::optional<std::uint32_t> nextRowStart; ///< nothing for the last row
};

/// The cell of `offset`, `extraCells` further right, the column at most the row width.
CellPosition CellOfOffset(const LayoutText& text, const LayoutRules& rules, const RowTable& rows,
                          std::uint32_t offset, std::uint32_t extraCells = 0);

struct CellOffset {
    std::uint32_t offset = 0;
    std::uint32_t overshoot = 0; ///< cells the caret stands beyond `offset`'s character start
};

/// The character at a cell; a cell inside a wide character or a tab gives the offset after it.
CellOffset OffsetOfCell(const LayoutText& text, const LayoutRules& rules, const RowTable& rows,
                        std::uint32_t column, std::uint32_t row, bool freeCursor);

/// The start offsets of all lines (row 0 and every row that begins a line).
std::vector<std::uint32_t> BuildLineTable(const RowTable& rows);

/// The number shown for a row: the row + 1 in numbering mode 0, its line + 1 in mode 1.
std::uint32_t DisplayNumberOfRow(const CKespoDoc& document, std::uint32_t row, int numberingMode);
/// The row of a number the user typed; nothing when there is no such row.
std::optional<std::uint32_t> RowOfTypedNumber(const CKespoDoc& document, std::uint32_t number,
                                              int numberingMode);

} // namespace nelvix
