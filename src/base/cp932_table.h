// The code page 932 tables behind the fast UTF-8 converter and the file-name escape, built once
// from glibc iconv so that they agree with it code for code; and the one UTF-8 decoder they use.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/sjis.h"

namespace nelvix {

/// Marks a code point that code page 932 lacks, or a code it does not define.
inline constexpr std::uint16_t kNoCp932 = 0xFFFF;
inline constexpr char32_t kNoUnicode = 0xFFFFFFFF;

/// A code page 932 code as the tables hold it: a value below 0x100 is one byte, any other value
/// two bytes with the lead byte in bits 8..15.
constexpr bool IsSingleByteCode(std::uint16_t code) {
    return code < 0x100;
}
constexpr Byte LeadByteOf(std::uint16_t code) {
    return static_cast<Byte>(code >> 8);
}
constexpr Byte TrailByteOf(std::uint16_t code) {
    return static_cast<Byte>(code & 0xFF);
}

/// For each of the 65,536 BMP code points, the code page 932 code that iconv ("UTF-32LE" to
/// "CP932") gives for it, or kNoCp932 (also for the surrogates). Built on first use,
/// thread-safe, never freed. This includes iconv's one-way mappings (U+00A5 to 0x5C,
/// U+301C to 0x8160, ...).
const std::uint16_t* UnicodeToCp932Table();

/// The code point iconv ("CP932" to "UTF-32LE") gives for a one-byte or two-byte code, or
/// kNoUnicode when code page 932 does not define it. Built on first use, thread-safe.
char32_t Cp932CodeToUnicode(std::uint16_t code);

/// True for the bytes that may follow a lead byte in a defined code page 932 character.
constexpr bool IsTrailByte(Byte b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

/// One step of UTF-8 decoding: a well-formed sequence (Unicode table 3-7: no overlong forms, no
/// surrogates, nothing above U+10FFFF), or the maximal invalid part to replace as one unit.
struct Utf8Step {
    char32_t codePoint = 0;   ///< meaningful only when `valid`
    std::uint32_t length = 1; ///< bytes consumed, 1..4; never past the end
    bool valid = false;
};

/// Decodes the sequence at `p` (`p` < `end`). An invalid sequence consumes the longest prefix of
/// a well-formed sequence it starts with (at least one byte), as the Unicode Standard recommends
/// for replacement ("maximal subpart"): a sequence cut by the end is one invalid unit, while a
/// byte that breaks a sequence is left to start the next one.
inline Utf8Step DecodeUtf8(const Byte* p, const Byte* end) {
    const Byte first = p[0];
    if (first < 0x80)
        return {first, 1, true};
    std::uint32_t continuations = 0;
    char32_t codePoint = 0;
    Byte low = 0x80;
    Byte high = 0xBF;
    if (first >= 0xC2 && first <= 0xDF) {
        continuations = 1;
        codePoint = first & 0x1Fu;
    } else if (first >= 0xE0 && first <= 0xEF) {
        continuations = 2;
        codePoint = first & 0x0Fu;
        if (first == 0xE0)
            low = 0xA0; // overlong below U+0800
        else if (first == 0xED)
            high = 0x9F; // the surrogates U+D800..U+DFFF
    } else if (first >= 0xF0 && first <= 0xF4) {
        continuations = 3;
        codePoint = first & 0x07u;
        if (first == 0xF0)
            low = 0x90; // overlong below U+10000
        else if (first == 0xF4)
            high = 0x8F; // above U+10FFFF
    } else {
        return {0, 1, false}; // a continuation byte, C0, C1 or F5..FF
    }
    for (std::uint32_t i = 1; i <= continuations; ++i) {
        if (static_cast<std::size_t>(end - p) <= i)
            return {0, i, false};
        const Byte b = p[i];
        if (b < low || b > high)
            return {0, i, false};
        codePoint = (codePoint << 6) | (b & 0x3Fu);
        low = 0x80;
        high = 0xBF;
    }
    return {codePoint, continuations + 1, true};
}

/// True when every sequence of `text` is well-formed UTF-8.
inline bool IsWellFormedUtf8(std::string_view text) {
    const auto* p = reinterpret_cast<const Byte*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        const Utf8Step step = DecodeUtf8(p, end);
        if (!step.valid)
            return false;
        p += step.length;
    }
    return true;
}

} // namespace nelvix
