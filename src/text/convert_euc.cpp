// EUC-JP to Shift-JIS.
#include <cstring>

#include "text/convert.h"
#include "text/plain_run.h"

namespace nelvix {
namespace {

bool IsEucJisByte(Byte b) {
    return b >= 0xA1 && b <= 0xFE;
}

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
