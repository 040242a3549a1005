// The operation record of a global find: its byte layout, round trips at the length limits,
// records of older runs without the last two fields, and the records that are refused.
#include "store/global_find_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/cp932.h"

namespace nelvix {
namespace {

std::vector<Byte> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

TEST(GlobalFindRecord, LayoutIsFlagsPatternSpecificationFlags) {
    const GlobalFindParameters parameters{true, false, "ab", "/x/*.c", true, false};
    EXPECT_EQ(SerializeGlobalFindRecord(parameters),
              Bytes(std::string("\1\0\0\0\0\0\0\0ab\0/x/*.c\0\1\0\0\0\0\0\0\0", 26)));
}

TEST(GlobalFindRecord, RoundTrips) {
    const GlobalFindParameters cases[] = {
        {false, false, "a", "/*.*", false, false},
        {true, true, Sjis("検索語"), Sjis("\"/my dir\"/*.txt *.h"), true, true},
        {false, true, std::string(kMaxPatternBytes, 'p'), "/" + std::string(kMaxPathBytes - 1, 's'),
         false, true},
        {true, false, "", "", true, false},
    };
    for (const GlobalFindParameters& parameters : cases)
        EXPECT_EQ(ParseGlobalFindRecord(SerializeGlobalFindRecord(parameters)), parameters)
            << parameters.pattern;
}

TEST(GlobalFindRecord, StringsEndAtTheirFirstNul) {
    const GlobalFindParameters parameters{false, false, std::string("ab\0cd", 5),
                                          "/x",  false, false};
    const auto parsed = ParseGlobalFindRecord(SerializeGlobalFindRecord(parameters));
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->pattern, "ab");
    EXPECT_EQ(parsed->specification, "/x");
}

TEST(GlobalFindRecord, MissingOrPartialLastFieldsReadAsZero) {
    const std::string head("\0\0\0\0\1\0\0\0p\0/s\0", 13);
    struct Case {
        std::string tail;
        bool width;
        bool regex;
    };
    const Case cases[] = {
        {"", false, false},
        {std::string("\1\0", 2), false, false},
        {std::string("\1\0\0\0", 4), true, false},
        {std::string("\1\0\0\0\1\0", 6), true, false},
        {std::string("\0\0\0\0\0\0\0\2", 8), false, true},
        {std::string("\1\0\0\0\1\0\0\0trailing", 16), true, true},
    };
    for (const Case& c : cases) {
        const auto parsed = ParseGlobalFindRecord(Bytes(head + c.tail));
        ASSERT_TRUE(parsed) << c.tail.size();
        EXPECT_EQ(parsed->widthSensitive, c.width) << c.tail.size();
        EXPECT_EQ(parsed->regularExpression, c.regex) << c.tail.size();
        EXPECT_TRUE(parsed->caseSensitive);
        EXPECT_EQ(parsed->specification, "/s");
    }
}

TEST(GlobalFindRecord, DamagedRecordsAreRefused) {
    const std::string flags(8, '\0');
    const std::string cases[] = {
        "",
        std::string(7, '\0'),
        flags,
        flags + "pattern",
        flags + std::string("p\0/spec", 7),
        flags + std::string(kMaxPatternBytes + 1, 'p') + std::string("\0/s\0", 4),
        flags + std::string("p\0", 2) + std::string(kMaxPathBytes + 1, 's') + std::string(1, '\0'),
    };
    for (const std::string& record : cases)
        EXPECT_FALSE(ParseGlobalFindRecord(Bytes(record))) << record.size();
}

} // namespace
} // namespace nelvix
