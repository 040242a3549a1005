// Lines and rows of the row table.
#include "text/row_table.h"

namespace nelvix {

std::uint32_t RowTable::RowOfLine(std::uint32_t line) const {
    if (line == 0)
        return 0;
    std::uint32_t sum = 0;
    for (std::uint32_t row = 0; row < m_count; ++row) {
        sum += m_flags[row];
        if (sum == line)
            return row;
    }
    return m_count;
}

std::uint32_t RowTable::LineOfRow(std::uint32_t row) const {
    if (row == 0)
        return 0;
    const std::uint32_t last = std::min(row, m_count);
    std::uint32_t sum = 0;
    for (std::uint32_t r = 0; r < last; ++r)
        sum += m_flags[r];
    if (row < m_count)
        return sum + m_flags[row];
    return sum + 1;
}

} // namespace nelvix
