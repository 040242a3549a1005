// How the global find engine cuts a file into chunks at line ends and counts those line ends.
#include "search/chunk_reading.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace nelvix {

std::size_t FullChunkLength(const Byte* chunk, std::size_t chunkBytes, std::size_t textLength) {
    std::size_t searched = textLength;
    while (searched > 0) {
        const void* hit = ::memrchr(chunk, kCr, searched);
        if (hit == nullptr)
            break;
        const auto cr = static_cast<std::size_t>(static_cast<const Byte*>(hit) - chunk);
        // A CR that ends the text is a line end. At the very end of the read its LF is still
        // unread: the chunk then ends before it, so that the pair begins the next chunk whole
        // instead of leaving it a stray LF, and a search for CR LF still finds it.
        if (cr + 1 == textLength)
            return cr + 1 == chunkBytes ? cr : cr + 2;
        if (chunk[cr + 1] == kLf)
            return cr + 2;
        searched = cr;
    }
    return chunkBytes;
}

std::size_t TextLengthBeforeNul(const Byte* bytes, std::size_t length) {
    const void* nul = std::memchr(bytes, 0, length);
    return nul == nullptr ? length
                          : static_cast<std::size_t>(static_cast<const Byte*>(nul) - bytes);
}

#if defined(__SSE2__)
namespace {

/// The sum of the sixteen byte counters.
std::size_t SumBytes(__m128i counters) {
    const __m128i sums = _mm_sad_epu8(counters, _mm_setzero_si128());
    return static_cast<std::size_t>(_mm_cvtsi128_si32(sums) + _mm_extract_epi16(sums, 4));
}

} // namespace
#endif

// Every chunk's line ends are counted, matched or not, so this runs over every byte searched:
// sixteen bytes a step where SSE2 is there, comparing each byte and the one after it, with the
// pairs added up in byte counters that are emptied before they can overflow.
std::size_t CountCrLf(const Byte* from, const Byte* to) {
    const auto length = static_cast<std::size_t>(to - from);
    std::size_t count = 0;
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8(static_cast<char>(kCr));
    const __m128i lf = _mm_set1_epi8(static_cast<char>(kLf));
    __m128i counters = _mm_setzero_si128();
    int steps = 0;
    // The second load reaches one byte further, at most to `to` itself, which may be read.
    for (; i + 16 <= length; i += 16) {
        const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i + 1));
        const __m128i pairs = _mm_and_si128(_mm_cmpeq_epi8(here, cr), _mm_cmpeq_epi8(next, lf));
        counters = _mm_sub_epi8(counters, pairs); // a pair is -1 in its byte
        if (++steps == 255) {
            count += SumBytes(counters);
            counters = _mm_setzero_si128();
            steps = 0;
        }
    }
    count += SumBytes(counters);
#endif
    for (; i < length; ++i)
        count += from[i] == kCr && from[i + 1] == kLf ? 1 : 0;
    return count;
}

std::size_t CountChunkLineEnds(const Byte* chunk, std::size_t length) {
    if (length == 0)
        return 0;
    return CountCrLf(chunk, chunk + length) + (chunk[length - 1] == kCr ? 1 : 0);
}

} // namespace nelvix
