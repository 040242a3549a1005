// Whole-character stepping over Shift-JIS text.
#include "base/sjis.h"

namespace nelvix {

std::size_t PrevCharOffset(const Byte* text, std::size_t lineStart, std::size_t offset) {
    if (offset <= lineStart)
        return lineStart;
    std::size_t pos = lineStart;
    std::size_t prev = lineStart;
    while (pos < offset) {
        prev = pos;
        pos += IsLeadByte(text[pos]) && pos + 1 < offset ? 2 : 1;
    }
    return prev;
}

bool IsCharBoundary(const Byte* text, std::size_t anchor, std::size_t offset) {
    std::size_t pos = anchor;
    while (pos < offset)
        pos += IsLeadByte(text[pos]) ? 2 : 1;
    return pos == offset;
}

} // namespace nelvix
