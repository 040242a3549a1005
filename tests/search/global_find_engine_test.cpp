// The global find engine: chunks, line numbers, quoting, non-text bytes, encodings and the run
// of one file into a sink or a result document.
#include "search/global_find_engine.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "base/cp932.h"
#include "search/search_fakes.h"
#include "support/test_files.h"
#include "ui/fake_platform.h"

namespace nelvix {
namespace {

using namespace std::string_literals;
using Lines = std::vector<std::string>;

class Engine : public testing::Test {
protected:
    /// Every result line of `pattern` in the file.
    Lines FindAll(const std::string& path, std::string_view pattern) {
        Lines lines;
        for (auto line = engine.FindFirstInFile(path, pattern); line;
             line = engine.FindNextInFile(pattern))
            lines.emplace_back(*line);
        return lines;
    }
    /// "(n): text" rows, '|' between them, as whole result lines of `path`.
    static Lines Tagged(const std::string& path, std::string_view rows) {
        Lines lines;
        for (std::size_t at = 0; at < rows.size();) {
            const std::size_t bar = std::min(rows.find('|', at), rows.size());
            lines.push_back(path + std::string(rows.substr(at, bar - at)) + "\r\n");
            at = bar + 1;
        }
        return lines;
    }
    test::TempDir dir;
    ui::FakePlatform fake;
    EngineEnvironment environment{fake.platform};
    GlobalFindEngine engine{environment};
};

TEST_F(Engine, ResultLinesFollowTheChunkAndQuoteRules) {
    const std::string x35k(35'000, 'x'), x10m(10'000'000, 'x'), y97(97, 'y');
    const struct {
        const char* name;
        std::string text;
        std::string pattern;
        std::string_view flags; ///< r: regular expression, m: MultiText, n: FindNoneTextFile
        std::string expected;   ///< "(line): quote" of each result line, '|' between them
    } cases[] = {
        {"TwoMatchesOnLine3GiveTwoLines", "one\r\ntwo\r\nx abc abc\r\n", "abc", "",
         "(3): x abc abc|(3): x abc abc"},
        {"Match300BytesInto400ByteLineQuotedFromIt", std::string(300, 'x') + "abc" + y97, "abc", "",
         "(1): abc" + y97},
        {"NulBeforeWordHidesIt", "123456789\0abc"s, "abc", "", ""},
        {"NulSearchedAsFFWithNonTextFiles", "123456789\0abc"s, "abc", "n",
         "(1): 123456789\xFF"
         "abc"},
        {"PlainStepsPastTheWholeMatch", "aaa", "aa", "", "(1): aaa"},
        {"RegexStepsOneCharacter", "aaa", "aa", "r", "(1): aaa|(1): aaa"},
        {"RegexAfterDoubleByteStartKeepsNextCharacter", Sjis("あaa"), "a", "r",
         Sjis("(1): あaa|(1): あaa")},
        {"MultiTextNeverResumesOnATrailByte", Sjis("x表"), Sjis("表 or \\"), "m", Sjis("(1): x表")},
        {"LineStartAnchorMatchesOncePerLine", "2026\r\n12", "^[0-9]", "r", "(1): 2026|(2): 12"},
        {"MultiTextFileLackingATermIsSkipped", "foo\r\n", "foo and bar", "m", ""},
        {"MultiTextFileWithAllTerms", "foo\r\nbar", "foo and bar", "m", "(1): foo|(2): bar"},
        {"CrLfSplitByTheRead", std::string(kChunkBytes - 1, 'x') + "\r\nabc", "^abc", "r",
         "(2): abc"},
        {"EmptyLineBeforeLineLongerThanAChunk", "\r\n" + x35k + "needle", "needle", "",
         "(2): needle"},
        {"TenMegabyteLine", x10m + "needle\r\nneedle", "needle", "", "(1): needle|(2): needle"},
        {"EmptyPatternFindsNothing", "abc", "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        engine.Options().regularExpression = c.flags.find('r') != std::string_view::npos;
        environment.multiText = c.flags.find('m') != std::string_view::npos;
        environment.findNoneTextFile = c.flags.find('n') != std::string_view::npos;
        const std::string path = dir.Write("f.txt", c.text);
        EXPECT_EQ(FindAll(path, c.pattern), Tagged(path, c.expected));
    }
}

// Each start in the run matched afresh took the rest of its chunk again: 56 s for this file.
TEST_F(Engine, ALineOfAMegabyteOfAWithAStarGivesALineForEveryPlaceInBoundedWork) {
    constexpr std::size_t kRun = 1'000'000;
    engine.Options().regularExpression = true;
    const std::string path = dir.Write("a.txt", std::string(kRun, 'a') + "\r\n");
    std::size_t lines = 0;
    std::size_t misplaced = 0;
    MatchOffsets offsets;
    for (auto line = engine.FindFirstInFile(path, "a*", &offsets); line;
         line = engine.FindNextInFile("a*", &offsets)) {
        // One line for every place, the CR and LF included, in order.
        misplaced += offsets.match != lines;
        ++lines;
    }
    EXPECT_EQ(lines, kRun + 2);
    EXPECT_EQ(misplaced, 0u);
    EXPECT_LE(engine.MatcherSteps(), 4 * (kRun + 2));
}

TEST_F(Engine, LineNumbersStayRightAcrossChunkBoundaries) {
    std::string text, expected;
    for (int line = 1; line <= 1000; ++line) {
        char number[8];
        std::snprintf(number, sizeof number, "#%05d", line);
        const std::string body = number + std::string(92, '.');
        text += body + "\r\n";
        expected += "(" + std::to_string(line) + "): " + body + "|";
    }
    ASSERT_EQ(text.size(), 100'000u);
    const std::string path = dir.Write("lines.txt", text);
    EXPECT_EQ(FindAll(path, "#"), Tagged(path, expected));
}

TEST_F(Engine, WordAtTheEndOfATenMegabyteEucFileIsFoundOnItsLine) {
    // Far past the old 2 MiB conversion limit, and behind a plain English head.
    environment.workFilePath = dir.PathOf("nelvix.wrk");
    std::string euc;
    std::size_t lines = 0;
    for (; euc.size() < 5'000; ++lines)
        euc += "plain header line\n";
    while (euc.size() < 10'000'000) {
        euc += "\xA4\xA2\xA4\xA4 log line\r\n"; // a CR LF past a head of LF: one line end
        ++lines;
    }
    euc += "\xC5\xEC\xB5\xFE\n"; // 東京
    const std::string path = dir.Write("big-euc.txt", euc);
    EXPECT_EQ(FindAll(path, Sjis("東京")),
              Lines{path + "(" + std::to_string(lines + 1) + "): " + Sjis("東京") + "\r\n"});
}

TEST_F(Engine, AnInvalidEucPairDoesNotEndTheSearchOfItsFile) {
    environment.workFilePath = dir.PathOf("nelvix.wrk");
    const std::string path = dir.Write("bad-pair.txt", "\xA4\xA2 first \xFE\x6E x\nsecond line\n");
    EXPECT_EQ(FindAll(path, "second"), Lines{path + "(2): second line\r\n"});
}

TEST_F(Engine, UnreadableOrShrinkingFilesEndQuietly) {
    const std::string fifo = dir.PathOf("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {dir.PathOf("missing.txt"), dir.Path(), fifo})
        EXPECT_TRUE(FindAll(path, "abc").empty()) << path;

    std::string text;
    for (int line = 0; line < 5000; ++line)
        text += "abc abc abc\r\n";
    const std::string path = dir.Write("shrinks.txt", text);
    ASSERT_TRUE(engine.FindFirstInFile(path, "abc"));
    ASSERT_EQ(::truncate(path.c_str(), 1000), 0);
    int more = 0;
    while (engine.FindNextInFile("abc"))
        ++more;
    EXPECT_LT(more, 5000 * 3);
}

TEST_F(Engine, SearchFileIntoSinkPumpsAfterEachMatchAndStopsWhenAsked) {
    const struct {
        const char* name;
        std::string text;
        int stopAtCheck;
        int quitAtPump;
        std::size_t refuseLine;
        bool keepsGoing;
        std::size_t lines;
        int pumps;
    } cases[] = {
        {"NoMatchPumpsOnce", "xyz", 0, 0, 0, true, 0, 1},
        {"EachMatchPumps", "abc\r\nabc abc", 0, 0, 0, true, 3, 3},
        {"StopPressedAfterFirstMatch", "abc abc", 1, 0, 0, false, 1, 1},
        {"QuitAfterFirstMatch", "abc abc", 0, 1, 0, false, 1, 1},
        {"SinkRefusesFirstLine", "abc abc", 0, 0, 1, false, 1, 0},
        {"StopPressedInFileWithoutMatch", "xyz", 1, 0, 0, false, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui::FakePlatform platform;
        platform.eventPump.quitAtPump = c.quitAtPump;
        EngineEnvironment env{platform.platform};
        GlobalFindEngine local(env);
        test::RecordingProgress progress;
        progress.stopAtCheck = c.stopAtCheck;
        test::RecordingSink sink;
        sink.refuseLine = c.refuseLine;
        std::uint32_t hits = 0;
        const std::string path = dir.Write("a.txt", c.text);
        EXPECT_EQ(local.SearchFileIntoSink(path, "abc", sink, progress, hits), c.keepsGoing);
        EXPECT_EQ(sink.lines.size(), c.lines);
        EXPECT_EQ(hits, c.lines);
        EXPECT_EQ(platform.eventPump.pumps, c.pumps);
        EXPECT_EQ(progress.names, Lines{"a.txt"});
    }
}

} // namespace
} // namespace nelvix
