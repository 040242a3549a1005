// The caret's line and column in the three position panes of the status bar.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "render/row_layout.h"

namespace nelvix {

inline constexpr int kLinePaneId = 59143;
inline constexpr int kColumnPaneId = 59144;
inline constexpr int kColumnLowPaneId = 59147;
/// Each pane is as wide as its string.
inline constexpr std::string_view kLinePaneWidth = "     ";
inline constexpr std::string_view kColumnPaneWidth = "   ";
inline constexpr std::string_view kColumnLowPaneWidth = "   ";

/// The three pane texts (ASCII, so the same in Shift-JIS).
struct PositionPanes {
    std::string line;      ///< pane 59143
    std::string column;    ///< pane 59144
    std::string columnLow; ///< pane 59147
    bool operator==(const PositionPanes&) const = default;
};

/// The panes for a line number and a 0-based column: the line zero-padded to five digits; a
/// column number (column + 1) of up to three digits in the first column pane and a blank in
/// the second, a longer one split as its thousands and its last three digits.
PositionPanes FormatPositionPanes(std::uint32_t lineNumber, std::uint32_t column);

/// The column shown for a caret cell: in numbering mode 1 counted from the start of the line,
/// the cells of the line's earlier rows (tab stops from the line start) added.
std::uint32_t ShownColumn(const CKespoDoc& document, const LayoutRules& rules, int numberingMode,
                          std::uint32_t caretColumn, std::uint32_t caretRow);

/// The panes for the caret cell of a document's window.
PositionPanes CaretPositionPanes(const CKespoDoc& document, const LayoutRules& rules,
                                 int numberingMode, std::uint32_t caretColumn,
                                 std::uint32_t caretRow);

} // namespace nelvix
