// nelvix-cli html run in-process: its command line, the lines of each target in Shift-JIS and in
// UTF-8, the counts on standard error and the exit status, over small trees.
#include "cli/args/cli_args.h"
#include "cli/run_cli.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/cp932.h"
#include "base/native_path.h"
#include "cli_run.h"
#include "commands/tag_line.h"
#include "search/html_search_run.h"
#include "support/test_files.h"

namespace nelvix::cli {
namespace {

namespace fs = std::filesystem;

std::string Pad(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

// A UTF-8 text with the blanks that pad its Shift-JIS form to `width` bytes, as --utf8 shows a
// column.
std::string PadUtf8(const std::string& utf8, std::size_t width) {
    return utf8 + std::string(width - Sjis(utf8).size(), ' ');
}

// The settings of a parsed html command line, in words.
std::string Described(const CliArgs& args) {
    const HtmlArgs& html = args.html;
    const char* const targets[] = {"string", "title", "links"};
    std::string text = targets[static_cast<int>(html.target)];
    auto add = [&text](bool on, const std::string& word) {
        if (on)
            text += " " + word;
    };
    add(!html.pattern.empty(), "S=" + html.pattern);
    add(true, "spec=" + html.specification);
    add(!html.options.caseSensitive, "-i");
    add(!html.options.widthSensitive, "-w");
    add(html.options.regularExpression, "-r");
    add(html.options.multiText, "-m");
    add(!html.subdirectories, "--no-subdirs");
    add(html.subdirBufferKb != 150, "kb=" + std::to_string(html.subdirBufferKb));
    add(args.codeDecision != 0, "code=" + std::to_string(args.codeDecision));
    add(args.utf8, "--utf8");
    add(html.patternSjis, "--pattern-sjis");
    return text;
}

TEST(CliHtmlArgsTest, AcceptedCommandLines) {
    struct Row {
        const char* line;
        const char* described;
    };
    const std::vector<Row> rows = {
        {"html /www/*.html", "title spec=/www/*.html"},
        {"html --title *.htm", "title spec=*.htm"},
        {"html --links /www/*.html", "links spec=/www/*.html"},
        {"html --string foo /www/*.html", "string S=foo spec=/www/*.html"},
        {"html --string=foo -iwrm /w/*.h", "string S=foo spec=/w/*.h -i -w -r -m"},
        {"html --no-subdirs --utf8 --code euc x", "title spec=x --no-subdirs code=3 --utf8"},
        {"html --subdir-buffer-kb 20 --pattern-sjis x", "title spec=x kb=20 --pattern-sjis"},
        {"html --subdir-buffer-kb 5 x", "title spec=x"},
        {"html -- -odd.html", "title spec=-odd.html"},
    };
    for (const Row& row : rows) {
        const ParsedArgs parsed = ParseCliArgs(Words(row.line));
        ASSERT_TRUE(parsed.ok()) << row.line << ": " << parsed.error;
        EXPECT_EQ(parsed.args.command, Subcommand::Html) << row.line;
        EXPECT_EQ(Described(parsed.args), row.described) << row.line;
    }
}

TEST(CliHtmlArgsTest, RefusedCommandLines) {
    struct Row {
        const char* line;
        const char* error;
    };
    const std::vector<Row> rows = {
        {"html", "html: missing SPEC"},
        {"html --links", "html: missing SPEC"},
        {"html a b", "html: takes one SPEC"},
        {"html --string", "--string needs a value"},
        {"html --string= x", "html: the --string value is empty"},
        {"html --title --links x", "html: give one of --title, --links and --string"},
        {"html --string a --title x", "html: give one of --title, --links and --string"},
        {"html -x y", "unknown option '-x' for html"},
        {"html --frames y", "unknown option '--frames' for html"},
        {"html --code utf16 y", "bad --code value 'utf16'"},
        {"html --subdir-buffer-kb many y", "bad --subdir-buffer-kb value 'many'"},
    };
    for (const Row& row : rows) {
        const ParsedArgs parsed = ParseCliArgs(Words(row.line));
        ASSERT_FALSE(parsed.ok()) << row.line;
        EXPECT_EQ(parsed.error.find(row.error), 0u) << row.line << ": " << parsed.error;
    }
}

class CliHtmlTest : public ::testing::Test {
protected:
    CliHtmlTest() {
        fs::create_directories(top + "sub");
        dir.Write("top/a.html", Sjis("<title>表紙</title>\r\n<a href=\"b.html\">次へ</a> foo\r\n"));
        dir.Write("top/sub/b.html", "<TITLE>B</TITLE>\r\nfoo\r\n");
        dir.Write("top/c.txt", "<TITLE>C</TITLE> foo\r\n");
    }
    CliRun Html(const std::string& options) {
        std::vector<std::string> arguments = Words("html " + options);
        arguments.push_back(top + "*.html");
        return RunWith(arguments);
    }

    test::TempDir dir;
    std::string top = dir.Path() + "/top/";
    std::string a = top + "a.html", b = top + "sub/b.html";
};

TEST_F(CliHtmlTest, EachTargetGivesItsLinesAndCounts) {
    const struct {
        const char* options;
        std::string out;
        int files;
        int hits;
    } rows[] = {
        {"--title", Pad(Sjis("表紙"), 44) + " " + a + "\r\n" + Pad("B", 44) + " " + b + "\r\n", 2,
         2},
        {"--links --no-subdirs",
         Pad(Sjis("表紙"), 44) + " " + a + "\r\n     " + Pad(Sjis("次へ"), 44) + " " +
             Pad("b.html", 44) + " \r\n",
         1, 2},
        {"--utf8 --string FOO -i",
         PadUtf8("表紙", 44) + " " + a + "\n     " + a + "(2): <a href=\"b.html\">次へ</a> foo\n" +
             Pad("B", 44) + " " + b + "\n     " + b + "(2): foo\n",
         2, 4},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.options);
        const CliRun run = Html(row.options);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, row.out);
        EXPECT_EQ(run.err, Counts(row.files, row.hits));
    }
}

TEST_F(CliHtmlTest, QuotedFolderAsTheHistoriesHoldItIsSearched) {
    fs::create_directories(top + "my dir");
    dir.Write("top/my dir/d.html", "<title>D</title>\r\n");
    const CliRun run = RunWith({"html", "--title", "\"" + top + "my dir\"/*.html"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, Pad("D", 44) + " " + top + "my dir/d.html\r\n");
}

TEST_F(CliHtmlTest, NothingFoundAndTrouble) {
    struct Row {
        std::vector<std::string> arguments;
        int status;
        const char* err; ///< the start of standard error
    };
    const std::vector<Row> rows = {
        {{"html", "--string", "absent", top + "*.html"}, 1, "nelvix-cli: 検索したﾌｧｲﾙの数： 2"},
        {{"html", top + "*.txt"}, 0, "nelvix-cli: 検索したﾌｧｲﾙの数： 1"},
        {{"html", "--links", top + "*.none"}, 1, "nelvix-cli: 検索したﾌｧｲﾙの数： 0"},
        {{"html", "--string", std::string(81, 'x'), top + "*.html"},
         2,
         "nelvix-cli: html: 文字列が長すぎます。"},
        {{"html", "--string", std::string(80, 'x'), top + "*.html"}, 1, "nelvix-cli: 検索"},
        {{"html", "/" + std::string(300, 'd') + "/*.html"},
         2,
         "nelvix-cli: html: パス名（ファイル名）が不正です。"},
        {{"html", "--string", "\xF0\x9F\x98\x80", top + "*.html"},
         2,
         "nelvix-cli: html: the --string value holds"},
    };
    for (const Row& row : rows) {
        const CliRun run = RunWith(row.arguments);
        EXPECT_EQ(run.status, row.status) << row.arguments[1] << ": " << run.err;
        EXPECT_EQ(run.err.find(row.err), 0u) << row.arguments[1] << ": " << run.err;
        if (row.status == 2) {
            EXPECT_TRUE(run.out.empty());
        }
    }
}

// A name holding a line break gave title and match lines in pieces, none of them a tag. UTF-8
// shows the name native, '?' for a control byte.
TEST(CliHtmlNamesTest, LinesOfAFileNameWithALineBreakStayWholeAndNameTheFile) {
    for (const std::string name :
         {"first\nsecond.html", "first\rsecond.html", "name\r\n.html", "日本/ページ.html"}) {
        SCOPED_TRACE(name);
        test::TempDir dir;
        fs::create_directories(dir.PathOf("日本"));
        const std::string path = dir.Write(name, "<title>Page</title>\r\nthe needle\r\n");
        const CliRun run = RunWith({"html", "--string", "needle", dir.Path() + "/*.html"});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 2) << run.out;
        for (std::size_t start = 0, end = 0;
             (end = run.out.find("\r\n", start)) != std::string::npos; start = end + 2) {
            const std::optional<TagLocation> tag =
                ReadTag(run.out.substr(start, end - start), HtmlColumns{}.title);
            ASSERT_TRUE(tag.has_value()) << run.out;
            EXPECT_EQ(SjisPathToNative(tag->sjisPath), path);
        }
        std::string shown = path;
        std::replace_if(
            shown.begin(), shown.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; },
            '?');
        const std::string utf8 =
            RunWith({"html", "--utf8", "--string", "needle", dir.Path() + "/*.html"}).out;
        EXPECT_TRUE(Contains(utf8, "     " + shown + "(2): the needle\n")) << utf8;
    }
}

} // namespace
} // namespace nelvix::cli
