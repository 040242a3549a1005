// Testing a line against a rule list: the options handed to the pattern search (whose own rules
// are the pattern tests'), the search range, and the order of the entries.
#include "extract/rule_matching.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "base/cp932.h"
#include "extract/extraction_fakes.h"

namespace nelvix {
namespace {

using test::Entry;
using test::List;

struct MatchCase {
    const char* name;
    RuleList list;
    std::string utf8Line;
    bool caseSensitive;
    bool widthSensitive;
    bool useRegex;
    std::optional<std::size_t> expected;
};

TEST(MatchRuleList, FindsTheFirstEntryAnywhereInTheLine) {
    const MatchCase cases[] = {
        {"EmptyListNeverMatches", {}, "abc\r\n", false, true, false, std::nullopt},
        {"EmptyLineNeverMatches", List({Entry("a", 0)}), "", false, true, false, std::nullopt},
        {"EntryInTheMiddle", List({Entry("題名", 0)}), "    題名：会議\r\n", false, true, false,
         0u},
        {"EntryAtTheVeryEnd", List({Entry("xyz", 0)}), "abcxyz", false, true, false, 0u},
        {"EntryLongerThanTheLine", List({Entry("abcdef", 0)}), "abc", false, true, false,
         std::nullopt},
        {"FirstEntryInListOrderWins", List({Entry("z", 0), Entry("b", 0), Entry("a", 0)}), "ab\r\n",
         false, true, false, 1u},
        {"CaseFoldedByDefault", List({Entry("mail", 0)}), "MAIL FROM\r\n", false, true, false, 0u},
        {"CaseKeptWhenAsked", List({Entry("mail", 0)}), "MAIL FROM\r\n", true, true, false,
         std::nullopt},
        {"WidthsDifferByDefault", List({Entry("ABC", 0)}), "ＡＢＣ\r\n", true, true, false,
         std::nullopt},
        {"WidthsFoldedWhenAsked", List({Entry("ABC", 0)}), "ＡＢＣ\r\n", true, false, false, 0u},
        {"FoldedWidthMatchesAShorterLine", List({Entry("ＡＢＣ", 0)}), "ABC", true, false, false,
         0u},
        {"RegexDotIsAnyCharacter", List({Entry("a.c", 0)}), "xa字c\r\n", false, true, true, 0u},
        {"WithoutRegexADotIsADot", List({Entry("a.c", 0)}), "abc\r\n", false, false, false,
         std::nullopt},
    };
    for (const MatchCase& c : cases) {
        SCOPED_TRACE(c.name);
        ExtractionRules rules;
        rules.caseSensitive = c.caseSensitive;
        rules.widthSensitive = c.widthSensitive;
        rules.useRegex = c.useRegex;
        EXPECT_EQ(MatchRuleList(c.list, Sjis(c.utf8Line), rules), c.expected);
    }
}

TEST(MatchRuleList, LineThatCannotBeHadNeverMatches) {
    const RuleList list = List({Entry("a", 0)});
    const RuleListMatcher matcher(list, SearchOptions{});
    EXPECT_EQ(matcher.Match(std::nullopt), std::nullopt);
    EXPECT_EQ(matcher.Match("a"), 0u);
}

TEST(MatchRuleList, EmptyEntryTextNeverMatches) {
    RuleList list;
    list.count = 1; // as a stored record can give it
    ExtractionRules rules;
    EXPECT_EQ(MatchRuleList(list, "abc", rules), std::nullopt);
    rules.useRegex = true;
    EXPECT_EQ(MatchRuleList(list, "abc", rules), std::nullopt);
}

TEST(MatchRuleList, CountBeyondTheSlotsIsHeldToThem) {
    RuleList list = List({Entry("q", 0)});
    list.count = 99;
    ExtractionRules rules;
    EXPECT_EQ(MatchRuleList(list, "abc", rules), std::nullopt);
    EXPECT_EQ(MatchRuleList(list, "q", rules), 0u);
}

} // namespace
} // namespace nelvix
