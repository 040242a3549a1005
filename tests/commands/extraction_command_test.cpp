// The extraction commands with a scripted sheet: line extraction of a mail log into a result
// document, global extraction over a small tree with its header lines, progress window and
// summary; cancel, failed preconditions, no active window, recording and replay, the data file,
// the clipboard, the file history and the remembered page.
#include "commands/extraction_command.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/cp932.h"
#include "commands/command_scene.h"
#include "extract/extraction_sheet.h"
#include "extract/mail_log.h"
#include "fileset/search_specification.h"
#include "record/command_table.h"
#include "store/extraction_record.h"
#include "text/text_document.h"
#include "ui/message_ids.h"

namespace nelvix {
namespace {

/// Answers given in advance, the values and page each sheet was opened with, and the apply
/// button pressed on request.
class FakeExtractionSheet final : public ExtractionSheet {
public:
    struct Answer {
        std::optional<ExtractionSheetValues> values; ///< nothing: cancel
        int closingPage = kExtSetPage;
        /// Values applied with the apply button before the sheet closes.
        std::vector<ExtractionSheetValues> applied;
    };
    struct Asked {
        ExtractionSheetKind kind;
        ExtractionSheetValues initial;
        std::vector<std::string> history;
        int page;
    };

    std::optional<ExtractionSheetValues>
    Ask(ExtractionSheetKind kind, const ExtractionSheetValues& initial,
        const std::vector<std::string>& history, int& page,
        const std::function<void(const ExtractionSheetValues&)>& apply) override {
        asked.push_back({kind, initial, history, page});
        if (answers.empty())
            return std::nullopt;
        Answer answer = answers.front();
        answers.pop_front();
        for (const ExtractionSheetValues& values : answer.applied)
            apply(values);
        page = answer.closingPage;
        return answer.values;
    }

    std::deque<Answer> answers;
    std::vector<Asked> asked;
};

/// Shift-JIS lines with CR LF.
std::string Joined(const std::vector<std::string>& utf8Lines) {
    std::string text;
    for (const std::string& line : utf8Lines)
        text += Sjis(line) + "\r\n";
    return text;
}

/// What the default rules keep of the mail log.
std::string Extracted() {
    return Joined(test::MailLogExtractedUtf8());
}

class ExtractionCommandTest : public ::testing::Test, protected test::CommandScene {
protected:
    ExtractionCommandTest() : CommandScene({"sub"}) {
        dir.Write("data/one.log", Joined(test::MailLogUtf8()));
        dir.Write("data/plain.txt", "nothing to see\r\n");
        dir.Write("data/sub/two.log", Joined(test::MailLogUtf8()));
        application.GetSettings().displayGlobalFindResult = 1;
    }

    ExtractionSheetValues Values(std::string pattern = {}) const {
        ExtractionSheetValues values;
        values.rules = DefaultExtractionRules();
        values.rules.hideWhileExtracting = true;
        values.filePattern = pattern.empty() ? data + "*.log" : std::move(pattern);
        values.subdirectories = true;
        return values;
    }
    void Answer(std::optional<ExtractionSheetValues> values, int page = kExtSetPage) {
        sheet.answers.push_back({std::move(values), page, {}});
    }
    CKespoDoc* OpenSource() {
        CKespoEV* window = windows.OpenOrActivate(data + "one.log");
        return window == nullptr ? nullptr : &window->Document();
    }
    void ReplayInto(ExtractionCommand& target) {
        test::FunctionDispatcher run(
            [&](int commandId) {
                if (commandId == kCmdLineExtraction)
                    target.RunLineExtraction();
                else if (commandId == kCmdGlobalExtraction)
                    target.RunGlobalExtraction();
            },
            true);
        application.Recorder().Replay(run);
    }
    bool DataFileWritten() const {
        struct stat info {};
        return ::stat(application.DataFile().c_str(), &info) == 0;
    }

