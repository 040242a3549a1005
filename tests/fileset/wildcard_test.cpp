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

class WildcardTable : public testing::TestWithParam<WildcardCase> {};

TEST_P(WildcardTable, Matches) {
    const WildcardCase& c = GetParam();
    EXPECT_EQ(WildcardMatch(c.pattern, c.fileName), c.matches);
}

// 0x8A 0xBF is a kanji; 0x83 0x41 and 0x83 0x61 are katakana whose trail bytes are 'A' and 'a'.
INSTANTIATE_TEST_SUITE_P(
    Names, WildcardTable,
    testing::Values(WildcardCase{"StarDotStarTakesANameWithoutADot", "*.*", "README", true},
                    WildcardCase{"StarDotStarTakesADotFile", "*.*", ".profile", true},
                    WildcardCase{"OtherExtension", "*.c", "a.h", false},
                    WildcardCase{"ExtensionWithoutRegardToCase", "*.TXT", "readme.txt", true},
                    WildcardCase{"NameDotStarTakesTheBareName", "README.*", "readme", true},
                    WildcardCase{"NameDotStarWantsTheWholeName", "README.*", "READMEX", false},
                    WildcardCase{"OnlyAFinalDotStarIsOptional", "*.c", "c", false},
                    WildcardCase{"StarReturnsToTheLastStar", "*ab*ab", "xabyab", true},
                    WildcardCase{"QuestionTakesOneDoubleByteCharacter", "?.txt", "\x8A\xBF.txt",
                                 true},
                    WildcardCase{"QuestionIsNotOneByte", "??.txt", "\x8A\xBF.txt", false},
                    WildcardCase{"TrailByteIsNotFoldedLikeALetter", "\x83\x41", "\x83\x61", false},
                    WildcardCase{"StarNeverStopsOnATrailByte", "*A", "\x83\x41", false},
                    WildcardCase{"QuestionTakesTheTrailWithIt", "?A", "\x83\x41", false},
                    WildcardCase{"FullWidthLettersKeepTheirCase", "\x82\x81", "\x82\x60", false}),
    [](const testing::TestParamInfo<WildcardCase>& row) { return std::string(row.param.name); });

} // namespace
} // namespace nelvix
