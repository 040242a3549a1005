// How the global find engine cuts a file into chunks at line ends and counts those line ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "base/sjis.h"

namespace nelvix {

/// The length of the chunk that a full read of `chunkBytes` bytes becomes: just after the last
/// CR followed by LF within its first `textLength` bytes (the text before its first NUL), or
/// after a CR that is the last byte of that text, or just before that CR when it is the read's
/// last byte; without any of them, all of it. `chunk[textLength]` must be readable.
std::size_t FullChunkLength(const Byte* chunk, std::size_t chunkBytes, std::size_t textLength);

/// The number of bytes before the first NUL, or `length`.
std::size_t TextLengthBeforeNul(const Byte* bytes, std::size_t length);

/// CR LF pairs whose CR lies in [from, to); the byte at `to` is read.
std::size_t CountCrLf(const Byte* from, const Byte* to);

/// The line ends of a chunk: each CR followed by LF, and a CR as its last byte. The chunk must
/// be NUL-terminated at `length`, so that a last CR is counted once.
std::size_t CountChunkLineEnds(const Byte* chunk, std::size_t length);

} // namespace nelvix