    FakeExtractionSheet sheet;
    ExtractionCommand command{application, windows, placement, frame.services, sheet};
};

TEST_F(ExtractionCommandTest, LineExtractionOfAMailLogIntoAResultAndTheClipboard) {
    ASSERT_NE(OpenSource(), nullptr);
    fake.clipboard.text = "old";
    ExtractionSheetValues values = Values();
    values.rules.hideWhileExtracting = false;
    values.copyToClipboard = true;
    Answer(values, kExtStep2Page);
    command.RunLineExtraction();

    ASSERT_EQ(sheet.asked.size(), 1u);
    EXPECT_EQ(sheet.asked[0].kind, ExtractionSheetKind::Line);
    EXPECT_EQ(sheet.asked[0].initial.rules, DefaultExtractionRules());
    const std::vector<std::string> texts = Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1], Extracted());
    EXPECT_FALSE(frame.progressWindow.open);
    ASSERT_EQ(frame.countsDialog.shown.size(), 1u);
    EXPECT_EQ(command.RememberedPage(), kExtStep2Page);
    EXPECT_EQ(application.Extraction().Rules(), values.rules);
    EXPECT_TRUE(DataFileWritten());
    EXPECT_FALSE(application.Recorder().HasRecord());
    EXPECT_EQ(application.GetSettings().copyToClipboardAfterExtract, 1);
    EXPECT_EQ(fake.clipboard.text, Extracted());
}

// A lone LF ends no line: both extractions cut the text where its line numbers do, after CR LF
// only (nelvix-cli extract cuts the same text the same way, tests/cli/extract_test.cpp).
TEST_F(ExtractionCommandTest, LoneLineFeedsEndNoLineInEitherExtraction) {
    const std::string text = "head\r\nkeep one\nstill one\r\nnext\r\nx\ny\r\nkeep two\r\n"
                             "after\nmore\r\ntail\r\n";
    const std::string expected = "keep one\nstill one\r\nnext\r\nkeep two\r\nafter\nmore\r\n";
    const std::string path = dir.Write("data/lf.txt", text);
    ExtractionSheetValues values = Values(data + "lf.txt");
    values.rules.runMode = RunMode::Step1Only;
    values.rules.step1Process = Step1Process::Extract;
    values.rules.step1Lines = {};
    values.rules.step1Lines.Add(MakeRuleEntry("keep", 0, 2));

    ASSERT_NE(windows.OpenOrActivate(path), nullptr);
    Answer(values);
    command.RunLineExtraction();
    ASSERT_EQ(Texts().size(), 2u);
    EXPECT_EQ(Texts()[1], expected);

    Answer(values);
    command.RunGlobalExtraction();
    ASSERT_EQ(Texts().size(), 3u);
    // Each block is headed by its first line's number, counted by CR LF too.
    EXPECT_EQ(Texts()[2], path + "(2): \r\nkeep one\nstill one\r\nnext\r\n" + path +
                              "(5): \r\nkeep two\r\nafter\nmore\r\n");
}

TEST_F(ExtractionCommandTest, CancelledSheetRecordsAndWritesNothing) {
    ASSERT_NE(OpenSource(), nullptr);
    Answer(std::nullopt);
    command.RunLineExtraction();
    EXPECT_EQ(Texts().size(), 1u);
    EXPECT_FALSE(DataFileWritten());
    EXPECT_FALSE(application.Recorder().HasRecord());
    EXPECT_EQ(application.Extraction().Rules(), DefaultExtractionRules());
}

TEST_F(ExtractionCommandTest, RulesThatFailThePreconditionsLeaveNoResult) {
    ASSERT_NE(OpenSource(), nullptr);
    ExtractionSheetValues values = Values();
    values.rules.runMode = RunMode::Step1Only;
    values.rules.step1Lines = RuleList{};
    Answer(values);
    command.RunLineExtraction();
    EXPECT_EQ(Texts().size(), 1u);
    EXPECT_GE(fake.beeper.beeps, 1);
}

