// nelvix-cli run in-process: detect and convert on the shared samples and on made-up files.
#include "cli/run_cli.h"

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "cli/args/cli_args.h"
#include "cli_run.h"
#include "scoped_environment.h"
#include "support/test_files.h"

namespace nelvix::cli {
namespace {

std::string Sample(const char* name) {
    return test::ReadFileBytes(test::TestDataPath(name));
}

std::string MakeFifo(const test::TempDir& dir, const char* name) {
    std::string path = dir.PathOf(name);
    EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
    return path;
}

struct DetectRow {
    const char* situation;
    std::string bytes;
    const char* expected;
};

TEST(CliDetectTest, ReportsCodeAndLineEndOfTheText) {
    const std::vector<DetectRow> rows = {
        {"Shift-JIS sample with CR LF", Sample("sample.sjis.txt"), "Shift-JIS, CRLF"},
        {"EUC-JP sample with LF", Sample("sample.euc.txt"), "EUC-JP, LF"},
        {"JIS sample with LF", Sample("sample.jis.txt"), "JIS, LF"},
        {"UTF-8 sample with LF", Sample("sample.utf8.txt"), "UTF-8, LF"},
        {"ASCII with CR alone", "one\rtwo\r", "Shift-JIS, CR"},
    };
    test::TempDir dir;
    for (const DetectRow& row : rows) {
        SCOPED_TRACE(row.situation);
        std::string path = dir.Write("file.txt", row.bytes);
        CliRun run = RunWith({"detect", path});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, path + ": " + row.expected + "\n");
        EXPECT_EQ(run.err, "");
    }
}

TEST(CliDetectTest, UnreadableFilesAreReportedAndTheOthersStillJudged) {
    test::TempDir dir;
    std::string euc = test::TestDataPath("sample.euc.txt");
    std::string jis = test::TestDataPath("sample.jis.txt");
    std::string missing = dir.PathOf("\xff\xfe-missing.txt");
    std::string fifo = MakeFifo(dir, "fifo");
    CliRun run = RunWith({"detect", euc, missing, dir.Path(), fifo, jis});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, euc + ": EUC-JP, LF\n" + jis + ": JIS, LF\n");
    EXPECT_TRUE(Contains(run.err, missing + ": No such file or directory\n")) << run.err;
    EXPECT_TRUE(Contains(run.err, dir.Path() + ": Is a directory\n")) << run.err;
    EXPECT_TRUE(Contains(run.err, fifo + ": Not a regular file\n")) << run.err;
}

struct ConvertRow {
    const char* situation;
    std::string bytes;
    std::vector<std::string> options;
    std::string expected;
};

// The load rules themselves are the core's; here only that the command runs them, and how it
// writes what the document holds.
TEST(CliConvertTest, WritesTheTextAsTheDocumentHoldsIt) {
    const std::string sjis = Sample("sample.sjis.txt");
    const std::vector<ConvertRow> rows = {
        {"Shift-JIS sample is held as it is", sjis, {}, sjis},
        {"EUC-JP sample goes through the work file", Sample("sample.euc.txt"), {}, sjis},
        {"--utf8 writes UTF-8 with LF", sjis, {"--utf8"}, Sample("sample.utf8.txt")},
        {"--utf8 turns only CR LF into LF", "\x82\xA0\r\n\r\nx", {"--utf8"}, "\xE3\x81\x82\n\nx"},
        {"--code=euc overrides a head detected as Shift-JIS",
         "\xA4\xA2\x82\xA0",
         {"--code=euc"},
         "\x82\xA0"},
        {"without --code the same head is Shift-JIS", "\xA4\xA2\x82\xA0", {}, "\xA4\xA2\x82\xA0"},
        {"empty file", "", {}, ""},
    };
    test::TempDir dir;
    for (const ConvertRow& row : rows) {
        SCOPED_TRACE(row.situation);
        std::string path = dir.Write("file.txt", row.bytes);
        std::vector<std::string> arguments{"convert"};
        arguments.insert(arguments.end(), row.options.begin(), row.options.end());
        arguments.push_back(path);
        CliRun run = RunWith(arguments);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, row.expected);
        EXPECT_EQ(run.err, "");
    }
}

TEST(CliConvertTest, NativeFileNameThatCodePage932CannotExpress) {
    test::TempDir dir;
    std::string path = dir.Write("\xff\xfe-euc.txt", Sample("sample.euc.txt"));
    CliRun run = RunWith({"convert", path});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, Sample("sample.sjis.txt"));
}

