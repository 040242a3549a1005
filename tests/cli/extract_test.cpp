// nelvix-cli extract run in-process: its command line, the rule sources, line and global
// extraction, and the limits of the result.
#include "cli/args/extract_args.h"

#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "base/cp932.h"
#include "base/native_path.h"
#include "cli/args/cli_args.h"
#include "cli/io/extraction_printer.h"
#include "cli/run_cli.h"
#include "cli_run.h"
#include "extract/extraction_rules.h"
#include "extract/mail_log.h"
#include "scoped_environment.h"
#include "store/data_file.h"
#include "support/test_files.h"
#include "ui/fake_platform.h"

namespace nelvix::cli {
namespace {

// The settings of a parsed extract, in words.
std::string Described(const CliArgs& args) {
    const ExtractArgs& extract = args.extract;
    std::string text;
    auto add = [&text](bool on, const std::string& word) {
        if (on)
            text += (text.empty() ? "" : " ") + word;
    };
    add(extract.rulesFile.has_value(), "rules=" + extract.rulesFile.value_or(""));
    add(extract.dataFile.has_value(), "data=" + extract.dataFile.value_or(""));
    add(extract.specification.has_value(), "global=" + extract.specification.value_or(""));
    add(!extract.subdirectories, "--no-subdirs");
    add(args.codeDecision != 0, "code=" + std::to_string(args.codeDecision));
    add(args.utf8, "--utf8");
    add(extract.file.has_value(), "file=" + extract.file.value_or(""));
    return text;
}

TEST(CliExtractArgsTest, AcceptedCommandLines) {
    struct Row {
        const char* line;
        const char* described;
    };
    const std::vector<Row> rows = {
        {"extract a.txt", "file=a.txt"},
        {"extract --rules r.rec a.txt", "rules=r.rec file=a.txt"},
        {"extract --rules=r.rec a.txt", "rules=r.rec file=a.txt"},
        {"extract --data d.DAT a.txt", "data=d.DAT file=a.txt"},
        {"extract a.txt --data=d.DAT", "data=d.DAT file=a.txt"},
        {"extract --global /d/*.txt", "global=/d/*.txt"},
        {"extract --global=*.log --no-subdirs", "global=*.log --no-subdirs"},
        {"extract --no-subdirs --global *.log", "global=*.log --no-subdirs"},
        {"extract --rules r.rec --global /d/*.*", "rules=r.rec global=/d/*.*"},
        {"extract --utf8 --code euc a.txt", "code=3 --utf8 file=a.txt"},
        {"extract --code=jis --global /d/*", "global=/d/* code=2"},
        {"extract --rules a.rec --rules b.rec a.txt", "rules=b.rec file=a.txt"},
        {"extract -- --rules", "file=--rules"},
        {"extract -", "file=-"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        ParsedArgs parsed = ParseCliArgs(Words(row.line));
        ASSERT_TRUE(parsed.ok()) << parsed.error;
        EXPECT_EQ(parsed.args.command, Subcommand::Extract);
        EXPECT_EQ(Described(parsed.args), row.described);
    }
}

TEST(CliExtractArgsTest, HelpWinsOverEverythingElse) {
    for (const char* line : {"extract --help", "extract -h --rules a --data b", "extract a b -h"}) {
        SCOPED_TRACE(line);
        ParsedArgs parsed = ParseCliArgs(Words(line));
        ASSERT_TRUE(parsed.ok()) << parsed.error;
        EXPECT_EQ(parsed.args.command, Subcommand::Help);
    }
}

TEST(CliExtractArgsTest, WrongCommandLinesExitWithTwoAndTheUsage) {
    struct Row {
        std::vector<std::string> arguments;
        const char* message;
    };
    const std::vector<Row> rows = {
        {{"extract"}, "extract: missing FILE"},
        {{"extract", "--utf8", "--rules", "r"}, "extract: missing FILE"},
        {{"extract", "a.txt", "b.txt"}, "extract takes one FILE, not 2"},
        {{"extract", "--rules", "r", "--data", "d", "a.txt"},
         "extract: --rules and --data cannot be used together"},
        {{"extract", "--global", "/d/*", "a.txt"}, "extract: --global takes the place of FILE"},
        {{"extract", "--no-subdirs", "a.txt"}, "extract: --no-subdirs needs --global"},
        {{"extract", "a.txt", "--rules"}, "--rules needs a value"},
        {{"extract", "--data=", "a.txt"}, "--data needs a value"},
        {{"extract", "--global", ""}, "--global needs a value"},
        {{"extract", "--code", "utf8", "a.txt"}, "bad --code value 'utf8'"},
        {{"extract", "-i", "a.txt"}, "unknown option '-i' for extract"},
        {{"extract", "--rule", "r", "a.txt"}, "unknown option '--rule' for extract"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.arguments));
        CliRun run = RunWith(row.arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(run.err.starts_with("nelvix-cli: " + std::string(row.message))) << run.err;
        EXPECT_NE(run.err.find("\n\nUsage:"), std::string::npos);
    }
}

// Step 1 alone, extracting each line holding `sjisText` and the lines after it, `count` in all.
ExtractionRules KeepBlocks(const std::string& sjisText, std::int32_t count) {
    ExtractionRules rules = DefaultExtractionRules();
    rules.runMode = RunMode::Step1Only;
    rules.step1Process = Step1Process::Extract;
    rules.step1Lines = {};
    rules.step1Lines.Add(MakeRuleEntry(sjisText, 0, count));
    return rules;
}

// Every test runs with a program home of its own, so that a person's own data file never
// decides the rules.
class CliExtractTest : public ::testing::Test {
protected:
    std::string WriteRules(const ExtractionRules& rules, const char* name = "rules.rec") {
        std::vector<Byte> record = SerializeRuleSet(rules);
        return m_dir.Write(name, std::string(record.begin(), record.end()));
    }
    std::string WriteDataFile(const std::string& path, const ExtractionRules& rules) {
        DataFileContents contents;
        contents.searchStrings = {"abc"};
        contents.rules = rules;
        std::optional<std::vector<Byte>> image = BuildDataFile(contents);
        EXPECT_TRUE(image.has_value());
        std::string bytes = image ? std::string(image->begin(), image->end()) : std::string();
        return m_dir.Write(path.substr(m_dir.Path().size() + 1), bytes);
    }
    const std::string& Home() const { return m_home.Path(); }

    test::TempDir m_dir;
    test::TempDir m_home;
    ScopedEnvironment m_useHome{"NELVIX_HOME", m_home.Path()};
};

std::string Joined(const std::vector<std::string>& utf8Lines, const char* lineEnd) {
    std::string text;
    for (const std::string& line : utf8Lines)
        text += line + lineEnd;
    return text;
}

// The mail-terminal log the default rules were made for, saved with CR LF.
std::string MailLog() {
    return Sjis(Joined(test::MailLogUtf8(), "\r\n"));
}

TEST_F(CliExtractTest, DefaultRulesCutAMailLogDown) {
    const std::string log = m_dir.Write("mail.log", MailLog());
    CliRun run = RunWith({"extract", log});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, Sjis(Joined(test::MailLogExtractedUtf8(), "\r\n")));
    EXPECT_EQ(run.err, "nelvix-cli: step 1: 19 lines, 4 deleted, 15 extracted, 2 blocks deleted\n"
                       "nelvix-cli: step 2: 15 lines, 5 deleted, 10 extracted, 3 blocks "
                       "extracted\n");

    CliRun utf8 = RunWith({"extract", "--utf8", log});
    EXPECT_EQ(utf8.status, 0);
    EXPECT_EQ(utf8.out, Joined(test::MailLogExtractedUtf8(), "\n"));
}

TEST_F(CliExtractTest, ALastLineWithoutItsEndStaysWithoutOne) {
    const std::string log = m_dir.Write("open.log", Sjis("    題名：x\r\nlast"));
    CliRun run = RunWith({"extract", log});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, Sjis("    題名：x\r\nlast"));
    EXPECT_EQ(RunWith({"extract", "--utf8", log}).out, "    題名：x\nlast");
}

// The text and the result of the program's own line extraction
// (LoneLineFeedsEndNoLineInEitherExtraction in tests/app): a lone LF ends no line.
TEST_F(CliExtractTest, LoneLineFeedsEndNoLine) {
    const ExtractionRules rules = KeepBlocks("keep", 2);
    const std::string text = m_dir.Write(
        "lf.txt", "head\r\nkeep one\nstill one\r\nnext\r\nx\ny\r\nkeep two\r\nafter\nmore\r\n"
                  "tail\r\n");
    CliRun run = RunWith({"extract", "--rules", WriteRules(rules), text});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "keep one\nstill one\r\nnext\r\nkeep two\r\nafter\nmore\r\n");
}

