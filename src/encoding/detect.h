// Deciding a text's encoding and line end from its head.
#pragma once

#include <cstddef>

#include "base/sjis.h"
#include "encoding/text_code.h"

namespace nelvix {

/// Detection never looks further than this into a file or buffer.
inline constexpr std::size_t kExaminedHeadBytes = 4096;

/// Decides the encoding (never Auto) and line-end kind of `length` bytes, which the caller
/// limits to the examined head.
Detection DetectTextCode(const Byte* bytes, std::size_t length);

/// The encoding alone, by the same tests, of up to kExaminedHeadBytes bytes (also of one byte).
TextCode DetectCodeOf(const Byte* bytes, std::size_t length);

/// The offset of the first byte of 0x80 or more or ESC, or `length`: a head without any leaves
/// the encoding open, and detection reads on to the first of them.
std::size_t FirstHighOrEscape(const Byte* bytes, std::size_t length);

/// The encoding to convert from: `codeSetting` 1..3 forces its code, anything else keeps the
/// detected one.
TextCode EffectiveTextCode(TextCode detected, int codeSetting);

/// True when the text can be read as it is: Shift-JIS with CR LF line ends.
constexpr bool NeedsNoConversion(TextCode code, LineEndKind lineEnd) {
    return code == TextCode::ShiftJis && lineEnd == LineEndKind::CrLf;
}

} // namespace nelvix
