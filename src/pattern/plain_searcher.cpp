// Literal search at whole-character positions, driven by memchr on the pattern's rarest byte.
#include "pattern/plain_searcher.h"

#include <array>
#include <cstring>

#include "pattern/char_compare.h"

namespace nelvix {

namespace {

// A rough frequency rank of each byte in Japanese Shift-JIS text with some ASCII (prose, logs,
// source): higher is more frequent. memchr on a frequent byte (the hiragana lead 0x82) would
// stop every few bytes, so the pattern byte with the lowest rank is the one scanned for.
constexpr std::array<Byte, 256> BuildByteRank() {
    std::array<Byte, 256> rank{};
    for (std::size_t b = 0x21; b <= 0x7E; ++b)
        rank[b] = 90; // ASCII punctuation, also trail bytes of katakana and kanji
    for (std::size_t b = '0'; b <= '9'; ++b)
        rank[b] = 100;
    for (std::size_t b = 'A'; b <= 'Z'; ++b)
        rank[b] = 70;
    // Lower-case letters by their English frequency, "e" most frequent.
    const std::string_view byFrequency = "etaoinsrhldcumfpgwybvkxjqz";
    for (std::size_t i = 0; i < byFrequency.size(); ++i)
        rank[static_cast<Byte>(byFrequency[i])] = static_cast<Byte>(160 - 3 * i);
    for (const char b : {'@', '[', '\\', ']', '^', '`', '{', '|', '}', '~'})
        rank[static_cast<Byte>(b)] = 60;
    rank['\t'] = 60;
    rank[' '] = 200;
    rank[kCr] = 180;
    rank[kLf] = 180;
    rank[0x80] = 40;
    for (std::size_t b = 0x88; b <= 0x9F; ++b)
        rank[b] = 120; // kanji leads, level 1 and the start of level 2
    for (std::size_t b = 0xA0; b <= 0xDF; ++b)
        rank[b] = 90; // hiragana trails and half-width katakana
    for (std::size_t b = 0xE0; b <= 0xEA; ++b)
        rank[b] = 80; // kanji leads of level 2, also hiragana trails
    for (std::size_t b = 0xEB; b <= 0xFC; ++b)
        rank[b] = 40;
    rank[0x81] = 230; // symbols and the ideographic space
    rank[0x82] = 250; // hiragana and full-width letters
    rank[0x83] = 210; // katakana
    return rank;
}

constexpr std::array<Byte, 256> kByteRank = BuildByteRank();

bool IsFullWidthLetter(Byte lead, Byte trail) {
    return lead == 0x82 && ((trail >= 0x60 && trail <= 0x79) || (trail >= 0x81 && trail <= 0x9A));
}

Byte OtherFullWidthCase(Byte trail) {
    return static_cast<Byte>(trail <= 0x79 ? trail + 0x21 : trail - 0x21);
}

// True when `pos` starts a character, `known` (≤ pos) being a boundary. A byte that cannot be a
// lead byte always ends a character; from there to `pos` every byte is a lead byte that takes
// the next, so the parity of that run decides.
bool StartsChar(const Byte* known, const Byte* pos) {
    const Byte* runStart = pos;
    while (runStart > known && IsLeadByte(runStart[-1]))
        --runStart;
    return ((pos - runStart) & 1) == 0;
}

const Byte* FindByte(const Byte* from, const Byte* end, Byte b) {
    return static_cast<const Byte*>(std::memchr(from, b, static_cast<std::size_t>(end - from)));
}

} // namespace

PlainSearcher::PlainSearcher(std::string_view pattern, bool caseSensitive)
    : m_pattern(pattern), m_bytes(reinterpret_cast<const Byte*>(pattern.data())),
      m_caseSensitive(caseSensitive) {
    std::size_t i = 0;
    while (i < pattern.size() && !(IsLeadByte(m_bytes[i]) && i + 1 == pattern.size()))
        i += IsLeadByte(m_bytes[i]) ? 2 : 1;
    m_canMatch = !pattern.empty() && i == pattern.size();
    if (!m_canMatch)
        return;

    // Each pattern byte stands for one text byte, or two for a letter under case folding.
    int bestRank = 1000;
    const auto consider = [&](std::size_t offset, Byte needle, Byte otherCase, bool two) {
        const int rank = kByteRank[needle] + (two ? kByteRank[otherCase] : 0);
        if (rank < bestRank) {
            bestRank = rank;
            m_needleOffset = offset;
            m_needle = needle;
            m_otherCase = otherCase;
            m_twoNeedles = two;
        }
    };
    for (i = 0; i < pattern.size();) {
        const Byte b = m_bytes[i];
        if (IsLeadByte(b)) {
            const Byte trail = m_bytes[i + 1];
            consider(i, b, b, false);
            const bool folds = !caseSensitive && IsFullWidthLetter(b, trail);
            consider(i + 1, trail, folds ? OtherFullWidthCase(trail) : trail, folds);
            i += 2;
        } else {
            const bool folds = !caseSensitive && IsAsciiAlpha(b);
            consider(i, b, folds ? static_cast<Byte>(b ^ 0x20) : b, folds);
            ++i;
        }
    }
}

bool PlainSearcher::Equals(const Byte* at) const {
    const std::size_t length = m_pattern.size();
    if (m_caseSensitive)
        return std::memcmp(at, m_bytes, length) == 0;
    for (std::size_t i = 0; i < length;) {
        const Byte b = m_bytes[i];
        if (IsLeadByte(b)) {
            if (at[i] != b)
                return false;
            const auto code = static_cast<CharCode>(b << 8 | m_bytes[i + 1]);
            const auto textCode = static_cast<CharCode>(b << 8 | at[i + 1]);
            if (FoldCase(code) != FoldCase(textCode))
                return false;
            i += 2;
        } else {
            // A letter's other case is never a lead byte, so the text character is one byte too.
            if (AsciiToLower(at[i]) != AsciiToLower(b))
                return false;
            ++i;
        }
    }
    return true;
}

const Byte* PlainSearcher::Next(const Byte* from, const Byte* endOfStarts,
                                const Byte* textEnd) const {
    const std::size_t length = m_pattern.size();
    if (!m_canMatch || textEnd - from < static_cast<std::ptrdiff_t>(length))
        return nullptr;
    if (textEnd - endOfStarts < static_cast<std::ptrdiff_t>(length - 1))
        endOfStarts = textEnd - (length - 1);
    if (from >= endOfStarts)
        return nullptr;

    const Byte* known = from;
    const Byte* scanEnd = endOfStarts + m_needleOffset;
    const Byte* nextA = FindByte(from + m_needleOffset, scanEnd, m_needle);
    const Byte* nextB =
        m_twoNeedles ? FindByte(from + m_needleOffset, scanEnd, m_otherCase) : nullptr;
    while (nextA != nullptr || nextB != nullptr) {
        const Byte* hit = nextB == nullptr || (nextA != nullptr && nextA < nextB) ? nextA : nextB;
        const Byte* start = hit - m_needleOffset;
        if (Equals(start)) {
            if (StartsChar(known, start))
                return start;
            known = start + 1; // `start` is a trail byte, so the next byte starts a character
        }
        if (hit == nextA)
            nextA = FindByte(hit + 1, scanEnd, m_needle);
        else
            nextB = FindByte(hit + 1, scanEnd, m_otherCase);
    }
    return nullptr;
}

} // namespace nelvix
