// Step 1 over single lines, step 2 over blocks, and the run modes, seen through the lines a
// line extraction writes and the counts it keeps.
#include <gtest/gtest.h>

#include <climits>
#include <sstream>
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

/// The words of `text` as lines.
std::vector<std::string> L(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; in >> line;)
        lines.push_back(line);
    return lines;
}

struct StepCase {
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
        SCOPED_TRACE(testing::PrintToString(c.lines));
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

/// Step 1 with one entry.
ExtractionRules Step1(std::string_view text, std::int32_t position, std::int32_t count = 1,
                      Step1Process process = Step1Process::Delete) {
    return Step1(List({Entry(text, position, count)}), process);
}

TEST(ExtractionStep1, DeletesAndExtractsBlocksAroundMatchingLines) {
    // Counts: source lines, kept by step 1, step-1 matches, written, step-2 blocks.
    RunCases({
        // Matching line deleted.
        {L("a X b"), Step1("X", 0), L("a b"), {3, 2, 1, 2, 0}},
        // Position zero count three at the end deletes only the remaining lines.
        {L("a b X c"), Step1("X", 0, 3), L("a b"), {4, 2, 1, 2, 0}},
        // Lines inside a block are not tested.
        {L("a X X b"), Step1("X", 0, 2), L("a b"), {4, 2, 1, 2, 0}},
        // Positive keeps the lines before the block untested.
        {L("a X X c d"), Step1("X", 2), L("a X X d"), {5, 4, 1, 4, 0}},
        // Positive past the end keeps the rest.
        {L("a X b"), Step1("X", 5), L("a X b"), {3, 3, 1, 3, 0}},
        // Negative two on the second kept line goes one line back.
        {L("a X b c"), Step1("X", -2, 2), L("b c"), {4, 2, 1, 2, 0}},
        // Negative two with two kept lines goes two back.
        {L("a b X c"), Step1("X", -2, 2), L("X c"), {4, 2, 1, 2, 0}},
        // Negative block shorter than the way back keeps the matching line.
        {L("a b c X d"), Step1("X", -3, 1), L("b c X d"), {5, 4, 1, 4, 0}},
        // Negative block runs on past the matching line.
        {L("a b X c d"), Step1("X", -1, 3), L("a d"), {5, 2, 1, 2, 0}},
        // Negative on the first line starts at it.
        {L("X a b"), Step1("X", -1, 2), L("b"), {3, 1, 1, 1, 0}},
        // Least position does not overflow.
        {L("a X b"), Step1("X", INT_MIN, 1), L("X b"), {3, 2, 1, 2, 0}},
        // First entry of the list wins.
        {L("XY b c"), Step1(List({Entry("Y", 0, 1), Entry("X", 0, 2)})), L("b c"), {3, 2, 1, 2, 0}},
        // Count zero from a record takes the matching line.
        {L("a X b"), Step1("X", 0, 0), L("a b"), {3, 2, 1, 2, 0}},
        // Negative count from a record counts as one.
        {L("a X b"), Step1("X", -1, -5), L("X b"), {3, 2, 1, 2, 0}},
        // Extract keeps only the blocks.
        {L("a X b c X d"), Step1("X", 0, 1, Step1Process::Extract), L("X X"), {6, 2, 2, 2, 0}},
        // Extract takes the block after a positive position.
        {L("X a b c"), Step1("X", 1, 2, Step1Process::Extract), L("a b"), {4, 2, 1, 2, 0}},
        // Extract with nothing matched is empty.
        {L("a b"), Step1("X", 0, 1, Step1Process::Extract), {}, {2, 0, 0, 0, 0}},
        // Delete everything.
        {L("X X"), Step1("X", 0), {}, {2, 0, 2, 0, 0}},
    });
}

ExtractionRules Step2(RuleList start, RuleList end, Step2Process process = Step2Process::Extract) {
    ExtractionRules rules = QuietRules(RunMode::Step2Only, {}, start, end);
    rules.step2Process = process;
    return rules;
}

/// Step 2 with one start and one end entry.
ExtractionRules Step2(std::string_view start, std::int32_t startPosition, std::string_view end,
                      std::int32_t endPosition, Step2Process process = Step2Process::Extract) {
    return Step2(List({Entry(start, startPosition)}), List({Entry(end, endPosition)}), process);
}

TEST(ExtractionStep2, ExtractsAndDeletesBlocksFromStartToEnd) {
    RunCases({
        // Start and end at position zero.
        {L("a S b E c"), Step2("S", 0, "E", 0), L("S b E"), {5, 5, 0, 3, 1}},
        // Negative end drops the end line.
        {L("a S b E c"), Step2("S", 0, "E", -1), L("S b"), {5, 5, 0, 2, 1}},
        // Positive end takes the lines after it.
        {L("a S b E c d"), Step2("S", 0, "E", 1), L("S b E c"), {6, 6, 0, 4, 1}},
        // Positive end stops at the end.
        {L("S E c"), Step2("S", 0, "E", 5), L("S E c"), {3, 3, 0, 3, 1}},
        // Negative start takes the lines before.
        {L("a b S c E d"), Step2("S", -2, "E", 0), L("a b S c E"), {6, 6, 0, 5, 1}},
        // Negative start never writes a line twice.
        {L("a S E S b E"), Step2("S", -2, "E", 0), L("a S E S b E"), {6, 6, 0, 6, 2}},
        // Positive start skips the lines between.
        {L("a S b c E d"), Step2("S", 2, "E", 0), L("c E"), {6, 6, 0, 2, 1}},
        // Start past the end is not counted and ends the pass.
        {L("S a E T b S E"),
         Step2(List({Entry("S", 0), Entry("T", 5)}), List({Entry("E", 0)})),
         L("S a E"),
         {7, 7, 0, 3, 1}},
        // No end strings run to the end of the text.
        {L("a S b S c"), Step2(List({Entry("S", 0)}), {}), L("S b S c"), {5, 5, 0, 4, 1}},
        // Start line is not tested against the end strings.
        {L("a SE b E c"), Step2("S", 0, "E", 0), L("SE b E"), {5, 5, 0, 3, 1}},
        // Negative end reaches into the block before.
        {L("S a E S E"), Step2("S", 0, "E", -3), {}, {5, 5, 0, 0, 2}},
        // Delete keeps what lies outside the blocks.
        {L("a S b E c"), Step2("S", 0, "E", 0, Step2Process::Delete), L("a c"), {5, 5, 0, 2, 1}},
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
        // Mail log with the default rules.
        {test::SjisLines(test::MailLogUtf8()),
         defaults,
         test::SjisLines(test::MailLogExtractedUtf8()),
         {19, 15, 2, 10, 3}},
        // Empty start list copies the kept lines without the process.
        {L("a X b"), bothNoStart, L("a b"), {3, 2, 1, 2, 0}},
        // An empty step-1 list keeps every line for step 2, without inversion.
        {L("a S b"), bothNoStep1, L("S b"), {3, 3, 0, 2, 1}},
        // Step 2 only leaves the step-1 list alone.
        {L("X S b"), step2Only, L("X S b"), {3, 3, 0, 3, 1}},
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
