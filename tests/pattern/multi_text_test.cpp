// Multi-text patterns: the splitter, the operators, finding any term and the AND / OR test over
// a text and over a file read in pieces.
#include "pattern/multi_text.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/cp932.h"
#include "support/test_files.h"

namespace nelvix {
namespace {

using Words = std::vector<std::string>;

TEST(SplitMultiText, SplitsAtSpacesWithQuotedSections) {
    const std::string word255(255, 'x');
    const struct {
        const char* name;
        std::string text;
        std::size_t maxWords;
        Words expected;
    } rows[] = {
        {"SpacesSeparateAndAreSkipped", "  abc   def ", 20, {"abc", "def"}},
        {"QuotedSpaceBelongsToTheWord", "\"a b\" or c", 20, {"a b", "or", "c"}},
        {"DoubledQuoteInsideQuotes", "\"say \"\"hi\"\"\" x", 20, {"say \"hi\"", "x"}},
        {"QuotedSectionMidWord", "ab\"c d\"e f", 20, {"abc de", "f"}},
        {"QuotedEmptyWordEndsTheList", "a \"\" b", 20, {"a"}},
        {"UnclosedQuoteRunsToTheEnd", "a \"b c", 20, {"a", "b c"}},
        {"WordOf255Bytes", word255 + " b", 20, {word255, "b"}},
        {"WordOf256BytesEndsTheList", "a " + word255 + "x b", 20, {"a"}},
        {"AtMostMaxWords", "a b c d", 3, {"a", "b", "c"}},
        {"OnlySpaces", "   ", 20, {}},
        {"DoubleByteWords", Sjis("検索 または"), 20, {Sjis("検索"), Sjis("または")}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(SplitMultiText(row.text, row.maxWords), row.expected) << row.name;
}

TEST(ParseMultiTextOperators, ReadsTermOperatorTerm) {
    using enum MultiTextOperator;
    const struct {
        const char* name;
        Words words;
        Words terms;
        std::vector<MultiTextOperator> operators;
    } rows[] = {
        {"NoOperatorSearchesOnlyTheFirst", {"abc", "def"}, {"abc"}, {}},
        {"OrSearchesBoth", {"abc", "or", "def"}, {"abc", "def"}, {Or}},
        {"OperatorsInAnyCase", {"a", "AND", "b", "Or", "c"}, {"a", "b", "c"}, {And, Or}},
        {"OtherWordEndsTheList", {"a", "and", "b", "c", "d"}, {"a", "b"}, {And}},
        {"TrailingOperatorIsDropped", {"a", "and"}, {"a"}, {}},
        {"OperatorWordAsATerm", {"and", "or", "b"}, {"and", "b"}, {Or}},
        {"FullWidthIsNoOperator", {"a", Sjis("ａｎｄ"), "b"}, {"a"}, {}},
        {"NoWords", {}, {}, {}},
    };
    for (const auto& row : rows) {
        const MultiTextTerms parsed = ParseMultiTextOperators(row.words);
        EXPECT_EQ(parsed.terms, row.terms) << row.name;
        EXPECT_EQ(parsed.operators, row.operators) << row.name;
    }
}

// The text goes into a heap block of exactly its size, so that a read past it is caught.
std::unique_ptr<Byte[]> Block(const std::string& text) {
    auto block = std::make_unique<Byte[]>(text.size());
    std::copy(text.begin(), text.end(), block.get());
    return block;
}

TEST(FindMultiText, HitsOnAnyTermFirstInOrderAtAPlace) {
    const struct {
        const char* name;
        std::string text;
        std::string pattern;
        bool firstOnly;
        bool caseSensitive;
        std::optional<std::array<std::size_t, 3>> expected; // offset, length, term
    } rows[] = {
        {"OperatorsPlayNoPart", "xx bar", "foo and bar", true, true, {{3, 3, 1}}},
        {"FirstTermInOrderAtAPlace", "foobar", "foo or foob", true, true, {{0, 3, 0}}},
        {"LongerTermFirst", "foobar", "foob or foo", true, true, {{0, 4, 0}}},
        {"EarliestPlaceWins", "b a", "a or b", true, true, {{0, 1, 1}}},
        {"LastHit", "foo bar foo x", "bar or foo", false, true, {{8, 3, 1}}},
        {"CaseFolded", "xFOO", "foo", true, false, {{1, 3, 0}}},
        {"CaseKept", "xFOO", "foo", true, true, std::nullopt},
        {"QuotedTermWithASpace", "c a b", "\"a b\" or c", false, true, {{2, 3, 0}}},
        {"TermAtTheVeryEnd", "xxab", "q or ab", true, true, {{2, 2, 1}}},
        {"TermPastTheEnd", "xxa", "ab", true, true, std::nullopt},
        {"TrailByteStartsNoTerm", "\x81\x40", "@ or x", true, true, std::nullopt},
        {"EmptyPattern", "abc", "", true, true, std::nullopt},
    };
    for (const auto& row : rows) {
        const auto block = Block(row.text);
        const auto found = FindMultiText(block.get(), row.text.size(), row.pattern, row.firstOnly,
                                         row.caseSensitive);
        ASSERT_EQ(found.has_value(), row.expected.has_value()) << row.name;
        if (found) {
            const std::array<std::size_t, 3> got{found->offset, found->length, found->term};
            EXPECT_EQ(got, *row.expected) << row.name;
        }
    }
}

TEST(MultiTextTextTest, EvaluatesAndOrWithEqualPrecedence) {
    const struct {
        const char* name;
        std::string text;
        std::string pattern;
        bool expected;
    } rows[] = {
        {"OneTermAlwaysQualifies", "xyz", "foo", true},
        {"OnlyOrAlwaysQualifies", "xyz", "foo or bar", true},
        {"AndMissingOne", "foo", "foo and bar", false},
        {"AndHavingBoth", "bar\r\nfoo", "foo and bar", true},
        {"OrThenAndMissingTheLast", "a", "a or b and c", false},
        {"OrThenAndHavingTheLast", "b c", "a or b and c", true},
        {"AndThenOrHavingTheLast", "c", "a and b or c", true},
        {"AndThenOrHavingOnlyTheFirst", "a", "a and b or c", false},
        {"OnlyTheFirstTermInOrderIsMarked", "abc", "abc and ab", false},
        {"LaterTermElsewhere", "abc ab", "abc and ab", true},
        {"CaseFolded", "FOO BAR", "foo and bar", true},
    };
    for (const auto& row : rows) {
        const auto block = Block(row.text);
        EXPECT_EQ(MultiTextTextTest(block.get(), row.text.size(), row.pattern, false), row.expected)
            << row.name;
    }
}

TEST(MultiTextFileTest, ReadsTheFileInPiecesCutAtLineEnds) {
    const std::string line = "0123456789 abcdefghijklmnopqrstuvwxyz 0123456789\r\n";
    std::string lines;
    while (lines.size() < 70'000)
        lines += line;
    const std::string noCr(65'535, 'x');
    const struct {
        const char* name;
        std::string content;
        std::string pattern;
        bool expected;
    } rows[] = {
        {"WordsInDifferentPieces", "foo\r\n" + lines + "bar\r\n", "foo and bar", true},
        {"OneWordMissing", "foo\r\n" + lines, "foo and bar", false},
        // The piece without CR ends on the lead byte 0x88: it starts the next piece.
        {"CharacterAcrossACutWithoutCr", noCr + "\x88\x40", "x and @", false},
        {"CharacterBeforeACutWithoutCr", noCr + "\x88\x9f@", "x and @", true},
        {"EmptyFile", "", "foo and bar", false},
    };
    test::TempDir dir;
    for (const auto& row : rows) {
        const std::string path = dir.Write("file.txt", row.content);
        EXPECT_EQ(MultiTextFileTest(path, row.pattern, true), row.expected) << row.name;
    }
    EXPECT_TRUE(MultiTextFileTest(dir.PathOf("missing.txt"), "foo and bar", true));
    EXPECT_TRUE(MultiTextFileTest(dir.Path(), "foo and bar", true)) << "a folder";
}

} // namespace
} // namespace nelvix
