// File names between the core (Shift-JIS) and the operating system (UTF-8 bytes), with the
// reversible escape of bytes that code page 932 cannot carry.
#include "base/native_path.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <optional>
#include <system_error>

#include "base/cp932.h"
#include "base/cp932_table.h"
#include "base/sjis.h"

namespace nelvix {
namespace {

constexpr Byte kEscapeLead = 0xF0;      // carries the bytes that are valid trail bytes themselves
constexpr Byte kOtherEscapeLead = 0xF1; // carries the other 68 byte values

// The bytes that are no trail byte, in the order in which they take the trail bytes of 0xF1.
constexpr Byte kOtherBytesAfterControls[] = {0x7F, 0xFD, 0xFE, 0xFF};

/// The n-th valid trail byte (0x40..0x7E, then 0x80..0xFC), n < 188.
constexpr Byte NthTrailByte(unsigned n) {
    return static_cast<Byte>(n < 0x3F ? 0x40 + n : 0x41 + n);
}

void AppendEscapedByte(std::string& sjis, Byte b) {
    if (IsTrailByte(b)) {
        sjis += static_cast<char>(kEscapeLead);
        sjis += static_cast<char>(b);
        return;
    }
    unsigned index = b; // 0x00..0x3F
    for (unsigned k = 0; k < std::size(kOtherBytesAfterControls); ++k) {
        if (b == kOtherBytesAfterControls[k])
            index = 0x40 + k;
    }
    sjis += static_cast<char>(kOtherEscapeLead);
    sjis += static_cast<char>(NthTrailByte(index));
}

/// The bytes that cannot stand in a line of text: the controls, CR and LF among them. None of
/// them is a trail byte, so in a path that came from the native side each is a character of
/// its own; escaping every one keeps any path's line whole.
constexpr bool IsLineControl(char c) {
    return static_cast<Byte>(c) < 0x20;
}

/// The native byte an escape stands for; nothing for a pair that is no escape.
std::optional<Byte> UnescapedByte(Byte lead, Byte trail) {
    if (!IsTrailByte(trail))
        return std::nullopt;
    if (lead == kEscapeLead)
        return trail;
    if (lead != kOtherEscapeLead)
        return std::nullopt;
    const unsigned index = trail < 0x80 ? trail - 0x40u : trail - 0x41u;
    if (index < 0x40)
        return static_cast<Byte>(index);
    if (index - 0x40 < std::size(kOtherBytesAfterControls))
        return kOtherBytesAfterControls[index - 0x40];
    return std::nullopt;
}

/// The code page 932 code that carries `codePoint` in a path, or kNoCp932 when the character
/// must be escaped: code page 932 lacks it, maps it one way only (U+00A5 to 0x5C, which comes
/// back as a backslash), or would put it on an escape lead byte.
std::uint16_t PathCode(char32_t codePoint) {
    if (codePoint >= 0x10000)
        return kNoCp932;
    const std::uint16_t code = UnicodeToCp932Table()[codePoint];
    if (code == kNoCp932)
        return kNoCp932;
    if (!IsSingleByteCode(code) &&
        (LeadByteOf(code) == kEscapeLead || LeadByteOf(code) == kOtherEscapeLead))
        return kNoCp932;
    if (Cp932CodeToUnicode(code) != codePoint)
        return kNoCp932;
    return code;
}

} // namespace

std::string NativePathToSjis(std::string_view nativePath) {
    // Most paths are plain ASCII, which every direction carries unchanged.
    if (IsAsciiText(nativePath))
        return std::string(nativePath);
    std::string sjis;
    sjis.reserve(nativePath.size() * 2);
    const Byte* p = reinterpret_cast<const Byte*>(nativePath.data());
    const Byte* const end = p + nativePath.size();
    while (p < end) {
        const Utf8Step step = DecodeUtf8(p, end);
        const std::uint16_t code = step.valid ? PathCode(step.codePoint) : kNoCp932;
        if (code == kNoCp932) {
            // Byte by byte, so that whatever follows is read afresh from the next byte.
            AppendEscapedByte(sjis, *p);
            ++p;
            continue;
        }
        if (IsSingleByteCode(code)) {
            sjis += static_cast<char>(code);
        } else {
            sjis += static_cast<char>(LeadByteOf(code));
            sjis += static_cast<char>(TrailByteOf(code));
        }
        p += step.length;
    }
    return sjis;
}

std::string SjisPathToNative(std::string_view sjisPath) {
    if (IsAsciiText(sjisPath))
        return std::string(sjisPath);
    std::string native;
    const Byte* const text = reinterpret_cast<const Byte*>(sjisPath.data());
    const std::size_t length = sjisPath.size();
    std::size_t runStart = 0; // start of the plain code page 932 text not yet converted
    std::size_t offset = 0;
    while (offset < length) {
        if (offset + 1 < length) {
            if (const std::optional<Byte> raw = UnescapedByte(text[offset], text[offset + 1])) {
                if (offset > runStart)
                    native += Cp932ToUtf8(sjisPath.substr(runStart, offset - runStart));
                native += static_cast<char>(*raw);
                offset += 2;
                runStart = offset;
                continue;
            }
        }
        offset = NextCharOffset(text, length, offset);
    }
    if (runStart < length)
        native += Cp932ToUtf8(sjisPath.substr(runStart));
    return native;
}

std::string AbsoluteSjisPath(std::string_view sjisPath) {
    if (sjisPath.empty())
        return {};
    std::filesystem::path path{std::string(sjisPath)};
    if (path.is_relative()) {
        std::error_code error;
        const std::filesystem::path current = std::filesystem::current_path(error);
        if (!error)
            path = std::filesystem::path(NativePathToSjis(current.native())) / path;
    }
    return path.lexically_normal().native();
}

void AppendSjisPathForLine(std::string& line, std::string_view sjisPath) {
    std::size_t plainFrom = 0;
    for (std::size_t offset = 0; offset < sjisPath.size(); ++offset) {
        if (!IsLineControl(sjisPath[offset]))
            continue;
        line.append(sjisPath.substr(plainFrom, offset - plainFrom));
        AppendEscapedByte(line, static_cast<Byte>(sjisPath[offset]));
        plainFrom = offset + 1;
    }
    line.append(sjisPath.substr(plainFrom));
}

std::size_t SjisPathForLineBytes(std::string_view sjisPath) {
    // An escape pair takes the place of one byte.
    return sjisPath.size() +
           static_cast<std::size_t>(std::count_if(sjisPath.begin(), sjisPath.end(), IsLineControl));
}

} // namespace nelvix
