// The parameter template of a tool: each code, the 256-byte limit with its two rules (a code's
// text only up to 255 bytes and never cut, plain bytes up to 256), double-byte characters at the
// end and at the limit, and the time codes over a fixed Sunday afternoon.
#include "tools/tool_parameters.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "base/cp932.h"

namespace nelvix {
namespace {

/// Sunday, 7 January 2024, 13:05:09, nine hours east of Greenwich.
std::tm Sunday() {
    std::tm time{};
    time.tm_year = 2024 - 1900;
    time.tm_mon = 0;
    time.tm_mday = 7;
    time.tm_hour = 13;
    time.tm_min = 5;
    time.tm_sec = 9;
    time.tm_wday = 0;
    time.tm_yday = 6;
    time.tm_gmtoff = 9 * 60 * 60;
    return time;
}

std::string Repeat(std::size_t count, char c = 'x') {
    return std::string(count, c);
}

struct Case {
    const char* name;
    std::string templateText;
    std::optional<std::string> path;
    std::uint32_t line;
    int column;
    std::string expected;
};

class ToolParametersTest : public ::testing::Test {
protected:
    std::string Expand(const Case& c) {
        const std::optional<std::string_view> path =
            c.path ? std::optional<std::string_view>(*c.path) : std::nullopt;
        return ExpandParameters(c.templateText, path, c.line, c.column, clock);
    }

