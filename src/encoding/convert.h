// The converters into Shift-JIS with CR LF. Each writes at most 2 x length bytes to `dest`
// and returns the number of bytes written.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/sjis.h"
#include "encoding/jis_pair.h"
#include "encoding/text_code.h"

namespace nelvix {

/// Writes the Shift-JIS pair of a JIS code; a pair that is not a JIS X 0208 code becomes two
/// blanks. (Two NUL bytes would end the text for a search, which reads text up to a NUL, while a
/// document shows them as blanks anyway: so the view and the search agree, and the rest of the
/// file is searched.)
inline Byte* WriteSjisPair(Byte* out, std::uint16_t sjis) {
    if (sjis == 0) {
        out[0] = ' ';
        out[1] = ' ';
    } else {
        out[0] = static_cast<Byte>(sjis >> 8);
        out[1] = static_cast<Byte>(sjis & 0xFF);
    }
    return out + 2;
}

/// Lone CR and lone LF become CR LF; a CR LF pair stays one line end.
std::size_t NormalizeLineEnds(const Byte* src, Byte* dest, std::size_t length);
std::size_t ConvertJisToSjis(const Byte* src, Byte* dest, std::size_t length, LineEndKind lineEnd);
std::size_t ConvertEucToSjis(const Byte* src, Byte* dest, std::size_t length, LineEndKind lineEnd);

/// UTF-8 to code page 932; a byte-order mark at the start is dropped, a character code page 932
/// lacks (or an invalid sequence) becomes "・" and sets `lossy`. Line ends as the other
/// converters.
std::size_t ConvertUtf8ToSjis(const Byte* src, Byte* dest, std::size_t length, LineEndKind lineEnd,
                              bool& lossy);

/// No converter looks further ahead than this many bytes from the character it converts, so a
/// text converted piece by piece, each piece but the last keeping back fewer bytes than this
/// for the next, gives the same bytes as the whole text converted at once.
inline constexpr std::size_t kConvertLookahead = 4;

/// What a conversion carries from one piece of a text to the next.
struct ConvertState {
    bool kanji = false;   ///< JIS: inside a kanji-in sequence
    bool started = false; ///< a first piece was converted (UTF-8 drops a byte-order mark there)
    bool lossy = false;   ///< some character had no Shift-JIS form
};

struct ConvertedPiece {
    std::size_t written = 0;
    std::size_t consumed = 0; ///< the caller hands the rest in again, before the next piece
};

/// Converts a piece of a text from `code` (ShiftJis: line ends only) into `dest` (2 x length
/// bytes). Unless `last`, the bytes within kConvertLookahead - 1 of the end are left unconsumed.
ConvertedPiece ConvertPiece(TextCode code, LineEndKind lineEnd, const Byte* src, std::size_t length,
                            bool last, ConvertState& state, Byte* dest);

// The converters' piece forms, for ConvertPiece.
ConvertedPiece NormalizeLineEndsPiece(const Byte* src, Byte* dest, std::size_t length, bool last);
ConvertedPiece ConvertJisPiece(const Byte* src, Byte* dest, std::size_t length, LineEndKind lineEnd,
                               bool last, ConvertState& state);
ConvertedPiece ConvertEucPiece(const Byte* src, Byte* dest, std::size_t length, LineEndKind lineEnd,
                               bool last);
ConvertedPiece ConvertUtf8Piece(const Byte* src, Byte* dest, std::size_t length,
                                LineEndKind lineEnd, bool last, ConvertState& state);

/// Where a piece's work stops: every position before it has kConvertLookahead bytes to look at,
/// or the piece is the text's last.
constexpr std::size_t PieceStop(std::size_t length, bool last) {
    if (last)
        return length;
    return length >= kConvertLookahead ? length - (kConvertLookahead - 1) : 0;
}

} // namespace nelvix
