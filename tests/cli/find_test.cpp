// nelvix-cli find run in-process: its command line, its output and exit status over small trees.
#include "cli/args/cli_args.h"
#include "cli/find_command.h"
#include "cli/io/result_printer.h"
#include "cli/run_cli.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/cp932.h"
#include "base/native_path.h"
#include "cli_run.h"
#include "commands/tag_line.h"
#include "scoped_environment.h"
#include "search/html_search_run.h"
#include "support/test_files.h"

namespace nelvix::cli {
namespace {

// The settings of a parsed find that differ from a bare "find PATTERN", in words.
std::string Described(const CliArgs& args) {
    const FindArgs& find = args.find;
    std::string text = find.pattern;
    auto add = [&text](bool on, const std::string& word) {
        if (on)
            text += " " + word;
    };
    add(find.directory.has_value(), "dir=" + find.directory.value_or(""));
    for (const std::string& wildcard : find.wildcards)
        text += " wildcard=" + wildcard;
    add(find.specification.has_value(), "spec=" + find.specification.value_or(""));
    add(!find.options.caseSensitive, "-i");
    add(!find.options.widthSensitive, "-w");
    add(find.options.regularExpression, "-r");
    add(find.options.multiText, "-m");
    add(!find.subdirectories, "--no-subdirs");
    add(find.findNoneTextFile, "--nontext");
    add(find.subdirBufferKb != 150, "kb=" + std::to_string(find.subdirBufferKb));
    add(args.codeDecision != 0, "code=" + std::to_string(args.codeDecision));
    add(args.utf8, "--utf8");
    add(find.patternSjis, "--pattern-sjis");
    add(find.threads != 0, "threads=" + std::to_string(find.threads));
    return text;
}

TEST(CliFindArgsTest, AcceptedCommandLines) {
    struct Row {
        const char* line;
        const char* described;
    };
    const std::vector<Row> rows = {
        {"find abc", "abc"},
        {"find abc /d *.c *.h", "abc dir=/d wildcard=*.c wildcard=*.h"},
        {"find -i -w -r -m abc", "abc -i -w -r -m"},
        {"find -iwrm abc", "abc -i -w -r -m"},
        {"find abc /d --no-subdirs --nontext", "abc dir=/d --no-subdirs --nontext"},
        {"find --code euc --utf8 --pattern-sjis abc", "abc code=3 --utf8 --pattern-sjis"},
        {"find --subdir-buffer-kb 10 abc", "abc kb=10"},
        {"find --subdir-buffer-kb=500 abc", "abc kb=500"},
        {"find --subdir-buffer-kb 9 abc", "abc"},
        {"find --subdir-buffer-kb 501 abc", "abc"},
        {"find --subdir-buffer-kb -20 abc", "abc"},
        {"find --subdir-buffer-kb 99999999999999999999999 abc", "abc"},
        {"find --spec /d/*.txt abc", "abc spec=/d/*.txt"},
        {"find --spec=/d/*.txt abc", "abc spec=/d/*.txt"},
        {"find --threads 1 abc", "abc threads=1"},
        {"find --threads=4 abc", "abc threads=4"},
        {"find -- -i", "-i"},
        {"find - /d", "- dir=/d"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        ParsedArgs parsed = ParseCliArgs(Words(row.line));
        ASSERT_TRUE(parsed.ok()) << parsed.error;
        EXPECT_EQ(parsed.args.command, Subcommand::Find);
        EXPECT_EQ(Described(parsed.args), row.described);
    }
}

TEST(CliFindArgsTest, WrongCommandLinesExitWithTwo) {
    struct Row {
        std::vector<std::string> arguments;
        std::string message;
    };
    test::TempDir dir;
    const std::string file = dir.Write("file.txt", "abc");
    const std::vector<Row> rows = {
        {{"find", "-i"}, "find: missing PATTERN"},
        {{"find", "", "/"}, "find: the PATTERN is empty"},
        {{"find", "-ix", "abc"}, "unknown option '-x' for find"},
        {{"find", "--fast", "abc"}, "unknown option '--fast' for find"},
        {{"find", "abc", "--spec"}, "--spec needs a value"},
        {{"find", "--spec", "/d/*", "abc", "/d"}, "find: --spec takes the"},
        {{"find", "--code=utf8", "abc"}, "bad --code value 'utf8'"},
        {{"find", "--subdir-buffer-kb", "10k", "abc"}, "bad --subdir"},
        {{"find", "--threads", "0", "abc"}, "bad --threads value '0' (1..4)"},
        {{"find", "--threads=5", "abc"}, "bad --threads value"},
        {{"find", "--threads", "two", "abc"}, "bad --threads value 'two'"},
        {{"find", "abc", dir.PathOf("none")},
         "find: " + dir.PathOf("none") + ": No such file or directory"},
        {{"find", "abc", file}, "find: " + file + ": Not a directory"},
        {{"find", "abc", dir.Path(), std::string(260 - dir.Path().size(), 'x')},
         "find: パス名（ファイル名）が不正です。"},
        {{"find", "a\xF0\x9F\x98\x80", dir.Path()},
         "find: the PATTERN holds a character that Shift-JIS cannot express"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.arguments));
        CliRun run = RunWith(row.arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(run.err.starts_with("nelvix-cli: " + row.message)) << run.err;
    }
}

// A tree with one file of each kind, so that every directory holds at most one file that a
// row's pattern finds and the order of the lines does not depend on the directory listing:
//   a.txt            Shift-JIS, CR LF
//   bin.dat          a NUL before its word
//   sub/b.euc        EUC-JP, LF
//   sub/deeper/c.jis JIS, LF
class FindTree {
public:
    FindTree() {
        std::filesystem::create_directories(m_dir.PathOf("sub/deeper"));
        m_dir.Write("a.txt", "first line\r\nabc and ABC\r\n" +
                                 Sjis("全角の ＡＢＣ\r\n日本語の文\r\n") + std::string(90, 'a') +
                                 "\r\n");
        m_dir.Write("bin.dat", std::string("head\0 needle\r\n", 14));
        m_dir.Write("sub/b.euc", "euc line\n\xC6\xFC\xCB\xDC\xB8\xEC\xA4\xC7\xA4\xB9\n");
        m_dir.Write("sub/deeper/c.jis", "jis line\n\x1B$B;09TL\\$NA0\x1B(B\n\x1B$BF|K\\8l\x1B(B\n");
    }
    const std::string& Path() const { return m_dir.Path(); }

private:
    test::TempDir m_dir;
};

TEST(CliFindTest, PrintsTheResultLinesOfTheGlobalFind) {
    struct Row {
        const char* situation;
        std::string arguments; // after "find"; "@" stands for the tree
        std::string out;       // "@" stands for the tree
        int status;
        int files;
        int hits;
    };
    const std::string line2 = "@/a.txt(2): abc and ABC\r\n";
    const std::string kanji = Sjis("@/a.txt(4): 日本語の文\r\n@/sub/b.euc(2): 日本語です\r\n"
                                   "@/sub/deeper/c.jis(3): 日本語\r\n");
    const std::vector<Row> rows = {
        {"case-sensitive by default", "abc @", line2, 0, 4, 1},
        {"-m finds each term", "-m first|or|ABC @", "@/a.txt(1): first line\r\n" + line2, 0, 4, 2},
        {"--no-subdirs searches the top directory only", "--no-subdirs 日本語 @",
         Sjis("@/a.txt(4): 日本語の文\r\n"), 0, 2, 1},
        {"--code sjis searches the files unconverted", "--code sjis 日本語 @",
         Sjis("@/a.txt(4): 日本語の文\r\n"), 0, 4, 1},
        {"WILDCARDs name the files, pattern by pattern", "日本語 @ *.JIS *.euc",
         Sjis("@/sub/b.euc(2): 日本語です\r\n@/sub/deeper/c.jis(3): 日本語\r\n"), 0, 2, 2},
        {"--spec names the file set", "--spec @/sub/*.euc 日本語",
         Sjis("@/sub/b.euc(2): 日本語です\r\n"), 0, 1, 1},
        {"a NUL ends the text searched", "needle @", "", 1, 4, 0},
        {"--nontext searches past it and shows it as 0xFF", "--nontext needle @",
         "@/bin.dat(1): head\xFF needle\r\n", 0, 4, 1},
        {"--pattern-sjis takes the bytes as they are", "--pattern-sjis " + Sjis("日本語") + " @",
         kanji, 0, 4, 3},
        {"nothing found", "absent @", "", 1, 4, 0},
    };
    FindTree tree;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.situation);
        std::vector<std::string> arguments{"find"};
        for (const std::string& word : Words(row.arguments))
            arguments.push_back(ReplaceAll(ReplaceAll(word, "@", tree.Path()), "|", " "));
        CliRun run = RunWith(arguments);
        EXPECT_EQ(run.status, row.status);
        EXPECT_EQ(run.out, ReplaceAll(row.out, "@", tree.Path()));
        EXPECT_EQ(run.err, Counts(row.files, row.hits));
    }
}

TEST(CliFindTest, DirectoryIsMadeAbsoluteFromTheCurrentOne) {
    FindTree tree;
    test::WorkingFolder inTree(tree.Path());
    const std::string euc = tree.Path() + Sjis("/sub/b.euc(2): 日本語です\r\n");
    const std::vector<std::vector<std::string>> commandLines = {
        {"find", "--spec", "sub/*.euc", "日本語"},
        {"find", "日本語", "sub/../sub/", "*.euc"},
        {"find", "日本語", ".", "sub/*.euc"},
    };
    for (const std::vector<std::string>& arguments : commandLines) {
        SCOPED_TRACE(arguments[2]);
        CliRun run = RunWith(arguments);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, euc);
    }
    EXPECT_EQ(RunWith({"find", "--no-subdirs", "abc"}).out,
              tree.Path() + "/a.txt(2): abc and ABC\r\n");
}

