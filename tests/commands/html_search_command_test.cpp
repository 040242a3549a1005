// The HTML search command over a small tree: the result document with the settings' columns,
// the counts under the command's own caption, the histories, the options and "FindNoneTextFile"
// put back, the target remembered, the dialog's checks, and the tag commands reading the lines
// it writes.
#include "commands/html_search_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/cp932.h"
#include "commands/command_scene.h"
#include "commands/fake_html_search_dialog.h"
#include "frame/tag_navigator.h"
#include "ui/message_ids.h"

namespace nelvix {
namespace {

std::string Pad(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

class HtmlSearchCommandTest : public ::testing::Test, protected test::CommandScene {
protected:
    HtmlSearchCommandTest() : CommandScene({"sub"}) {
        // One file in each directory, so that the order of the lines is fixed.
        dir.Write("data/index.html", Sjis("<html><head><title>ホーム</title></head>\r\n"
                                          "<body>\r\n"
                                          "<a href=\"sub/page.html\">次のページ</a>\r\n"
                                          "<A HREF=x.html>X</A> foo\r\n"
                                          "</body></html>\r\n"));
        dir.Write("data/notes.txt", "<title>Not HTML</title> foo\r\n");
        dir.Write("data/sub/page.html", "<TITLE>Page</TITLE>\r\nfoo\r\nbar\r\nfoo foo\r\n");
    }

    HtmlSearchValues Values(HtmlTarget target, std::string pattern = "foo") const {
        HtmlSearchValues values;
        values.pattern = std::move(pattern);
        values.fileBox = "*.html";
        values.currentDirectory = data;
        values.subdirectories = true;
        values.target = target;
        return values;
    }
    void Answer(const HtmlSearchValues& values) { dialog.answers.push_back(values); }
    std::string TitleLine(const std::string& title, const std::string& path) const {
        return Pad(title, 44) + " " + path + "\r\n";
    }
    std::string index = data + "index.html", page = data + "sub/page.html";
    test::FakeHtmlSearchDialog dialog;
    HtmlSearchCommand command{application, windows, placement, frame.services, dialog};
};

TEST_F(HtmlSearchCommandTest, TitleTargetListsTheTitleOfEachPage) {
    Answer(Values(HtmlTarget::Title));
    command.Run();
    EXPECT_EQ(ResultText(), TitleLine(Sjis("ホーム"), index) + TitleLine("Page", page));

    // The progress window's lines and the counts box are the global find's; only the caption
    // is the command's own.
    const ui::FakeProgressWindow& progress = frame.progressWindow;
    EXPECT_EQ(progress.caption, Sjis("ＨＴＭＬ検索"));
    EXPECT_EQ(progress.values[0], "page.html");
    EXPECT_EQ(progress.values[1], "2");
    ASSERT_EQ(fake.messageBox.shown.size(), 1u);
    EXPECT_EQ(fake.messageBox.shown[0].text, CountsText("2", "2"));
    EXPECT_EQ(fake.messageBox.shown[0].caption, Sjis("ＨＴＭＬ検索"));
}

TEST_F(HtmlSearchCommandTest, ColumnsFollowTheSettings) {
    Settings& settings = application.GetSettings();
    settings.titleViewLength = 10;
    settings.linkViewLength = 12;
    settings.linkJumpViewLength = 20;
    Answer(Values(HtmlTarget::Link));
    command.Run();
    EXPECT_EQ(ResultText(), Pad(Sjis("ホーム"), 10) + " " + index + "\r\n" + "     " +
                                Pad(Sjis("次のページ"), 12) + " " + Pad("sub/page.html", 20) +
                                " \r\n" + "     " + Pad("X", 12) + " " + Pad("x.html", 20) +
                                " \r\n");
}

TEST_F(HtmlSearchCommandTest, StringRunTakesOverTheOptionsAndThePattern) {
    HtmlSearchValues values = Values(HtmlTarget::String);
    values.caseSensitive = true;
    values.widthSensitive = false;
    values.subdirectories = false;
    Answer(values);
    command.Run();
    GlobalFindEngine& engine = application.FindEngine();
    EXPECT_EQ(application.Histories().patterns, std::vector<std::string>{"foo"});
    EXPECT_EQ(application.Histories().specifications, std::vector<std::string>{data + "*.html"});
    EXPECT_TRUE(engine.Options().caseSensitive);
    EXPECT_FALSE(engine.Options().widthSensitive);
    EXPECT_FALSE(engine.SearchSubdirectories());
    EXPECT_EQ(windows.findBoxRefreshes, 1);
    // Without subdirectories only index.html is listed.
    EXPECT_EQ(fake.messageBox.shown.back().text, CountsText("1", "2"));
}

TEST_F(HtmlSearchCommandTest, TitleAndLinkRunsPutTheOptionsBack) {
    for (const HtmlTarget target : {HtmlTarget::Title, HtmlTarget::Link}) {
        GlobalFindEngine& engine = application.FindEngine();
        engine.Options() = {
            .caseSensitive = true, .widthSensitive = false, .regularExpression = true};
        SearchOptions during;
        frame.progressWindow.onStopCheck = [&] { during = engine.Options(); };
        HtmlSearchValues values = Values(target, "");
        values.subdirectories = false;
        values.caseSensitive = true;
        values.regularExpression = true;
        Answer(values);
        command.Run();
        EXPECT_FALSE(during.caseSensitive);
        EXPECT_TRUE(during.widthSensitive);
        EXPECT_FALSE(during.regularExpression);
        EXPECT_TRUE(engine.Options().caseSensitive);
        EXPECT_FALSE(engine.Options().widthSensitive);
        EXPECT_TRUE(engine.Options().regularExpression);
        // The string is not used: the pattern history stays, the subdirectory choice is taken.
        EXPECT_TRUE(application.Histories().patterns.empty());
        EXPECT_FALSE(engine.SearchSubdirectories());
        EXPECT_EQ(application.Histories().specifications,
                  std::vector<std::string>{data + "*.html"});
        EXPECT_EQ(windows.findBoxRefreshes, 0);
        windows.CloseDocument(*application.Documents().Documents()[0]);
    }
}

TEST_F(HtmlSearchCommandTest, NonTextFilesAreNotSearchedAndTheSettingComesBack) {
    // "foo" only after a NUL: found by a global find with "FindNoneTextFile", never here.
    dir.Write("data/sub/binary.html", std::string("<TITLE>Bin</TITLE>\0 foo\r\n", 25));
    application.GetSettings().findNoneTextFile = 1;
    application.RefreshFindEngineEnvironment();
    bool nulAsFF = true;
    frame.progressWindow.onStopCheck = [&] {
        nulAsFF = application.FindEngine().Environment().findNoneTextFile;
    };
    Answer(Values(HtmlTarget::String));
    command.Run();
    EXPECT_FALSE(nulAsFF);
    EXPECT_EQ(ResultText().find("binary.html"), std::string::npos) << ResultText();
    EXPECT_EQ(application.GetSettings().findNoneTextFile, 1);
    EXPECT_TRUE(application.FindEngine().Environment().findNoneTextFile);
}

TEST_F(HtmlSearchCommandTest, DialogsOpenWithTheGlobalFindStateAndTheTargetLastRun) {
    application.Histories().patterns = {"bar", "foo"};
    application.FindEngine().Options().caseSensitive = true;
    Answer(Values(HtmlTarget::Link));
    command.Run();
    command.Run(); // cancelled
    ASSERT_EQ(dialog.asked.size(), 2u);
    const HtmlSearchValues& first = dialog.asked[0].initial;
    EXPECT_EQ(first.pattern, "bar");
    EXPECT_EQ(first.fileBox, "*.*");
    EXPECT_TRUE(first.caseSensitive);
    EXPECT_TRUE(first.subdirectories);
    EXPECT_EQ(first.target, HtmlTarget::String);
    EXPECT_EQ(dialog.asked[0].patternHistory, (std::vector<std::string>{"bar", "foo"}));
    const HtmlSearchValues& second = dialog.asked[1].initial;
    EXPECT_EQ(second.target, HtmlTarget::Link);
    EXPECT_EQ(second.fileBox, data + "*.html");
    EXPECT_EQ(second.currentDirectory, data);
    EXPECT_EQ(command.RememberedTarget(), HtmlTarget::Link);
    EXPECT_EQ(dialog.asked[1].specHistory, std::vector<std::string>{data + "*.html"});
}

/// The line number of the caret in a text window, from 1.
std::size_t CaretLine(const CKespoEV& window) {
    const CKespoDoc& document = window.Document();
    const std::string_view text(reinterpret_cast<const char*>(document.Text()),
                                document.Rows().Start(window.CaretRow()));
    std::size_t line = 1;
    for (std::size_t at = text.find("\r\n"); at != std::string_view::npos;
         at = text.find("\r\n", at + 2))
        ++line;
    return line;
}

TEST_F(HtmlSearchCommandTest, TagCommandsReadTheLinesItWrites) {
    for (const int titleViewLength : {44, 10}) {
        application.GetSettings().titleViewLength = titleViewLength;
        Answer(Values(HtmlTarget::String));
        command.Run();
        ASSERT_EQ(OpenDocuments(), 1u);
        CKespoDoc& result = *application.Documents().Documents()[0];
        TagNavigator tags(windows, fake.platform, application.GetSettings());
        CKespoEV* list = windows.FirstTextWindow(result);
        ASSERT_NE(list, nullptr);
        list->PlaceCaret(0, 0);
        tags.CurrentTag(); // the title line: the page itself, at its first line
        ASSERT_NE(windows.ActiveTextWindow(), nullptr);
        EXPECT_EQ(windows.ActiveTextWindow()->Document().PathName(), index) << titleViewLength;
        EXPECT_EQ(CaretLine(*windows.ActiveTextWindow()), 1u);
        tags.NextTag(); // its match
        EXPECT_EQ(windows.ActiveTextWindow()->Document().PathName(), index);
        EXPECT_EQ(CaretLine(*windows.ActiveTextWindow()), 4u);
        tags.NextTag(); // the next page's title line
        EXPECT_EQ(windows.ActiveTextWindow()->Document().PathName(), page);
        EXPECT_EQ(fake.beeper.beeps, 0);
        while (OpenDocuments() > 0)
            windows.CloseDocument(*application.Documents().Documents()[0]);
    }
}

struct CheckCase {
    const char* name;
    std::string pattern;
    std::string fileBox;
    HtmlTarget target;
    GlobalFindCheck expected;
};

// The limits themselves are the global find's (global_find_checks_test.cpp); here only what
// the target changes about them.
TEST(HtmlSearchChecks, AnEmptyStringIsRefusedOnlyWhereAStringIsSearchedFor) {
    using F = GlobalFindField;
    const std::string s81(81, 's');
    const CheckCase cases[] = {
        {"EmptyStringBeeps", "", "*.html", HtmlTarget::String, {false, 0, true, F::Pattern}},
        {"EmptyStringForTitles", "", "*.html", HtmlTarget::Title, {}},
        {"EmptyStringForLinks", "", "*.html", HtmlTarget::Link, {}},
        {"LongStringAlsoForTitles",
         s81,
         "*.html",
         HtmlTarget::Title,
         {false, ui::kMsgPatternTooLong, false, F::Pattern}},
        {"EmptyFileBoxForTitles", "", "", HtmlTarget::Title, {false, 0, true, F::FileBox}},
    };
    for (const CheckCase& c : cases) {
        HtmlSearchValues values;
        values.pattern = c.pattern;
        values.fileBox = c.fileBox;
        values.target = c.target;
        EXPECT_EQ(CheckHtmlSearchValues(values), c.expected) << c.name;
    }
    EXPECT_TRUE(HtmlStringFieldsEnabled(HtmlTarget::String));
    EXPECT_FALSE(HtmlStringFieldsEnabled(HtmlTarget::Title));
    EXPECT_FALSE(HtmlStringFieldsEnabled(HtmlTarget::Link));
}

} // namespace
} // namespace nelvix
