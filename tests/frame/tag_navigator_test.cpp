// Tag jumps, stepping through a tag list with its wrap-around, the tag window and the
// double-click on a tag line, over real documents in windows of 80 × 10 cells.
#include "frame/tag_navigator.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "commands/fake_frame_windows.h"
#include "store/settings.h"
#include "support/test_files.h"
#include "ui/fake_frame_services.h"

namespace nelvix {
namespace {

class TagNavigatorTest : public ::testing::Test {
protected:
    TagNavigatorTest() {
        std::string text;
        for (int line = 1; line <= 200; ++line)
            text += "line " + std::to_string(line) + "\r\n";
        numbered = dir.Write("numbered.txt", text);
        Open(numbered);
    }

    /// The frame's open, and the layout that a new window makes of its loaded document.
    CKespoEV* Open(const std::string& path) {
        CKespoEV* window = windows.OpenOrActivate(path);
        if (window != nullptr && window->Document().Rows().Count() == 0)
            window->Document().UpdateAllViews(UpdateHint::Loaded);
        return window;
    }

    /// Opens a tag list of these lines with its caret on row 0.
    CKespoEV& OpenTagList(const std::string& lines, std::string_view name = "tags.txt") {
        CKespoEV* window = Open(dir.Write(name, lines));
        EXPECT_NE(window, nullptr);
        window->PlaceCaret(0, 0);
        return *window;
    }
    std::string Tag(int line) const { return numbered + "(" + std::to_string(line) + "): x"; }
    /// The caret of the numbered file's window, as the line text it stands on.
    std::string CaretLineOfNumbered() { return CaretLineOf(numbered); }
    std::string CaretLineOf(const std::string& path) {
        CKespoEV* window = windows.FirstTextWindow(*documents.FindByPath(path));
        const CKespoDoc& document = window->Document();
        const auto* text = reinterpret_cast<const char*>(document.Text());
        const std::uint32_t start = document.Rows().Start(window->CaretRow());
        return std::string(text + start, text + document.TextLength()).substr(0, 8);
    }