// The program writes a folder with a blank into its histories as "/my dir"/*.txt: that form
// names its folder, from any working folder, the root's too.
TEST(CliFindTest, QuotedFolderAsTheHistoriesHoldItIsSearched) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.PathOf("my dir"));
    dir.Write("my dir/a.txt", "abc\r\n");
    const std::string specification = "\"" + dir.PathOf("my dir") + "\"/*.txt";
    for (const char* workingFolder : {".", "/"}) {
        test::WorkingFolder in(workingFolder);
        CliRun run = RunWith({"find", "--spec", specification, "abc"});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, dir.PathOf("my dir/a.txt") + "(1): abc\r\n") << workingFolder;
    }
}

TEST(CliFindTest, DirectoryWithABlankIsQuotedAndItsFilesFound) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.PathOf("my dir/inner"));
    dir.Write("my dir/inner/a.txt", "abc\r\n");
    CliRun run = RunWith({"find", "abc", dir.PathOf("my dir")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, dir.PathOf("my dir/inner/a.txt") + "(1): abc\r\n");
}

// Names Shift-JIS cannot express or holding control bytes: each result stays one line whose tag
// names the file again, and UTF-8 shows the name native with '?' for a control byte.
TEST(CliFindTest, OddFileNamesGiveWholeLinesWhoseTagsNameTheFile) {
    for (const std::string name : {"\xFF\xFE-\xE6\x97\xA5.txt", "first\nsecond.txt",
                                   "first\rsecond.txt", "name.txt\r\n", "tab\there\a.txt"}) {
        SCOPED_TRACE(name);
        test::TempDir dir;
        const std::string path = dir.Write(name, "other\r\nabc\r\n");
        const std::string out = RunWith({"find", "abc", dir.Path()}).out;
        ASSERT_TRUE(out.ends_with("(2): abc\r\n")) << out;
        EXPECT_EQ(out.find_first_of("\r\n"), out.size() - 2) << out;
        const std::optional<TagLocation> tag = ReadTag(out, HtmlColumns{}.title);
        ASSERT_TRUE(tag.has_value()) << out;
        EXPECT_EQ(SjisPathToNative(tag->sjisPath), path);
        EXPECT_EQ(tag->line, 2u);
        std::string shown = path;
        std::replace_if(
            shown.begin(), shown.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; },
            '?');
        EXPECT_EQ(RunWith({"find", "--utf8", "abc", dir.Path()}).out, shown + "(2): abc\n");
    }
}