    int clockCalls = 0;
    std::tm now = Sunday();
    LocalTimeSource clock = [this] {
        ++clockCalls;
        return now;
    };
};

const std::string kPath = "/doc/a.txt";

TEST_F(ToolParametersTest, FileLineAndColumnCodes) {
    const std::vector<Case> cases = {
        {"line and path", "+$l $f", kPath, 1, 5, "+1 /doc/a.txt"},
        {"name", "$n", kPath, 1, 5, "a.txt"},
        {"column", "$c", kPath, 1, 5, "5"},
        {"name of a file at the root", "$n", std::string("/a"), 1, 1, "a"},
        {"name of a bare name", "$n", std::string("a.txt"), 1, 1, "a.txt"},
        {"quoted path", "\"$f\"", std::string("/my docs/a b.txt"), 1, 1, "\"/my docs/a b.txt\""},
        {"Japanese path", "$n", Sjis("/文書/表.txt"), 1, 1, Sjis("表.txt")},
        {"no file: name and path give nothing", "[$n][$f]", std::nullopt, 1, 1, "[][]"},
        {"empty file as none", "[$f]", std::string(), 1, 1, "[]"},
        {"negative column", "$c", kPath, 1, -3, "-3"},
        {"line beyond 16 bits", "$l", kPath, 70000, 1, "70000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Expand(c), c.expected) << c.name;
}

TEST_F(ToolParametersTest, DollarSignsAndOtherCharacters) {
    const std::vector<Case> cases = {
        {"dollar", "100$$", kPath, 1, 1, "100$"},
        {"unknown code stands for itself", "$q", kPath, 1, 1, "q"},
        {"lone dollar at the end is dropped", "ab$", kPath, 1, 1, "ab"},
        {"only a dollar", "$", kPath, 1, 1, ""},
        {"blank after a dollar", "a$ b", kPath, 1, 1, "a b"},
        {"half-width kana after a dollar", "$\xB1", kPath, 1, 1, "\xB1"},
        {"dollar before a double-byte character keeps it whole", "$\x93\xFA", kPath, 1, 1,
         "\x93\xFA"},
        {"dollar before a lead byte at the end", "a$\x93", kPath, 1, 1, "a"},
        {"trail byte never starts a code", "\x81$l", kPath, 7, 1, "\x81$l"},
        {"plain Japanese", Sjis("行$l"), kPath, 3, 1, Sjis("行3")},
        {"lead byte at the end is dropped", "ab\x82", kPath, 1, 1, "ab"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Expand(c), c.expected) << c.name;
}

TEST_F(ToolParametersTest, TheLimitOf256Bytes) {
    const std::string path250 = "/" + Repeat(249, 'p');
    const std::vector<Case> cases = {
        {"300 plain bytes keep 256", Repeat(300), kPath, 1, 1, Repeat(256)},
        {"two digits would make 256", Repeat(254) + "$l", kPath, 10, 1, Repeat(254)},
        {"one digit makes 255", Repeat(254) + "$l", kPath, 9, 1, Repeat(254) + "9"},
        {"the rest after a code that does not fit is dropped", Repeat(254) + "$lyz", kPath, 10, 1,
         Repeat(254)},
        {"a dollar code needs room below 256", Repeat(255) + "$$", kPath, 1, 1, Repeat(255)},
        {"an unknown code fills like a plain byte", Repeat(255) + "$q", kPath, 1, 1,
         Repeat(255) + "q"},
        {"a path is never cut", "$f $f", path250, 1, 1, path250 + " "},
        {"an empty code text fits at 255", Repeat(255) + "$n!", std::nullopt, 1, 1,
         Repeat(255) + "!"},
        {"nothing after 256 bytes", Repeat(256) + "$n", kPath, 1, 1, Repeat(256)},
        {"a double-byte character filling 256", Repeat(254) + "\x82\xA0", kPath, 1, 1,
         Repeat(254) + "\x82\xA0"},
        {"a lead byte that would fill 256 is dropped", Repeat(255) + "\x82\xA0" + "z", kPath, 1, 1,
         Repeat(255)},
    };
    for (const Case& c : cases) {
        const std::string expanded = Expand(c);
        EXPECT_EQ(expanded, c.expected) << c.name;
        EXPECT_LE(expanded.size(), kToolParametersMaxBytes) << c.name;
    }
}

TEST_F(ToolParametersTest, DayOfTheWeekInJapanese) {
    const char* const days[] = {"日", "月", "火", "水", "木", "金", "土"};
    for (int day = 0; day < 7; ++day) {
        now.tm_wday = day;
        EXPECT_EQ(ExpandParameters("$e", std::nullopt, 1, 1, clock), Sjis(days[day])) << day;
    }
}

// The letters pass to strftime as they are; these show the "C" conventions whatever the locale.
TEST_F(ToolParametersTest, TimeCodesUseTheStandardConversions) {
    struct TimeCase {
        const char* templateText;
        const char* expected;
    };
    const TimeCase cases[] = {
        {"$D", "Sun Jan  7 13:05:09 2024"},
        {"$a", "Sun"},
        {"$A", "Sunday"},
        {"$b", "Jan"},
        {"$B", "January"},
        {"$p", "PM"},
        {"$x", "01/07/24"},
        {"$X", "13:05:09"},
        {"$Y", "2024"},
        {"$z", "+0900"},
        {"$Y-$m-$d", "2024-01-07"},
    };
    for (const TimeCase& c : cases)
        EXPECT_EQ(ExpandParameters(c.templateText, std::nullopt, 1, 1, clock), c.expected)
            << c.templateText;
}

TEST_F(ToolParametersTest, TheClockIsAskedOncePerTimeCodeOnly) {
    EXPECT_EQ(ExpandParameters("$l $f $c $$ $q", kPath, 1, 1, clock), "1 /doc/a.txt 1 $ q");
    EXPECT_EQ(clockCalls, 0);
    ExpandParameters("$Y$e$D", kPath, 1, 1, clock);
    EXPECT_EQ(clockCalls, 3);
}

TEST(ToolParameters, TheRealClockGivesAFourDigitYear) {
    const std::string year = ExpandParameters("$Y", std::nullopt, 1, 1);
    ASSERT_EQ(year.size(), 4u);
    EXPECT_GE(year, "2024");
}

} // namespace
} // namespace nelvix