// Texts not in Shift-JIS go through a work file: none is left behind, and without one there is
// no result.
TEST(CliWorkFileUseTest, ConvertAndFindLeaveNoWorkFileAndCannotRunWithoutOne) {
    test::TempDir tree;
    tree.Write("a.euc", Sample("sample.euc.txt"));
    const struct {
        std::vector<std::string> arguments;
        int statusWithoutWorkFile;
    } rows[] = {
        {{"convert", tree.PathOf("a.euc")}, 1},
        {{"find", "ログ", tree.Path()}, 2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.arguments[0]);
        test::TempDir tmp;
        {
            ScopedEnvironment useTmp("TMPDIR", tmp.Path());
            EXPECT_EQ(RunWith(row.arguments).status, 0);
            EXPECT_TRUE(std::filesystem::is_empty(tmp.Path()));
        }
        ScopedEnvironment useMissing("TMPDIR", tmp.PathOf("missing"));
        const CliRun run = RunWith(row.arguments);
        EXPECT_EQ(run.status, row.statusWithoutWorkFile);
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(run.err.starts_with("nelvix-cli: cannot make a work file")) << run.err;
    }
}

// The text that could be given came out with the message, but the status said all was well.
TEST(CliConvertTest, SixMegabyteTextCutAtTheDocumentLimitIsAFileError) {
    std::string lines;
    while (lines.size() < 6'000'000)
        lines += "a line of the log\r\n";
    const struct {
        const char* situation;
        std::string bytes;
        std::size_t given; ///< bytes of it written out
    } rows[] = {
        {"one byte past the limit", std::string(4'000'001, 'a'), 3'999'997},
        {"six megabytes of lines", lines, 3'999'997},
    };
    test::TempDir dir;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.situation);
        const CliRun run = RunWith({"convert", dir.Write("long.txt", row.bytes)});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, row.bytes.substr(0, row.given));
        EXPECT_EQ(run.err, "nelvix-cli: 文字数オーバーのため処理できません。\n");
    }
}

struct FailureRow {
    const char* situation;
    std::string path;
    const char* reason;
};

TEST(CliConvertTest, UnreadableFileGivesPathAndReason) {
    test::TempDir dir;
    const std::vector<FailureRow> rows = {
        {"missing file", dir.PathOf("missing.txt"), "No such file or directory"},
        {"a folder", dir.Path(), "Is a directory"},
        {"a path through a file", dir.Write("plain.txt", "x") + "/inner.txt", "Not a directory"},
        {"a FIFO, which could block for ever", MakeFifo(dir, "fifo"), "Not a regular file"},
    };
    for (const FailureRow& row : rows) {
        SCOPED_TRACE(row.situation);
        CliRun run = RunWith({"convert", row.path});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "nelvix-cli: " + row.path + ": " + row.reason + "\n");
    }
}

TEST(CliConvertTest, FailedOutputIsAnError) {
    std::ostringstream out;
    std::ostringstream err;
    out.setstate(std::ios::badbit);
    std::vector<std::string> arguments{"convert", test::TestDataPath("sample.sjis.txt")};
    EXPECT_EQ(RunCli(arguments, out, err), 1);
    EXPECT_TRUE(Contains(err.str(), "cannot write the output")) << err.str();
}

TEST(CliUsageTest, UsageErrorsExitWithTwoAndHelpGoesToStandardOutput) {
    struct Row {
        const char* situation;
        std::vector<std::string> arguments;
        int status;
        std::string out;
        std::string err;
    };
    const std::string usage(UsageText());
    const std::vector<Row> rows = {
        {"no arguments", {}, 2, "", "nelvix-cli: no subcommand given\n\n" + usage},
        {"bad --code value",
         {"convert", "--code", "utf8", "a.txt"},
         2,
         "",
         "nelvix-cli: bad --code value 'utf8' (use auto, sjis, jis or euc)\n\n" + usage},
        {"--help", {"--help"}, 0, usage, ""},
        {"-h of convert after its file", {"convert", "a.txt", "-h"}, 0, usage, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.situation);
        CliRun run = RunWith(row.arguments);
        EXPECT_EQ(run.status, row.status);
        EXPECT_EQ(run.out, row.out);
        EXPECT_EQ(run.err, row.err);
    }
}

} // namespace
} // namespace nelvix::cli
