// Shift-JIS input with lone CR or LF line ends: each becomes CR LF.
#include <cstring>

#include "text/convert.h"

namespace nelvix {

// A CR LF pair already in the text stays one line end: a text whose head held only lone line
// ends may still have CR LF further on, and doubling those would add lines the file lacks.
ConvertedPiece NormalizeLineEndsPiece(const Byte* src, Byte* dest, std::size_t length, bool last) {
    const std::size_t stop = PieceStop(length, last);
    Byte* out = dest;
    std::size_t i = 0;
    while (i < stop) {
        // Runs without a line end are copied whole.
        std::size_t run = i;
        while (run < stop && src[run] != kCr && src[run] != kLf)
            ++run;
        std::memcpy(out, src + i, run - i);
        out += run - i;
        i = run;
        if (i == stop)
            break;
        const bool crLf = src[i] == kCr && i + 1 < length && src[i + 1] == kLf;
        *out++ = kCr;
        *out++ = kLf;
        i += crLf ? 2 : 1;
    }
    return {static_cast<std::size_t>(out - dest), i};
}

std::size_t NormalizeLineEnds(const Byte* src, Byte* dest, std::size_t length) {
    return NormalizeLineEndsPiece(src, dest, length, true).written;
}

} // namespace nelvix
