// What the global find and the HTML search each keep to in their runs: a run that fills its
// result document to a limit shows one message and stops as after "中断" with the lines kept and
// their count, and the next run starts clean; a specification past 260 bytes and the command
// given again during a run beep; a cancelled dialog changes nothing and a failed memory probe
// opens none. Which limit ends a run is the result sink's matter.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "commands/command_scene.h"
#include "commands/fake_html_search_dialog.h"
#include "commands/global_find_command.h"
#include "commands/html_search_command.h"
#include "ui/message_ids.h"

namespace nelvix {
namespace {

enum class Command { GlobalFind, HtmlSearch };

struct LimitCase {
    const char* name;
    Command command;
    int files;
    int linesPerFile;
    std::size_t lineBytes; ///< of each matching line, before its CR LF
    int limitMessage;
};

/// Both commands over one application, each with its dialog answered in advance.
class SearchCommands : protected test::CommandScene {
protected:
    SearchCommands() {
        ::mkdir(big.c_str(), 0755);
        ::mkdir(small.c_str(), 0755);
        dir.Write("small/a.txt", "foo\r\nbar foo\r\n");
        dir.Write("small/b.html", "<title>T</title>\r\nfoo\r\n");
    }

    /// The command's dialog will give "foo" in `directory`, over its own files when the file
    /// box is not given.
    void Answer(Command command, const std::string& directory, std::string fileBox = {}) {
        if (command == Command::GlobalFind) {
            ui::GlobalFindValues values;
            values.pattern = "foo";
            values.fileBox = fileBox.empty() ? "*.txt" : fileBox;
            values.currentDirectory = directory;
            frame.globalFindDialog.answers.push_back(values);
            return;
        }
        HtmlSearchValues values;
        values.pattern = "foo";
        values.fileBox = fileBox.empty() ? "*.html" : fileBox;
        values.currentDirectory = directory;
        values.target = HtmlTarget::String;
        htmlDialog.answers.push_back(values);
    }
    void RunCommand(Command command) {
        command == Command::GlobalFind ? globalFind.Run() : htmlSearch.Run();
    }
    void RunOver(Command command, const std::string& directory) {
        Answer(command, directory);
        RunCommand(command);
    }
    std::size_t DialogsShown(Command command) const {
        return command == Command::GlobalFind ? frame.globalFindDialog.asked.size()
                                              : htmlDialog.asked.size();
    }

    /// The lines of the last result document.
    std::size_t LastResultLines() const {
        const auto& documents = application.Documents().Documents();
        if (documents.empty())
            return 0;
        const std::string_view text = documents.back()->TextView();
        return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    }

