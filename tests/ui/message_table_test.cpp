// The message table and placeholder substitution.
#include "ui/message_table.h"

#include <gtest/gtest.h>

#include "base/cp932.h"
#include "ui/message_ids.h"

namespace nelvix::ui {
namespace {

TEST(MessageTable, EveryIdHasItsTextInShiftJis) {
    for (int id : {kMsgAppTitle, kMsgTextTooLong, kMsgTooManyRows, kMsgOutOfMemory,
                   kMsgGlobalFindCounts, kMsgTooManyDirectories, kMsgBrowseTitle, kMsgUntitled,
                   kMsgGlobalFindTitle, kMsgSpinLibraryMissing}) {
        EXPECT_FALSE(MessageText(id).empty()) << id;
        EXPECT_EQ(Cp932ToUtf8(MessageText(id)), MessageTextUtf8(id)) << id;
    }
    EXPECT_EQ(MessageText(kMsgTextTooLong), "\x95\xB6\x8E\x9A\x90\x94\x83\x49\x81\x5B\x83\x6F"
                                            "\x81\x5B\x82\xCC\x82\xBD\x82\xDF\x8F\x88\x97\x9D"
                                            "\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81\x42");
    EXPECT_EQ(MessageText(kMsgAppTitle), "KAV Nelvix");
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
