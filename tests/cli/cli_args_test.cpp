// nelvix-cli's argument parser: what each accepted command line means.
#include "cli/args/cli_args.h"

#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli_run.h"

namespace nelvix::cli {
namespace {

TEST(CliArgsTest, AcceptedCommandLines) {
    using enum Subcommand;
    struct Row {
        const char* situation;
        std::string line;
        Subcommand command;
        std::string files;
        int codeDecision;
        bool utf8;
    };
    const std::vector<Row> rows = {
        {"detect keeps the files in order", "detect b.txt a.txt c.txt", Detect, "b.txt a.txt c.txt",
         0, false},
        {"convert decides the code itself", "convert a.txt", Convert, "a.txt", 0, false},
        {"--code auto", "convert --code auto a.txt", Convert, "a.txt", 0, false},
        {"--code sjis", "convert --code sjis a.txt", Convert, "a.txt", 1, false},
        {"--code jis", "convert --code jis a.txt", Convert, "a.txt", 2, false},
        {"--code euc", "convert --code euc a.txt", Convert, "a.txt", 3, false},
        {"--code=VALUE in one word", "convert --code=euc a.txt", Convert, "a.txt", 3, false},
        {"the last --code wins", "convert --code jis --code=sjis a.txt", Convert, "a.txt", 1,
         false},
        {"options after the file", "convert a.txt --utf8 --code jis", Convert, "a.txt", 2, true},
        {"-- makes an option-like name a file", "convert --utf8 -- --code", Convert, "--code", 0,
         true},
        {"a lone dash is a file name", "detect -", Detect, "-", 0, false},
        {"a file-like word after --code is its value", "convert --code sjis euc", Convert, "euc", 1,
         false},
        {"native bytes pass untouched", "detect \xff\xfe.txt", Detect, "\xff\xfe.txt", 0, false},
        {"--help alone", "--help", Help, "", 0, false},
        {"-h alone", "-h", Help, "", 0, false},
        {"help as a word", "help", Help, "", 0, false},
        {"--help wins over missing files", "convert --help", Help, "", 0, false},
        {"-h after detect's files", "detect a.txt -h", Help, "", 0, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.situation);
        ParsedArgs parsed = ParseCliArgs(Words(row.line));
        ASSERT_TRUE(parsed.ok()) << parsed.error;
        EXPECT_EQ(parsed.args.command, row.command);
        EXPECT_EQ(parsed.args.files, Words(row.files));
        EXPECT_EQ(parsed.args.codeDecision, row.codeDecision);
        EXPECT_EQ(parsed.args.utf8, row.utf8);
    }
}

TEST(CliArgsTest, UsageErrorsSayWhatIsWrong) {
    struct Row {
        const char* situation;
        std::string line;
        const char* errorPart;
    };
    const std::vector<Row> rows = {
        {"nothing at all", "", "no subcommand"},
        {"an unknown subcommand", "frobnicate a.txt", "unknown subcommand 'frobnicate'"},
        {"an option instead of a subcommand", "--version", "unknown option '--version'"},
        {"a subcommand in capitals", "DETECT a.txt", "unknown subcommand 'DETECT'"},
        {"detect without files", "detect", "detect: missing FILE"},
        {"detect with only --", "detect --", "detect: missing FILE"},
        {"convert without a file", "convert --utf8", "convert: missing FILE"},
        {"convert with two files", "convert a.txt b.txt", "convert takes one FILE"},
        {"detect takes no convert option", "detect --utf8 a.txt",
         "unknown option '--utf8' for detect"},
        {"an unknown option of convert", "convert --fast a.txt",
         "unknown option '--fast' for convert"},
        {"a code not offered", "convert --code utf8 a.txt", "bad --code value 'utf8'"},
        {"a code word in capitals", "convert --code=EUC a.txt", "bad --code value 'EUC'"},
        {"an empty code word", "convert --code= a.txt", "bad --code value ''"},
        {"--code as the last word", "convert a.txt --code", "--code needs a value"},
        {"a prefix of --code", "convert --cod sjis a.txt", "unknown option '--cod'"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.situation);
        ParsedArgs parsed = ParseCliArgs(Words(row.line));
        EXPECT_FALSE(parsed.ok());
        EXPECT_NE(parsed.error.find(row.errorPart), std::string::npos) << parsed.error;
    }
}

} // namespace
} // namespace nelvix::cli