TEST_F(CliExtractTest, TextsInEachCodeGiveTheSameResult) {
    const std::string record = WriteRules(KeepBlocks(Sjis("ログの例"), 4));
    // The Shift-JIS sample's result; the engine's rules decide what it holds.
    const std::string expected =
        RunWith({"extract", "--rules", record, test::TestDataPath("sample.sjis.txt")}).out;
    ASSERT_TRUE(expected.starts_with(Sjis("ログの例:\r\n"))) << expected;
    struct Row {
        const char* sample;
        const char* code;
        std::string out;
    };
    const std::vector<Row> rows = {
        {"sample.euc.txt", "auto", expected},
        {"sample.jis.txt", "auto", expected},
        {"sample.euc.txt", "sjis", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.sample) + " as " + row.code);
        CliRun run = RunWith(
            {"extract", "--rules", record, "--code", row.code, test::TestDataPath(row.sample)});
        EXPECT_EQ(run.status, row.out.empty() ? 1 : 0) << run.err;
        EXPECT_EQ(run.out, row.out);
    }
}

TEST_F(CliExtractTest, RulesFromARecordFileWithSeparators) {
    ExtractionRules rules = KeepBlocks("ERROR", 2);
    rules.addSeparator = true;
    rules.SetSeparator("--");
    // The window would show the result line by line and then the counts dialog; the command
    // line does neither.
    rules.hideWhileExtracting = false;
    rules.showInfo = true;
    const std::string log = m_dir.Write("app.log", "ok 1\r\nERROR a\r\nat x\r\nok 2\r\nok 3\r\n"
                                                   "ERROR b\r\nat y\r\nok 4\r\n");
    CliRun run = RunWith({"extract", "--rules", WriteRules(rules), log});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "--   1/2\r\nERROR a\r\nat x\r\n--   2/2\r\nERROR b\r\nat y\r\n");
    EXPECT_EQ(run.err, "nelvix-cli: step 1: 8 lines, 4 deleted, 4 extracted, 2 blocks extracted\n"
                       "nelvix-cli: step 2: 4 lines, 0 deleted, 4 extracted, 0 blocks extracted\n");
}

