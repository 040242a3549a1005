// The regular-expression engine: compiling, greedy matching with backtracking, the budget,
// anchors, classes, limits and width folding.
#include "pattern/find_pattern.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "base/cp932.h"
#include "pattern/regex_matcher.h"

namespace nelvix {
namespace {

constexpr unsigned kRegex = 1;
constexpr unsigned kFoldCase = 2;
constexpr unsigned kFoldWidth = 4;
constexpr unsigned kLast = 8;

// The text goes into a heap block of exactly its size, so that a read past it is caught.
std::optional<Match> Find(const std::string& text, const std::string& pattern, unsigned flags) {
    const auto block = std::make_unique<Byte[]>(text.size());
    std::copy(text.begin(), text.end(), block.get());
    return FindRegex(block.get(), block.get() + text.size(), pattern, (flags & kLast) == 0,
                     (flags & kFoldCase) == 0, (flags & kRegex) != 0, (flags & kFoldWidth) == 0);
}

std::string Repeat(const std::string& piece, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += piece;
    return text;
}

struct Row {
    const char* name;
    std::string text;
    std::string pattern;
    unsigned flags;
    std::optional<Match> expected;
};

template <std::size_t N> void CheckRows(const Row (&rows)[N]) {
    for (const Row& row : rows)
        EXPECT_EQ(Find(row.text, row.pattern, row.flags), row.expected) << row.name;
}

TEST(FindRegex, FoldsWidthAndCaseAsTheOptionsSay) {
    const Row rows[] = {
        {"AsciiFindsCapitals", "xABC", "abc", kFoldCase | kFoldWidth, Match{1, 3}},
        {"AsciiFindsFullWidthCapitals", Sjis("xＡＢＣ"), "abc", kFoldCase | kFoldWidth,
         Match{1, 6}},
        {"WidthFoldedButCaseKept", Sjis("Ａa"), "a", kFoldWidth, Match{2, 1}},
        {"HiraganaFindsHalfWidth", Sjis("xｱ"), Sjis("あ"), kFoldWidth, Match{1, 1}},
        {"HalfWidthFindsKatakana", Sjis("xア"), Sjis("ｱ"), kFoldWidth, Match{1, 2}},
        {"VoicedFindsPlain", Sjis("xガ"), Sjis("か"), kFoldWidth, Match{1, 2}},
        {"HalfWidthPairIsNotOneVoicedLetter", Sjis("ガ"), Sjis("ｶﾞ"), kFoldWidth, std::nullopt},
        {"VoicedLetterFindsTheHalfWidthLetterAlone", Sjis("ｶﾞ"), Sjis("ガ"), kFoldWidth,
         Match{0, 1}},
        {"FullWidthCaseOnRegexPath", Sjis("Ａ"), Sjis("ａ"), kRegex | kFoldCase, Match{0, 2}},
        {"NoFoldingWhenSensitive", Sjis("Ａ"), "a", kRegex | kFoldCase, std::nullopt},
        {"TrailByteIsNoAt", "\x81\x40", "@", kFoldWidth, std::nullopt},
        {"FullWidthSpaceIsASpace", "\x81\x40", " ", kFoldWidth, Match{0, 2}},
        {"LiteralModeIgnoresOperators", "a.c[x]^$*", "a.c[x]^$*", kFoldWidth, Match{0, 9}},
    };
    CheckRows(rows);
}

TEST(FindRegex, CompilesEscapesAnchorsAndOperators) {
    const Row rows[] = {
        {"EscapedDotIsADot", "abc a.c", "a\\.c", kRegex, Match{4, 3}},
        {"EscapedBackslash", "a\\b", "\\\\", kRegex, Match{1, 1}},
        {"TrailingBackslashIsLiteral", "a\\", "a\\", kRegex, Match{0, 2}},
        {"TrailByteFiveCIsNoEscape", Sjis("x表示"), Sjis("表示"), kRegex, Match{1, 4}},
        {"StarAtTheStartIsLiteral", "xa*a", "*a", kRegex, Match{2, 2}},
        {"PlusAtTheStartIsLiteral", "x+a", "+a", kRegex, Match{1, 2}},
        {"StarAfterTheStartAnchorIsLiteral", "*a\r\n*a", "^*a", kRegex | kLast, Match{4, 2}},
        {"SecondStarChangesNothing", "aaab", "a**b", kRegex, Match{0, 4}},
        {"PlusIsOneOrMore", "baa", "a+", kRegex, Match{1, 2}},
        {"PlusNeedsOne", "bc", "ba+c", kRegex, std::nullopt},
        {"CaretNotFirstIsLiteral", "a^b", "a^b", kRegex, Match{0, 3}},
        {"DollarNotLastIsLiteral", "a$b", "a$b", kRegex, Match{0, 3}},
        {"OnlyOneAnchor", "abc$\r\n", "^abc$", kRegex, Match{0, 4}},
        {"StrayBracketIsLiteral", "a]", "a]", kRegex, Match{0, 2}},
        {"StrayDashIsLiteral", "a-b", "a-b", kRegex, Match{0, 3}},
        {"DotTakesAWholeCharacter", Sjis("aあb"), "a.b", kRegex, Match{0, 4}},
        {"DotTakesCrAndLf", "a\r\nb", "a..b", kRegex, Match{0, 4}},
        {"DotNeverTakesALoneLeadByte", "a\x82", ".", kRegex | kLast, Match{0, 1}},
        {"LimitOf80Bytes", Repeat("a", 90), Repeat("a", 80), kRegex, Match{0, 80}},
        {"Over80BytesNeverMatches", Repeat("a", 90), Repeat("a", 81), kRegex, std::nullopt},
        {"Over80BytesAlsoWhenFoldingWidth", Repeat("a", 90), Repeat("a", 81), kFoldWidth,
         std::nullopt},
        {"EmptyPattern", "abc", "", kRegex, std::nullopt},
    };
    CheckRows(rows);
}

TEST(FindRegex, MatchesClasses) {
    const Row rows[] = {
        {"RangeRepeated", "az a12z", "a[0-9]+z", kRegex, Match{3, 4}},
        {"RangeNeedsOne", "az", "a[0-9]+z", kRegex, std::nullopt},
        {"NegatedNeverMatchesItsCharacter", "aaa", "[^a]", kRegex, std::nullopt},
        {"NegatedMatchesOthers", "ab", "[^a]", kRegex, Match{1, 1}},
        {"NegatedRange", "12a", "[^0-9]", kRegex, Match{2, 1}},
        {"StarAfterClass", "xabbay", "x[ab]*y", kRegex, Match{0, 6}},
        {"ChainedRanges", "xdq", "[a-c-e]+", kRegex, Match{1, 1}},
        {"DashAtTheEdgesIsLiteral", "x-", "[a-]", kRegex, Match{1, 1}},
        {"EscapedBracketInside", "a]", "[\\]]", kRegex, Match{1, 1}},
        {"UnclosedRunsToTheEnd", "xb", "[ab", kRegex, Match{1, 1}},
        {"EmptyClassMatchesNothing", "ab", "[]", kRegex, std::nullopt},
        {"KanaRange", Sjis("xイ"), Sjis("[ア-オ]"), kRegex, Match{1, 2}},
        {"KanaRangeFoldedToHalfWidth", Sjis("xｲ"), Sjis("[ア-オ]"), kRegex | kFoldWidth,
         Match{1, 1}},
        {"RangeFoldsCase", "1q", "[A-Z]", kRegex | kFoldCase, Match{1, 1}},
        // In byte order 0x7E < 0x81 0x40 < 0xB1: the full-width space lies between ~ and ｱ.
        {"RangeInByteOrder", Sjis("　"), Sjis("[~-ｱ]"), kRegex, Match{0, 2}},
    };
    CheckRows(rows);
}

TEST(FindRegex, ChecksAnchorsOnEveryCompletedMatch) {
    const Row rows[] = {
        {"StartOfText", "abc", "^abc", kRegex, Match{0, 3}},
        {"AfterCrLf", "x\r\nabc", "^abc", kRegex, Match{3, 3}},
        {"NotAfterALoneLf", "x\nabc", "^abc", kRegex, std::nullopt},
        {"NotMidLine", "xabc", "^abc", kRegex, std::nullopt},
        {"LastLineStart", "a\r\na\r\nb", "^a", kRegex | kLast, Match{3, 1}},
        {"EndBeforeCrLf", "abc\r\nx", "abc$", kRegex, Match{0, 3}},
        {"EndOfText", "xabc", "abc$", kRegex, Match{1, 3}},
        {"NotBeforeALoneCr", "abc\rx", "abc$", kRegex, std::nullopt},
        {"ScanningGoesOnAfterAFailedMatch", "abab", "ab$", kRegex, Match{2, 2}},
        {"CompletedByBacktracking", "a1a2\r\n", "a.*[0-9]$", kRegex, Match{0, 4}},
        {"StartAnchorAlone", "ab", "^", kRegex, Match{0, 0}},
        {"EndAnchorAlone", "ab\r\ncd", "$", kRegex, Match{2, 0}},
    };
    CheckRows(rows);
}

TEST(FindRegex, RepeatsGreedilyAndBacktracksOverTheLastRepetition) {
    const Row rows[] = {
        {"EmptyMatchAtTheFirstPosition", "abc", "x*", kRegex, Match{0, 0}},
        {"EmptyMatchEndsTheLastMatchSearch", "abc", "x*", kRegex | kLast, Match{0, 0}},
        {"GreedyToTheLastPlace", "xaxbxb", "a.*b", kRegex, Match{1, 5}},
        {"KeepsTheLastPlaceOfTheRest", "aaab", "a*aa", kRegex, Match{0, 3}},
        {"TextEndIsBacktracked", "aaa", "a*a", kRegex, Match{0, 3}},
        {"RepetitionAtTheTextEndMatchesNothing", "xa", "ab*", kRegex, std::nullopt},
        {"RepetitionBeforeALineEnd", "xa\r\n", "ab*", kRegex, Match{1, 1}},
        {"LastMatchesDoNotOverlap", "aaa", "aa", kRegex | kLast, Match{0, 2}},
        {"LastOfSeveral", "ab ab", "ab", kRegex | kLast, Match{3, 2}},
        {"OnlyTheLastRepetitionIsBacktracked", "aab", "a*a*ab", kRegex, std::nullopt},
    };
    CheckRows(rows);
}

TEST(FindRegex, StaysWithinTheBacktrackingBudget) {
    const std::string manyA = Repeat("a", 20000);
    const std::string tower = "a*a*a*a*a*a*a*a*a*a*a*b";
    // Each "ac" costs one backtracking attempt; "aab" needs one more to match.
    const Row rows[] = {
        {"TowerOnARunOfA", manyA, tower, kRegex, std::nullopt},
        {"TowerOnALineOfA", manyA + "\r\n", tower, kRegex, std::nullopt},
        {"TowerMatchesTheWholeRun", manyA + "b", tower, kRegex, Match{0, 20001}},
        {"TenthAttemptStillMatches", Repeat("ac", 9) + "aab", "a*ab", kRegex, Match{18, 3}},
        {"EleventhAttemptFails", Repeat("ac", 10) + "aab", "a*ab", kRegex, std::nullopt},
        {"DirectMatchNeedsNoBudget", Repeat("ac", 20) + "ab", "a*b", kRegex, Match{40, 2}},
    };
    CheckRows(rows);

    RegexProgram program;
    ASSERT_TRUE(program.Compile(tower, true, true, true));
    const auto* text = reinterpret_cast<const Byte*>(manyA.data());
    RegexMatcher matcher(program, text, text + manyA.size());
    EXPECT_EQ(matcher.Find(true), std::nullopt);
    EXPECT_LE(matcher.Calls(), kMatchCallBudget);
}

} // namespace
} // namespace nelvix
