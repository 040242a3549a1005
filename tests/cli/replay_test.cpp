// nelvix-cli replay run in-process: its command line; macros written by the recorder into a
// program home of the test's own and run without a window, each operation printing what find or
// extract prints; the home's settings; operations passed over; macros that cannot be loaded.
#include "cli/args/replay_args.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/cp932.h"
#include "cli/args/cli_args.h"
#include "cli_run.h"
#include "record/command_table.h"
#include "record/operation_recorder.h"
#include "scoped_environment.h"
#include "store/extraction_record.h"
#include "store/global_find_record.h"
#include "support/test_files.h"
#include "ui/fake_platform.h"

namespace nelvix::cli {
namespace {

// --- The command line --------------------------------------------------------------------

TEST(CliReplayArgsTest, AcceptedCommandLines) {
    struct Row {
        std::vector<std::string> words;
        std::string macro;
        std::optional<std::string> home;
        std::optional<std::string> file;
        bool utf8;
    };
    const std::vector<Row> rows = {
        {{"replay", "find1"}, "find1", {}, {}, false},
        {{"replay", "--home", "/h", "find1.mac"}, "find1.mac", "/h", {}, false},
        {{"replay", "find1", "--home=/h", "--file", "a.log"}, "find1", "/h", "a.log", false},
        {{"replay", "--utf8", "--file=a.log", "x"}, "x", {}, "a.log", true},
        {{"replay", "--", "--home"}, "--home", {}, {}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.words[1]);
        const ParsedArgs parsed = ParseCliArgs(row.words);
        ASSERT_TRUE(parsed.ok()) << parsed.error;
        EXPECT_EQ(parsed.args.command, Subcommand::Replay);
        EXPECT_EQ(parsed.args.replay.macro, row.macro);
        EXPECT_EQ(parsed.args.replay.home, row.home);
        EXPECT_EQ(parsed.args.replay.file, row.file);
        EXPECT_EQ(parsed.args.utf8, row.utf8);
    }
    EXPECT_EQ(ParseCliArgs(std::vector<std::string>{"replay", "x", "-h"}).args.command,
              Subcommand::Help);
}

TEST(CliReplayArgsTest, WrongCommandLinesExitWithTwoAndTheUsage) {
    struct Row {
        std::vector<std::string> arguments;
        const char* message;
    };
    const std::vector<Row> rows = {
        {{"replay"}, "replay: missing MACRO"},
        {{"replay", "--home", "/h"}, "replay: missing MACRO"},
        {{"replay", "a", "b"}, "replay takes one MACRO, not 2"},
        {{"replay", ""}, "replay: the MACRO name is empty"},
        {{"replay", "a", "--home"}, "--home needs a value"},
        {{"replay", "--file=", "a"}, "--file needs a value"},
        {{"replay", "--rules", "r", "a"}, "unknown option '--rules'"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.arguments));
        const CliRun run = RunWith(row.arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(run.err.starts_with("nelvix-cli: " + std::string(row.message))) << run.err;
        EXPECT_NE(run.err.find("\n\nUsage:"), std::string::npos);
    }
}

// --- Runs ----------------------------------------------------------------------------------

class CliReplayTest : public ::testing::Test {
protected:
    CliReplayTest() {
        m_data.Write("notes.txt", Sjis("apple pie\r\npear tart\r\nAPPLE juice\r\n"));
        m_data.Write("other.log", "an apple a day\r\n");
        m_data.Write("mail.log", Sjis("    題名：会議\r\n本文\r\n受信後 (1:削除  2:保存  3:返信  "
                                      "4:返信＋削除  5:転送  6:転送＋削除  E:終了)\r\n"));
    }

    std::string Data(const std::string& name = {}) const { return m_data.PathOf(name); }
    std::string Home() const { return m_home.Path(); }