TEST_F(CliExtractTest, RulesFromADataFileAndFromTheProgramHome) {
    ExtractionRules rules = DefaultExtractionRules();
    rules.runMode = RunMode::Step1Only;
    rules.step1Lines = {};
    rules.step1Lines.Add(MakeRuleEntry("noise", 0, 1));
    const std::string log = m_dir.Write("a.log", "keep\r\nnoise\r\nkeep too\r\n");

    const std::string dataFile = WriteDataFile(m_dir.PathOf("other.DAT"), rules);
    CliRun fromData = RunWith({"extract", "--data", dataFile, log});
    EXPECT_EQ(fromData.status, 0) << fromData.err;
    EXPECT_EQ(fromData.out, "keep\r\nkeep too\r\n");

    // Without a data file in the home the default rules run: they find no subject here.
    CliRun defaults = RunWith({"extract", log});
    EXPECT_EQ(defaults.status, 1);
    EXPECT_EQ(defaults.out, "");

    std::filesystem::copy_file(dataFile, DataFilePath(Home()));
    CliRun fromHome = RunWith({"extract", log});
    EXPECT_EQ(fromHome.status, 0) << fromHome.err;
    EXPECT_EQ(fromHome.out, "keep\r\nkeep too\r\n");

    // --rules passes the home's data file by.
    ExtractionRules keepNoise = rules;
    keepNoise.step1Process = Step1Process::Extract;
    EXPECT_EQ(RunWith({"extract", "--rules", WriteRules(keepNoise), log}).out, "noise\r\n");
}

