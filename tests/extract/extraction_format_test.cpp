// Counts with thousands separators, and output lines made safe (separator numbers are seen in
// the line and global extraction tests).
#include <gtest/gtest.h>

#include <string>

#include "extract/extraction_engine.h"

namespace nelvix {
namespace {

TEST(FormatCount, CommaBeforeEveryGroupOfThreeDigits) {
    struct Case {
        std::uint64_t n;
        const char* expected;
    };
    const Case cases[] = {
        {0, "0"},
        {999, "999"},
        {1'000, "1,000"},
        {100'000, "100,000"},
        {1'234'567, "1,234,567"},
        {4'294'967'295u, "4,294,967,295"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatCount(c.n), c.expected) << c.n;
}

TEST(SanitizeOutputLine, KeepsWholeCharactersAndOneLineEnd) {
    struct Case {
        const char* name;
        std::string line;
        std::string expected;
    };
    const Case cases[] = {
        {"PlainLineUnchanged", "abc\r\n", "abc\r\n"},
        {"NulBecomesABlank", std::string("a\0b\r\n", 5), "a b\r\n"},
        {"CrWithoutLfDropped", "a\rb\r\n", "ab\r\n"},
        {"LoneLfKept", "a\nb\r\n", "a\nb\r\n"},
        {"LastCrDropped", "ab\r", "ab"},
        {"LeadByteTakesItsTrail", "\x82\xA0\x83\x41\r\n", "\x82\xA0\x83\x41\r\n"},
        {"TrailThatLooksLikeANul", std::string("\x82\0x", 3), std::string("\x82\0x", 3)},
        {"LeadByteTakesACrAsItsTrail", "\x82\r\n", "\x82\r\n"},
        {"LastLeadByteDropped", "ab\x82", "ab"},
        {"HalfWidthKatakanaStays", "\xB1\xB2\r\n", "\xB1\xB2\r\n"},
        {"EmptyLine", "", ""},
    };
    std::string out = "old";
    for (const Case& c : cases) {
        SanitizeOutputLine(c.line, out);
        EXPECT_EQ(out, c.expected) << c.name;
    }
}

TEST(SanitizeOutputLine, NeverWritesMoreThanTheLineBuffer) {
    std::string out;
    SanitizeOutputLine(std::string(kOutputLineBytes + 5, 'x'), out);
    EXPECT_EQ(out.size(), kOutputLineBytes - 1);
    // A cut inside a character leaves its lead byte out.
    SanitizeOutputLine(std::string(kOutputLineBytes - 2, 'x') + "\x82\xA0", out);
    EXPECT_EQ(out, std::string(kOutputLineBytes - 2, 'x'));
}

} // namespace
} // namespace nelvix
