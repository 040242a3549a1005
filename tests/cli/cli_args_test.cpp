// nelvix-cli's argument parser: what each accepted command line means.
#include "cli/cli_args.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace nelvix::cli {
namespace {

struct AcceptedRow {
    const char* situation;
    std::vector<std::string> arguments;
    Subcommand command;
    std::vector<std::string> files;
    int codeDecision;
    bool utf8;
};

TEST(CliArgsTest, AcceptedCommandLines) {
    const std::vector<AcceptedRow> rows = {
        {"detect keeps the files in the order given",
         {"detect", "b.txt", "a.txt", "c.txt"},
         Subcommand::Detect,
         {"b.txt", "a.txt", "c.txt"},
         0,
         false},
        {"convert without options decides the code itself",
         {"convert", "a.txt"},
         Subcommand::Convert,
         {"a.txt"},
         0,
         false},
        {"--code auto",
         {"convert", "--code", "auto", "a.txt"},
         Subcommand::Convert,
         {"a.txt"},
         0,
         false},
        {"--code sjis",
         {"convert", "--code", "sjis", "a.txt"},
         Subcommand::Convert,
         {"a.txt"},
         1,
         false},
        {"--code jis",
         {"convert", "--code", "jis", "a.txt"},
         Subcommand::Convert,
         {"a.txt"},
         2,
         false},
        {"--code euc",
         {"convert", "--code", "euc", "a.txt"},
         Subcommand::Convert,
         {"a.txt"},
         3,
         false},
        {"--code=VALUE in one argument",
         {"convert", "--code=euc", "a.txt"},
         Subcommand::Convert,
         {"a.txt"},
         3,
         false},
        {"the last --code wins",
         {"convert", "--code", "jis", "--code=sjis", "a.txt"},
         Subcommand::Convert,
         {"a.txt"},
         1,
         false},
        {"options after the file",
         {"convert", "a.txt", "--utf8", "--code", "jis"},
         Subcommand::Convert,
         {"a.txt"},
         2,
         true},
        {"-- makes an option-like name a file",
         {"convert", "--utf8", "--", "--code"},
         Subcommand::Convert,
         {"--code"},
         0,
         true},
        {"a lone dash is a file name", {"detect", "-"}, Subcommand::Detect, {"-"}, 0, false},
        {"a value that looks like a file name is still the value of --code",
         {"convert", "--code", "sjis", "euc"},
         Subcommand::Convert,
         {"euc"},
         1,
         false},
        {"native bytes pass through untouched",
         {"detect", "\xff\xfe.txt"},
         Subcommand::Detect,
         {"\xff\xfe.txt"},
         0,
         false},
        {"--help alone", {"--help"}, Subcommand::Help, {}, 0, false},
        {"help as a word", {"help"}, Subcommand::Help, {}, 0, false},
        {"--help after a subcommand wins over missing files",
         {"convert", "--help"},
         Subcommand::Help,
         {},
         0,
         false},
        {"-h after detect's files", {"detect", "a.txt", "-h"}, Subcommand::Help, {}, 0, false},
    };
    for (const AcceptedRow& row : rows) {
        SCOPED_TRACE(row.situation);
        ParsedArgs parsed = ParseCliArgs(row.arguments);
        ASSERT_TRUE(parsed.ok()) << parsed.error;
        EXPECT_EQ(parsed.args.command, row.command);
        EXPECT_EQ(parsed.args.files, row.files);
        EXPECT_EQ(parsed.args.codeDecision, row.codeDecision);
        EXPECT_EQ(parsed.args.utf8, row.utf8);
    }
}

struct RejectedRow {
    const char* situation;
    std::vector<std::string> arguments;
    const char* errorPart;
};

TEST(CliArgsTest, UsageErrorsSayWhatIsWrong) {
    const std::vector<RejectedRow> rows = {
        {"nothing at all", {}, "no subcommand"},
        {"an unknown subcommand", {"frobnicate", "a.txt"}, "unknown subcommand 'frobnicate'"},
        {"an option instead of a subcommand", {"--version"}, "unknown option '--version'"},
        {"a subcommand in capitals", {"DETECT", "a.txt"}, "unknown subcommand 'DETECT'"},
        {"detect without files", {"detect"}, "detect: missing FILE"},
        {"detect with only --", {"detect", "--"}, "detect: missing FILE"},
        {"convert without a file", {"convert", "--utf8"}, "convert: missing FILE"},
        {"convert with two files", {"convert", "a.txt", "b.txt"}, "convert takes one FILE"},
        {"detect does not take convert's options",
         {"detect", "--utf8", "a.txt"},
         "unknown option '--utf8' for detect"},
        {"an unknown option of convert",
         {"convert", "--fast", "a.txt"},
         "unknown option '--fast' for convert"},
        {"a code that is not offered",
         {"convert", "--code", "utf8", "a.txt"},
         "bad --code value 'utf8'"},
        {"a code word in capitals", {"convert", "--code=EUC", "a.txt"}, "bad --code value 'EUC'"},
        {"an empty code word", {"convert", "--code=", "a.txt"}, "bad --code value ''"},
        {"--code as the last argument", {"convert", "a.txt", "--code"}, "--code needs a value"},
        {"a prefix of --code", {"convert", "--cod", "sjis", "a.txt"}, "unknown option '--cod'"},
    };
    for (const RejectedRow& row : rows) {
        SCOPED_TRACE(row.situation);
        ParsedArgs parsed = ParseCliArgs(row.arguments);
        EXPECT_FALSE(parsed.ok());
        EXPECT_NE(parsed.error.find(row.errorPart), std::string::npos) << parsed.error;
    }
}

} // namespace
} // namespace nelvix::cli