TEST_F(CliExtractTest, BadRuleSourcesStopWithAReason) {
    const std::string log = m_dir.Write("a.log", MailLog());
    std::vector<Byte> record = SerializeRuleSet(DefaultExtractionRules());
    const std::string whole(record.begin(), record.end());

    struct Row {
        std::vector<std::string> arguments;
        std::string message;
    };
    const std::string missing = m_dir.PathOf("missing.rec");
    const std::string cut = m_dir.Write("cut.rec", whole.substr(0, whole.size() - 1));
    const std::string trailing = m_dir.Write("trailing.rec", whole + "x");
    const std::string badData = m_dir.Write("bad.DAT", std::string(100, '\0'));
    // A home whose data file is bad: --rules and --data pass it by, a bare FILE stops on it.
    const std::string homeFile = DataFilePath(Home());
    std::filesystem::copy_file(badData, homeFile);
    const std::vector<Row> rows = {
        {{"extract", "--rules", missing, log}, missing + ": No such file or directory"},
        {{"extract", "--rules", m_dir.Path(), log}, m_dir.Path() + ": Is a directory"},
        {{"extract", "--rules", cut, log}, cut + ": not a valid rule-set record"},
        {{"extract", "--rules", trailing, log}, trailing + ": not a valid rule-set record"},
        {{"extract", "--data", badData, log}, badData + ": not a valid data file"},
        {{"extract", "--data", missing, log}, missing + ": No such file or directory"},
        {{"extract", log}, homeFile + ": not a valid data file"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.arguments));
        CliRun run = RunWith(row.arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "nelvix-cli: " + row.message + "\n");
    }
}

TEST_F(CliExtractTest, RulesThatCannotRunAndTextsWithoutResult) {
    ExtractionRules noStart = DefaultExtractionRules();
    noStart.runMode = RunMode::Step2Only;
    noStart.startLines = {};
    ExtractionRules nothing = DefaultExtractionRules();
    nothing.step1Lines = {};
    nothing.startLines = {};
    const std::string log = m_dir.Write("a.log", MailLog());
    const std::string plain = m_dir.Write("plain.log", "no mail here\r\n");

    CliRun noStartRun = RunWith({"extract", "--rules", WriteRules(noStart, "a.rec"), log});
    EXPECT_EQ(noStartRun.status, 2);
    EXPECT_EQ(noStartRun.err, "nelvix-cli: extract: the rules cannot run: run mode 2 (step 2 "
                              "only) needs a start string\n");
    CliRun nothingRun = RunWith({"extract", "--rules", WriteRules(nothing, "b.rec"), log});
    EXPECT_EQ(nothingRun.status, 2);
    EXPECT_TRUE(nothingRun.err.ends_with("run mode 3 (both steps) needs a step-1 string or a "
                                         "start string\n"));

    ExtractionRules badMode = DefaultExtractionRules();
    badMode.runMode = static_cast<RunMode>(0);
    CliRun badModeRun = RunWith({"extract", "--rules", WriteRules(badMode, "c.rec"), log});
    EXPECT_EQ(badModeRun.status, 2);
    EXPECT_TRUE(badModeRun.err.ends_with("run mode 0 is none of 1, 2 and 3\n"));

    CliRun plainRun = RunWith({"extract", plain});
    EXPECT_EQ(plainRun.status, 1);
    EXPECT_EQ(plainRun.out, "");
    EXPECT_EQ(plainRun.err, "nelvix-cli: step 1: 1 line, 0 deleted, 1 extracted, 0 blocks "
                            "deleted\nnelvix-cli: step 2: 1 line, 1 deleted, 0 extracted, 0 "
                            "blocks extracted\n");

    CliRun missingRun = RunWith({"extract", m_dir.PathOf("none.log")});
    EXPECT_EQ(missingRun.status, 2);
    EXPECT_EQ(missingRun.err,
              "nelvix-cli: " + m_dir.PathOf("none.log") + ": No such file or directory\n");
}