TEST_F(ExtractionCommandTest, LineExtractionWithoutAWindowBeeps) {
    Answer(Values());
    command.RunLineExtraction();
    EXPECT_TRUE(Texts().empty());
    EXPECT_EQ(fake.beeper.beeps, 1);
}

TEST_F(ExtractionCommandTest, RecordedLineExtractionReplaysWithoutTheSheet) {
    ASSERT_NE(OpenSource(), nullptr);
    application.GetSettings().recordExtractOperation = 1;
    ExtractionSheetValues values = Values();
    values.recordOperation = true;
    Answer(values);
    command.RunLineExtraction();
    EXPECT_FALSE(application.Recorder().IsRecording());
    const auto [commandId, record] = RecordedOperation();
    EXPECT_EQ(commandId, kCmdLineExtraction);
    EXPECT_EQ(ParseLineExtractionRecord(record), values.rules);

    application.Extraction().Rules() = DefaultExtractionRules();
    windows.ActivateDocument(*application.Documents().Documents()[0]);
    ReplayInto(command);
    EXPECT_EQ(sheet.asked.size(), 1u);
    const std::vector<std::string> texts = Texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[2], texts[1]);
    EXPECT_EQ(application.Extraction().Rules(), values.rules);
}

TEST_F(ExtractionCommandTest, GlobalExtractionOverATree) {
    application.GetSettings().separatedPlacement = 1;
    placement.Recompute();
    application.GetSettings().findNoneTextFile = 1;
    Answer(Values(), kExtFilePage);
    command.RunGlobalExtraction();

    ASSERT_EQ(sheet.asked.size(), 1u);
    EXPECT_EQ(sheet.asked[0].kind, ExtractionSheetKind::Global);
    const std::vector<std::string> texts = Texts();
    ASSERT_EQ(texts.size(), 1u);
    const std::string& text = texts[0];
    EXPECT_NE(text.find(data + "one.log(3): \r\n"), std::string::npos) << text;
    EXPECT_NE(text.find(data + "sub/two.log(3): \r\n"), std::string::npos) << text;
    EXPECT_NE(text.find(Sjis("金曜日に打ち合わせ")), std::string::npos);
    EXPECT_EQ(text.find(Sjis("続き")), std::string::npos);
    EXPECT_EQ(application.GetSettings().findNoneTextFile, 1);
    EXPECT_EQ(application.ExtractionFiles().patterns, std::vector<std::string>{data + "*.log"});
    EXPECT_EQ(command.RememberedPage(), kExtFilePage);

    const ui::FakeProgressWindow& progress = frame.progressWindow;
    EXPECT_EQ(progress.groups.size(), 2u);
    EXPECT_FALSE(progress.open);
    ASSERT_EQ(frame.countsDialog.shown.size(), 1u);
    const ui::CountsReport& summary = frame.countsDialog.shown[0];
    ASSERT_EQ(summary.lines.size(), 1u);
    EXPECT_EQ(summary.lines[0].value, "2");
    ASSERT_EQ(summary.groups.size(), 2u);
    // Step 1 deletes: its count stands in the delete column; step 2 extracts.
    EXPECT_EQ(summary.groups[0].lines[0].value, "4");
    EXPECT_EQ(summary.groups[0].lines[1].value, "");
    EXPECT_EQ(summary.groups[1].lines[0].value, "");
    EXPECT_EQ(summary.groups[1].lines[1].value, "6");
}

TEST_F(ExtractionCommandTest, GlobalExtractionWithoutOutputClosesItsResult) {
    Answer(Values(data + "*.txt"));
    command.RunGlobalExtraction();
    EXPECT_TRUE(Texts().empty());
    ASSERT_EQ(frame.countsDialog.shown.size(), 1u);
    EXPECT_EQ(frame.countsDialog.shown[0].lines[0].value, "1");
}

