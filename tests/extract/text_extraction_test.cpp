// Line extraction of one text: separators, the progress window and its stop button, silent
// output, the counts dialog, and the failures that leave nothing done.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "extract/extraction_engine.h"
#include "extract/extraction_fakes.h"
#include "extract/mail_log.h"
#include "ui/fake_frame_services.h"
#include "ui/fake_platform.h"
#include "ui/message_ids.h"

namespace nelvix {
namespace {

using test::Entry;
using test::List;

const std::string kStars(60, '*');

class TextExtraction : public testing::Test {
protected:
    TextExtraction() {
        ruleSet.Rules().showInfo = false;
        ruleSet.Rules().hideWhileExtracting = true;
    }
    int Run() {
        return ruleSet.ExtractFromText(text, result, services.progressWindow,
                                       services.countsDialog);
    }

    ui::FakePlatform fake;
    ui::FakeFrameServices services;
    ExtractionRuleSet ruleSet{fake.platform};
    test::VectorText text{test::SjisLines(test::MailLogUtf8())};
    test::RecordingResult result;
};

TEST_F(TextExtraction, SeparatorBeforeEachBlockNumbersItAmongAll) {
    ruleSet.Rules().addSeparator = true;
    ASSERT_EQ(Run(), 1);
    const std::vector<std::string> log = test::SjisLines(test::MailLogUtf8());
    const std::vector<std::string> expected = {
        kStars + "   1/3", log[2],  log[3],  log[4],  log[7],
        kStars + "   2/3", log[9],  log[10], log[11], kStars + "   3/3",
        log[13],           log[14], log[17]};
    EXPECT_EQ(result.Lines(), expected);
    EXPECT_EQ(result.pieces.front(), kStars + "   1/3\r\n");
}

TEST_F(TextExtraction, DeletedBlocksAreNotNumbered) {
    ruleSet.Rules().addSeparator = true;
    ruleSet.Rules().step2Process = Step2Process::Delete;
    ASSERT_EQ(Run(), 1);
    for (const std::string& line : result.Lines())
        EXPECT_FALSE(line.starts_with(kStars)) << line;
}

TEST_F(TextExtraction, TwoBlocksStartingOnOneLineGiveOneSeparator) {
    // The first block loses every line to its end position; the second reaches back over
    // the same lines and so starts on the first block's start line.
    ruleSet.Rules() =
        test::QuietRules(RunMode::Step2Only, {}, List({Entry("S", -2)}), List({Entry("E", -5)}));
    ruleSet.Rules().addSeparator = true;
    test::VectorText lines({"S", "E", "S"});
    ASSERT_EQ(
        ruleSet.ExtractFromText(lines, result, services.progressWindow, services.countsDialog), 1);
    EXPECT_EQ(result.Lines(), (std::vector<std::string>{kStars + "   1/2", "S", "E", "S"}));
    EXPECT_EQ(ruleSet.Counts().step2BlockCount, 2u);
}

TEST_F(TextExtraction, EachLineIsReadOnceForBothStepsThenForItsBlockAndTheOutput) {
    ASSERT_EQ(Run(), 1);
    // Step 1 reads 17 of the 19 lines (not the two after the continuation prompts) and tests
    // them for the start strings too; step 2 reads the 7 lines it tests for the end strings;
    // the output reads the 10 lines it writes.
    EXPECT_EQ(text.reads, 17 + 7 + 10);
}

TEST_F(TextExtraction, DisplayedOutputRunsUnderTheProgressWindow) {
    ruleSet.Rules().hideWhileExtracting = false;
    ASSERT_EQ(Run(), 1);
    const ui::FakeProgressWindow& progress = services.progressWindow;
    EXPECT_EQ(progress.opens, 1);
    EXPECT_FALSE(progress.open);
    // Events run and the button is looked at before each of the ten lines.
    EXPECT_EQ(fake.eventPump.pumps, 10);
    EXPECT_EQ(progress.stopChecks, 10);
    EXPECT_EQ(result.displayed, std::vector<bool>(10, true));
    EXPECT_TRUE(result.refreshes.empty());
}

TEST_F(TextExtraction, SilentOutputIsRefreshedOnceWithoutAWindow) {
    ASSERT_EQ(Run(), 1);
    EXPECT_EQ(services.progressWindow.opens, 0);
    EXPECT_EQ(fake.eventPump.pumps, 0);
    EXPECT_EQ(result.displayed, std::vector<bool>(10, false));
    EXPECT_EQ(result.refreshes, std::vector<bool>{false});
}

struct StopCase {
    const char* name;
    int stopAtCheck;
    int quitAtPump;
    std::size_t refusePiece;
    std::size_t piecesLeft;
};

TEST_F(TextExtraction, StopEndsTheOutputAndKeepsWhatWasWritten) {
    const StopCase cases[] = {
        {"StopButtonAtTheThirdLine", 3, 0, 0, 2},
        {"ProgramQuittingAtTheSecondLine", 0, 2, 0, 1},
        {"ResultRefusingTheFourthPiece", 0, 0, 4, 4},
    };
    for (const StopCase& c : cases) {
        SCOPED_TRACE(c.name);
        ui::FakePlatform platform;
        ui::FakeFrameServices frame;
        ExtractionRuleSet rules(platform.platform);
        rules.Rules().hideWhileExtracting = false;
        platform.eventPump.quitAtPump = c.quitAtPump;
        frame.progressWindow.stopAtCheck = c.stopAtCheck;
        test::RecordingResult out;
        out.refusePiece = c.refusePiece;
        EXPECT_EQ(rules.ExtractFromText(text, out, frame.progressWindow, frame.countsDialog), 1);
        EXPECT_EQ(out.pieces.size(), c.piecesLeft);
        EXPECT_FALSE(frame.progressWindow.open);
        // The counts come only after an output that ran to its end.
        EXPECT_TRUE(frame.countsDialog.shown.empty());
    }
}

// The values only: the labels are the counts window's.
TEST_F(TextExtraction, CountsDialogShowsBothSteps) {
    ruleSet.Rules().showInfo = true;
    ASSERT_EQ(Run(), 1);
    ASSERT_EQ(services.countsDialog.shown.size(), 1u);
    std::vector<std::vector<std::string>> values;
    for (const ui::CountGroup& group : services.countsDialog.shown.front().groups) {
        values.emplace_back();
        for (const ui::CountLine& line : group.lines)
            values.back().push_back(line.value);
    }
    EXPECT_EQ(values, (std::vector<std::vector<std::string>>{{"19", "4", "15", "2", ""},
                                                             {"15", "5", "10", "", "3"}}));
}

// The default processes are CountsDialogShowsBothSteps'; the other way round the block counts
// change columns.
TEST(LineExtractionCounts, BlocksStandUnderTheColumnOfTheProcess) {
    ExtractionRules rules = DefaultExtractionRules();
    rules.step1Process = Step1Process::Extract;
    rules.step2Process = Step2Process::Delete;
    ui::FakeCountsDialog dialog;
    ShowLineExtractionCounts(rules, ExtractionCounts{1'234'567, 1'000, 1'234, 0, 5}, dialog);
    ASSERT_EQ(dialog.shown.size(), 1u);
    const std::vector<ui::CountGroup>& groups = dialog.shown.front().groups;
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ((std::vector<std::string>{groups[0].lines[3].value, groups[0].lines[4].value,
                                        groups[1].lines[3].value, groups[1].lines[4].value}),
              (std::vector<std::string>{"", "1,234", "5", ""}));
}

TEST_F(TextExtraction, ArrayThatCannotBeHadLeavesNothingDone) {
    for (int call = 1; call <= 5; ++call) {
        SCOPED_TRACE(call);
        ui::FakePlatform platform;
        ui::FakeFrameServices frame;
        ExtractionRuleSet rules(platform.platform);
        platform.memory.failFromCall = call;
        test::RecordingResult out;
        EXPECT_EQ(rules.ExtractFromText(text, out, frame.progressWindow, frame.countsDialog), 0);
        EXPECT_EQ(platform.messageBox.ShownIds(), std::vector<int>{ui::kMsgOutOfMemory});
        EXPECT_TRUE(out.pieces.empty());
        EXPECT_EQ(frame.progressWindow.opens, 0);
        EXPECT_EQ(platform.beeper.beeps, 0);
    }
}

TEST_F(TextExtraction, LineThatCannotBeHadNeverMatchesAndIsLeftOut) {
    ruleSet.Rules() = test::QuietRules(RunMode::Step1Only, List({Entry("X", 0)}));
    test::VectorText lines({"a", "X", "X", "b"}, {1});
    ASSERT_EQ(
        ruleSet.ExtractFromText(lines, result, services.progressWindow, services.countsDialog), 1);
    EXPECT_EQ(result.Lines(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(ruleSet.Counts().step1MatchCount, 1u);
    EXPECT_EQ(ruleSet.Counts().outCount, 3u);
}

TEST_F(TextExtraction, SecondRunStartedFromTheEventsIsRefused) {
    ruleSet.Rules().hideWhileExtracting = false;
    ruleSet.Rules().showInfo = true;
    int inner = -1;
    test::VectorText other({"x"});
    test::RecordingResult otherResult;
    ui::FakeFrameServices otherFrame;
    services.progressWindow.onStopCheck = [&] {
        if (inner == -1)
            inner = ruleSet.ExtractFromText(other, otherResult, otherFrame.progressWindow,
                                            otherFrame.countsDialog);
    };
    ASSERT_EQ(Run(), 1);
    EXPECT_EQ(inner, 0);
    EXPECT_EQ(fake.beeper.beeps, 1);
    EXPECT_TRUE(otherResult.pieces.empty());
    EXPECT_EQ(result.pieces.size(), 10u);
    ASSERT_EQ(services.countsDialog.shown.size(), 1u);
    EXPECT_EQ(services.countsDialog.shown.front().groups[1].lines[2].value, "10");
}

} // namespace
} // namespace nelvix
