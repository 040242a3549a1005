// What the find, the line jump and the double-click commands need of a text window.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>

#include "base/sjis.h"

namespace nelvix {

/// A half-open byte range [start, end) of a text.
struct ByteRange {
    std::uint32_t start = 0;
    std::uint32_t end = 0;
    bool operator==(const ByteRange&) const = default;
};

/// The text window as the find commands see it. Offsets are byte offsets into Text().
class FindTarget {
public:
    virtual ~FindTarget() = default;

    virtual const Byte* Text() const = 0;
    virtual std::uint32_t TextLength() const = 0;

    virtual std::uint32_t CaretOffset() const = 0;
    /// True when the caret stands beyond the last character of its row (free cursor mode).
    virtual bool CaretBeyondRowEnd() const = 0;
    /// The shown stream selection: its first byte and the first byte of its last character;
    /// nothing when no stream selection is shown.
    virtual std::optional<std::pair<std::uint32_t, std::uint32_t>> StreamSelection() const = 0;
    virtual void SelectRange(std::uint32_t first, std::uint32_t last) = 0;
    virtual void CancelSelection() = 0;
    /// Cancels the selection only when it is a box.
    virtual void CancelBoxSelection() = 0;

    /// The range every find is limited to; nothing when the whole text is searched.
    virtual std::optional<ByteRange> SearchRange() const = 0;
    virtual void SetSearchRange(std::optional<ByteRange> range) = 0;

    /// True when the caret stands in the line drawn as the found (tag target) line.
    virtual bool CaretInFoundLine() const = 0;
    /// Makes the line holding `offset` the found line and repaints the old and the new one.
    virtual void SetFoundLine(std::uint32_t offset) = 0;
    /// Scrolls the row of `offset` to the middle when it is not visible and puts the caret on
    /// the character at `offset`.
    virtual void ShowOffset(std::uint32_t offset) = 0;
    /// Scrolls `row` to the middle when it is not visible and puts the caret at its column 0.
    virtual void JumpToRow(std::uint32_t row) = 0;
};

} // namespace nelvix