// Rules that extract each "ERROR" line and the line after it, with numbered separators.
ExtractionRules ErrorBlocks() {
    ExtractionRules rules = KeepBlocks("ERROR", 2);
    rules.addSeparator = true;
    rules.SetSeparator("==");
    return rules;
}

// One file per folder, so that the order of the files does not depend on the listing: the
// top folder first, then its subfolders.
class ExtractTree {
public:
    ExtractTree() {
        std::filesystem::create_directories(m_dir.PathOf("sub/deeper"));
        m_dir.Write("a.log", "ok\r\nERROR one\r\nat a\r\nok\r\nERROR two\r\nat b\r\n");
        m_dir.Write("sub/b.log", "ERROR three\r\nat c\r\n");
        m_dir.Write("sub/skip.txt", "ERROR not a log\r\n");
        m_dir.Write("sub/deeper/quiet.log", "all well\r\n");
    }
    const std::string& Path() const { return m_dir.Path(); }

private:
    test::TempDir m_dir;
};

TEST_F(CliExtractTest, GlobalExtractionWritesTagLinesAndNumberedSeparators) {
    ExtractTree tree;
    const std::string rules = WriteRules(ErrorBlocks());
    const std::string all = "==   1/2   1\r\n@/a.log(2): \r\nERROR one\r\nat a\r\n"
                            "==   2/2   2\r\n@/a.log(5): \r\nERROR two\r\nat b\r\n"
                            "==   1/1   3\r\n@/sub/b.log(1): \r\nERROR three\r\nat c\r\n";
    const std::string counts = "nelvix-cli: files processed: 3\n"
                               "nelvix-cli: step 1: 3 blocks extracted\n"
                               "nelvix-cli: step 2: 0 blocks extracted\n";
    CliRun run = RunWith({"extract", "--rules", rules, "--global", tree.Path() + "/*.log"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, ReplaceAll(all, "@", tree.Path()));
    EXPECT_EQ(run.err, counts);

    CliRun top =
        RunWith({"extract", "--rules", rules, "--global", tree.Path() + "/*.log", "--no-subdirs"});
    EXPECT_EQ(top.status, 0) << top.err;
    EXPECT_EQ(top.out, ReplaceAll(all.substr(0, all.find("==   1/1")), "@", tree.Path()));

    CliRun utf8 =
        RunWith({"extract", "--utf8", "--rules", rules, "--global", tree.Path() + "/sub/b.log"});
    EXPECT_EQ(utf8.out, "==   1/1   1\n" + tree.Path() + "/sub/b.log(1): \nERROR three\nat c\n");

    CliRun none = RunWith({"extract", "--rules", rules, "--global", tree.Path() + "/*.none"});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "");
}

// The --global search pattern is turned into a path as find turns its own (CliFindTest); here
// only that a pattern too long to search stops extract.
TEST_F(CliExtractTest, GlobalSpecificationTooLongStopsTheRun) {
    const std::string rules = WriteRules(ErrorBlocks());
    CliRun tooLong =
        RunWith({"extract", "--rules", rules, "--global", "/" + std::string(300, 'x')});
    EXPECT_EQ(tooLong.status, 2);
    EXPECT_TRUE(tooLong.err.starts_with("nelvix-cli: extract: パス名（ファイル名）が不正です。"))
        << tooLong.err;
}

