// The message table and placeholder substitution.
#include "ui/message_table.h"

#include <gtest/gtest.h>

namespace nelvix::ui {
namespace {

TEST(MessageTable, UnknownIdHasNoText) {
    EXPECT_TRUE(MessageText(12345).empty());
}

struct FormatCase {
    const char* name;
    std::string sjisTemplate;
    std::string expected;
};

class FormatTable : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatTable, ReplacesPlaceholders) {
    EXPECT_EQ(FormatMessage(GetParam().sjisTemplate, {"12", "\x82\xA0"}), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Templates, FormatTable,
    testing::Values(FormatCase{"BothArguments", "a %1 b %2", "a 12 b \x82\xA0"},
                    FormatCase{"RepeatedArgument", "%1%1", "1212"},
                    FormatCase{"MissingArgumentIsEmpty", "[%3]", "[]"},
                    FormatCase{"PercentWithoutDigitKept", "100%", "100%"},
                    // 0x81 0x25 is one character whose trail byte looks like '%'.
                    FormatCase{"TrailBytePercentIsNotAPlaceholder", "\x81%1", "\x81%1"},
                    FormatCase{"LeadByteAtEndKept", "x\x82", "x\x82"}),
    [](const testing::TestParamInfo<FormatCase>& row) { return std::string(row.param.name); });

} // namespace
} // namespace nelvix::ui