    test::TempDir dir;
    ui::FakePlatform fake;
    DocumentEnvironment environment{fake.platform};
    DocumentList documents{environment};
    test::FakeFrameWindows windows{fake.platform, documents};
    Settings settings;
    TagNavigator tags{windows, fake.platform, settings};
    std::string numbered;
};

TEST_F(TagNavigatorTest, CurrentTagLandsOnTheNamedLine) {
    CKespoEV& list = OpenTagList(Tag(120) + "\r\n" + Tag(1) + "\r\n" + Tag(200) + "\r\n");
    const char* const shown[] = {"line 120", "line 1\r\n", "line 200"};
    for (std::uint32_t row = 0; row < 3; ++row) {
        windows.ActivateDocument(list.Document());
        list.PlaceCaret(0, row);
        tags.CurrentTag();
        CKespoEV* target = windows.ActiveTextWindow();
        ASSERT_EQ(&target->Document(), documents.FindByPath(numbered));
        EXPECT_EQ(CaretLineOfNumbered(), shown[row]);
        const std::uint32_t caret = target->CaretRow();
        EXPECT_EQ(target->TagTargetLine(),
                  caret == 0 ? -2 : std::int64_t{target->Document().Rows().Start(caret)} - 2);
        EXPECT_GE(caret, target->TopRow());
        EXPECT_LT(caret, target->TopRow() + target->VisibleRows());
        EXPECT_EQ(tags.TagDocument(), &list.Document());
    }
    EXPECT_EQ(fake.beeper.beeps, 0);
}

TEST_F(TagNavigatorTest, NextAndPreviousSkipOtherLinesAndWrapAfterABeep) {
    // Row 3 is a wrapped tag line: one tag, never jumped to twice in a row.
    const std::string wrapped = Tag(30) + std::string(250, 'w');
    CKespoEV& list = OpenTagList("header\r\n" + Tag(10) + "\r\nnot a tag\r\n" + wrapped + "\r\n" +
                                 Tag(40) + "\r\n");
    struct Step {
        bool next;
        std::uint32_t listRow; ///< the tag list's caret afterwards
        int beeps;
        const char* shown; ///< nullptr: no jump
    };
    const Step steps[] = {
        {true, 1, 0, "line 10\r"},  {true, 3, 0, "line 30\r"},  {true, 5, 0, "line 40\r"},
        {true, 5, 1, nullptr},      {true, 1, 1, "line 10\r"},  {false, 1, 2, nullptr},
        {false, 5, 2, "line 40\r"}, {false, 3, 2, "line 30\r"},
    };
    int opens = windows.opens;
    for (const Step& step : steps) {
        step.next ? tags.NextTag() : tags.PreviousTag();
        EXPECT_EQ(list.CaretRow(), step.listRow);
        EXPECT_EQ(fake.beeper.beeps, step.beeps);
        EXPECT_EQ(windows.opens, opens + (step.shown != nullptr ? 1 : 0));
        EXPECT_EQ(tags.WrapPending(), step.shown == nullptr);
        if (step.shown != nullptr) {
            EXPECT_EQ(CaretLineOfNumbered(), step.shown);
        }
        opens = windows.opens;
    }
}

TEST_F(TagNavigatorTest, RefusalsBeep) {
    OpenTagList("no tag here\r\n");
    const int opens = windows.opens;
    tags.ShowTagWindow(); // no tag document yet
    tags.CurrentTag();
    tags.NextTag(); // the active view: the edge, then the wrap finds nothing either
    tags.NextTag();
    EXPECT_EQ(fake.beeper.beeps, 4);
    EXPECT_EQ(windows.opens, opens);
    EXPECT_FALSE(tags.HasTagDocument());
}

TEST_F(TagNavigatorTest, MissingFileReportsBeepsAndChangesNoState) {
    CKespoEV& first = OpenTagList(Tag(5) + "\r\n", "first.txt");
    tags.CurrentTag();
    CKespoEV& second = OpenTagList("/nowhere/missing.txt(3): x\r\n", "second.txt");
    tags.CurrentTag();
    EXPECT_EQ(fake.messageBox.shown.size(), 1u); // the open failure report
    EXPECT_EQ(fake.beeper.beeps, 1);
    EXPECT_EQ(tags.TagDocument(), &first.Document());
    EXPECT_EQ(windows.ActiveTextWindow(), &second);
}

TEST_F(TagNavigatorTest, TagWindowAndClosingTheTagDocument) {
    CKespoEV& list = OpenTagList(Tag(5) + "\r\n");
    tags.CurrentTag();
    EXPECT_NE(windows.ActiveTextWindow(), &list);
    tags.ShowTagWindow();
    EXPECT_EQ(windows.ActiveTextWindow(), &list);

    tags.DocumentClosing(list.Document());
    EXPECT_FALSE(tags.HasTagDocument());
    EXPECT_EQ(fake.beeper.beeps, 0);
}

TEST_F(TagNavigatorTest, LineBeyondTheTextShowsItsEnd) {
    OpenTagList(Tag(500) + "\r\n");
    tags.CurrentTag();
    CKespoEV* target = windows.ActiveTextWindow();
    EXPECT_EQ(target->CaretRow(), target->Document().Rows().Count());
    EXPECT_EQ(fake.beeper.beeps, 1); // no such line to mark
    EXPECT_TRUE(tags.HasTagDocument());
}

TEST_F(TagNavigatorTest, LeftDoubleClick) {
    struct Case {
        const char* name;
        bool onTag;
        bool shift;
        bool ctrl;
        bool shellWorks;
        bool handled;
        int jumps;
        int shellOpens;
        int beeps;
    };
    const Case cases[] = {
        {"plain on a tag jumps", true, false, false, true, true, 1, 0, 0},
        {"Shift opens with the shell", true, true, false, true, true, 0, 1, 0},
        {"a shell that fails beeps", true, true, false, false, true, 0, 1, 1},
        {"Ctrl selects a word", true, false, true, true, false, 0, 0, 0},
        {"Ctrl+Shift selects a word", true, true, true, true, false, 0, 0, 0},
        {"plain elsewhere selects a word", false, false, false, true, false, 0, 0, 0},
    };
    CKespoEV& list = OpenTagList("text\r\n" + Tag(9) + "\r\n");
    for (const Case& c : cases) {
        ui::FakeShellOpener shell;
        shell.result = c.shellWorks;
        list.PlaceCaret(0, c.onTag ? 1 : 0);
        const int opens = windows.opens;
        const int beeps = fake.beeper.beeps;
        EXPECT_EQ(tags.OnLeftDoubleClick(list, c.shift, c.ctrl, shell), c.handled) << c.name;
        EXPECT_EQ(windows.opens - opens, c.jumps) << c.name;
        EXPECT_EQ(shell.opened.size(), static_cast<std::size_t>(c.shellOpens)) << c.name;
        if (c.shellOpens > 0) {
            EXPECT_EQ(shell.opened.front(), numbered) << c.name;
        }
        EXPECT_EQ(fake.beeper.beeps - beeps, c.beeps) << c.name;
    }
    EXPECT_EQ(tags.TagDocument(), &list.Document());
}

// Tags in a folder "Debian FAQ (ja)" did nothing: the folder's "(" was read as the line
// number's. Every way of reading a tag goes through the same reader.
TEST_F(TagNavigatorTest, TagInFolderWithParenthesesJumps) {
    const std::string folder = dir.Path() + "/Debian FAQ (ja)";
    std::filesystem::create_directories(folder + "/a (1)");
    const std::string text = test::ReadFileBytes(numbered);
    const std::string page = dir.Write("Debian FAQ (ja)/index.html", text);
    const std::string inner = dir.Write("Debian FAQ (ja)/a (1)/b(2).txt", text);
    const std::string odd = dir.Write("Debian FAQ (ja)/x(12): y.txt", text); // "(12):" in the name
    const std::string title = "FAQ" + std::string(settings.titleViewLength - 3, ' ') + " ";
    CKespoEV& list = OpenTagList(title + page + "\r\n" + inner + "(120): line 120\r\n     " + odd +
                                 "(30): line 30\r\n");
    enum class Action { Current, Next, Previous, DoubleClick };
    struct Step {
        const char* name;
        Action action;
        std::uint32_t row; ///< the list's caret row before a current tag or a double-click
        const std::string* path;
        const char* shown;
    };
    const Step steps[] = {
        {"Ctrl+F5 on a result line", Action::Current, 1, &inner, "line 120"},
        {"F5 to a match line whose name holds (12):", Action::Next, 0, &odd, "line 30\r"},
        {"Shift+F5 back", Action::Previous, 0, &inner, "line 120"},
        {"Shift+F5 to an HTML title line", Action::Previous, 0, &page, "line 1\r\n"},
        {"double-click on the match line", Action::DoubleClick, 2, &odd, "line 30\r"},
        {"double-click on the title line", Action::DoubleClick, 0, &page, "line 1\r\n"},
    };
    ui::FakeShellOpener shell;
    for (const Step& step : steps) {
        windows.ActivateDocument(list.Document());
        if (step.action == Action::Current || step.action == Action::DoubleClick)
            list.PlaceCaret(0, step.row);
        switch (step.action) {
        case Action::Current:
            tags.CurrentTag();
            break;
        case Action::Next:
            tags.NextTag();
            break;
        case Action::Previous:
            tags.PreviousTag();
            break;
        case Action::DoubleClick:
            EXPECT_TRUE(tags.OnLeftDoubleClick(list, false, false, shell)) << step.name;
            break;
        }
        ASSERT_EQ(windows.ActiveTextWindow()->Document().PathName(), *step.path) << step.name;
        EXPECT_EQ(CaretLineOf(*step.path), step.shown) << step.name;
    }
    EXPECT_EQ(fake.beeper.beeps, 0);
    EXPECT_EQ(fake.messageBox.shown.size(), 0u);
}

} // namespace
} // namespace nelvix