    /// One record per operation, as the commands hand them to the recorder, saved as `name`.
    void SaveMacro(const std::string& name,
                   const std::vector<std::pair<int, std::vector<Byte>>>& operations) {
        m_recorder.StartRecording();
        for (const auto& [command, record] : operations)
            ASSERT_TRUE(m_recorder.RecordOperation(kCommandRecordType, command, record.data(),
                                                   record.size()));
        m_recorder.StopRecording();
        ASSERT_TRUE(m_recorder.SaveMacro(name, "comment"));
    }
    std::pair<int, std::vector<Byte>> Find(const std::string& pattern, const std::string& spec,
                                           bool caseSensitive = true) const {
        GlobalFindParameters parameters;
        parameters.pattern = pattern;
        parameters.specification = spec;
        parameters.caseSensitive = caseSensitive;
        parameters.widthSensitive = true;
        return {kCmdGlobalFind, SerializeGlobalFindRecord(parameters)};
    }
    static ExtractionRules KeepLinesWith(const std::string& sjisText) {
        ExtractionRules rules = DefaultExtractionRules();
        rules.runMode = RunMode::Step1Only;
        rules.step1Process = Step1Process::Extract;
        rules.step1Lines = {};
        rules.step1Lines.Add(MakeRuleEntry(sjisText, 0, 1));
        return rules;
    }
    static std::pair<int, std::vector<Byte>> LineExtraction(const ExtractionRules& rules) {
        return {kCmdLineExtraction, SerializeLineExtractionRecord(rules)};
    }
    static std::pair<int, std::vector<Byte>> GlobalExtraction(const ExtractionRules& rules,
                                                              const std::string& pattern,
                                                              bool subdirectories = false) {
        return {kCmdGlobalExtraction,
                SerializeGlobalExtractionRecord({rules, subdirectories, pattern})};
    }
    CliRun Replay(std::vector<std::string> more) const {
        std::vector<std::string> words{"replay", "--home", Home()};
        words.insert(words.end(), more.begin(), more.end());
        return RunWith(words);
    }

