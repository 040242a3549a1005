// A tool's command line as arguments: blanks, quotes, backslashes before quotes, double-byte
// characters whose trail byte is a backslash; and the process made of a tool entry.
#include "tools/tool_arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/cp932.h"
#include "tools/tool_start.h"

namespace nelvix {
namespace {

using Arguments = std::vector<std::string>;

TEST(ToolArguments, SplitLikeTheOriginalPlatform) {
    struct Case {
        const char* name;
        std::string text;
        Arguments expected;
    };
    const Case cases[] = {
        {"empty", "", {}},
        {"blanks only", "  \t ", {}},
        {"words", "+1 /doc/a.txt", {"+1", "/doc/a.txt"}},
        {"runs of blanks and tabs", "  a \t b  ", {"a", "b"}},
        {"quoted path with blanks", "-n \"/my docs/a b.txt\"", {"-n", "/my docs/a b.txt"}},
        {"quotes inside a word", "--file=\"a b\"c", {"--file=a bc"}},
        {"empty quotes", "a \"\" b", {"a", "", "b"}},
        {"unclosed quote runs to the end", "\"a b", {"a b"}},
        {"doubled quote inside quotes", "\"say \"\"hi\"\"\"", {"say \"hi\""}},
        {"escaped quote", "a\\\"b", {"a\"b"}},
        {"even backslashes before a quote", "\"a\\\\\" b", {"a\\", "b"}},
        {"odd backslashes before a quote", "\"a\\\\\\\" b\"", {"a\\\" b"}},
        {"backslashes elsewhere stay", "C:\\doc\\a.txt", {"C:\\doc\\a.txt"}},
        {"Japanese word", Sjis("検索 表"), {Sjis("検索"), Sjis("表")}},
        // 0x83 0x5C is "ソ": its trail byte is no backslash before the quote.
        {"trail byte 0x5C before a quote", "\"\x83\x5C\" x", {"\x83\x5C", "x"}},
        {"lead byte at the end", "a \x83", {"a", "\x83"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitToolArguments(c.text), c.expected) << c.name;
}

TEST(ToolStart, ProgramDirectory) {
    EXPECT_EQ(ProgramDirectory("/usr/bin/gvim"), "/usr/bin");
    EXPECT_EQ(ProgramDirectory("/gvim"), "/");
    EXPECT_EQ(ProgramDirectory("gvim"), "");
    EXPECT_EQ(ProgramDirectory("tools/ed"), "tools");
}

TEST(ToolStart, TheEntrysDirectoryOrTheProgramsOwn) {
    const ToolEntry own{"/opt/tools/ed", "x", ""};
    EXPECT_EQ(ToolProcessStart(own, "+1 \"/a b\""),
              (ui::ProcessStart{"/opt/tools/ed", {"+1", "/a b"}, "/opt/tools"}));
    const ToolEntry given{"/opt/tools/ed", "x", "/work"};
    EXPECT_EQ(ToolProcessStart(given, ""), (ui::ProcessStart{"/opt/tools/ed", {}, "/work"}));
    const ToolEntry relative{"/opt/tools/ed", "", "work/in"};
    EXPECT_EQ(ToolProcessStart(relative, "").workingDirectory, "/opt/tools/work/in");
    const ToolEntry atRoot{"/ed", "", "work"};
    EXPECT_EQ(ToolProcessStart(atRoot, "").workingDirectory, "/work");
    EXPECT_EQ(ToolProcessStart({"/ed", "", ""}, "").workingDirectory, "/");
}

TEST(ToolStart, NamesBecomeNative) {
    const ToolEntry entry{Sjis("/道具/編集"), "", Sjis("/作業")};
    const ui::ProcessStart start = ToolProcessStart(entry, Sjis("/文書/表.txt"));
    EXPECT_EQ(start.program, "/道具/編集");
    EXPECT_EQ(start.arguments, Arguments{"/文書/表.txt"});
    EXPECT_EQ(start.workingDirectory, "/作業");
}

} // namespace
} // namespace nelvix