TEST_F(ExtractionCommandTest, GlobalMemoryProbeFailureShowsOutOfMemoryOnly) {
    fake.memory.failAll = true;
    Answer(Values());
    command.RunGlobalExtraction();
    EXPECT_EQ(fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgOutOfMemory});
    EXPECT_TRUE(sheet.asked.empty());
}

TEST_F(ExtractionCommandTest, RecordedGlobalExtractionReplaysToTheSameResult) {
    application.GetSettings().displayGlobalFindResult = 0;
    ExtractionSheetValues values = Values();
    values.recordOperation = true;
    Answer(values);
    command.RunGlobalExtraction();
    const auto [commandId, record] = RecordedOperation();
    EXPECT_EQ(commandId, kCmdGlobalExtraction);
    const std::optional<ExtractionParameters> parameters = ParseGlobalExtractionRecord(record);
    ASSERT_TRUE(parameters.has_value());
    EXPECT_EQ(parameters->pattern, data + "*.log");
    EXPECT_TRUE(parameters->subdirectories);

    application.ExtractionFiles().patterns = {"other"};
    ReplayInto(command);
    EXPECT_EQ(sheet.asked.size(), 1u);
    const std::vector<std::string> texts = Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], texts[1]);
    EXPECT_EQ(application.ExtractionFiles().patterns,
              (std::vector<std::string>{data + "*.log", "other"}));
}

TEST_F(ExtractionCommandTest, FileHistoryHoldsNoTwinsAndAtMostTwenty) {
    application.GetSettings().displayGlobalFindResult = 0;
    for (int i = 0; i < 22; ++i) {
        Answer(Values(data + "x" + std::to_string(i) + "*.log"));
        command.RunGlobalExtraction();
    }
    Answer(Values(data + "x21*.log"));
    command.RunGlobalExtraction();
    const std::vector<std::string>& history = application.ExtractionFiles().patterns;
    EXPECT_EQ(history.size(), kExtractionHistoryEntries);
    EXPECT_EQ(history.front(), data + "x21*.log");
    EXPECT_EQ(history[1], data + "x20*.log");
    EXPECT_EQ(history.back(), data + "x2*.log");
    EXPECT_EQ(sheet.asked.back().initial.filePattern, data + "x21*.log");
}

TEST_F(ExtractionCommandTest, FirstPatternIsTheWorkingDirectoryWithAllFiles) {
    EXPECT_EQ(command.InitialPattern(), WorkingDirectory() + "*.*");
}

TEST_F(ExtractionCommandTest, LineSheetOpensOnTheFirstPageAfterTheFilePage) {
    ASSERT_NE(OpenSource(), nullptr);
    Answer(std::nullopt, kExtFilePage);
    command.RunGlobalExtraction();
    Answer(std::nullopt, kExtStep1Page);
    command.RunLineExtraction();
    Answer(std::nullopt);
    command.RunGlobalExtraction();
    ASSERT_EQ(sheet.asked.size(), 3u);
    EXPECT_EQ(sheet.asked[1].page, kExtSetPage);
    EXPECT_EQ(sheet.asked[2].page, kExtStep1Page);
}

TEST_F(ExtractionCommandTest, ApplyTakesTheValuesAndWritesTheDataFile) {
    ExtractionSheetValues applied = Values(data + "applied*.log");
    applied.rules.addSeparator = true;
    sheet.answers.push_back({std::nullopt, kExtSetPage, {applied}});
    command.RunGlobalExtraction();
    EXPECT_TRUE(DataFileWritten());
    EXPECT_TRUE(application.Extraction().Rules().addSeparator);
    EXPECT_EQ(application.ExtractionFiles().patterns.front(), data + "applied*.log");
    EXPECT_TRUE(Texts().empty());
}

} // namespace
} // namespace nelvix
