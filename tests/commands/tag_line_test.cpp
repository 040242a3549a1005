// Reading tags from result lines and path lines, and the line a display row reads from.
#include "commands/tag_line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/cp932.h"
#include "fake_frame_windows.h"
#include "support/test_files.h"

namespace nelvix {
namespace {

std::string PathOfBytes(std::size_t bytes) {
    return "/" + std::string(bytes - 1, 'p');
}

bool NoFiles(std::string_view) {
    return false;
}

TEST(ReadTag, FindsPathAndLine) {
    const std::string kanjiPath = Sjis("/表/能力.txt");
    const std::string title10 = "Home      "; // a title column of 10
    const std::string deepPath = "/d/" + std::string(37, 'p') + "/index.html"; // '/' at 45
    struct Case {
        const char* name;
        std::string line;
        int titleViewLength;
        std::optional<TagLocation> expected;
    };
    const Case cases[] = {
        {"result line", "/a/b.txt(120): foo", 44, TagLocation{"/a/b.txt", 120}},
        {"plain path is line 1", "/a/b.txt", 44, TagLocation{"/a/b.txt", 1}},
        {"text after ): ignored", "/a/b.txt(7): x(8): y", 44, TagLocation{"/a/b.txt", 7}},
        {"(7) before other text is in the path", "/a/b(7)x", 44, TagLocation{"/a/b(7)x", 1}},
        {"line 0", "/a/b.txt(0): x", 44, std::nullopt},
        {"five digits", "/a/b.txt(99999): x", 44, TagLocation{"/a/b.txt", 99999}},
        {"six digits", "/a/b.txt(123456): x", 44, std::nullopt},
        {"missing )", "/a/b.txt(12", 44, std::nullopt},
        {"empty ()", "/a/b.txt(): x", 44, std::nullopt},
        {"letter in number", "/a/b.txt(1a): x", 44, std::nullopt},
        {"blank in number", "/a/b.txt( 12): x", 44, std::nullopt},
        {"relative path", "a/b.txt(3): x", 44, std::nullopt},
        {"three bytes", "/ab", 44, std::nullopt},
        {"four bytes", "/abc", 44, TagLocation{"/abc", 1}},
        {"path before ( too short", "/ab(3)", 44, std::nullopt},
        {"HTML result line", title10 + " /w/i.html", 10, TagLocation{"/w/i.html", 1}},
        {"column 5", "0012 /x/y.c(7): int", 44, TagLocation{"/x/y.c", 7}},
        {"kanji path", kanjiPath + "(12): " + Sjis("漢字"), 44, TagLocation{kanjiPath, 12}},
        {"( taken by a lead byte", "/abc\x81(5)", 44, TagLocation{"/abc\x81(5)", 1}},
        {"/ as a trail byte at column 5", "abcd\x81/xyz(3)", 44, std::nullopt},
        {"path of 259 before (", PathOfBytes(259) + "(2)", 44, TagLocation{PathOfBytes(259), 2}},
        {"path of 260 before (", PathOfBytes(260) + "(2)", 44, std::nullopt},
        {"plain path of 259", PathOfBytes(259), 44, TagLocation{PathOfBytes(259), 1}},
        {"plain path of 260", PathOfBytes(260), 44, std::nullopt},
        {"negative title length", "x /a/b(1)", -2, std::nullopt},
        // HTML match lines whose title column (45) falls on a '/' of the path or of the text.
        {"match line, / of the path at the title column", "     " + deepPath + "(4): <p>", 44,
         TagLocation{deepPath, 4}},
        {"match line, / of the text at the title column",
         "     /d/i.html(4): <a href=\"x\">abcdefghijk</a>", 44, TagLocation{"/d/i.html", 4}},
        {"link line with a long address", "     http://example.com/a/b/c/d/e/f/g/h/i/j/k/l/m", 44,
         std::nullopt},
        {"title column needs the blank before it", std::string(44, 'x') + "/abc/d.html", 44,
         std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadTag(c.line, c.titleViewLength, NoFiles), c.expected) << c.name;
}

// A folder "Debian FAQ (ja)" made every tag in it unreadable: the reader took its "(" for the
// line number's.
TEST(ReadTag, TagInFolderWithParenthesesJumps) {
    const std::string title10 = "Home       "; // a title column of 10 and its blank
    struct Case {
        const char* name;
        std::string line;
        std::vector<std::string> existing;
        std::optional<TagLocation> expected;
        bool asksFileSystem;
    };
    const Case cases[] = {
        {"result line",
         "/u/Debian FAQ (ja)/ch-basic.html(12): x",
         {},
         TagLocation{"/u/Debian FAQ (ja)/ch-basic.html", 12},
         false},
        {"Program Files (x86)",
         "/w/Program Files (x86)/a.txt(3): (1): y",
         {},
         TagLocation{"/w/Program Files (x86)/a.txt", 3},
         true},
        {"HTML title line",
         title10 + "/d/Debian FAQ (ja)/index.html",
         {},
         TagLocation{"/d/Debian FAQ (ja)/index.html", 1},
         false},
        {"HTML match line",
         "     /d/Debian FAQ (ja)/i.html(4): <p>",
         {},
         TagLocation{"/d/Debian FAQ (ja)/i.html", 4},
         false},
        {"a (1)/b(2).txt",
         "/t/a (1)/b(2).txt(7): x",
         {},
         TagLocation{"/t/a (1)/b(2).txt", 7},
         false},
        {"title line of a (1)/b(2).html",
         title10 + "/t/a (1)/b(2).html",
         {},
         TagLocation{"/t/a (1)/b(2).html", 1},
         false},
        {"title line of Backup (2023)",
         title10 + "/t/Backup (2023)/i.html",
         {},
         TagLocation{"/t/Backup (2023)/i.html", 1},
         false},
        {"title line of a folder with (ja):",
         title10 + "/t/a (ja): b/i.html",
         {},
         TagLocation{"/t/a (ja): b/i.html", 1},
         false},
        {"folder (1 of 2)",
         "/t/(1 of 2)/f.txt(3): x",
         {},
         TagLocation{"/t/(1 of 2)/f.txt", 3},
         false},
        {"name holding (12): that exists",
         "/t/x(12): y.txt(3): z",
         {"/t/x(12): y.txt"},
         TagLocation{"/t/x(12): y.txt", 3},
         true},
        {"name holding (12): when nothing exists",
         "/t/x(12): y.txt(3): z",
         {},
         TagLocation{"/t/x", 12},
         true},
        {"the first existing reading wins",
         "/t/x(12): y.txt(3): z",
         {"/t/x", "/t/x(12): y.txt"},
         TagLocation{"/t/x", 12},
         true},
        {"matched text holding (5):",
         "/t/a.txt(3): f(5): g",
         {"/t/a.txt"},
         TagLocation{"/t/a.txt", 3},
         true},
        {"number at the end, path exists", "/t/b(2)", {"/t/b"}, TagLocation{"/t/b", 2}, true},
        {"number at the end, name exists", "/t/b(2)", {"/t/b(2)"}, TagLocation{"/t/b(2)", 1}, true},
        {"number at the end, nothing exists", "/t/b(2)", {}, TagLocation{"/t/b", 2}, true},
        {"broken number before a good one",
         "/t/v(0): w.txt(5): x",
         {},
         TagLocation{"/t/v(0): w.txt", 5},
         false},
        {"line 0 in a folder (ja)", "/t/a (ja)/b.txt(0): x", {}, std::nullopt, false},
        {"six digits in a folder (ja)", "/t/a (ja)/b.txt(123456): x", {}, std::nullopt, false},
        {"path too short after a (", "/(j(3): x", {}, std::nullopt, false},
    };
    for (const Case& c : cases) {
        int asked = 0;
        const auto exists = [&c, &asked](std::string_view path) {
            ++asked;
            return std::find(c.existing.begin(), c.existing.end(), path) != c.existing.end();
        };
        EXPECT_EQ(ReadTag(c.line, 10, exists), c.expected) << c.name;
        EXPECT_EQ(asked > 0, c.asksFileSystem) << c.name;
    }
}

TEST(ReadTag, AsksTheFileSystemWithTheNativeName) {
    test::TempDir dir;
    const std::string folder = Sjis(dir.Path() + "/資料 (12): 版");
    std::filesystem::create_directory(dir.Path() + "/資料 (12): 版");
    const std::string file = dir.Write("資料 (12): 版/b(2).txt", "x\r\n");
    const std::optional<TagLocation> tag = ReadTag(Sjis(file) + "(9): x", 44);
    EXPECT_EQ(tag, (TagLocation{Sjis(file), 9}));
    EXPECT_TRUE(TagFileExists(Sjis(file)));
    EXPECT_FALSE(TagFileExists(folder));
}

TEST(RowTagText, ReadsTheWholeLineFromItsFirstRow) {
    ui::FakePlatform fake;
    DocumentEnvironment environment{fake.platform};
    DocumentList documents{environment};
    test::FakeFrameWindows windows{fake.platform, documents};
    test::TempDir dir;
    // Rows hold 200 characters: the second line wraps onto a continuation row.
    const std::string wrapped = "/a/b.txt(3): " + std::string(250, 'x');
    CKespoEV* window =
        windows.OpenOrActivate(dir.Write("t.txt", "one two\r\n" + wrapped + "\r\nlast"));
    ASSERT_NE(window, nullptr);
    window->Document().UpdateAllViews(UpdateHint::Loaded); // a new window's first layout
    ASSERT_EQ(window->Document().Rows().Count(), 4u);
    EXPECT_EQ(RowTagText(*window, 0), "one two");
    EXPECT_EQ(RowTagText(*window, 1), wrapped);
    EXPECT_EQ(RowTagText(*window, 2), wrapped);
    EXPECT_EQ(RowTagText(*window, 3), "last");
    EXPECT_EQ(RowTagText(*window, 4), "");
}

} // namespace
} // namespace nelvix
