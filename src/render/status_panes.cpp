// The position panes of the status bar.
#include "render/status_panes.h"

#include <algorithm>
#include <cstdio>

#include "text/text_document.h"

namespace nelvix {

namespace {

constexpr std::uint32_t kColumnSplit = 1000;

std::string Padded(std::uint32_t value, int digits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%.*u", digits, value);
    return buffer;
}

} // namespace

PositionPanes FormatPositionPanes(std::uint32_t lineNumber, std::uint32_t column) {
    const std::uint64_t shown = std::uint64_t{column} + 1;
    PositionPanes panes;
    panes.line = Padded(lineNumber, 5);
    if (shown < kColumnSplit) {
        panes.column = Padded(static_cast<std::uint32_t>(shown), 3);
        panes.columnLow = " ";
    } else {
        panes.column = Padded(static_cast<std::uint32_t>((shown / kColumnSplit) % kColumnSplit), 3);
        panes.columnLow = Padded(static_cast<std::uint32_t>(shown % kColumnSplit), 3);
    }
    return panes;
}

std::uint32_t ShownColumn(const CKespoDoc& document, const LayoutRules& rules, int numberingMode,
                          std::uint32_t caretColumn, std::uint32_t caretRow) {
    if (numberingMode != 1 || caretRow == 0 || caretRow >= document.Rows().Count())
        return caretColumn;
    const RowTable& rows = document.Rows();
    std::uint32_t firstRow = caretRow;
    while (firstRow > 0 && !rows.BeginsLine(firstRow))
        --firstRow;
    const std::uint32_t tab = std::clamp(rules.tabColumns, kMinTabColumns, kMaxTabColumns);
    const Byte* text = document.Text();
    const std::uint32_t end = std::min(rows.Start(caretRow), document.TextLength());
    std::uint32_t cells = 0;
    for (std::uint32_t offset = rows.Start(firstRow); offset < end;) {
        const Byte b = text[offset];
        if (b == '\t') {
            cells += tab - cells % tab;
            ++offset;
        } else if (IsLeadByte(b)) {
            cells += 2;
            offset += 2;
        } else {
            ++cells;
            ++offset;
        }
    }
    return cells + caretColumn;
}

PositionPanes CaretPositionPanes(const CKespoDoc& document, const LayoutRules& rules,
                                 int numberingMode, std::uint32_t caretColumn,
                                 std::uint32_t caretRow) {
    const std::uint32_t row = std::min<std::uint32_t>(caretRow, document.Rows().Count());
    return FormatPositionPanes(DisplayNumberOfRow(document, row, numberingMode),
                               ShownColumn(document, rules, numberingMode, caretColumn, row));
}

} // namespace nelvix
