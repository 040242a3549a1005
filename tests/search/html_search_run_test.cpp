// The HTML search over a file set: the lines of each target exactly, the counts, the columns'
// widths, and runs that end early.
#include "search/html_search_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "search/search_fakes.h"
#include "support/test_files.h"
#include "ui/fake_platform.h"

namespace nelvix {
namespace {

std::string Pad(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

class HtmlSearchRunTest : public ::testing::Test {
protected:
    HtmlSearchRunTest() {
        std::filesystem::create_directories(top + "sub");
        dir.Write("top/a.html", "<html><head><title>Home</title></head>\r\n"
                                "<body><a href=x.html>X</a> foo\r\n"
                                "<A HREF = \"y.html\" TARGET=\"_top\">Y</A>\r\n"
                                "foo again</body></html>\r\n");
        dir.Write("top/b.html", "<html><body>no title, foo\r\n<a href=\"z.html\">Z</a></body>\r\n");
        dir.Write("top/c.html", "<TITLE>Plain</TITLE>nothing here\r\n");
        dir.Write("top/sub/d.html", "<TITLE>Deep</TITLE><a name=top>Top</a>foo\r\n");
        dir.Write("top/e.txt", "<TITLE>Text</TITLE>foo\r\n");
        engine.SearchSubdirectories() = true;
    }

    GlobalFindCounts Run(HtmlTarget target, std::string_view pattern = "foo") {
        return RunHtmlSearch(engine, target, top + "*.html", pattern, columns, 64 * 1024, sink,
                             progress);
    }
    std::string TitleLine(const std::string& title, const std::string& path) const {
        return Pad(title, 44) + " " + path + "\r\n";
    }
    std::string LinkLine(const std::string& text, const std::string& target) const {
        return "     " + Pad(text, 44) + " " + Pad(target, 44) + " \r\n";
    }

    test::TempDir dir;
    std::string top = dir.Path() + "/top/";
    std::string a = top + "a.html", b = top + "b.html", c = top + "c.html", d = top + "sub/d.html";
    ui::FakePlatform fake;
    EngineEnvironment environment{fake.platform};
    GlobalFindEngine engine{environment};
    HtmlColumns columns;
    test::RecordingSink sink;
    test::RecordingProgress progress;
};

std::vector<std::string> Sorted(std::vector<std::string> lines) {
    std::sort(lines.begin(), lines.end());
    return lines;
}

TEST_F(HtmlSearchRunTest, TitleTargetListsEachTitledFile) {
    const GlobalFindCounts counts = Run(HtmlTarget::Title);
    // The top directory's files come first, in the order the directory lists them.
    ASSERT_EQ(sink.lines.size(), 3u);
    EXPECT_EQ(sink.lines.back(), TitleLine("Deep", d));
    EXPECT_EQ(Sorted({sink.lines[0], sink.lines[1]}),
              Sorted({TitleLine("Home", a), TitleLine("Plain", c)}));
    EXPECT_EQ(counts.filesSearched, 4u);
    EXPECT_EQ(counts.hits, 3u);
    EXPECT_EQ(progress.shownHits, 3u);
    EXPECT_FALSE(counts.stopped);
}

TEST_F(HtmlSearchRunTest, LinkTargetListsTheTitleLineThenEachLink) {
    const GlobalFindCounts counts = Run(HtmlTarget::Link);
    const std::vector<std::string> aLines{TitleLine("Home", a), LinkLine("X", "x.html"),
                                          LinkLine("Y", "y.html")};
    // A file without a title still gets its title line, with a title column of blanks.
    const std::vector<std::string> bLines{TitleLine("", b), LinkLine("Z", "z.html")};
    ASSERT_EQ(sink.lines.size(), 5u);
    const bool aFirst = sink.lines[0] == aLines[0];
    std::vector<std::string> expected = aFirst ? aLines : bLines;
    expected.insert(expected.end(), (aFirst ? bLines : aLines).begin(),
                    (aFirst ? bLines : aLines).end());
    EXPECT_EQ(sink.lines, expected);
    EXPECT_EQ(counts.filesSearched, 4u);
    EXPECT_EQ(counts.hits, 5u);
}

TEST_F(HtmlSearchRunTest, StringTargetListsTheTitleLineThenEachMatch) {
    const GlobalFindCounts counts = Run(HtmlTarget::String);
    std::vector<std::string> expected{
        TitleLine("Home", a),
        "     " + a + "(2): <body><a href=x.html>X</a> foo\r\n",
        "     " + a + "(4): foo again</body></html>\r\n",
        TitleLine("", b),
        "     " + b + "(1): <html><body>no title, foo\r\n",
        TitleLine("Deep", d),
        "     " + d + "(1): <TITLE>Deep</TITLE><a name=top>Top</a>foo\r\n",
    };
    ASSERT_EQ(sink.lines.size(), expected.size());
    if (sink.lines[0] != expected[0])
        std::rotate(expected.begin(), expected.begin() + 3, expected.begin() + 5);
    EXPECT_EQ(sink.lines, expected);
    EXPECT_EQ(counts.filesSearched, 4u);
    EXPECT_EQ(counts.hits, 7u);
}

TEST_F(HtmlSearchRunTest, ColumnsTakeTheirWidths) {
    columns = {10, 12, 14};
    Run(HtmlTarget::Link);
    ASSERT_FALSE(sink.lines.empty());
    for (const std::string& line : sink.lines) {
        // A title line names its file; a link line does not.
        if (line.find(top) == std::string::npos)
            EXPECT_EQ(line.size(), 5u + 12 + 1 + 14 + 1 + 2) << line;
        else
            EXPECT_EQ(line.find(top), 11u) << line;
    }
}

TEST_F(HtmlSearchRunTest, StopEndsTheRunAtOnce) {
    struct Case {
        HtmlTarget target;
        int stopAtCheck;
        std::size_t lines;
    };
    // Events run before each further line and after each file.
    for (const Case row : {Case{HtmlTarget::Title, 1, 1}, Case{HtmlTarget::Link, 1, 1},
                           Case{HtmlTarget::Link, 2, 2}, Case{HtmlTarget::String, 1, 1}}) {
        sink.lines.clear();
        progress = {};
        progress.stopAtCheck = row.stopAtCheck;
        // Only a.html in the set, so that the order of the directory does not matter.
        const GlobalFindCounts counts =
            RunHtmlSearch(engine, row.target, a, "foo", columns, 64 * 1024, sink, progress);
        EXPECT_TRUE(counts.stopped);
        EXPECT_EQ(sink.lines.size(), row.lines) << static_cast<int>(row.target);
        EXPECT_EQ(counts.hits, row.lines);
    }
}

TEST_F(HtmlSearchRunTest, SinkThatRefusesALineStopsTheRun) {
    sink.refuseLine = 2;
    const GlobalFindCounts counts =
        RunHtmlSearch(engine, HtmlTarget::String, a, "foo", columns, 64 * 1024, sink, progress);
    EXPECT_TRUE(counts.stopped);
    EXPECT_EQ(sink.lines.size(), 2u);
    EXPECT_EQ(counts.hits, 1u);
}

TEST_F(HtmlSearchRunTest, NulInATitleIsWrittenAsABlank) {
    const std::string path = dir.Write("nul.html", std::string("<TITLE>a\0b</TITLE>", 18));
    RunHtmlSearch(engine, HtmlTarget::Title, path, {}, columns, 64 * 1024, sink, progress);
    ASSERT_EQ(sink.lines.size(), 1u);
    EXPECT_EQ(sink.lines[0], TitleLine("a b", path));
}

TEST_F(HtmlSearchRunTest, AFileAboveTheLinkLimitListsItsTitleButNoLinks) {
    std::string page = "<TITLE>Big</TITLE><a href=x.html>X</a>\r\n";
    page.resize(200000, ' ');
    const std::string path = dir.Write("big.html", page);
    RunHtmlSearch(engine, HtmlTarget::Link, path, {}, columns, 64 * 1024, sink, progress);
    EXPECT_TRUE(sink.lines.empty());
    RunHtmlSearch(engine, HtmlTarget::Title, path, {}, columns, 64 * 1024, sink, progress);
    EXPECT_EQ(sink.lines, std::vector<std::string>{TitleLine("Big", path)});
}

TEST(HtmlLines, TitleLineOfAFileNameWithALineBreakStaysOneLine) {
    const HtmlColumns columns{10, 10, 10};
    EXPECT_EQ(HtmlTitleLine("Home", "/p/a\r\nb.html", columns), "Home       /p/a\xF1\x4D\xF1\x4A"
                                                                "b.html\r\n");
}

} // namespace
} // namespace nelvix
