// Global extraction: one file at a time through the engine's line index, with header lines,
// numbered separators and the result's limits, and the run over a file set.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "extract/extraction_engine.h"
#include "extract/extraction_fakes.h"
#include "extract/mail_log.h"
#include "search/global_find_engine.h"
#include "support/test_files.h"
#include "ui/fake_platform.h"
#include "ui/message_ids.h"

namespace nelvix {
namespace {

using test::Entry;
using test::List;

const std::string kStars(60, '*');

std::string MailLogBytes() {
    std::string bytes;
    for (const std::string& line : test::SjisLines(test::MailLogUtf8()))
        bytes += line + "\r\n";
    return bytes;
}

std::string Header(const std::string& path, int line) {
    return path + "(" + std::to_string(line) + "): ";
}

class GlobalExtraction : public testing::Test {
protected:
    GlobalExtraction() {
        ruleSet.Rules().showInfo = false;
        ruleSet.Rules().hideWhileExtracting = true;
        std::filesystem::create_directories(dir.Path() + "/top/sub");
        top = dir.Write("top/a.txt", MailLogBytes());
        sub = dir.Write("top/sub/b.txt", MailLogBytes());
    }
    int ExtractFile(const std::string& path) {
        return ruleSet.ExtractFromFile(engine, path, result, progress, blocksBefore);
    }
    GlobalExtractionCounts RunAll(std::string_view specification, bool subdirectories = true) {
        return RunGlobalExtraction(ruleSet, engine, specification, subdirectories, 64 * 1024,
                                   result, progress);
    }
    /// The lines of the mail log given by number.
    static std::vector<std::string> Log(std::initializer_list<int> numbers) {
        const std::vector<std::string> log = test::SjisLines(test::MailLogUtf8());
        std::vector<std::string> lines;
        for (const int n : numbers)
            lines.push_back(log[static_cast<std::size_t>(n)]);
        return lines;
    }

