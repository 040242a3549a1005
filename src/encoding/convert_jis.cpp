// JIS (ISO-2022-JP style escapes) to Shift-JIS.
#include "encoding/convert.h"

namespace nelvix {
namespace {

bool IsKanjiIn(const Byte* at) {
    return at[0] == kEsc && at[1] == '$' && (at[2] == 'B' || at[2] == '@');
}

bool IsKanjiOut(const Byte* at) {
    return at[0] == kEsc && at[1] == '(' && (at[2] == 'B' || at[2] == 'J');
}

} // namespace

// Only the kanji-in and kanji-out escapes have a meaning; any other escape is text. In kanji
// mode CR and LF pair up like other bytes unless the head showed lone line ends; then each CR
// and LF becomes CR LF, and a CR LF pair stays one line end.
ConvertedPiece ConvertJisPiece(const Byte* src, Byte* dest, std::size_t length, LineEndKind lineEnd,
                               bool last, ConvertState& state) {
    const bool splitLineEnds = lineEnd != LineEndKind::CrLf;
    const std::size_t stop = PieceStop(length, last);
    Byte* out = dest;
    bool kanji = state.kanji;
    std::size_t i = 0;
    while (i < stop) {
        const std::size_t remaining = length - i;
        const Byte b = src[i];
        if (splitLineEnds && (b == kCr || b == kLf)) {
            *out++ = kCr;
            *out++ = kLf;
            i += b == kCr && remaining >= 2 && src[i + 1] == kLf ? 2 : 1;
        } else if (!kanji) {
            if (b == kEsc && remaining >= 3 && IsKanjiIn(src + i)) {
                kanji = true;
                i += 3;
            } else {
                *out++ = b;
                ++i;
            }
        } else if (b == kEsc && remaining >= 3 && IsKanjiOut(src + i)) {
            kanji = false;
            i += 3;
        } else if (remaining >= 2) {
            out = WriteSjisPair(out, JisToSjisPair(b, src[i + 1]));
            i += 2;
        } else {
            *out++ = b;
            ++i;
        }
    }
    state.kanji = kanji;
    return {static_cast<std::size_t>(out - dest), i};
}

std::size_t ConvertJisToSjis(const Byte* src, Byte* dest, std::size_t length, LineEndKind lineEnd) {
    ConvertState state;
    return ConvertJisPiece(src, dest, length, lineEnd, true, state).written;
}

} // namespace nelvix
