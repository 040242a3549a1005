// The command line: options first, then one file name.
#include "app/command_line.h"

#include <gtest/gtest.h>

namespace nelvix {
namespace {

struct Case {
    const char* name;
    std::string text;
    CommandLineRequest expected;
};

TEST(ParseCommandLine, Examples) {
    const std::string longName(256, 'a');
    const Case cases[] = {
        {"empty", "", {}},
        {"blanks only", "  \t ", {}},
        {"tool then exit", "/T3 /E", {"", 3, true}},
        {"lower case with equals", "-t=2 \"C:/my docs/a.txt\"", {"C:/my docs/a.txt", 2, false}},
        {"option after the file is not read", "a.txt /T1", {"a.txt", 0, false}},
        {"tool with a blank before its value", "/T 4", {"4", 0, false}},
        {"unknown option skipped", "/X123 -e b.txt", {"b.txt", 0, true}},
        {"leading digits only", "/T12abc", {"", 12, false}},
        {"no digits", "/Tabc", {"", 0, false}},
        {"huge number held", "/T99999999999", {"", 2147483647, false}},
        {"unterminated quote runs to the end", "\"a b", {"a b", 0, false}},
        {"absolute path is a file", "/home/me/a.txt", {"/home/me/a.txt", 0, false}},
        {"option then absolute path", "/T1 /tmp/x", {"/tmp/x", 1, false}},
        {"name of 256 bytes ignored", longName, {}},
        {"name of 255 bytes kept", longName.substr(1), {longName.substr(1), 0, false}},
        // 0x83 0x5C is one character whose second byte is a backslash; 0x81 0x40 is the
        // ideographic space, whose second byte is not a blank to the parser either way.
        {"double-byte name", "\x83\x5C\x81\x40x.txt", {"\x83\x5C\x81\x40x.txt", 0, false}},
        {"lead byte keeps a quote", "\"\x82\x22\" tail", {"\x82\x22", 0, false}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseCommandLine(c.text), c.expected) << c.name;
}

TEST(JoinCommandLine, QuotesArgumentsWithBlanks) {
    EXPECT_EQ(JoinCommandLine({"-t=2", "my file.txt"}), "-t=2 \"my file.txt\"");
    EXPECT_EQ(ParseCommandLine(JoinCommandLine({"/T1", "/E", "a b"})),
              (CommandLineRequest{"a b", 1, true}));
}

} // namespace
} // namespace nelvix