// An 81-byte expression with -r ended with status 1 and not a word: nothing could ever match.
TEST(CliFindTest, PatternOverEightyBytesForTheRegularExpressionEngineIsAUsageError) {
    FindTree tree;
    const std::string a80(80, 'a');
    const std::string a81(81, 'a');
    std::string kanji40;
    for (int i = 0; i < 40; ++i)
        kanji40 += "字";
    const std::string tooLong = "nelvix-cli: find: the PATTERN is longer than 80 bytes, the most "
                                "a regular expression (-r) or a search with -w can hold\n";
    struct Row {
        const char* situation;
        std::vector<std::string> options;
        std::string pattern;
        int status;
    };
    const std::vector<Row> rows = {
        {"-r with 81 bytes", {"-r"}, a81, 2},
        {"-w with 81 bytes", {"-w"}, a81, 2},
        {"-m -r with 81 bytes", {"-m", "-r"}, a81, 2},
        {"-r with 40 kanji, 80 bytes of Shift-JIS", {"-r"}, kanji40, 1},
        {"-r with 80 bytes", {"-r"}, a80, 0},
        {"plain with 81 bytes", {}, a81, 0},
        {"-i with 81 bytes", {"-i"}, a81, 0},
        {"-m with 81 bytes", {"-m"}, a81, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.situation);
        std::vector<std::string> arguments{"find"};
        arguments.insert(arguments.end(), row.options.begin(), row.options.end());
        arguments.push_back(row.pattern);
        arguments.push_back(tree.Path());
        const CliRun run = RunWith(arguments);
        EXPECT_EQ(run.status, row.status) << run.err;
        EXPECT_EQ(run.err == tooLong, row.status == 2) << run.err;
    }
}

