// The four search options and what a match is.
#pragma once

#include "base/limits.h"

#include <cstddef>

namespace nelvix {

struct SearchOptions {
    bool caseSensitive = false;
    bool widthSensitive = true;
    bool regularExpression = false;
    bool multiText = false; ///< the "MultiText" setting
};

/// A match within the searched range: offset from the range's start and length in bytes.
struct Match {
    std::size_t offset = 0;
    std::size_t length = 0;
    bool operator==(const Match&) const = default;
};

/// Multi-text patterns: at most 20 words of at most 255 bytes.
inline constexpr std::size_t kMaxMultiTextWords = 20;
inline constexpr std::size_t kMaxMultiTextWordBytes = 255;

} // namespace nelvix
