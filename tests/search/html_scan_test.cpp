// The HTML scanner: tags found case-insensitively over whole Shift-JIS characters, columns cut
// without splitting a character, titles of a file's head and the links of a whole file.
#include "search/html_scan.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <optional>
#include <string>
#include <vector>

#include "base/cp932.h"
#include "support/test_files.h"
#include "ui/fake_platform.h"

namespace nelvix {
namespace {

TEST(FindTag, FindsTagsWithoutRegardToCaseOnCharacterStarts) {
    const struct {
        const char* name;
        std::string text;
        std::string tag;
        bool first;
        std::optional<std::size_t> expected;
    } cases[] = {
        {"UpperCaseText", "<HTML><TITLE>", "<title>", true, 6},
        {"LowerCaseText", "<html><title>", "<TITLE>", true, 6},
        {"FirstOfTwo", "<a x><A y>", "<A ", true, 0},
        {"LastOfTwo", "<a x><A y>", "<A ", false, 5},
        {"None", "<B>", "<A ", true, std::nullopt},
        {"EmptyTag", "abc", "", true, std::nullopt},
        {"TagLongerThanText", "<A", "<A ", true, std::nullopt},
        {"TagAtTheVeryEnd", "xx</A>", "</A>", true, 2},
        // "ア" is 0x83 0x41: its trail byte reads as "A", which must not start a match.
        {"TrailByteIsNoStart",
         "\x83"
         "A \x83"
         "A",
         "A ", true, std::nullopt},
        {"AfterADoubleByteCharacter",
         "\x83"
         "AA ",
         "A ", true, 2},
        // A lead byte takes the next byte with it, whatever it is.
        {"LeadByteSwallowsTheNextByte", "\x82<A x", "<A ", true, std::nullopt},
        {"LoneLeadByteAtTheEnd", "<A \x82", "<A ", false, 0},
        {"NonLetterBytesCompareExactly", "[a]", "{A}", true, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindTag(c.text, c.tag, c.first), c.expected) << c.name;
}

TEST(FitColumn, CutsOrPadsToTheWidth) {
    const struct {
        const char* name;
        std::string text;
        int width;
        std::string expected;
    } cases[] = {
        {"ZeroWidth", "abc", 0, ""},
        {"NegativeWidth", "abc", -3, ""},
        {"ShorterIsPadded", "Home", 8, "Home    "},
        {"EmptyIsBlanks", "", 3, "   "},
        {"ExactWidthUnchanged", "abcd", 4, "abcd"},
        {"LongerIsCut", "abcdef", 4, "abcd"},
        {"DoubleByteEndingAtTheWidth",
         "a\x82\xA0"
         "b",
         3, "a\x82\xA0"},
        // The lead byte of "あ" would be the last kept byte: the character goes, a blank comes.
        {"LeadByteAtTheCut", "a\x82\xA0", 2, "a "},
        {"LeadByteAtTheCutOfALongerText", "ab\x93\xFA\x96\x7B", 3, "ab "},
        // "ぁ" is 0x82 0x9F: its trail byte looks like a lead byte but ends the character.
        {"TrailByteLookingLikeALeadIsKept",
         "\x82\x9F"
         "XYZ",
         2, "\x82\x9F"},
        {"HalfWidthKanaIsOneByte", "\xB1\xB2\xB3", 2, "\xB1\xB2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FitColumn(c.text, c.width), c.expected) << c.name;
}

TEST(HtmlTitleOfText, ReadsTheTitleElement) {
    const std::string title80(80, 't');
    const struct {
        const char* name;
        std::string text;
        std::string expected;
    } cases[] = {
        {"UpperCase", "<HTML><HEAD><TITLE>Home</TITLE></HEAD>", "Home"},
        {"OverTwoLinesLosesItsLineEnd", "<TITLE>A\r\nB</TITLE>", "AB"},
        {"TabsAndLoneLineEndsGo", "<TITLE>\tA\rB\nC</TITLE>", "ABC"},
        {"EntitiesAndTagsStay", "<TITLE>A &amp; <b>B</b></TITLE>", "A &amp; <b>B</b>"},
        {"EightyBytes", "<TITLE>" + title80 + "</TITLE>", title80},
        {"EightyOneBytesIsABlank", "<TITLE>" + title80 + "x</TITLE>", " "},
        {"EmptyIsABlank", "<TITLE></TITLE>", " "},
        {"OnlyLineEndsIsABlank", "<TITLE>\r\n</TITLE>", " "},
        {"UnclosedIsABlank", "<TITLE>Home", " "},
        {"NoTitleIsEmpty", "<HTML><BODY>Home</BODY>", ""},
        {"EmptyText", "", ""},
        {"FirstTitleCounts", "<TITLE>A</TITLE><TITLE>B</TITLE>", "A"},
        {"Japanese", Sjis("<TITLE>日本語のページ</TITLE>"), Sjis("日本語のページ")},
        // The end tag's "<" is the trail byte of a character here, so it is not the end tag.
        {"EndTagInsideACharacter", "<TITLE>\x82</TITLE>", " "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HtmlTitleOfText(c.text), c.expected) << c.name;
}

TEST(HtmlLinkScanner, ListsEveryAnchorWithATargetAndAText) {
    const struct {
        const char* name;
        std::string text;
        std::vector<HtmlLink> expected;
    } cases[] = {
        {"LowerCaseUnquoted", "<a href=x.html>X</a>", {{"X", "x.html"}}},
        {"BlanksAroundTheEqualsSign",
         "<A HREF = \"y.html\" TARGET=\"_top\">Y</A>",
         {{"Y", "y.html"}}},
        {"NameWithoutHrefIsSkipped",
         "<A NAME=\"top\">Top</A><A HREF=\"z.html\">Z</A>",
         {{"Z", "z.html"}}},
        {"SingleQuotesAreKept", "<a href='q.html'>Q</a>", {{"Q", "'q.html'"}}},
        {"AnchorsInCommentsAreFound",
         "<!-- <A HREF=\"c.html\">C</A> --><A HREF=\"d.html\">D</A>",
         {{"C", "c.html"}, {"D", "d.html"}}},
        {"TextOverLinesLosesItsLineEnds", "<a href=l.html>Li\r\n\tne</a>", {{"Line", "l.html"}}},
        {"InnerTagsStay", "<a href=i.html><b>B</b>&amp;</a>", {{"<b>B</b>&amp;", "i.html"}}},
        {"EmptyTextIsSkipped", "<a href=e.html></a><a href=f.html>F</a>", {{"F", "f.html"}}},
        {"EmptyTargetIsSkipped", "<a href=\"\">E</a><a href>G</a>", {}},
        {"MissingEndTagRunsToTheEnd", "<a href=m.html>rest", {{"rest", "m.html"}}},
        {"MissingTagEndGivesNoText", "<a href=n.html", {}},
        {"TargetEndsAtALineBreak", "<a href=t.html\r\ntitle=x>T</a>", {{"T", "t.html"}}},
        {"LineBreakBeforeTheTarget", "<a href=\r\n\"x.html\">X</a>", {{"X", "x.html"}}},
        {"TabBeforeTheTarget", "<a href=\t\"y.html\">Y</a>", {{"Y", "y.html"}}},
        {"AnchorNeedsTheBlank", "<A\tHREF=x.html>X</A><AREA HREF=y>Y</A>", {}},
        {"Japanese",
         Sjis("<A HREF=\"目次.html\">目次へ</A>"),
         {{Sjis("目次へ"), Sjis("目次.html")}}},
        {"TextEndsAtTheFirstEndTag", "<a href=a>A<a href=b>B</a>", {{"A<a href=b>B", "a"}}},
        {"NoAnchor", "<html></html>", {}},
        {"EmptyText", "", {}},
    };
    ui::FakePlatform fake;
    const EngineEnvironment environment{fake.platform};
    for (const auto& c : cases) {
        HtmlLinkScanner scanner(environment);
        std::vector<HtmlLink> links;
        for (auto link = scanner.ReadFirstLinkOfText(c.text); link; link = scanner.ReadNextLink())
            links.push_back(*link);
        EXPECT_EQ(links, c.expected) << c.name;
        EXPECT_FALSE(scanner.HoldsText()) << c.name;
    }
}

TEST(HtmlLinkScanner, CloseLinksReleasesTheTextEarly) {
    ui::FakePlatform fake;
    const EngineEnvironment environment{fake.platform};
    HtmlLinkScanner scanner(environment);
    ASSERT_TRUE(scanner.ReadFirstLinkOfText("<a href=a>A</a><a href=b>B</a>"));
    EXPECT_TRUE(scanner.HoldsText());
    scanner.CloseLinks();
    EXPECT_FALSE(scanner.HoldsText());
    EXPECT_EQ(scanner.ReadNextLink(), std::nullopt);
}

class HtmlFileTest : public ::testing::Test {
protected:
    test::TempDir dir;
    ui::FakePlatform fake;
    EngineEnvironment environment{fake.platform};

    std::vector<HtmlLink> Links(const std::string& path) {
        HtmlLinkScanner scanner(environment);
        std::vector<HtmlLink> links;
        for (auto link = scanner.ReadFirstLink(path); link; link = scanner.ReadNextLink())
            links.push_back(*link);
        return links;
    }
};

TEST_F(HtmlFileTest, TitleIsReadFromTheFirst4096BytesOnly) {
    struct Case {
        const char* name;
        std::size_t padding; ///< bytes before "<TITLE>"
        std::string expected;
    };
    const std::string element = "<TITLE>Home</TITLE>";
    const Case cases[] = {
        {"WithinTheHead", 4096 - element.size(), "Home"},
        {"EndTagPastTheHead", 4096 - element.size() + 1, " "},
        {"StartTagPastTheHead", 4090, ""},
    };
    for (const Case& c : cases) {
        const std::string path =
            dir.Write("head.html", std::string(c.padding, 'x') + element + "\r\n");
        EXPECT_EQ(ReadHtmlTitle(environment, path), c.expected) << c.name;
    }
}

TEST_F(HtmlFileTest, EucJpTitleAndLinksAreReadAsShiftJis) {
    // "日本語タイトル" and "目次" in EUC-JP.
    const std::string title = "\xC6\xFC\xCB\xDC\xB8\xEC\xA5\xBF\xA5\xA4\xA5\xC8\xA5\xEB";
    const std::string contents = "\xCC\xDC\xBC\xA1";
    const std::string path =
        dir.Write("euc.html", "<html>\n<head><title>" + title +
                                  "</title></head>\n<body>\n<a href=\"toc.html\">" + contents +
                                  "</a>\n</body></html>\n");
    EXPECT_EQ(ReadHtmlTitle(environment, path), Sjis("日本語タイトル"));
    EXPECT_EQ(Links(path), (std::vector<HtmlLink>{{Sjis("目次"), "toc.html"}}));

    // Read as Shift-JIS, the title's last byte 0xEB is a lead byte that takes the "<" of the
    // end tag with it: the title is unclosed.
    environment.codeDecision = 1;
    EXPECT_EQ(ReadHtmlTitle(environment, path), " ");
}

TEST_F(HtmlFileTest, LinksComeFromFilesOfAtMost131072Bytes) {
    struct Case {
        const char* name;
        std::size_t bytes;
        bool listed;
    };
    const std::string page = "<TITLE>Big</TITLE><A HREF=\"b.html\">B</A>";
    const Case cases[] = {
        {"AtTheLimit", kHtmlLinkFileMaxBytes, true},
        {"OneByteMore", kHtmlLinkFileMaxBytes + 1, false},
        {"TwoHundredThousandBytes", 200'000, false},
    };
    for (const Case& c : cases) {
        const std::string path =
            dir.Write("big.html", page + std::string(c.bytes - page.size(), ' '));
        EXPECT_EQ(Links(path).size(), c.listed ? 1u : 0u) << c.name;
        // The title comes from the head, whatever the file's size.
        EXPECT_EQ(ReadHtmlTitle(environment, path), "Big") << c.name;
    }
}

TEST_F(HtmlFileTest, FilesThatCannotBeReadGiveNothing) {
    ::mkdir(dir.PathOf("folder.html").c_str(), 0755);
    ::mkfifo(dir.PathOf("fifo.html").c_str(), 0644);
    for (const char* name : {"missing.html", "folder.html", "fifo.html"}) {
        const std::string path = dir.PathOf(name);
        EXPECT_EQ(ReadHtmlTitle(environment, path), "") << name;
        EXPECT_TRUE(Links(path).empty()) << name;
    }
}

TEST_F(HtmlFileTest, BinaryBytesAreScannedWithoutHarm) {
    std::string bytes;
    for (int i = 0; i < 3000; ++i)
        bytes.push_back(static_cast<char>((i * 37 + 11) % 256));
    bytes += std::string("<TITLE>\0bin\x82", 12) + "</TITLE><A HREF=x\x82";
    const std::string path = dir.Write("binary.html", bytes);
    ReadHtmlTitle(environment, path);
    Links(path);
    // As Shift-JIS, the lead byte before "</TITLE>" takes its "<": the title is unclosed.
    environment.codeDecision = 1;
    EXPECT_EQ(ReadHtmlTitle(environment, path), " ");
    EXPECT_TRUE(Links(path).empty());
}

} // namespace
} // namespace nelvix
