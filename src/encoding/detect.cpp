// Detection of a text's encoding and line end from the first bytes of a file.
#include "encoding/detect.h"

#include <cstdint>
#include <cstring>
#include <functional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "encoding/plain_run.h"

namespace nelvix {
namespace {

/// A CR LF anywhere in the head decides CR LF; without one, the last lone line end decides. Every
/// file a search opens passes here, so the bytes are left to memchr.
LineEndKind ScanLineEnds(const Byte* bytes, std::size_t length) {
    const Byte* end = bytes + length;
    for (const Byte* p = bytes; p < end; ++p) {
        p = static_cast<const Byte*>(std::memchr(p, kCr, static_cast<std::size_t>(end - p)));
        if (p == nullptr)
            break;
        if (p + 1 < end && p[1] == kLf)
            return LineEndKind::CrLf;
    }
    const void* lastCr = ::memrchr(bytes, kCr, length);
    const void* lastLf = ::memrchr(bytes, kLf, length);
    if (lastCr == nullptr)
        return lastLf == nullptr ? LineEndKind::CrLf : LineEndKind::Lf;
    if (lastLf == nullptr)
        return LineEndKind::Cr;
    return std::less<const void*>{}(lastCr, lastLf) ? LineEndKind::Lf : LineEndKind::Cr;
}

bool IsKanjiIn(const Byte* at) {
    return at[0] == kEsc && at[1] == '$' && (at[2] == 'B' || at[2] == '@');
}

/// Only the first escape counts: a text whose first escape is anything else is not JIS.
bool LooksLikeJis(const Byte* bytes, std::size_t length) {
    const void* escape = std::memchr(bytes, kEsc, length);
    if (escape == nullptr)
        return false;
    const auto i = static_cast<std::size_t>(static_cast<const Byte*>(escape) - bytes);
    return i + 2 < length && IsKanjiIn(bytes + i);
}

/// Offset of the first byte of 0x80 or more (or, with `escapeToo`, ESC), or `length`.
/// Detection runs on every file a search opens, so the ASCII part is skipped a word at a time.
std::size_t FirstTelling(const Byte* bytes, std::size_t length, bool escapeToo) {
    std::size_t i = 0;
    for (; i + 8 <= length; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes + i, sizeof word);
        if ((word & kHighBits) != 0 || (escapeToo && HasByte(word, kEsc)))
            break;
    }
    while (i < length && bytes[i] < 0x80 && !(escapeToo && bytes[i] == kEsc))
        ++i;
    return i;
}

std::size_t FirstHighByte(const Byte* bytes, std::size_t length) {
    return FirstTelling(bytes, length, false);
}

constexpr bool IsContinuation(Byte b) {
    return (b & 0xC0) == 0x80;
}

/// The number of bytes of the sequence a UTF-8 lead byte starts, and the range its second byte
/// must lie in (which shuts out overlong forms, surrogates and code points past U+10FFFF); 0 for
/// a byte that cannot start a sequence.
struct Utf8Lead {
    std::size_t length;
    Byte secondLow;
    Byte secondHigh;
};

constexpr Utf8Lead ClassifyUtf8Lead(Byte b) {
    if (b >= 0xC2 && b <= 0xDF)
        return {2, 0x80, 0xBF};
    if (b == 0xE0)
        return {3, 0xA0, 0xBF};
    if (b == 0xED)
        return {3, 0x80, 0x9F};
    if (b >= 0xE1 && b <= 0xEF)
        return {3, 0x80, 0xBF};
    if (b == 0xF0)
        return {4, 0x90, 0xBF};
    if (b >= 0xF1 && b <= 0xF3)
        return {4, 0x80, 0xBF};
    if (b == 0xF4)
        return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

/// Valid UTF-8 with at least one multi-byte sequence; a sequence cut by the end of the head is
/// taken as valid, since the file goes on past what was examined.
bool LooksLikeUtf8(const Byte* bytes, std::size_t length, std::size_t firstHigh) {
    if (length >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF)
        return true;
    bool multiByteSeen = false;
    std::size_t i = firstHigh;
    while (i < length) {
        Byte b = bytes[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        Utf8Lead lead = ClassifyUtf8Lead(b);
        if (lead.length == 0)
            return false;
        for (std::size_t k = 1; k < lead.length && i + k < length; ++k) {
            Byte next = bytes[i + k];
            bool ok =
                k == 1 ? next >= lead.secondLow && next <= lead.secondHigh : IsContinuation(next);
            if (!ok)
                return false;
        }
        multiByteSeen = true;
        i += lead.length;
    }
    return multiByteSeen;
}

/// True when some byte lies in 0x80..0x8D or 0x90..0x9F; `highSeen` is set when some byte is
/// 0x80 or more. Sixteen bytes a step where SSE2 is there: an EUC-JP head is high bytes
/// throughout, and every file a search opens is examined.
bool HasShiftJisOnlyByte(const Byte* bytes, std::size_t length, bool& highSeen) {
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i top3 = _mm_set1_epi8(static_cast<char>(0xE0));
    const __m128i c1Range = _mm_set1_epi8(static_cast<char>(0x80));
    const __m128i ss2 = _mm_set1_epi8(static_cast<char>(0x8E));
    const __m128i ss3 = _mm_set1_epi8(static_cast<char>(0x8F));
    for (; i + 16 <= length; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
        const __m128i inC1 = _mm_cmpeq_epi8(_mm_and_si128(v, top3), c1Range);
        const __m128i singleShift = _mm_or_si128(_mm_cmpeq_epi8(v, ss2), _mm_cmpeq_epi8(v, ss3));
        if (_mm_movemask_epi8(_mm_andnot_si128(singleShift, inC1)) != 0)
            return true;
        highSeen = highSeen || _mm_movemask_epi8(v) != 0;
    }
#endif
    for (; i < length; ++i) {
        const Byte b = bytes[i];
        if (b < 0x80)
            continue;
        if (b <= 0x8D || (b >= 0x90 && b <= 0x9F))
            return true;
        highSeen = true;
    }
    return false;
}

/// Bytes 0x80..0x8D and 0x90..0x9F never occur in EUC-JP, so one of them decides Shift-JIS; a
/// head of only other high bytes is taken as EUC-JP.
TextCode EightBitTest(const Byte* bytes, std::size_t length, std::size_t firstHigh) {
    bool highSeen = false;
    if (HasShiftJisOnlyByte(bytes + firstHigh, length - firstHigh, highSeen))
        return TextCode::ShiftJis;
    return highSeen ? TextCode::Euc : TextCode::ShiftJis;
}

} // namespace

TextCode DetectCodeOf(const Byte* bytes, std::size_t length) {
    if (length > kExaminedHeadBytes)
        length = kExaminedHeadBytes;
    const std::size_t firstHigh = FirstHighByte(bytes, length);
    if (LooksLikeJis(bytes, length))
        return TextCode::Jis;
    if (firstHigh == length)
        return TextCode::ShiftJis;
    if (LooksLikeUtf8(bytes, length, firstHigh))
        return TextCode::Utf8;
    return EightBitTest(bytes, length, firstHigh);
}

Detection DetectTextCode(const Byte* bytes, std::size_t length) {
    if (length > kExaminedHeadBytes)
        length = kExaminedHeadBytes;
    if (length < 2)
        return {};
    return {DetectCodeOf(bytes, length), ScanLineEnds(bytes, length)};
}

std::size_t FirstHighOrEscape(const Byte* bytes, std::size_t length) {
    return FirstTelling(bytes, length, true);
}

TextCode EffectiveTextCode(TextCode detected, int codeSetting) {
    switch (codeSetting) {
    case 1:
        return TextCode::ShiftJis;
    case 2:
        return TextCode::Jis;
    case 3:
        return TextCode::Euc;
    default:
        return detected;
    }
}

} // namespace nelvix
