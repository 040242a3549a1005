// Wildcard matching of file names, as the directory listings of the file sets need it.
#include "fileset/file_set.h"

#include "base/sjis.h"

namespace nelvix {
namespace {

/// One character of `text` from `offset`: its length in bytes (a lead byte takes its trail).
std::size_t CharLength(std::string_view text, std::size_t offset) {
    const auto* bytes = reinterpret_cast<const Byte*>(text.data());
    return NextCharOffset(bytes, text.size(), offset) - offset;
}

/// Whether the character `patternChar` stands for `nameChar`: single bytes compare without
/// regard to ASCII case; a double-byte character compares exactly, because its trail byte may
/// look like a letter (0x83 0x41 and 0x83 0x61 are different kana).
bool SameChar(std::string_view patternChar, std::string_view nameChar) {
    if (patternChar.size() != nameChar.size())
        return false;
    if (patternChar.size() == 1)
        return AsciiToLower(static_cast<Byte>(patternChar[0])) ==
               AsciiToLower(static_cast<Byte>(nameChar[0]));
    return patternChar == nameChar;
}

/// "*" takes any run of characters, "?" exactly one. Greedy with a return to the last star:
/// linear in practice, and never worse than pattern length times name length.
bool MatchStarsAndMarks(std::string_view pattern, std::string_view name) {
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starP = std::string_view::npos; // the pattern just after the last star
    std::size_t starN = 0;                      // where the name resumes when we return there
    while (n < name.size()) {
        const std::size_t nameLength = CharLength(name, n);
        if (p < pattern.size() && pattern[p] == '*') {
            starP = ++p;
            starN = n;
            continue;
        }
        if (p < pattern.size()) {
            const std::size_t patternLength = CharLength(pattern, p);
            if (pattern[p] == '?' ||
                SameChar(pattern.substr(p, patternLength), name.substr(n, nameLength))) {
                p += patternLength;
                n += nameLength;
                continue;
            }
        }
        if (starP == std::string_view::npos)
            return false;
        starN += CharLength(name, starN);
        p = starP;
        n = starN;
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

/// The length of `pattern` without a final "." followed only by stars, or npos when it has no
/// such ending.
std::size_t LengthBeforeDotStars(std::string_view pattern) {
    const std::size_t lastNonStar = pattern.find_last_not_of('*');
    if (lastNonStar == std::string_view::npos || lastNonStar + 1 == pattern.size() ||
        pattern[lastNonStar] != '.')
        return std::string_view::npos;
    return lastNonStar;
}

} // namespace

bool WildcardMatch(std::string_view pattern, std::string_view name) {
    if (MatchStarsAndMarks(pattern, name))
        return true;
    // A final ".*" may also stand for no extension at all, as the listings that the collections
    // come from treat it: "*.*" takes every name, "README.*" takes "README".
    const std::size_t stem = LengthBeforeDotStars(pattern);
    return stem != std::string_view::npos && MatchStarsAndMarks(pattern.substr(0, stem), name);
}

} // namespace nelvix
