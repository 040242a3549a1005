// The global find engine: chunks, line numbers, quoting, non-text bytes, encodings and the run
// of one file into a sink or a result document.
#include "search/global_find_engine.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "search/search_fakes.h"
#include "support/test_files.h"
#include "text/cp932.h"
#include "text/kespo_doc.h"
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
    /// "(n): text" rows as whole result lines of `path`.
    static Lines Tagged(const std::string& path, const Lines& rows) {
        Lines lines;
        for (const std::string& row : rows)
            lines.push_back(path + row + "\r\n");
        return lines;
    }
    test::TempDir dir;
    ui::FakePlatform fake;
    EngineEnvironment environment{fake.platform};
    GlobalFindEngine engine{environment};
};

struct ResultCase {
    const char* name;
    std::string text;
    std::string pattern;
    bool regularExpression = false;
    bool multiText = false;
    bool findNoneTextFile = false;
    Lines expected; ///< "(line): quote"
};

TEST_F(Engine, ResultLinesFollowTheChunkAndQuoteRules) {
    const std::string longLine(10'000'000, 'x');
    const ResultCase cases[] = {
        {"TwoMatchesOnLine3GiveTwoLines",
         "one\r\ntwo\r\nx abc abc\r\n",
         "abc",
         false,
         false,
         false,
         {"(3): x abc abc", "(3): x abc abc"}},
        {"Match300BytesInto400ByteLineQuotedFromIt",
         std::string(300, 'x') + "abc" + std::string(97, 'y') + "\r\n",
         "abc",
         false,
         false,
         false,
         {"(1): abc" + std::string(97, 'y')}},
        {"NulBeforeWordHidesIt", "123456789\0abc\r\n"s, "abc", false, false, false, {}},
        {"NulSearchedAsFFWhenNonTextFilesAreSearched",
         "123456789\0abc\r\n"s,
         "abc",
         false,
         false,
         true,
         {"(1): 123456789\xFF"
          "abc"}},
        {"PlainStepsPastTheWholeMatch", "aaa", "aa", false, false, false, {"(1): aaa"}},
        {"RegexStepsOneCharacter", "aaa", "aa", true, false, false, {"(1): aaa", "(1): aaa"}},
        {"RegexAfterDoubleByteStartKeepsNextCharacter",
         Sjis("あaa"),
         "a",
         true,
         false,
         false,
         {Sjis("(1): あaa"), Sjis("(1): あaa")}},
        {"MultiTextNeverResumesOnATrailByte",
         Sjis("x表"),
         Sjis("表 or \\"),
         false,
         true,
         false,
         {Sjis("(1): x表")}},
        {"LineStartAnchorMatchesOncePerLine",
         "2026\r\n12\r\n",
         "^[0-9]",
         true,
         false,
         false,
         {"(1): 2026", "(2): 12"}},
        {"MultiTextFileLackingATermIsSkipped", "foo\r\n", "foo and bar", false, true, false, {}},
        {"MultiTextFileWithAllTermsGivesEachLine",
         "foo\r\nbar\r\n",
         "foo and bar",
         false,
         true,
         false,
         {"(1): foo", "(2): bar"}},
        {"CrLfSplitByTheReadStartsTheNextLine",
         std::string(kChunkBytes - 1, 'x') + "\r\nabc\r\n",
         "^abc",
         true,
         false,
         false,
         {"(2): abc"}},
        {"EmptyLineBeforeLineLongerThanAChunk",
         "\r\n" + std::string(35'000, 'x') + "needle\r\n",
         "needle",
         false,
         false,
         false,
         {"(2): needle"}},
        {"TenMegabyteLine",
         longLine + "needle\r\nneedle",
         "needle",
         false,
         false,
         false,
         {"(1): needle", "(2): needle"}},
        {"EmptyPatternFindsNothing", "abc", "", false, false, false, {}},
    };
    for (const ResultCase& c : cases) {
        SCOPED_TRACE(c.name);
        engine.Options().regularExpression = c.regularExpression;
        environment.multiText = c.multiText;
        environment.findNoneTextFile = c.findNoneTextFile;
        const std::string path = dir.Write("f.txt", c.text);
        EXPECT_EQ(FindAll(path, c.pattern), Tagged(path, c.expected));
    }
}

TEST_F(Engine, LineNumbersStayRightAcrossChunkBoundaries) {
    std::string text;
    Lines expected;
    for (int line = 1; line <= 1000; ++line) {
        char number[8];
        std::snprintf(number, sizeof number, "#%05d", line);
        const std::string body = number + std::string(92, '.');
        text += body + "\r\n";
        expected.push_back("(" + std::to_string(line) + "): " + body);
    }
    ASSERT_EQ(text.size(), 100'000u);
    const std::string path = dir.Write("lines.txt", text);
    EXPECT_EQ(FindAll(path, "#"), Tagged(path, expected));
}

TEST_F(Engine, EveryEncodingIsFoundByItsShiftJisPatternUnderItsOwnPath) {
    environment.workFilePath = dir.PathOf("nelvix.wrk");
    for (bool multiText : {false, true}) {
        environment.multiText = multiText;
        const std::string pattern = Sjis(multiText ? "検索 and 数える" : "数える");
        const std::string sjisPath = test::TestDataPath("sample.sjis.txt");
        const Lines sjisLines = FindAll(sjisPath, pattern);
        ASSERT_FALSE(sjisLines.empty());
        for (const char* name : {"sample.euc.txt", "sample.jis.txt", "sample.utf8.txt"}) {
            SCOPED_TRACE(name);
            const std::string path = test::TestDataPath(name);
            Lines expected;
            for (const std::string& line : sjisLines)
                expected.push_back(path + line.substr(sjisPath.size()));
            EXPECT_EQ(FindAll(path, pattern), expected);
        }
    }
}

TEST_F(Engine, FilesThatCannotBeReadGiveNothing) {
    const std::string fifo = dir.PathOf("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {dir.PathOf("missing.txt"), dir.Path(), fifo})
        EXPECT_TRUE(FindAll(path, "abc").empty()) << path;
}

TEST_F(Engine, FileShrinkingWhileSearchedEndsItsSearch) {
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
    EXPECT_FALSE(engine.FindNextInFile("abc"));
}

struct SinkCase {
    const char* name;
    std::string text;
    int stopAtCheck;
    int quitAtPump;
    std::size_t refuseLine;
    bool keepsGoing;
    std::size_t lines;
    int pumps;
};

TEST_F(Engine, SearchFileIntoSinkPumpsAfterEachMatchAndStopsWhenAsked) {
    const SinkCase cases[] = {
        {"NoMatchPumpsOnce", "xyz", 0, 0, 0, true, 0, 1},
        {"EachMatchPumps", "abc\r\nabc abc", 0, 0, 0, true, 3, 3},
        {"StopPressedAfterFirstMatch", "abc abc", 1, 0, 0, false, 1, 1},
        {"QuitAfterFirstMatch", "abc abc", 0, 1, 0, false, 1, 1},
        {"SinkRefusesFirstLine", "abc abc", 0, 0, 1, false, 1, 0},
        {"StopPressedInFileWithoutMatch", "xyz", 1, 0, 0, false, 0, 1},
    };
    for (const SinkCase& c : cases) {
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

class RecordingView final : public DocumentView {
public:
    void OnUpdate(CKespoDoc&, UpdateHint hint, const HintArgument& argument) override {
        if (hint != UpdateHint::AppendText)
            return;
        const char* text = reinterpret_cast<const char*>(argument.text);
        appended.emplace_back(text, argument.length);
        terminated = terminated && text[argument.length] == '\0';
    }
    Lines appended;
    bool terminated = true;
};

TEST_F(Engine, SearchFileIntoDocumentHandsEachLineToTheViews) {
    DocumentEnvironment documentEnvironment{fake.platform};
    std::unique_ptr<CKespoDoc> result = CKespoDoc::Create(documentEnvironment);
    ASSERT_TRUE(result);
    RecordingView view;
    result->AddView(view);
    test::RecordingProgress progress;
    std::uint32_t hits = 0;
    const std::string path = dir.Write("a.txt", "abc\r\nxabc\r\n");
    EXPECT_TRUE(engine.SearchFileIntoDocument(path, "abc", *result, progress, hits));
    EXPECT_EQ(view.appended, Tagged(path, {"(1): abc", "(2): xabc"}));
    EXPECT_TRUE(view.terminated);
    EXPECT_EQ(progress.shownHits, 2u);
}

TEST_F(Engine, HistoryKeepsTwentyMostRecentEntries) {
    Lines history;
    for (int i = 0; i < 25; ++i)
        GlobalFindEngine::AddToHistory(history, std::to_string(i), kPatternHistoryBytes);
    GlobalFindEngine::AddToHistory(history, "10", kPatternHistoryBytes);
    ASSERT_EQ(history.size(), kHistoryEntries);
    EXPECT_EQ(history[0], "10");
    EXPECT_EQ(history[1], "24");
    EXPECT_EQ(history.back(), "5");
    // Cut to 80 bytes of whole characters.
    GlobalFindEngine::AddToHistory(history, std::string(79, 'y') + Sjis("あ"),
                                   kPatternHistoryBytes);
    EXPECT_EQ(history[0], std::string(79, 'y'));
}

} // namespace
} // namespace nelvix
