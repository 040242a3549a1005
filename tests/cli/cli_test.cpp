// nelvix-cli run in-process: detect and convert on the shared samples and on made-up files.
#include "cli/run_cli.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/test_files.h"

namespace nelvix::cli {
namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

CliRun RunWith(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    run.status = RunCli(arguments, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

std::string Sample(const char* name) {
    return test::ReadFileBytes(test::TestDataPath(name));
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::string Repeated(char byte, std::size_t count) {
    return std::string(count, byte);
}

// Sets TMPDIR for one test and puts the old value back.
class ScopedTmpDir {
public:
    explicit ScopedTmpDir(const std::string& folder) {
        const char* old = std::getenv("TMPDIR");
        m_hadOld = old != nullptr;
        if (m_hadOld)
            m_old = old;
        ::setenv("TMPDIR", folder.c_str(), 1);
    }
    ~ScopedTmpDir() {
        if (m_hadOld)
            ::setenv("TMPDIR", m_old.c_str(), 1);
        else
            ::unsetenv("TMPDIR");
    }

private:
    bool m_hadOld = false;
    std::string m_old;
};

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

TEST(CliDetectTest, ReportsCodeAndLineEndOfTheHead) {
    const std::size_t head = 4096;
    const std::vector<DetectRow> rows = {
        {"Shift-JIS sample with CR LF", Sample("sample.sjis.txt"), "Shift-JIS, CRLF"},
        {"EUC-JP sample with LF", Sample("sample.euc.txt"), "EUC-JP, LF"},
        {"JIS sample with LF", Sample("sample.jis.txt"), "JIS, LF"},
        {"UTF-8 sample with LF", Sample("sample.utf8.txt"), "UTF-8, LF"},
        {"empty file", "", "Shift-JIS, CRLF"},
        {"ASCII with CR alone", "one\rtwo\r", "Shift-JIS, CR"},
        {"UTF-8 with a byte-order mark and no line end", "\xEF\xBB\xBFok", "UTF-8, CRLF"},
        {"EUC-JP byte as the last byte of the head", Repeated('a', head - 1) + "\xA4\xA2\n",
         "EUC-JP, CRLF"},
        {"EUC-JP bytes just past the head are not looked at", Repeated('a', head) + "\xA4\xA2\n",
         "Shift-JIS, CRLF"},
        {"UTF-8 past an ASCII head stays Shift-JIS", Repeated('a', head) + "\xE3\x81\x82\n",
         "Shift-JIS, CRLF"},
        {"LF just past the head is not looked at", Repeated('a', head) + "\n", "Shift-JIS, CRLF"},
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

TEST(CliConvertTest, WritesTheTextAsTheDocumentHoldsIt) {
    const std::string sjis = Sample("sample.sjis.txt");
    const std::string utf8 = Sample("sample.utf8.txt");
    std::string jisWithCrLf;
    for (char byte : Sample("sample.jis.txt"))
        jisWithCrLf += byte == '\n' ? std::string("\r\n") : std::string(1, byte);
    const std::vector<ConvertRow> rows = {
        {"Shift-JIS sample is held as it is", sjis, {}, sjis},
        {"EUC-JP sample", Sample("sample.euc.txt"), {}, sjis},
        {"JIS sample", Sample("sample.jis.txt"), {}, sjis},
        {"UTF-8 sample", utf8, {}, sjis},
        {"Shift-JIS sample as UTF-8", sjis, {"--utf8"}, utf8},
        {"EUC-JP sample as UTF-8", Sample("sample.euc.txt"), {"--utf8"}, utf8},
        {"JIS sample as UTF-8", Sample("sample.jis.txt"), {"--utf8"}, utf8},
        {"UTF-8 sample as UTF-8", utf8, {"--utf8"}, utf8},
        {"--code auto decides as without it", Sample("sample.euc.txt"), {"--code", "auto"}, sjis},
        {"--code jis on the JIS sample", Sample("sample.jis.txt"), {"--code=jis"}, sjis},
        {"--code euc on the EUC-JP sample", Sample("sample.euc.txt"), {"--code", "euc"}, sjis},
        {"--code sjis reads JIS escapes as they are and only fixes line ends",
         Sample("sample.jis.txt"),
         {"--code", "sjis"},
         jisWithCrLf},
        {"--code euc overrides a head detected as Shift-JIS",
         "\xA4\xA2\x82\xA0",
         {"--code", "euc"},
         "\x82\xA0"},
        {"without --code the same head is Shift-JIS", "\xA4\xA2\x82\xA0", {}, "\xA4\xA2\x82\xA0"},
        {"a NUL is held as a space", std::string("a\0b\r\n", 5), {}, "a b\r\n"},
        {"a lone CR in a CR LF file is dropped", "x\r\ny\rz\r\n", {}, "x\r\nyz\r\n"},
        {"a trailing lead byte is dropped", "ab\x82", {}, "ab"},
        {"UTF-8 that code page 932 lacks becomes a middle dot",
         "a\xF0\x9F\x98\x80"
         "b\n",
         {},
         "a\x81\x45"
         "b\r\n"},
        {"--utf8 turns only CR LF into LF", "\x82\xA0\r\n\r\nx", {"--utf8"}, "\xE3\x81\x82\n\nx"},
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

TEST(CliConvertTest, LeavesNoWorkFileBehind) {
    test::TempDir tmp;
    ScopedTmpDir useTmp(tmp.Path());
    CliRun run = RunWith({"convert", test::TestDataPath("sample.euc.txt")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(std::filesystem::is_empty(tmp.Path()));
}

TEST(CliConvertTest, NoWorkFileMeansNoOutput) {
    test::TempDir tmp;
    ScopedTmpDir useTmp(tmp.PathOf("no-such-folder"));
    CliRun run = RunWith({"convert", test::TestDataPath("sample.euc.txt")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(Contains(run.err, "cannot make a work file")) << run.err;
}

TEST(CliConvertTest, TooLongTextIsCutWithTheProgramsMessage) {
    test::TempDir dir;
    std::string path = dir.Write("long.txt", Repeated('a', 4'000'001));
    CliRun run = RunWith({"convert", path});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.size(), 3'999'997u);
    EXPECT_EQ(run.err, "nelvix-cli: 文字数オーバーのため処理できません。\n");
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
        {"missing file with native bytes in its name", dir.PathOf("\xff\xfe.txt"),
         "No such file or directory"},
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

struct UsageRow {
    const char* situation;
    std::vector<std::string> arguments;
    const char* message;
};

TEST(CliUsageTest, UsageErrorsExitWithTwo) {
    const std::vector<UsageRow> rows = {
        {"no arguments", {}, "no subcommand given"},
        {"unknown subcommand", {"grep", "x"}, "unknown subcommand 'grep'"},
        {"unknown option", {"convert", "--fast", "a.txt"}, "unknown option '--fast' for convert"},
        {"missing FILE of convert", {"convert"}, "convert: missing FILE"},
        {"missing FILE of detect", {"detect"}, "detect: missing FILE"},
        {"bad --code value",
         {"convert", "--code", "utf8", "a.txt"},
         "bad --code value 'utf8' (use auto, sjis, jis or euc)"},
    };
    for (const UsageRow& row : rows) {
        SCOPED_TRACE(row.situation);
        CliRun run = RunWith(row.arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(run.err.starts_with(std::string("nelvix-cli: ") + row.message + "\n"))
            << run.err;
        EXPECT_TRUE(Contains(run.err, "Usage: nelvix-cli detect FILE...")) << run.err;
    }
}

TEST(CliUsageTest, HelpGoesToStandardOutput) {
    const std::vector<UsageRow> rows = {
        {"--help alone", {"--help"}, ""},
        {"-h alone", {"-h"}, ""},
        {"help as a subcommand", {"help"}, ""},
        {"--help of detect without files", {"detect", "--help"}, ""},
        {"-h of convert after its file", {"convert", "a.txt", "-h"}, ""},
    };
    for (const UsageRow& row : rows) {
        SCOPED_TRACE(row.situation);
        CliRun run = RunWith(row.arguments);
        EXPECT_EQ(run.status, 0);
        EXPECT_TRUE(run.out.starts_with("Usage: nelvix-cli")) << run.out;
        EXPECT_EQ(run.err, "");
    }
}

} // namespace
} // namespace nelvix::cli
