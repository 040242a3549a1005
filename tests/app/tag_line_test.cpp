// Reading tags from result lines and path lines, and the line a display row reads from.
#include "app/tag_line.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "fake_frame_windows.h"
#include "support/test_files.h"
#include "text/cp932.h"

namespace nelvix {
namespace {

std::string PathOfBytes(std::size_t bytes) {
    return "/" + std::string(bytes - 1, 'p');
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
        {"text after ) ignored", "/a/b.txt(7)x(8)", 44, TagLocation{"/a/b.txt", 7}},
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
        EXPECT_EQ(ReadTag(c.line, c.titleViewLength), c.expected) << c.name;
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
    ASSERT_EQ(window->Document().RowCount(), 4u);
    EXPECT_EQ(RowTagText(*window, 0), "one two");
    EXPECT_EQ(RowTagText(*window, 1), wrapped);
    EXPECT_EQ(RowTagText(*window, 2), wrapped);
    EXPECT_EQ(RowTagText(*window, 3), "last");
    EXPECT_EQ(RowTagText(*window, 4), "");
}

} // namespace
} // namespace nelvix
