// Step 1 over single lines, step 2 over blocks, and the run modes, seen through the lines a
// line extraction writes and the counts it keeps.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "extract/extraction_engine.h"
#include "extract/extraction_fakes.h"
#include "extract/mail_log.h"
#include "ui/fake_frame_services.h"
#include "ui/fake_platform.h"

namespace nelvix {
namespace {

using test::Entry;
using test::List;
using test::QuietRules;

struct StepCase {
    const char* name;
    std::vector<std::string> lines;
    ExtractionRules rules;
    std::vector<std::string> expected;
    ExtractionCounts counts;
};

struct Outcome {
    int done = 0;
    std::vector<std::string> lines;
    ExtractionCounts counts;
    int beeps = 0;
};

Outcome Extract(const std::vector<std::string>& lines, const ExtractionRules& rules) {
    ui::FakePlatform fake;
    ui::FakeFrameServices services;
    ExtractionRuleSet ruleSet(fake.platform);
    ruleSet.Rules() = rules;
    test::VectorText text(lines);
    test::RecordingResult result;
    Outcome outcome;
    outcome.done =
        ruleSet.ExtractFromText(text, result, services.progressWindow, services.countsDialog);
    outcome.lines = result.Lines();
    outcome.counts = ruleSet.Counts();
    outcome.beeps = fake.beeper.beeps;
    return outcome;
}

void ExpectCounts(const ExtractionCounts& actual, const ExtractionCounts& expected) {
    EXPECT_EQ(actual.sourceLineCount, expected.sourceLineCount);
    EXPECT_EQ(actual.step1Count, expected.step1Count);
    EXPECT_EQ(actual.step1MatchCount, expected.step1MatchCount);
    EXPECT_EQ(actual.outCount, expected.outCount);
    EXPECT_EQ(actual.step2BlockCount, expected.step2BlockCount);
}

void RunCases(const std::vector<StepCase>& cases) {
    for (const StepCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome outcome = Extract(c.lines, c.rules);
        EXPECT_EQ(outcome.lines, c.expected);
        ExpectCounts(outcome.counts, c.counts);
        // Nothing written is nothing done, after a beep.
        EXPECT_EQ(outcome.done, c.expected.empty() ? 0 : 1);
        EXPECT_EQ(outcome.beeps, c.expected.empty() ? 1 : 0);
    }
}

ExtractionRules Step1(RuleList list, Step1Process process = Step1Process::Delete) {
    ExtractionRules rules = QuietRules(RunMode::Step1Only, list);
    rules.step1Process = process;
    return rules;
}

TEST(ExtractionStep1, DeletesAndExtractsBlocksAroundMatchingLines) {
    // Counts: source lines, kept by step 1, step-1 matches, written, step-2 blocks.
    RunCases({
        {"MatchingLineDeleted",
         {"a", "X", "b"},
         Step1(List({Entry("X", 0)})),
         {"a", "b"},
         {3, 2, 1, 2, 0}},
        {"PositionZeroCountThreeAtTheEndDeletesOnlyTheRemainingLines",
         {"a", "b", "X", "c"},
         Step1(List({Entry("X", 0, 3)})),
         {"a", "b"},
         {4, 2, 1, 2, 0}},
        {"LinesInsideABlockAreNotTested",
         {"a", "X", "X", "b"},
         Step1(List({Entry("X", 0, 2)})),
         {"a", "b"},
         {4, 2, 1, 2, 0}},
        {"PositiveKeepsTheLinesBeforeTheBlockUntested",
         {"a", "X", "X", "c", "d"},
         Step1(List({Entry("X", 2)})),
         {"a", "X", "X", "d"},
         {5, 4, 1, 4, 0}},
        {"PositivePastTheEndKeepsTheRest",
         {"a", "X", "b"},
         Step1(List({Entry("X", 5)})),
         {"a", "X", "b"},
         {3, 3, 1, 3, 0}},
        {"NegativeTwoOnTheSecondKeptLineGoesOneLineBack",
         {"a", "X", "b", "c"},
         Step1(List({Entry("X", -2, 2)})),
         {"b", "c"},
         {4, 2, 1, 2, 0}},
        {"NegativeTwoWithTwoKeptLinesGoesTwoBack",
         {"a", "b", "X", "c"},
         Step1(List({Entry("X", -2, 2)})),
         {"X", "c"},
         {4, 2, 1, 2, 0}},
        {"NegativeBlockShorterThanTheWayBackKeepsTheMatchingLine",
         {"a", "b", "c", "X", "d"},
         Step1(List({Entry("X", -3, 1)})),
         {"b", "c", "X", "d"},
         {5, 4, 1, 4, 0}},
        {"NegativeBlockRunsOnPastTheMatchingLine",
         {"a", "b", "X", "c", "d"},
         Step1(List({Entry("X", -1, 3)})),
         {"a", "d"},
         {5, 2, 1, 2, 0}},
        {"NegativeOnTheFirstLineStartsAtIt",
         {"X", "a", "b"},
         Step1(List({Entry("X", -1, 2)})),
         {"b"},
         {3, 1, 1, 1, 0}},
        {"LeastPositionDoesNotOverflow",
         {"a", "X", "b"},
         Step1(List({Entry("X", INT_MIN, 1)})),
         {"X", "b"},
         {3, 2, 1, 2, 0}},
        {"FirstEntryOfTheListWins",
         {"XY", "b", "c"},
         Step1(List({Entry("Y", 0, 1), Entry("X", 0, 2)})),
         {"b", "c"},
         {3, 2, 1, 2, 0}},
        {"CountZeroFromARecordTakesTheMatchingLine",
         {"a", "X", "b"},
         Step1(List({Entry("X", 0, 0)})),
         {"a", "b"},
         {3, 2, 1, 2, 0}},
        {"NegativeCountFromARecordCountsAsOne",
         {"a", "X", "b"},
         Step1(List({Entry("X", -1, -5)})),
         {"X", "b"},
         {3, 2, 1, 2, 0}},
        {"ExtractKeepsOnlyTheBlocks",
         {"a", "X", "b", "c", "X", "d"},
         Step1(List({Entry("X", 0)}), Step1Process::Extract),
         {"X", "X"},
         {6, 2, 2, 2, 0}},
        {"ExtractTakesTheBlockAfterAPositivePosition",
         {"X", "a", "b", "c"},
         Step1(List({Entry("X", 1, 2)}), Step1Process::Extract),
         {"a", "b"},
         {4, 2, 1, 2, 0}},
        {"ExtractWithNothingMatchedIsEmpty",
         {"a", "b"},
         Step1(List({Entry("X", 0)}), Step1Process::Extract),
         {},
         {2, 0, 0, 0, 0}},
        {"DeleteEverything", {"X", "X"}, Step1(List({Entry("X", 0)})), {}, {2, 0, 2, 0, 0}},
    });
}

ExtractionRules Step2(RuleList start, RuleList end, Step2Process process = Step2Process::Extract) {
    ExtractionRules rules = QuietRules(RunMode::Step2Only, {}, start, end);
    rules.step2Process = process;
    return rules;
}

TEST(ExtractionStep2, ExtractsAndDeletesBlocksFromStartToEnd) {
    RunCases({
        {"StartAndEndAtPositionZero",
         {"a", "S", "b", "E", "c"},
         Step2(List({Entry("S", 0)}), List({Entry("E", 0)})),
         {"S", "b", "E"},
         {5, 5, 0, 3, 1}},
        {"NegativeEndDropsTheEndLine",
         {"a", "S", "b", "E", "c"},
         Step2(List({Entry("S", 0)}), List({Entry("E", -1)})),
         {"S", "b"},
         {5, 5, 0, 2, 1}},
        {"PositiveEndTakesTheLinesAfterIt",
         {"a", "S", "b", "E", "c", "d"},
         Step2(List({Entry("S", 0)}), List({Entry("E", 1)})),
         {"S", "b", "E", "c"},
         {6, 6, 0, 4, 1}},
        {"PositiveEndStopsAtTheEnd",
         {"S", "E", "c"},
         Step2(List({Entry("S", 0)}), List({Entry("E", 5)})),
         {"S", "E", "c"},
         {3, 3, 0, 3, 1}},
        {"NegativeStartTakesTheLinesBefore",
         {"a", "b", "S", "c", "E", "d"},
         Step2(List({Entry("S", -2)}), List({Entry("E", 0)})),
         {"a", "b", "S", "c", "E"},
         {6, 6, 0, 5, 1}},
        {"NegativeStartNeverWritesALineTwice",
         {"a", "S", "E", "S", "b", "E"},
         Step2(List({Entry("S", -2)}), List({Entry("E", 0)})),
         {"a", "S", "E", "S", "b", "E"},
         {6, 6, 0, 6, 2}},
        {"PositiveStartSkipsTheLinesBetween",
         {"a", "S", "b", "c", "E", "d"},
         Step2(List({Entry("S", 2)}), List({Entry("E", 0)})),
         {"c", "E"},
         {6, 6, 0, 2, 1}},
        {"StartPastTheEndIsNotCountedAndEndsThePass",
         {"S", "a", "E", "T", "b", "S", "E"},
         Step2(List({Entry("S", 0), Entry("T", 5)}), List({Entry("E", 0)})),
         {"S", "a", "E"},
         {7, 7, 0, 3, 1}},
        {"NoEndStringsRunToTheEndOfTheText",
         {"a", "S", "b", "S", "c"},
         Step2(List({Entry("S", 0)}), {}),
         {"S", "b", "S", "c"},
         {5, 5, 0, 4, 1}},
        {"StartLineIsNotTestedAgainstTheEndStrings",
         {"a", "SE", "b", "E", "c"},
         Step2(List({Entry("S", 0)}), List({Entry("E", 0)})),
         {"SE", "b", "E"},
         {5, 5, 0, 3, 1}},
        {"NegativeEndReachesIntoTheBlockBefore",
         {"S", "a", "E", "S", "E"},
         Step2(List({Entry("S", 0)}), List({Entry("E", -3)})),
         {},
         {5, 5, 0, 0, 2}},
        {"DeleteKeepsWhatLiesOutsideTheBlocks",
         {"a", "S", "b", "E", "c"},
         Step2(List({Entry("S", 0)}), List({Entry("E", 0)}), Step2Process::Delete),
         {"a", "c"},
         {5, 5, 0, 2, 1}},
    });
}

TEST(ExtractionRunModes, StepsRunAsTheModeSays) {
    ExtractionRules bothNoStart = QuietRules(RunMode::BothSteps, List({Entry("X", 0)}));
    bothNoStart.step2Process = Step2Process::Delete;
    ExtractionRules bothNoStep1 = QuietRules(RunMode::BothSteps, {}, List({Entry("S", 0)}));
    bothNoStep1.step1Process = Step1Process::Extract;
    ExtractionRules step2Only =
        QuietRules(RunMode::Step2Only, List({Entry("X", 0)}), List({Entry("S", -1)}));
    ExtractionRules defaults = DefaultExtractionRules();
    defaults.showInfo = false;
    RunCases({
        {"MailLogWithTheDefaultRules",
         test::SjisLines(test::MailLogUtf8()),
         defaults,
         test::SjisLines(test::MailLogExtractedUtf8()),
         {19, 15, 2, 10, 3}},
        {"EmptyStartListCopiesTheKeptLinesWithoutTheProcess",
         {"a", "X", "b"},
         bothNoStart,
         {"a", "b"},
         {3, 2, 1, 2, 0}},
        {"EmptyStep1ListKeepsEveryLineForStep2WithoutInversion",
         {"a", "S", "b"},
         bothNoStep1,
         {"S", "b"},
         {3, 3, 0, 2, 1}},
        {"Step2OnlyLeavesTheStep1ListAlone",
         {"X", "S", "b"},
         step2Only,
         {"X", "S", "b"},
         {3, 3, 0, 3, 1}},
    });
}

TEST(ExtractionRunModes, PreconditionsRefuseWithABeep) {
    struct Case {
        const char* name;
        ExtractionRules rules;
    };
    ExtractionRules unknownMode = QuietRules(RunMode::BothSteps, List({Entry("X", 0)}));
    unknownMode.runMode = static_cast<RunMode>(0);
    const Case cases[] = {
        {"Step1OnlyWithoutStep1Strings", QuietRules(RunMode::Step1Only, {}, List({Entry("S", 0)}))},
        {"Step2OnlyWithoutStartStrings", QuietRules(RunMode::Step2Only, List({Entry("X", 0)}))},
        {"BothStepsWithoutStrings", QuietRules(RunMode::BothSteps, {}, {}, List({Entry("E", 0)}))},
        {"UnknownRunMode", unknownMode},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui::FakePlatform fake;
        ExtractionRuleSet ruleSet(fake.platform);
        ruleSet.Rules() = c.rules;
        EXPECT_FALSE(ruleSet.PreconditionsHold());
        const Outcome outcome = Extract({"X", "S", "E"}, c.rules);
        EXPECT_EQ(outcome.done, 0);
        EXPECT_EQ(outcome.beeps, 1);
        EXPECT_TRUE(outcome.lines.empty());
    }
}

TEST(ExtractionRunModes, EmptyTextIsNothingDone) {
    const Outcome outcome = Extract({}, DefaultExtractionRules());
    EXPECT_EQ(outcome.done, 0);
    EXPECT_EQ(outcome.beeps, 1);
}

} // namespace
} // namespace nelvix
