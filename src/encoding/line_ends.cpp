// Shift-JIS input with lone CR or LF line ends: each becomes CR LF.
#include <cstring>

#include "encoding/convert.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace nelvix {
namespace {

/// The first CR or LF in [from, stop), or `stop`: sixteen bytes a step where SSE2 is there,
/// since lines are short and every byte of a lone-line-end file passes here.
const Byte* FirstLineEnd(const Byte* from, const Byte* stop) {
    const Byte* p = from;
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8(static_cast<char>(kCr));
    const __m128i lf = _mm_set1_epi8(static_cast<char>(kLf));
    for (; stop - p >= 16; p += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int ends =
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf)));
        if (ends != 0)
            return p + __builtin_ctz(static_cast<unsigned>(ends));
    }
#endif
    while (p < stop && *p != kCr && *p != kLf)
        ++p;
    return p;
}

} // namespace

// A CR LF pair already in the text stays one line end: a text whose head held only lone line
// ends may still have CR LF further on, and doubling those would add lines the file lacks.
ConvertedPiece NormalizeLineEndsPiece(const Byte* src, Byte* dest, std::size_t length, bool last) {
    const std::size_t stop = PieceStop(length, last);
    Byte* out = dest;
    std::size_t i = 0;
    while (i < stop) {
        // Runs without a line end are copied whole.
        const auto run = static_cast<std::size_t>(FirstLineEnd(src + i, src + stop) - src);
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
