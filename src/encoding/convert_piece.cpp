// One piece of a text through the converter of its code.
#include "encoding/convert.h"

namespace nelvix {

ConvertedPiece ConvertPiece(TextCode code, LineEndKind lineEnd, const Byte* src, std::size_t length,
                            bool last, ConvertState& state, Byte* dest) {
    switch (code) {
    case TextCode::Jis:
        return ConvertJisPiece(src, dest, length, lineEnd, last, state);
    case TextCode::Euc:
        return ConvertEucPiece(src, dest, length, lineEnd, last);
    case TextCode::Utf8:
        return ConvertUtf8Piece(src, dest, length, lineEnd, last, state);
    case TextCode::Auto:
    case TextCode::ShiftJis:
        break;
    }
    return NormalizeLineEndsPiece(src, dest, length, last);
}

} // namespace nelvix
