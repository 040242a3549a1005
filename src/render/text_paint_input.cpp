// Row lookups over the row table handed to painting.
#include "render/text_paint_input.h"

#include <algorithm>

namespace nelvix {

std::optional<std::uint32_t> RowOfOffset(const TextPaintInput& input, std::uint32_t offset) {
    if (input.rowCount == 0 || input.rowStarts == nullptr)
        return std::nullopt;
    const std::uint32_t* end = input.rowStarts + input.rowCount;
    const std::uint32_t* after = std::upper_bound(input.rowStarts, end, offset);
    if (after == input.rowStarts)
        return 0;
    return static_cast<std::uint32_t>(after - input.rowStarts - 1);
}

std::uint32_t RowEnd(const TextPaintInput& input, std::uint32_t row) {
    if (row + 1 < input.rowCount)
        return std::min(input.rowStarts[row + 1], input.textLength);
    return input.textLength;
}

} // namespace nelvix
