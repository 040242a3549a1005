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
        std::string line;
        Subcommand command;
        std::string files;
        int codeDecision;
        bool utf8;
    };
    const std::vector<Row> rows = {
        {"detect b.txt a.txt c.txt", Detect, "b.txt a.txt c.txt", 0, false},
        {"convert a.txt", Convert, "a.txt", 0, false},
        {"convert --code auto a.txt", Convert, "a.txt", 0, false},
        {"convert --code sjis a.txt", Convert, "a.txt", 1, false},
        {"convert --code jis a.txt", Convert, "a.txt", 2, false},
        {"convert --code euc a.txt", Convert, "a.txt", 3, false},
        {"convert --code=euc a.txt", Convert, "a.txt", 3, false},
        {"convert --code jis --code=sjis a.txt", Convert, "a.txt", 1, false},
        {"convert a.txt --utf8 --code jis", Convert, "a.txt", 2, true},
        {"convert --utf8 -- --code", Convert, "--code", 0,
         true}, // -- makes an option-like word a FILE
        {"detect -", Detect, "-", 0, false},
        {"convert --code sjis euc", Convert, "euc", 1,
         false}, // a code word after --code is its value
        {"detect \xff\xfe.txt", Detect, "\xff\xfe.txt", 0, false}, // native bytes pass untouched
        {"--help", Help, "", 0, false},
        {"-h", Help, "", 0, false},
        {"help", Help, "", 0, false},
        {"convert --help", Help, "", 0, false},
        {"detect a.txt -h", Help, "", 0, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
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
        std::string line;
        const char* errorPart;
    };
    const std::vector<Row> rows = {
        {"", "no subcommand"},
        {"frobnicate a.txt", "unknown subcommand 'frobnicate'"},
        {"--version", "unknown option '--version'"},
        {"DETECT a.txt", "unknown subcommand 'DETECT'"},
        {"detect", "detect: missing FILE"},
        {"detect --", "detect: missing FILE"},
        {"convert --utf8", "convert: missing FILE"},
        {"convert a.txt b.txt", "convert takes one FILE"},
        {"detect --utf8 a.txt", "unknown option '--utf8' for detect"},
        {"convert --fast a.txt", "unknown option '--fast' for convert"},
        {"convert --code utf8 a.txt", "bad --code value 'utf8'"},
        {"convert --code=EUC a.txt", "bad --code value 'EUC'"},
        {"convert --code= a.txt", "bad --code value ''"},
        {"convert a.txt --code", "--code needs a value"},
        {"convert --cod sjis a.txt", "unknown option '--cod'"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        ParsedArgs parsed = ParseCliArgs(Words(row.line));
        EXPECT_FALSE(parsed.ok());
        EXPECT_NE(parsed.error.find(row.errorPart), std::string::npos) << parsed.error;
    }
}

} // namespace
} // namespace nelvix::cli