    test::TempDir m_data;
    test::TempDir m_home;
    ui::FakePlatform m_fake;
    std::array<std::string, kUserToolSlots> m_userTools;
    OperationRecorder m_recorder{m_fake.platform, m_home.Path(), m_userTools};
};

TEST_F(CliReplayTest, AGlobalFindPrintsWhatFindPrints) {
    SaveMacro("find1", {Find("apple", Data("*.txt *.log"))});
    const CliRun found = RunWith({"find", "--no-subdirs", "--spec", Data("*.txt *.log"), "apple"});
    ASSERT_EQ(found.status, 0) << found.err;
    const CliRun run = Replay({"find1"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, found.out);
    EXPECT_EQ(run.err, "nelvix-cli: replay: operation 1: global find\n" + found.err);
    EXPECT_EQ(
        Replay({"--utf8", "find1"}).out,
        RunWith({"find", "--utf8", "--no-subdirs", "--spec", Data("*.txt *.log"), "apple"}).out);
}

TEST_F(CliReplayTest, TheRecordsOptionsAreTheOnesUsed) {
    SaveMacro("nocase", {Find("apple", Data("notes.txt"), false)});
    const CliRun run = Replay({"nocase"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("(1): apple pie"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("(3): APPLE juice"), std::string::npos) << run.out;
}

TEST_F(CliReplayTest, TheHomesSettingsAreRead) {
    SaveMacro("either", {Find("pear or juice", Data("notes.txt"))});
    EXPECT_EQ(Replay({"either"}).status, 1); // one plain pattern that no line holds
    m_home.Write("nelvix.ini", "[Settings]\r\nMultiText=1\r\n");
    const CliRun run = Replay({"either"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("(2): pear tart"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("(3): APPLE juice"), std::string::npos) << run.out;
}

TEST_F(CliReplayTest, ALineExtractionCutsDownTheFileGiven) {
    const ExtractionRules rules = KeepLinesWith("apple");
    SaveMacro("cut", {LineExtraction(rules)});
    std::vector<Byte> record = SerializeRuleSet(rules);
    const std::string rulesFile =
        m_data.Write("rules.rec", std::string(record.begin(), record.end()));
    const CliRun extracted = RunWith({"extract", "--rules", rulesFile, Data("notes.txt")});
    ASSERT_EQ(extracted.status, 0) << extracted.err;

    const CliRun run = Replay({"--file", Data("notes.txt"), "cut"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, extracted.out);
    EXPECT_EQ(run.err, "nelvix-cli: replay: operation 1: line extraction\n" + extracted.err);
}

TEST_F(CliReplayTest, ALineExtractionWithoutAFileCannotRun) {
    SaveMacro("cut", {LineExtraction(KeepLinesWith("apple"))});
    const CliRun run = Replay({"cut"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "nelvix-cli: replay: operation 1: a line extraction needs the text it "
                       "cuts down: give it with --file\n");
}

TEST_F(CliReplayTest, AGlobalExtractionRunsOverItsPattern) {
    const ExtractionRules rules = KeepLinesWith("apple");
    SaveMacro("global", {GlobalExtraction(rules, Data("*.log"))});
    std::vector<Byte> record = SerializeRuleSet(rules);
    const std::string rulesFile =
        m_data.Write("rules.rec", std::string(record.begin(), record.end()));
    const CliRun extracted =
        RunWith({"extract", "--rules", rulesFile, "--no-subdirs", "--global", Data("*.log")});
    ASSERT_EQ(extracted.status, 0) << extracted.err;
    const CliRun run = Replay({"global"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, extracted.out);
    EXPECT_NE(run.out.find("an apple a day"), std::string::npos) << run.out;
    EXPECT_EQ(run.err, "nelvix-cli: replay: operation 1: global extraction\n" + extracted.err);
}

TEST_F(CliReplayTest, APatternWithoutADirectoryLiesInTheWorkingDirectory) {
    SaveMacro("here", {GlobalExtraction(KeepLinesWith("apple"), "*.log")});
    const CliRun run = [&] {
        test::WorkingFolder inData(Data());
        return Replay({"here"});
    }();
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(Data("other.log") + "(1)"), std::string::npos) << run.out;
}

TEST_F(CliReplayTest, OperationsRunInTurnAndOthersArePassedOver) {
    SaveMacro("mixed", {Find("pear", Data("notes.txt")),
                        {kCmdUnusedSlot, {}},
                        LineExtraction(KeepLinesWith(Sjis("本文")))});
    const CliRun run = Replay({"--file", Data("mail.log"), "mixed"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, Data("notes.txt") + "(2): pear tart\r\n" + Sjis("本文\r\n"));
    EXPECT_NE(run.err.find("operation 1: global find\n"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("operation 2: command 32789 runs only in the program's window; "
                           "skipped\n"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("operation 3: line extraction\n"), std::string::npos) << run.err;
}

TEST_F(CliReplayTest, StatusIsTroubleOverNothingOverFound) {
    struct Row {
        const char* situation;
        std::vector<std::pair<int, std::vector<Byte>>> operations;
        int status;
    };
    const std::vector<Row> rows = {
        {"nothing found", {Find("banana", Data("notes.txt"))}, 1},
        {"found after nothing",
         {Find("banana", Data("notes.txt")), Find("pear", Data("*.txt"))},
         0},
        {"only passed over", {{kCmdUnusedSlot, {}}}, 1},
        {"a damaged record", {{kCmdGlobalFind, {1, 0}}, Find("pear", Data("*.txt"))}, 2},
        {"rules that cannot run",
         {{kCmdGlobalExtraction,
           [] {
               ExtractionRules rules = KeepLinesWith("x");
               rules.step1Lines = {};
               return SerializeGlobalExtractionRecord({rules, false, "*.log"});
           }()}},
         2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.situation);
        SaveMacro("m", row.operations);
        EXPECT_EQ(Replay({"m"}).status, row.status);
    }
}

TEST_F(CliReplayTest, MacrosThatCannotBeLoaded) {
    m_home.Write("junk.mac", "not a macro at all");
    SaveMacro("empty", {});
    struct Row {
        const char* macro;
        int status;
        std::string err;
    };
    const std::vector<Row> rows = {
        {"missing", 2,
         "nelvix-cli: replay: cannot load the macro 'missing': there is no macro file for it in " +
             Home() + "\n"},
        {"sub/x", 2,
         "nelvix-cli: replay: cannot load the macro 'sub/x': it cannot name a macro file of " +
             Home() + "\n"},
        {"junk", 2,
         "nelvix-cli: replay: cannot load the macro 'junk': its file in " + Home() +
             " cannot be read or is no macro file\n"},
        {"empty", 1, "nelvix-cli: replay: the macro 'empty' holds no operation\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.macro);
        const CliRun run = Replay({row.macro});
        EXPECT_EQ(run.status, row.status);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, row.err);
    }
}

TEST_F(CliReplayTest, WithoutHomeTheProgramHomeIsUsed) {
    SaveMacro("find1", {Find("pear", Data("notes.txt"))});
    const CliRun run = [&] {
        ScopedEnvironment useHome("NELVIX_HOME", Home());
        return RunWith({"replay", "find1"});
    }();
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, Data("notes.txt") + "(2): pear tart\r\n");
}

} // namespace
} // namespace nelvix::cli
