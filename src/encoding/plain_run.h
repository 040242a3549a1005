// Runs of bytes a converter copies unchanged, found eight bytes at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "base/sjis.h"

namespace nelvix {

inline constexpr std::uint64_t kHighBits = 0x8080808080808080u;
inline constexpr std::uint64_t kLowBits = 0x0101010101010101u;

/// True when some byte of `word` equals `b` (the classic zero-byte test on word ^ b...b).
constexpr bool HasByte(std::uint64_t word, Byte b) {
    const std::uint64_t x = word ^ (kLowBits * b);
    return ((x - kLowBits) & ~x & kHighBits) != 0;
}

/// The bytes from `from` on, in whole words of eight before `stop`, none of which is CR or LF
/// (when `lineEnds`) or 0x80 or more (when `asciiOnly`): a multiple of eight, so the caller
/// takes the bytes after it one by one.
inline std::size_t PlainRun(const Byte* from, const Byte* stop, bool lineEnds, bool asciiOnly) {
    const Byte* p = from;
    const std::uint64_t high = asciiOnly ? kHighBits : 0;
    while (stop - p >= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, sizeof word);
        if ((word & high) != 0 || (lineEnds && (HasByte(word, kCr) || HasByte(word, kLf))))
            break;
        p += 8;
    }
    return static_cast<std::size_t>(p - from);
}

} // namespace nelvix