// A tree whose subdirectories could not be listed (message 59438) ended with status 1, as if
// the tree held nothing.
TEST(CliFindTest, TreeWalkRefusedForWantOfMemoryIsTrouble) {
    struct Row {
        const char* situation;
        GlobalFindCounts counts;
        int status;
    };
    const std::vector<Row> rows = {
        {"hits in the whole tree", {.filesSearched = 3, .hits = 2}, 0},
        {"nothing in the whole tree", {.filesSearched = 3}, 1},
        {"refused walk, nothing in the top directory",
         {.filesSearched = 1, .subdirectoryOverflow = true},
         2},
        {"refused walk, hits in the top directory",
         {.filesSearched = 1, .hits = 4, .subdirectoryOverflow = true},
         2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.situation);
        EXPECT_EQ(SearchExitStatus(row.counts), row.status);
    }
}

TEST(CliFindTest, TroubledTreeGivesTheSameOutputOnAnyNumberOfThreads) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.PathOf("sub/deeper"));
    for (int i = 0; i < 40; ++i)
        dir.Write("sub/f" + std::to_string(i) + ".txt",
                  std::string(static_cast<std::size_t>(i) * 997, 'x') + "\nabc " +
                      std::to_string(i) + "\n");
    dir.Write("bin.dat", std::string("abc\0 abc\r\n", 11));
    dir.Write("sub/long.txt", std::string(10 << 20, 'y') + "abc\r\nabc\r\n");
    // More result lines than one file may hold before its worker waits for them.
    std::string many;
    std::string manyLines; // its result lines, whole and in order
    for (int i = 0; i < 20'000; ++i) {
        many += "abc " + std::to_string(i) + "\r\n";
        manyLines += dir.PathOf("sub/many.txt") + "(" + std::to_string(i + 1) + "): abc " +
                     std::to_string(i) + "\r\n";
    }
    dir.Write("sub/many.txt", many);
    dir.Write("sub/deeper/euc.txt", "abc \xC6\xFC\xCB\xDC\xB8\xEC\n");
    dir.Write("sub/deeper/locked.txt", "abc\r\n");
    ::chmod(dir.PathOf("sub/deeper/locked.txt").c_str(), 0);
    ::mkfifo(dir.PathOf("sub/fifo.txt").c_str(), 0600);
    std::filesystem::create_directory_symlink("..", dir.PathOf("sub/deeper/loop"));
    std::filesystem::create_symlink("gone.txt", dir.PathOf("sub/dangling.txt"));

    std::ostringstream oneOut, oneErr;
    const int one = RunCli(std::vector<std::string>{"find", "--threads", "1", "abc", dir.Path()},
                           oneOut, oneErr);
    EXPECT_EQ(one, 0);
    EXPECT_NE(oneOut.str().find("long.txt(1): "), std::string::npos);
    EXPECT_NE(oneOut.str().find(manyLines), std::string::npos);
    for (const char* threads : {"2", "4"}) {
        std::ostringstream out, err;
        EXPECT_EQ(RunCli(std::vector<std::string>{"find", "--threads", threads, "abc", dir.Path()},
                         out, err),
                  one);
        EXPECT_TRUE(out.str() == oneOut.str()) << threads << " threads";
        EXPECT_EQ(err.str(), oneErr.str()) << threads << " threads";
    }
}

TEST(CliFindTest, FailedOutputStopsTheRun) {
    FindTree tree;
    std::ostringstream out;
    std::ostringstream err;
    out.setstate(std::ios::badbit);
    EXPECT_EQ(RunCli(std::vector<std::string>{"find", "abc", tree.Path()}, out, err), 2);
    EXPECT_EQ(err.str(), "nelvix-cli: cannot write the output\n");
}

TEST(CliFindTest, ResultPathEndsBeforeTheLineNumberAfterTheFileName) {
    struct Row {
        const char* situation;
        std::string_view line;
        std::size_t length;
    };
    const std::vector<Row> rows = {
        {"plain result line", "/d/a.txt(12): x", 8},
        {"quoted text holding a result line", "/d/a.txt(3): /d/a.txt(9): y", 8},
        {"directory named like the file", "/a.txt/a.txt(1): z", 12},
        {"another file's line", "/d/b.txt(1): z", 0},
        {"a longer name ending in the file name", "/d/xa.txt(1): z", 0},
        {"no line number", "/d/a.txt(): z", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.situation);
        EXPECT_EQ(ResultPathLength(row.line, "a.txt"), row.length);
    }
}

} // namespace
} // namespace nelvix::cli
