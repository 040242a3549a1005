// UTF-8 to Shift-JIS (code page 932) with CR LF: one pass through a table built from iconv.
#include "encoding/convert.h"

#include <cstring>

#include "base/cp932_table.h"
#include "encoding/plain_run.h"

namespace nelvix {

ConvertedPiece ConvertUtf8Piece(const Byte* src, Byte* dest, std::size_t length,
                                LineEndKind lineEnd, bool last, ConvertState& state) {
    // Output bound: every step below consumes k >= 1 input bytes and writes at most 2, and only
    // the one-byte steps (CR, LF) may write 2; a code page 932 character is at most 2 bytes while
    // its UTF-8 form is at least as long, and "・" replaces at least one byte. So <= 2 x length.
    const std::uint16_t* const table = UnicodeToCp932Table();
    const Byte* p = src;
    const Byte* const end = src + length;
    const Byte* const stop = src + PieceStop(length, last);
    Byte* out = dest;
    const bool expandLineEnds = lineEnd != LineEndKind::CrLf;

    // The mark is looked for once, at the very start of the text.
    if (!state.started) {
        if (length < 3 && !last)
            return {0, 0};
        state.started = true;
        if (length >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF)
            p += 3;
    }

    while (p < stop) {
        const Byte b = *p;
        if (b < 0x80) {
            if (expandLineEnds && (b == kCr || b == kLf)) {
                *out++ = kCr;
                *out++ = kLf;
                p += b == kCr && end - p >= 2 && p[1] == kLf ? 2 : 1;
                continue;
            }
            *out++ = b;
            ++p;
            // ASCII tends to come in runs: take eight bytes at a time while none of them is
            // high or a line end to be changed.
            const std::size_t run = PlainRun(p, stop, expandLineEnds, true);
            std::memcpy(out, p, run);
            p += run;
            out += run;
            continue;
        }

        const Utf8Step step = DecodeUtf8(p, end);
        p += step.length;
        const std::uint16_t code =
            step.valid && step.codePoint < 0x10000 ? table[step.codePoint] : kNoCp932;
        if (IsSingleByteCode(code)) {
            *out++ = static_cast<Byte>(code);
        } else if (code != kNoCp932) {
            *out++ = LeadByteOf(code);
            *out++ = TrailByteOf(code);
        } else {
            *out++ = 0x81; // "・"
            *out++ = 0x45;
            state.lossy = true;
        }
    }
    return {static_cast<std::size_t>(out - dest), static_cast<std::size_t>(p - src)};
}

std::size_t ConvertUtf8ToSjis(const Byte* src, Byte* dest, std::size_t length, LineEndKind lineEnd,
                              bool& lossy) {
    ConvertState state;
    const std::size_t written = ConvertUtf8Piece(src, dest, length, lineEnd, true, state).written;
    lossy = state.lossy;
    return written;
}

} // namespace nelvix
