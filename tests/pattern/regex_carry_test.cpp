// Searching one text again and again from one character past each match, as the global find
// engine does: what one search carries to the next changes no match, and a long run of a
// repeated character is walked once instead of once for every start.
#include "pattern/regex_carry.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "base/cp932.h"
#include "pattern/find_pattern.h"

namespace nelvix {
namespace {

struct Found {
    std::size_t start = 0;
    std::size_t length = 0;
    bool operator==(const Found&) const = default;
};

void PrintTo(const Found& found, std::ostream* out) {
    *out << "{" << found.start << ", " << found.length << "}";
}

// Every match the engine takes from `text`: the leftmost at or after each start, the next start
// one character past it. The text lies in a block of exactly its size.
std::vector<Found> EveryMatch(const std::string& text, const std::string& pattern,
                              const SearchOptions& options, RegexCarry* carry) {
    const auto block = std::make_unique<Byte[]>(text.size());
    std::copy(text.begin(), text.end(), block.get());
    const Byte* end = block.get() + text.size();
    std::vector<Found> found;
    for (std::size_t start = 0; start < text.size();) {
        const std::optional<Match> match =
            FindPattern(block.get() + start, end, pattern, options, true, nullptr, carry);
        if (!match)
            break;
        const std::size_t at = start + match->offset;
        found.push_back({at, match->length});
        start = at + (IsLeadByte(block[at]) && at + 1 < text.size() ? 2 : 1);
    }
    return found;
}

constexpr SearchOptions kRegex{
    .caseSensitive = true, .widthSensitive = true, .regularExpression = true};

// Pieces that make runs, line ends, double-byte characters whose trail bytes look like "a" or
// "@", and a character that only folds to "a".
std::string RandomText(std::mt19937& random) {
    static const char* const kPieces[] = {
        "a",        "a",        "a",        "b",       "c",
        "\r\n",     "x",        "A",        "aaaa",    "aaaaaaaaaaaaaaaaaaaa",
        "\x82\xA0", "\x81\x40", "\x83\x61", "\x82\x81"};
    std::uniform_int_distribution<std::size_t> piece(0, std::size(kPieces) - 1);
    std::uniform_int_distribution<int> pieces(0, 120);
    std::string text;
    for (int count = pieces(random); count > 0; --count)
        text += kPieces[piece(random)];
    return text;
}

TEST(RegexCarry, SearchesFromEachMatchGiveTheMatchesTheyGaveWithoutIt) {
    std::vector<std::string> patterns;
    std::istringstream words(
        Sjis("a* a*a aa* a*b a*b* x* a*$ ^a* .* .*b ba* [ab]*c [^b]*b ab*a "
             "a*ba* [a-c]*$ ^.*a a*b*c* あ* a*あ あ*a a*a*a*a*a*a*a*a*a*a*a*a* "
             ".*.a*a .*xa*a a*b*a*b*a*b*a*b*a*b*a*b*"));
    for (std::string word; words >> word;)
        patterns.push_back(word);
    const SearchOptions optionSets[] = {
        kRegex,
        {.caseSensitive = false, .widthSensitive = true, .regularExpression = true},
        {.caseSensitive = false, .widthSensitive = false, .regularExpression = true},
        {.caseSensitive = true, .widthSensitive = false, .regularExpression = false}};
    std::mt19937 random(0xCA77);
    for (int round = 0; round < 150; ++round) {
        const std::string text = RandomText(random);
        for (const std::string& pattern : patterns) {
            for (const SearchOptions& options : optionSets) {
                RegexCarry carry;
                ASSERT_EQ(EveryMatch(text, pattern, options, &carry),
                          EveryMatch(text, pattern, options, nullptr))
                    << "pattern " << pattern << " text " << testing::PrintToString(text) << " case "
                    << options.caseSensitive << " width " << options.widthSensitive << " regex "
                    << options.regularExpression;
            }
        }
    }
}

TEST(RegexCarry, ALineOfAMegabyteOfAIsWalkedOnceForEachRepetition) {
    constexpr std::size_t kRun = 1'000'000;
    const std::string text = std::string(kRun, 'a') + "\r\n";
    struct Row {
        const char* pattern;
        std::size_t lastStart; ///< every start up to here matches, none after it
        std::size_t end;       ///< where every match ends
    };
    const Row rows[] = {
        {"a*", kRun - 1, kRun}, {"aa*", kRun - 1, kRun},    {"a*a", kRun - 1, kRun},
        {"a*$", kRun, kRun},    {".*", kRun + 1, kRun + 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pattern);
        RegexCarry carry;
        const std::vector<Found> found = EveryMatch(text, row.pattern, kRegex, &carry);
        std::size_t runMatches = 0;
        for (const Found& match : found)
            runMatches += match.start <= row.lastStart && match.start + match.length == row.end;
        ASSERT_GE(found.size(), row.lastStart + 1);
        EXPECT_EQ(runMatches, row.lastStart + 1);
        EXPECT_EQ(found[row.lastStart].start, row.lastStart);
        // A few characters for each start, not the rest of the run again.
        EXPECT_LE(carry.Steps(), 4 * text.size());
    }
}

} // namespace
} // namespace nelvix
