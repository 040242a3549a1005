// The matcher's entry point: the choice of strategy, and the plain search at whole characters;
// a pattern compiled once finds what the entry point finds.
#include "pattern/find_pattern.h"

#include <gtest/gtest.h>

#include "pattern/compiled_pattern.h"

#include <memory>
#include <random>
#include <span>
#include <string>

#include "base/cp932.h"

namespace nelvix {
namespace {

constexpr unsigned kFoldCase = 1;
constexpr unsigned kFoldWidth = 2;
constexpr unsigned kRegex = 4;
constexpr unsigned kMulti = 8;
constexpr unsigned kLast = 16;

// The text goes into a heap block of exactly its size, so that a read past it is caught.
std::optional<Match> Find(const std::string& text, const std::string& pattern, unsigned flags,
                          std::size_t* term = nullptr) {
    const auto block = std::make_unique<Byte[]>(text.size());
    std::copy(text.begin(), text.end(), block.get());
    SearchOptions options;
    options.caseSensitive = (flags & kFoldCase) == 0;
    options.widthSensitive = (flags & kFoldWidth) == 0;
    options.regularExpression = (flags & kRegex) != 0;
    options.multiText = (flags & kMulti) != 0;
    return FindPattern(block.get(), block.get() + text.size(), pattern, options,
                       (flags & kLast) == 0, term);
}

/// `count` pieces drawn at random, one after another.
std::string RandomPieces(std::span<const std::string> pieces, std::size_t count,
                         std::mt19937& random) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += pieces[random() % pieces.size()];
    return text;
}

struct Row {
    const char* name;
    std::string text;
    std::string pattern;
    unsigned flags;
    std::optional<Match> expected;
};

TEST(FindPattern, ChoosesTheStrategyFromTheOptions) {
    const Row rows[] = {
        {"PlainFoldsCase", "xxABC", "abc", kFoldCase, Match{2, 3}},
        {"PlainKeepsWidth", Sjis("ＡＢＣ"), "abc", kFoldCase, std::nullopt},
        {"FoldingWidthGoesThroughTheRegexPath", Sjis("xＡＢＣ"), "abc", kFoldCase | kFoldWidth,
         Match{1, 6}},
        {"FoldingWidthTakesRegexCharactersLiterally", "abc a.c", "a.c", kFoldWidth, Match{4, 3}},
        {"RegexOption", "xabc", "a.c", kRegex, Match{1, 3}},
        {"MultiTextAnyTerm", "xx bar foo", "foo or bar", kMulti, Match{3, 3}},
        {"MultiTextUnderWidthFoldingIsOneLiteral", "foo a or b", "a or b", kMulti | kFoldWidth,
         Match{4, 6}},
        {"EmptyPattern", "abc", "", 0, std::nullopt},
        {"EmptyText", "", "a", 0, std::nullopt},
        {"PatternLongerThanText", "ab", "abc", 0, std::nullopt},
        {"MatchAtTheVeryEnd", "xxabc", "abc", 0, Match{2, 3}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Find(row.text, row.pattern, row.flags), row.expected) << row.name;
}

TEST(FindPattern, ReportsTheMultiTextTermThatMatched) {
    std::size_t term = 99;
    EXPECT_EQ(Find("xx bar foo", "foo or bar", kMulti, &term), (Match{3, 3}));
    EXPECT_EQ(term, 1u);
}

// Stepping by whole characters, overlaps, the first and last of several and ASCII case meet a
// character-by-character reference on random texts below; full-width letters are not in it.
TEST(FindPlain, StepsByWholeCharacters) {
    const Row rows[] = {
        {"TrailByteIsNoAt", "\x81\x40", "@", 0, std::nullopt},
        {"TrailByteIsNoBackslash", Sjis("表"), "\\", 0, std::nullopt},
        {"FullWidthLettersFoldCase", Sjis("xａＢｃ"), Sjis("ＡｂＣ"), kFoldCase, Match{1, 6}},
        {"FullWidthCaseKeptWhenSensitive", Sjis("ａＢｃ"), Sjis("ＡｂＣ"), 0, std::nullopt},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Find(row.text, row.pattern, row.flags), row.expected) << row.name;
}

TEST(FindPlain, ConsidersOnlyTheGivenStartPositions) {
    const auto* text = reinterpret_cast<const Byte*>("xxab");
    EXPECT_EQ(FindPlain(text, text + 2, "ab", true, true), std::nullopt);
    EXPECT_EQ(FindPlain(text, text + 3, "ab", true, true), 2u);
}

// The memchr-driven search against the rule itself: every character position in turn, the
// pattern compared character by character.
std::optional<std::size_t> ReferencePlain(const std::string& text, const std::string& pattern,
                                          bool last, bool foldCase) {
    const auto fold = [&](char c) { return foldCase ? AsciiToLower(static_cast<Byte>(c)) : c; };
    std::optional<std::size_t> found;
    for (std::size_t p = 0; p + pattern.size() <= text.size();
         p += IsLeadByte(static_cast<Byte>(text[p])) ? 2 : 1) {
        bool equal = true;
        for (std::size_t i = 0; i < pattern.size() && equal; ++i)
            equal = fold(text[p + i]) == fold(pattern[i]);
        if (equal) {
            found = p;
            if (!last)
                break;
        }
    }
    return found;
}

TEST(FindPlain, AgreesWithCharacterByCharacterComparisonOnRandomTexts) {
    // Characters whose bytes recur as each other's trail and lead bytes.
    const std::string pieces[] = {"a",        "A",        "b",        "\x81\x81", "\x81\x41",
                                  "\x88\x9f", "\x9f\x88", "\x82\xa0", "\xa0",     "\r\n"};
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        const std::string text = RandomPieces(pieces, random() % 40, random);
        const std::string pattern = RandomPieces(pieces, 1 + random() % 3, random);
        const unsigned flags = random() % 2 != 0 ? kLast : 0u;
        const bool foldCase = random() % 2 != 0;
        const auto expected = ReferencePlain(text, pattern, flags == kLast, foldCase);
        const auto found = Find(text, pattern, flags | (foldCase ? kFoldCase : 0u));
        ASSERT_EQ(found.has_value(), expected.has_value()) << text << " / " << pattern;
        if (found) {
            ASSERT_EQ(found->offset, *expected) << text << " / " << pattern;
        }
    }
}

TEST(CompiledPattern, FoldingWithoutFoldableCharactersFindsWhatTheFoldingMatcherFinds) {
    // Kanji and hiragana whose bytes recur as each other's lead and trail bytes, beside the
    // half-width and full-width forms that folding joins.
    const std::string pieces[] = {"\x8c\x9f", "\x8d\xf5", "\x9f\x8d", "\x8c\x8c", "\x82\xa0",
                                  "\x82\x60", "\x82\x81", "A",        "a",        "\xb1",
                                  "\x83\x41", "\x81\x40", " ",        "\x9f"};
    const std::string foldFree[] = {"\x8c\x9f", "\x8d\xf5", "\x9f\x8d", "\x8c\x8c"};
    std::mt19937 random(11);
    for (int round = 0; round < 4000; ++round) {
        const std::string text = RandomPieces(pieces, random() % 40, random);
        const std::string pattern =
            RandomPieces(round % 4 == 0 ? std::span<const std::string>(pieces) : foldFree,
                         1 + random() % 3, random);
        const unsigned flags =
            kFoldWidth | (random() % 2 != 0 ? kFoldCase : 0u) | (random() % 2 != 0 ? kLast : 0u);
        SearchOptions options;
        options.caseSensitive = (flags & kFoldCase) == 0;
        options.widthSensitive = false;
        const CompiledPattern compiled(pattern, options);
        const auto block = std::make_unique<Byte[]>(text.size());
        std::copy(text.begin(), text.end(), block.get());
        const auto found =
            compiled.Find(block.get(), block.get() + text.size(), (flags & kLast) == 0);
        const auto expected = Find(text, pattern, flags);
        ASSERT_EQ(found.has_value(), expected.has_value()) << text << " / " << pattern;
        if (found) {
            ASSERT_EQ(found->offset, expected->offset) << text << " / " << pattern;
            ASSERT_EQ(found->length, expected->length) << text << " / " << pattern;
        }
    }
}

} // namespace
} // namespace nelvix
