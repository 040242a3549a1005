// The converters into Shift-JIS with CR LF. Each writes at most 2 x length bytes to `dest`
// and returns the number of bytes written.
#pragma once

#include <cstddef>
#include <cstdint>

#include "text/jis_pair.h"
#include "text/sjis.h"
#include "text/text_code.h"

namespace nelvix {

std::size_t NormalizeLineEnds(const Byte* src, Byte* dest, std::size_t length);
std::size_t ConvertJisToSjis(const Byte* src, Byte* dest, std::size_t length, LineEndKind lineEnd);
std::size_t ConvertEucToSjis(const Byte* src, Byte* dest, std::size_t length, LineEndKind lineEnd);

/// UTF-8 to code page 932; a byte-order mark at the start is dropped, a character code page 932
/// lacks (or an invalid sequence) becomes "・" and sets `lossy`. Line ends as the other
/// converters.
std::size_t ConvertUtf8ToSjis(const Byte* src, Byte* dest, std::size_t length, LineEndKind lineEnd,
                              bool& lossy);

} // namespace nelvix