TEST_F(CliExtractTest, QuotedFolderAsTheHistoriesHoldItIsSearched) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.PathOf("my dir"));
    dir.Write("my dir/a.log", "ERROR x\r\n");
    const std::string rules = WriteRules(ErrorBlocks());
    CliRun run = RunWith(
        {"extract", "--rules", rules, "--global", "\"" + dir.PathOf("my dir") + "\"/*.log"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "==   1/1   1\r\n" + dir.PathOf("my dir/a.log") + "(1): \r\nERROR x\r\n");
}

TEST_F(CliExtractTest, GlobalExtractionWritingIntoItsTreePassesOverItsOutput) {
    test::TempDir dir;
    dir.Write("a.log", "ERROR x\r\n");
    const std::string output = dir.Write("out.log", "ERROR from an earlier run\r\n");
    struct stat status {};
    ASSERT_EQ(::stat(output.c_str(), &status), 0);
    const std::string rules = WriteRules(ErrorBlocks());
    const CliRun run = RunWith({"extract", "--rules", rules, "--global", dir.Path() + "/*.log"},
                               OutputFile{status.st_dev, status.st_ino});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "==   1/1   1\r\n" + dir.Path() + "/a.log(1): \r\nERROR x\r\n");
    EXPECT_TRUE(run.err.starts_with("nelvix-cli: " + output + ": skipped, it is the output\n"))
        << run.err;
    EXPECT_TRUE(run.err.find("files processed: 1\n") != std::string::npos) << run.err;
}

