// The font's face name within its fixed field.
#include "text/display_format.h"

#include <algorithm>

#include "base/sjis.h"

namespace nelvix {

std::string FontFaceName(const FontDescription& font) {
    // A name that fills all 32 bytes has lost its 0; its last byte is taken as the 0.
    const auto end = std::find(font.faceName.begin(), font.faceName.end() - 1, 0);
    return std::string(font.faceName.begin(), end);
}

void SetFontFaceName(FontDescription& font, std::string_view sjisFace) {
    const auto* text = reinterpret_cast<const Byte*>(sjisFace.data());
    const std::size_t limit = std::min(sjisFace.size(), kFontFaceBytes - 1);
    std::size_t length = 0;
    while (length < limit) {
        const std::size_t next = NextCharOffset(text, sjisFace.size(), length);
        if (next > limit || text[length] == 0)
            break;
        length = next;
    }
    font.faceName.fill(0);
    std::copy_n(text, length, font.faceName.begin());
}

} // namespace nelvix
