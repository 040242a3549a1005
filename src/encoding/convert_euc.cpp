// EUC-JP to Shift-JIS.
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "encoding/convert.h"
#include "encoding/plain_run.h"

namespace nelvix {
namespace {

bool IsEucJisByte(Byte b) {
    return b >= 0xA1 && b <= 0xFE;
}

#if defined(__SSE2__)
/// Japanese prose is long runs of pairs, and converting them is most of the time a search of
/// EUC-JP files takes: sixteen bytes (eight pairs) a step while all of them are JIS bytes,
/// with the mapping's arithmetic done on eight 16-bit lanes (first byte low, second high).
/// Returns the bytes converted, a multiple of sixteen.
std::size_t ConvertPairBlocks(const Byte* src, std::size_t available, Byte* out) {
    const __m128i firstJis = _mm_set1_epi8(static_cast<char>(0xA1));
    const __m128i lastOffset = _mm_set1_epi8(0xFE - 0xA1);
    const __m128i lowByte = _mm_set1_epi16(0xFF);
    const __m128i one = _mm_set1_epi16(1);
    std::size_t i = 0;
    for (; i + 16 <= available; i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
        const __m128i offset = _mm_sub_epi8(bytes, firstJis); // 0..0x5D for a JIS byte
        const __m128i inRange = _mm_cmpeq_epi8(_mm_min_epu8(offset, lastOffset), offset);
        if (_mm_movemask_epi8(inRange) != 0xFFFF)
            break;
        const __m128i row = _mm_and_si128(offset, lowByte);
        const __m128i cell = _mm_srli_epi16(offset, 8);
        // Lead: two rows a lead byte from 0x81, jumping the half-width katakana at 0xA0.
        const __m128i half = _mm_srli_epi16(row, 1);
        const __m128i pastKana = _mm_cmpgt_epi16(half, _mm_set1_epi16(0x1E));
        const __m128i lead = _mm_add_epi16(_mm_add_epi16(half, _mm_set1_epi16(0x81)),
                                           _mm_and_si128(pastKana, _mm_set1_epi16(0x40)));
        // Trail: the first row of a lead from 0x40, skipping 0x7F; the second from 0x9F.
        const __m128i secondRow = _mm_cmpeq_epi16(_mm_and_si128(row, one), one);
        const __m128i pastDelete = _mm_and_si128(_mm_cmpgt_epi16(cell, _mm_set1_epi16(0x3E)), one);
        const __m128i firstRowBase = _mm_add_epi16(_mm_set1_epi16(0x40), pastDelete);
        const __m128i base = _mm_or_si128(_mm_and_si128(secondRow, _mm_set1_epi16(0x9F)),
                                          _mm_andnot_si128(secondRow, firstRowBase));
        const __m128i trail = _mm_add_epi16(cell, base);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i),
                         _mm_or_si128(lead, _mm_slli_epi16(trail, 8)));
    }
    return i;
}
#else
std::size_t ConvertPairBlocks(const Byte*, std::size_t, Byte*) {
    return 0;
}
#endif

} // namespace

// SS2 half-width katakana keep their byte; SS3 itself is dropped and the two JIS X 0212 bytes
// after it convert as if they were a JIS X 0208 pair. A lead byte with nothing after it, and
// every byte EUC-JP does not use, are dropped. With lone line ends, each CR and LF becomes
// CR LF, and a CR LF pair stays one line end.
ConvertedPiece ConvertEucPiece(const Byte* src, Byte* dest, std::size_t length, LineEndKind lineEnd,
                               bool last) {
    const bool splitLineEnds = lineEnd != LineEndKind::CrLf;
    const std::size_t stop = PieceStop(length, last);
    Byte* out = dest;
    std::size_t i = 0;
    while (i < stop) {
        const Byte b = src[i];
        if (b < 0x80) {
            if (splitLineEnds && (b == kCr || b == kLf)) {
                *out++ = kCr;
                *out++ = kLf;
                i += b == kCr && i + 1 < length && src[i + 1] == kLf ? 2 : 1;
            } else {
                // ASCII comes in runs: eight bytes a step while none needs more than a copy.
                const std::size_t run = PlainRun(src + i + 1, src + stop, splitLineEnds, true);
                std::memcpy(out, src + i, run + 1);
                out += run + 1;
                i += run + 1;
            }
        } else if (b == 0x8E) {
            if (i + 1 < length)
                *out++ = src[i + 1];
            i += 2;
        } else if (b >= 0xA1 && b <= 0xFE) {
            // Kanji and kana come in runs: a pair of two JIS bytes needs no further test.
            const std::size_t blocks = ConvertPairBlocks(src + i, stop - i, out);
            i += blocks;
            out += blocks;
            while (i < stop && i + 1 < length && IsEucJisByte(src[i]) && IsEucJisByte(src[i + 1])) {
                const std::uint16_t sjis = JisToSjisPairInRange(src[i] - 0x80, src[i + 1] - 0x80);
                out[0] = static_cast<Byte>(sjis >> 8);
                out[1] = static_cast<Byte>(sjis & 0xFF);
                out += 2;
                i += 2;
            }
            if (i >= stop || !IsEucJisByte(src[i]))
                continue;
            // A pair whose second byte is no JIS byte, or a lead byte at the end.
            if (i + 1 < length) {
                out = WriteSjisPair(out, JisToSjisPair(static_cast<Byte>(src[i] - 0x80),
                                                       static_cast<Byte>(src[i + 1] - 0x80)));
            }
            i += 2;
        } else {
            ++i;
        }
    }
    return {static_cast<std::size_t>(out - dest), i < length ? i : length};
}

std::size_t ConvertEucToSjis(const Byte* src, Byte* dest, std::size_t length, LineEndKind lineEnd) {
    return ConvertEucPiece(src, dest, length, lineEnd, true).written;
}

} // namespace nelvix
