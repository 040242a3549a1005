// The row table of a laid-out text: where each row starts and which rows begin a line.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "base/limits.h"

namespace nelvix {

/// The rows a text is laid out in, kept by its document for all its views and filled by the
/// layout: start offsets ascending, and a flag of 1 where a row begins a line. Room for
/// kMaxRows rows is taken once, so that laying a text out again never allocates.
class RowTable {
public:
    RowTable() : m_starts(kMaxRows), m_flags(kMaxRows) {}
    RowTable(const RowTable&) = delete;
    RowTable& operator=(const RowTable&) = delete;

    std::uint32_t Count() const { return m_count; }
    /// At most kMaxRows.
    void SetCount(std::uint32_t count) { m_count = std::min(count, kMaxRows); }
    std::uint32_t Start(std::uint32_t row) const { return m_starts[row]; }
    bool BeginsLine(std::uint32_t row) const { return m_flags[row] != 0; }

    /// The columns themselves, for the layout's rebuild in place and its binary searches.
    std::uint32_t* Starts() { return m_starts.data(); }
    const std::uint32_t* Starts() const { return m_starts.data(); }
    std::uint8_t* Flags() { return m_flags.data(); }

    /// The first row at which the running sum of row flags reaches `line`; 0 for line 0, the
    /// row count when the sum never reaches it.
    std::uint32_t RowOfLine(std::uint32_t line) const;
    /// 0 for row 0; the sum of the flags of rows 0..row below the row count; at (or beyond) the
    /// row count the sum of all flags plus 1.
    std::uint32_t LineOfRow(std::uint32_t row) const;

private:
    std::vector<std::uint32_t> m_starts;
    std::vector<std::uint8_t> m_flags;
    std::uint32_t m_count = 0;
};

} // namespace nelvix