    test::TempDir dir;
    std::string top;
    std::string sub;
    ui::FakePlatform fake;
    EngineEnvironment environment{fake.platform};
    GlobalFindEngine engine{environment};
    ExtractionRuleSet ruleSet{fake.platform};
    test::RecordingResult result;
    test::RecordingExtractionProgress progress;
    std::uint32_t blocksBefore = 0;
};

std::vector<std::string> Join(std::vector<std::vector<std::string>> parts) {
    std::vector<std::string> joined;
    for (const std::vector<std::string>& part : parts)
        joined.insert(joined.end(), part.begin(), part.end());
    return joined;
}

TEST_F(GlobalExtraction, NumberedSeparatorsCountOnAcrossFiles) {
    ruleSet.Rules().addSeparator = true;
    const GlobalExtractionCounts counts = RunAll(dir.Path() + "/top/*.txt");
    const auto separator = [](int index, int running) {
        return kStars + "   " + std::to_string(index) + "/3   " + std::to_string(running);
    };
    const std::vector<std::string> expected = Join({
        {separator(1, 1), Header(top, 3)},
        Log({2, 3, 4, 7}),
        {separator(2, 2), Header(top, 10)},
        Log({9, 10, 11}),
        {separator(3, 3), Header(top, 14)},
        Log({13, 14, 17}),
        {separator(1, 4), Header(sub, 3)},
        Log({2, 3, 4, 7}),
        {separator(2, 5), Header(sub, 10)},
        Log({9, 10, 11}),
        {separator(3, 6), Header(sub, 14)},
        Log({13, 14, 17}),
    });
    EXPECT_EQ(result.Lines(), expected);
    EXPECT_EQ(progress.names, (std::vector<std::string>{"a.txt", "b.txt"}));
    using Added = std::pair<std::uint32_t, std::uint32_t>;
    EXPECT_EQ(progress.added, (std::vector<Added>{{2, 3}, {2, 3}}));
    EXPECT_EQ(counts.filesProcessed, 2u);
    EXPECT_EQ(counts.step1Matches, 4u);
    EXPECT_EQ(counts.step2Blocks, 6u);
    EXPECT_FALSE(counts.stopped);
}

TEST_F(GlobalExtraction, PlainSeparatorAndOneHeaderWhenNothingIsNumbered) {
    ruleSet.Rules().addSeparator = true;
    ruleSet.Rules().step2Process = Step2Process::Delete;
    ASSERT_EQ(ExtractFile(top), 1);
    EXPECT_EQ(result.Lines(), Join({{kStars, Header(top, 1)}, Log({0, 1, 8, 12, 18})}));
    EXPECT_EQ(blocksBefore, 0u);
}

TEST_F(GlobalExtraction, OutputLinesAreMadeSafe) {
    ruleSet.Rules() = test::QuietRules(RunMode::Step2Only, {}, List({Entry("c", 0)}));
    // The index looks for line ends up to the first NUL only: the last line runs from there to
    // the end of the file.
    const std::string path = dir.Write("odd.txt", std::string("c\rd\r\na\0b\r\ne\x82", 12));
    ASSERT_EQ(ExtractFile(path), 1);
    EXPECT_EQ(result.pieces,
              (std::vector<std::string>{Header(path, 1) + "\r\n", "cd\r\n", "a b\r\ne"}));
}

TEST_F(GlobalExtraction, LineLongerThanTheWindowNeverMatchesAndIsLeftOut) {
    ruleSet.Rules() = test::QuietRules(RunMode::Step2Only, {}, List({Entry("S", 0)}));
    const std::string path =
        dir.Write("long.txt", "a\r\nS" + std::string(kChunkBytes + 10, 'x') + "\r\nS\r\nb\r\n");
    ASSERT_EQ(ExtractFile(path), 1);
    EXPECT_EQ(result.Lines(), (std::vector<std::string>{Header(path, 3), "S", "b"}));
}

TEST_F(GlobalExtraction, ResultNearItsLimitStopsTheRun) {
    result.fitLines = 3;
    const GlobalExtractionCounts counts = RunAll(dir.Path() + "/top/*.txt");
    EXPECT_EQ(fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgNearLimit});
    EXPECT_EQ(result.Lines(), Join({{Header(top, 3)}, Log({2, 3})}));
    EXPECT_TRUE(counts.stopped);
    EXPECT_EQ(counts.filesProcessed, 0u);
    EXPECT_TRUE(progress.added.empty());
}

TEST_F(GlobalExtraction, StopButtonEndsTheRun) {
    progress.stopAtCheck = 2;
    const GlobalExtractionCounts counts = RunAll(dir.Path() + "/top/*.txt");
    EXPECT_EQ(result.Lines(), Join({{Header(top, 3)}, Log({2})}));
    EXPECT_TRUE(counts.stopped);
    EXPECT_EQ(progress.names, std::vector<std::string>{"a.txt"});
    // What was appended silently is shown all the same.
    EXPECT_EQ(result.refreshes, std::vector<bool>{true});
}

// A file appended silently is refreshed once and scrolled to its end; one displayed needs none.
TEST_F(GlobalExtraction, SilentFileIsRefreshedOnceAndDisplayedFileNeedsNoRefresh) {
    for (const bool hidden : {true, false}) {
        SCOPED_TRACE(hidden ? "silent" : "displayed");
        test::RecordingResult out;
        ruleSet.Rules().hideWhileExtracting = hidden;
        ASSERT_EQ(ruleSet.ExtractFromFile(engine, top, out, progress, blocksBefore), 1);
        EXPECT_EQ(out.refreshes, hidden ? std::vector<bool>{true} : std::vector<bool>{});
        EXPECT_EQ(out.displayed, std::vector<bool>(out.pieces.size(), !hidden));
    }
}

struct FailureCase {
    const char* name;
    int failFromCall;
    int quitAtPump;
    bool missingFile;
    int expected;
    std::vector<int> messages;
    int beeps;
};

TEST_F(GlobalExtraction, FileFailuresStopTheRunOrPassTheFileOver) {
    const FailureCase cases[] = {
        {"IndexOutOfMemory", 1, 0, false, 0, {ui::kMsgOutOfMemory}, 0},
        {"ArrayOutOfMemory", 3, 0, false, 0, {ui::kMsgOutOfMemory}, 0},
        {"LastArrayOutOfMemory", 7, 0, false, 0, {ui::kMsgOutOfMemory}, 0},
        {"ProgramQuittingWhileIndexing", 0, 1, false, 0, {}, 0},
        {"ProgramQuittingWhileWriting", 0, 20, false, 0, {}, 0},
        {"FileThatCannotBeOpened", 0, 0, true, 1, {}, 1},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        ui::FakePlatform platform;
        platform.memory.failFromCall = c.failFromCall;
        platform.eventPump.quitAtPump = c.quitAtPump;
        EngineEnvironment env{platform.platform};
        GlobalFindEngine findEngine(env);
        ExtractionRuleSet rules(platform.platform);
        test::RecordingResult out;
        test::RecordingExtractionProgress fileProgress;
        std::uint32_t before = 0;
        const std::string path = c.missingFile ? dir.PathOf("none.txt") : top;
        EXPECT_EQ(rules.ExtractFromFile(findEngine, path, out, fileProgress, before), c.expected);
        EXPECT_EQ(platform.messageBox.ShownIds(), c.messages);
        EXPECT_EQ(platform.beeper.beeps, c.beeps);
        if (c.quitAtPump == 0) {
            EXPECT_TRUE(out.pieces.empty());
        }
    }
}

TEST_F(GlobalExtraction, FilesWithoutOutputAddNothingAndGoOn) {
    dir.Write("top/sub/empty.txt", "");
    dir.Write("top/sub/plain.txt", "nothing here\r\n");
    ASSERT_EQ(ExtractFile(dir.PathOf("top/sub/empty.txt")), 1);
    ASSERT_EQ(ExtractFile(dir.PathOf("top/sub/plain.txt")), 1);
    EXPECT_TRUE(result.pieces.empty());
    EXPECT_TRUE(result.refreshes.empty());
    EXPECT_EQ(ruleSet.Counts().step2BlockCount, 0u);
    EXPECT_EQ(fake.beeper.beeps, 0);
}

TEST_F(GlobalExtraction, RunRefusesBeforeAnyFile) {
    {
        ruleSet.Rules().startLines = {};
        ruleSet.Rules().runMode = RunMode::Step2Only;
        const GlobalExtractionCounts counts = RunAll(dir.Path() + "/top/*.txt");
        EXPECT_TRUE(counts.stopped);
        EXPECT_EQ(fake.beeper.beeps, 1);
        EXPECT_TRUE(progress.names.empty());
    }
    ruleSet.Rules() = DefaultExtractionRules();
    for (const char* unusable : {"", "*.txt", "   "}) {
        SCOPED_TRACE(unusable);
        const GlobalExtractionCounts counts = RunAll(unusable);
        EXPECT_TRUE(counts.unusableSpecification);
        EXPECT_FALSE(counts.stopped);
        EXPECT_TRUE(progress.names.empty());
    }
    EXPECT_EQ(fake.beeper.beeps, 1);
}

TEST_F(GlobalExtraction, SubdirectoriesOnlyWhenAsked) {
    struct Case {
        const char* name;
        bool subdirectories;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"TopDirectoryOnly", false, {"a.txt"}},
        {"WithSubdirectories", true, {"a.txt", "b.txt"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        progress.names.clear();
        const GlobalExtractionCounts counts = RunAll(dir.Path() + "/top/*.txt", c.subdirectories);
        EXPECT_EQ(progress.names, c.names);
        EXPECT_FALSE(counts.subdirectoryOverflow);
        EXPECT_EQ(counts.filesProcessed, c.names.size());
    }
}

} // namespace
} // namespace nelvix