    std::string big = dir.PathOf("big") + "/";
    std::string small = dir.PathOf("small") + "/";
    test::FakeHtmlSearchDialog htmlDialog;
    GlobalFindCommand globalFind{application, windows, placement, frame.services};
    HtmlSearchCommand htmlSearch{application, windows, placement, frame.services, htmlDialog};
};

class ResultLimitTest : public ::testing::TestWithParam<LimitCase>, protected SearchCommands {
protected:
    void WriteBigTree(const LimitCase& c) {
        std::string line = "foo ";
        line.resize(c.lineBytes, 'x');
        line += "\r\n";
        std::string text;
        for (int i = 0; i < c.linesPerFile; ++i)
            text += line;
        for (int f = 0; f < c.files; ++f)
            dir.Write("big/f" + std::to_string(f) +
                          (c.command == Command::HtmlSearch ? ".html" : ".txt"),
                      text);
    }
};

TEST_P(ResultLimitTest, ARunToTheLimitShowsOneMessageStopsAndTheNextRunStartsClean) {
    const LimitCase& c = GetParam();
    WriteBigTree(c);
    application.GetSettings().displayGlobalFindResult = 1;
    RunOver(c.command, big);

    // The limit's message once, then the counts of what the result holds, as after "中断".
    ASSERT_EQ(fake.messageBox.ShownIds(),
              (std::vector<int>{c.limitMessage, ui::kMsgGlobalFindCounts}));
    EXPECT_FALSE(frame.progressWindow.open);
    ASSERT_EQ(application.Documents().Documents().size(), 1u);
    const std::size_t kept = LastResultLines();
    EXPECT_GT(kept, 1000u);
    EXPECT_LT(kept, static_cast<std::size_t>(c.files * c.linesPerFile));
    const std::string& counts = fake.messageBox.shown[1].text;
    EXPECT_TRUE(counts.ends_with(std::to_string(kept))) << counts;

    fake.messageBox.shown.clear();
    RunOver(c.command, small);
    EXPECT_EQ(fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgGlobalFindCounts});
    ASSERT_EQ(application.Documents().Documents().size(), 2u);
    const std::size_t smallLines = LastResultLines();
    if (c.command == Command::GlobalFind) {
        EXPECT_EQ(smallLines, 2u);
    }
    EXPECT_EQ(fake.messageBox.shown[0].text, CountsText("1", std::to_string(smallLines)));
}

INSTANTIATE_TEST_SUITE_P(
    Runs, ResultLimitTest,
    ::testing::Values(LimitCase{"GlobalFindPastTheRowLimit", Command::GlobalFind, 1, 70'000, 3,
                                ui::kMsgTooManyRows},
                      LimitCase{"HtmlSearchPastTheRowLimit", Command::HtmlSearch, 1, 70'000, 3,
                                ui::kMsgTooManyRows}),
    [](const ::testing::TestParamInfo<LimitCase>& param) { return std::string(param.param.name); });

class SearchCommandTest : public ::testing::TestWithParam<Command>, protected SearchCommands {};

// Where the specification's limit falls is the specification's rule (global_find_run_test.cpp).
TEST_P(SearchCommandTest, ASpecificationOf261BytesBeepsAndEnds) {
    // "/" + name + "/*.t": the directory's own '/' is dropped before the file box is added.
    Answer(GetParam(), "/" + std::string(261 - 5, 'd') + "/", "*.t");
    RunCommand(GetParam());
    EXPECT_EQ(frame.progressWindow.opens, 0);
    EXPECT_EQ(fake.beeper.beeps, 1);
    EXPECT_TRUE(application.Histories().specifications.empty());
}

TEST_P(SearchCommandTest, CancelChangesNothing) {
    const bool caseSensitive = application.FindEngine().Options().caseSensitive;
    const Settings settings = application.GetSettings();
    RunCommand(GetParam()); // no answer: cancelled
    EXPECT_EQ(DialogsShown(GetParam()), 1u);
    EXPECT_TRUE(application.Histories().patterns.empty());
    EXPECT_TRUE(application.Histories().specifications.empty());
    EXPECT_EQ(application.FindEngine().Options().caseSensitive, caseSensitive);
    EXPECT_EQ(application.GetSettings(), settings);
    EXPECT_EQ(frame.progressWindow.opens, 0);
    EXPECT_EQ(windows.repaints, 0);
    EXPECT_TRUE(fake.messageBox.shown.empty());
    EXPECT_FALSE(application.Recorder().HasRecord());
}

TEST_P(SearchCommandTest, WithoutMemoryNoDialogOpens) {
    fake.memory.failAll = true;
    Answer(GetParam(), small);
    RunCommand(GetParam());
    EXPECT_EQ(DialogsShown(GetParam()), 0u);
    EXPECT_EQ(frame.progressWindow.opens, 0);
    // Each command has its own wording of the message.
    EXPECT_EQ(fake.messageBox.ShownIds(),
              std::vector<int>{GetParam() == Command::GlobalFind ? ui::kMsgOutOfMemory
                                                                 : ui::kMsgShortOfMemory});
}

TEST_P(SearchCommandTest, TheCommandGivenAgainDuringARunBeepsAndTheRunGoesOn) {
    frame.progressWindow.onStopCheck = [&] { RunCommand(GetParam()); };
    Answer(GetParam(), small);
    Answer(GetParam(), small);
    RunCommand(GetParam());
    EXPECT_EQ(DialogsShown(GetParam()), 1u);
    EXPECT_GT(fake.beeper.beeps, 0);
    EXPECT_EQ(frame.progressWindow.opens, 1);
    EXPECT_EQ(OpenDocuments(), 1u);
    EXPECT_EQ(LastResultLines(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Commands, SearchCommandTest,
                         ::testing::Values(Command::GlobalFind, Command::HtmlSearch),
                         [](const ::testing::TestParamInfo<Command>& param) {
                             return std::string(param.param == Command::GlobalFind ? "GlobalFind"
                                                                                   : "HtmlSearch");
                         });

} // namespace
} // namespace nelvix
