// Shift-JIS (code page 932) byte classes and whole-character stepping.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace nelvix {

using Byte = std::uint8_t;

constexpr Byte kCr = 0x0D;
constexpr Byte kLf = 0x0A;
constexpr Byte kEsc = 0x1B;

/// A lead byte always takes the next byte with it, whatever that byte is.
constexpr bool IsLeadByte(Byte b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

/// Half-width katakana: one byte, one cell.
constexpr bool IsHalfWidthKana(Byte b) {
    return b >= 0xA1 && b <= 0xDF;
}

constexpr bool IsAsciiDigit(Byte b) {
    return b >= '0' && b <= '9';
}
constexpr bool IsAsciiUpper(Byte b) {
    return b >= 'A' && b <= 'Z';
}
constexpr bool IsAsciiLower(Byte b) {
    return b >= 'a' && b <= 'z';
}
constexpr bool IsAsciiAlpha(Byte b) {
    return IsAsciiUpper(b) || IsAsciiLower(b);
}
constexpr bool IsBlank(Byte b) {
    return b == ' ' || b == '\t';
}
constexpr Byte AsciiToLower(Byte b) {
    return IsAsciiUpper(b) ? static_cast<Byte>(b + 0x20) : b;
}
constexpr Byte AsciiToUpper(Byte b) {
    return IsAsciiLower(b) ? static_cast<Byte>(b - 0x20) : b;
}

/// True when every byte is ASCII: such a text is the same bytes in Shift-JIS and in UTF-8.
constexpr bool IsAsciiText(std::string_view text) {
    for (char c : text)
        if (static_cast<Byte>(c) >= 0x80)
            return false;
    return true;
}

/// Offset of the character after the one at `offset`; a lead byte at the very end counts as
/// one byte so that stepping never passes `length`.
constexpr std::size_t NextCharOffset(const Byte* text, std::size_t length, std::size_t offset) {
    if (offset >= length)
        return length;
    if (IsLeadByte(text[offset]) && offset + 1 < length)
        return offset + 2;
    return offset + 1;
}

/// Offset of the character before `offset`. Trail bytes can look like lead bytes, so the scan
/// is anchored at `lineStart`, which must be a character boundary (a line start always is).
std::size_t PrevCharOffset(const Byte* text, std::size_t lineStart, std::size_t offset);

/// True when `offset` is the first byte of a character, counting from the boundary `anchor`.
bool IsCharBoundary(const Byte* text, std::size_t anchor, std::size_t offset);

} // namespace nelvix