// A name holding a line break gave a tag line in two pieces, neither of them a tag.
TEST_F(CliExtractTest, FileNameWithALineBreakKeepsItsTagLineWhole) {
    test::TempDir dir;
    const std::string path = dir.Write("two\r\nlines.log", "ERROR x\r\n");
    const std::string rules = WriteRules(ErrorBlocks());
    const CliRun run = RunWith({"extract", "--rules", rules, "--global", dir.Path() + "/*.log"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "==   1/1   1\r\n" + dir.Path() + "/two\xF1\x4D\xF1\x4Alines.log(1): \r\n" +
                           "ERROR x\r\n");
    EXPECT_EQ(
        RunWith({"extract", "--utf8", "--rules", rules, "--global", dir.Path() + "/*.log"}).out,
        "==   1/1   1\n" + dir.Path() + "/two??lines.log(1): \nERROR x\n");
}

TEST_F(CliExtractTest, GlobalExtractionStopsNearTheResultLimits) {
    // Every line kept: the header and 53,999 lines fill nine tenths of 60,000 rows.
    ExtractionRules rules = ErrorBlocks();
    rules.step1Process = Step1Process::Delete;
    rules.addSeparator = false;
    std::string text;
    for (int line = 0; line < 54'100; ++line)
        text += "x\r\n";
    const std::string file = m_dir.Write("big.log", text);
    CliRun run = RunWith({"extract", "--rules", WriteRules(rules), "--global", file});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, file + "(1): \r\n" + text.substr(0, 53'999 * 3));
    EXPECT_TRUE(run.err.starts_with("nelvix-cli: 行数、または文字数が許容最大値近くになりました。"))
        << run.err;
}

TEST_F(CliExtractTest, FailedOutputStopsTheRun) {
    const std::string log = m_dir.Write("a.log", MailLog());
    std::ostringstream out;
    std::ostringstream err;
    out.setstate(std::ios::badbit);
    EXPECT_EQ(RunCli(std::vector<std::string>{"extract", log}, out, err), 2);
    EXPECT_TRUE(err.str().starts_with("nelvix-cli: cannot write the output\n")) << err.str();
}

TEST(CliExtractionPrinterTest, HeaderPathEndsBeforeTheLineNumber) {
    struct Row {
        const char* situation;
        std::string_view line;
        std::size_t length;
    };
    const std::vector<Row> rows = {
        {"a header line", "/d/a.txt(12): ", 8},
        {"a path holding brackets", "/d/(1)/a(2).txt(3): ", 15},
        {"a header with text after it", "/d/a.txt(12): x", 0},
        {"no line number", "/d/a.txt(): ", 0},
        {"no path", "(12): ", 0},
        {"letters in the number", "/d/a.txt(1a): ", 0},
        {"an ordinary line", "abc", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.situation);
        EXPECT_EQ(HeaderPathLength(row.line), row.length);
    }
}

TEST(CliExtractionPrinterTest, RowsAreCountedAsTheWindowLaysThemOut) {
    struct Row {
        const char* situation;
        std::string text;
        std::uint64_t rows;
    };
    const std::vector<Row> rows = {
        {"nothing", "", 0},
        {"one line", "abc\r\n", 1},
        {"a last line without its end", "abc\r\nd", 2},
        {"200 cells fill one row", std::string(200, 'a') + "\r\n", 1},
        {"201 cells take two", std::string(201, 'a') + "\r\n", 2},
        {"a wide character does not straddle the row end",
         std::string(199, 'a') + Sjis("日") + "\r\n", 2},
        {"tabs count to their stop", std::string(50, '\t') + "\r\n", 1},
        {"51 tabs pass the row", std::string(51, '\t') + "\r\n", 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.situation);
        EXPECT_EQ(DisplayRowsOf(row.text), row.rows);
    }
}

TEST(CliExtractionPrinterTest, FitsAtNineTenthsAndRefusesPastTheLimits) {
    ui::FakePlatform fake;
    std::ostringstream out;
    ExtractionPrinter printer(out, false, false, fake.platform);
    for (std::uint64_t row = 0; row + 1 < kNearLimitRows; ++row)
        ASSERT_TRUE(printer.Append("x\r\n", false));
    EXPECT_TRUE(printer.Fits(1));
    EXPECT_FALSE(printer.Fits(kNearLimitBytes));
    ASSERT_TRUE(printer.Append("x\r\n", false));
    EXPECT_FALSE(printer.Fits(1));
    EXPECT_FALSE(printer.Full());

    // Rows past 60,000 are refused with the window's message; the output keeps what fitted.
    std::string rest;
    for (std::uint64_t row = kNearLimitRows; row < kMaxRows; ++row)
        rest += "x\r\n";
    ASSERT_TRUE(printer.Append(rest, false));
    EXPECT_FALSE(printer.Append("x\r\n", false));
    EXPECT_TRUE(printer.Full());
    EXPECT_FALSE(printer.Append("", false));
    ASSERT_TRUE(printer.Flush());
    EXPECT_EQ(out.str().size(), kMaxRows * 3);
    ASSERT_EQ(fake.messageBox.shown.size(), 1u);
}

TEST(CliExtractionPrinterTest, TextPastItsByteLimitIsRefused) {
    ui::FakePlatform fake;
    std::ostringstream out;
    ExtractionPrinter printer(out, false, false, fake.platform);
    // Lines of 200 bytes reach the byte limit long before the row limit. A document's block
    // needs two bytes beyond its text.
    const std::string line = std::string(198, 'a') + "\r\n";
    std::uint64_t bytes = 0;
    while (bytes + line.size() + 2 < kMaxTextBytes) {
        ASSERT_TRUE(printer.Append(line, false));
        bytes += line.size();
    }
    EXPECT_FALSE(printer.Append(line, false));
    EXPECT_TRUE(printer.Full());
    ASSERT_TRUE(printer.Flush());
    EXPECT_EQ(out.str().size(), bytes);
}

} // namespace
} // namespace nelvix::cli
