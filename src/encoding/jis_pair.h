// The mapping of a JIS X 0208 code to its Shift-JIS code.
#pragma once

#include <cstdint>

#include "base/sjis.h"

namespace nelvix {

namespace detail {

inline constexpr unsigned kJisFirst = 0x21;
inline constexpr unsigned kJisCells = 94;

constexpr std::uint16_t ComputeSjisPair(unsigned high, unsigned low) {
    unsigned lead = ((high - kJisFirst) >> 1) + 0x81u;
    if (lead >= 0xA0)
        lead += 0x40;
    unsigned trail;
    if (high & 1)
        trail = low < 0x60 ? low + 0x1Fu : low + 0x20u;
    else
        trail = low + 0x7Eu;
    return static_cast<std::uint16_t>((lead << 8) | trail);
}

// The parity tests of the arithmetic mapping are unpredictable branches inside the converters'
// loops; a table of the 94 x 94 codes (17 KiB) takes them out.
struct SjisPairTable {
    std::uint16_t codes[kJisCells * kJisCells];
    constexpr SjisPairTable() : codes() {
        for (unsigned high = 0; high < kJisCells; ++high)
            for (unsigned low = 0; low < kJisCells; ++low)
                codes[high * kJisCells + low] = ComputeSjisPair(high + kJisFirst, low + kJisFirst);
    }
};

inline constexpr SjisPairTable kSjisPairs;

} // namespace detail

/// As JisToSjisPair, for bytes known to lie in 0x21..0x7E.
inline std::uint16_t JisToSjisPairInRange(unsigned high, unsigned low) {
    return detail::kSjisPairs
        .codes[(high - detail::kJisFirst) * detail::kJisCells + (low - detail::kJisFirst)];
}

/// Maps a JIS X 0208 code to Shift-JIS (high byte in bits 8..15); 0 when either byte lies
/// outside 0x21..0x7E.
inline std::uint16_t JisToSjisPair(Byte high, Byte low) {
    const unsigned row = high - detail::kJisFirst;
    const unsigned cell = low - detail::kJisFirst;
    if (row >= detail::kJisCells || cell >= detail::kJisCells)
        return 0;
    return detail::kSjisPairs.codes[row * detail::kJisCells + cell];
}

} // namespace nelvix
