// Shift-JIS input with lone CR or LF line ends: every CR and every LF becomes CR LF.
#include "text/convert.h"

namespace nelvix {

// A CR LF already in the text becomes CR LF CR LF. That only happens to a text whose head held
// no CR LF, and the doubling is what readers of such a text have always been shown.
std::size_t NormalizeLineEnds(const Byte* src, Byte* dest, std::size_t length) {
    Byte* out = dest;
    for (std::size_t i = 0; i < length; ++i) {
        Byte b = src[i];
        if (b == kCr || b == kLf) {
            *out++ = kCr;
            *out++ = kLf;
        } else {
            *out++ = b;
        }
    }
    return static_cast<std::size_t>(out - dest);
}

} // namespace nelvix
