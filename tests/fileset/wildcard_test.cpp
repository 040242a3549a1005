// Wildcard matching of file names: "*.*" for every name, "?" for one whole character, ASCII
// letters without regard to case and double-byte characters exactly.
#include "fileset/file_set.h"

#include <gtest/gtest.h>

namespace nelvix {
namespace {

struct WildcardCase {
    const char* name;
    std::string_view pattern;
    std::string_view fileName;
    bool matches;
};

// 0x8A 0xBF is a kanji; 0x83 0x41 and 0x83 0x61 are katakana whose trail bytes are 'A' and 'a'.
TEST(WildcardMatch, Matches) {
    const WildcardCase cases[] = {
        {"StarDotStarTakesANameWithoutADot", "*.*", "README", true},
        {"StarDotStarTakesADotFile", "*.*", ".profile", true},
        {"OtherExtension", "*.c", "a.h", false},
        {"ExtensionWithoutRegardToCase", "*.TXT", "readme.txt", true},
        {"NameDotStarTakesTheBareName", "README.*", "readme", true},
        {"NameDotStarWantsTheWholeName", "README.*", "READMEX", false},
        {"OnlyAFinalDotStarIsOptional", "*.c", "c", false},
        {"StarReturnsToTheLastStar", "*ab*ab", "xabyab", true},
        {"QuestionTakesOneDoubleByteCharacter", "?.txt", "\x8A\xBF.txt", true},
        {"QuestionIsNotOneByte", "??.txt", "\x8A\xBF.txt", false},
        {"TrailByteIsNotFoldedLikeALetter", "\x83\x41", "\x83\x61", false},
        {"StarNeverStopsOnATrailByte", "*A", "\x83\x41", false},
        {"QuestionTakesTheTrailWithIt", "?A", "\x83\x41", false},
        {"FullWidthLettersKeepTheirCase", "\x82\x81", "\x82\x60", false}};
    for (const WildcardCase& c : cases)
        EXPECT_EQ(WildcardMatch(c.pattern, c.fileName), c.matches) << c.name;
}

} // namespace
} // namespace nelvix
