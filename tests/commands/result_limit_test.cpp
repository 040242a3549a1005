// Runs that fill their result document to its limits: one message, the run stops as after
// "中断" with the lines kept and their count, and the next run starts clean.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/application.h"
#include "commands/document_placement.h"
#include "commands/fake_frame_windows.h"
#include "commands/fake_html_search_dialog.h"
#include "commands/global_find_command.h"
#include "commands/html_search_command.h"
#include "support/test_files.h"
#include "ui/fake_frame_services.h"
#include "ui/fake_platform.h"
#include "ui/message_ids.h"
#include "ui/message_table.h"

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

class ResultLimitTest : public ::testing::TestWithParam<LimitCase> {
protected:
    ResultLimitTest() {
        ::mkdir(home.c_str(), 0755);
        ::mkdir(big.c_str(), 0755);
        ::mkdir(small.c_str(), 0755);
        dir.Write("small/a.txt", "foo\r\nbar foo\r\n");
        dir.Write("small/b.html", "<title>T</title>\r\nfoo\r\n");
    }

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

    void RunOver(Command command, const std::string& directory) {
        if (command == Command::GlobalFind) {
            ui::GlobalFindValues values;
            values.pattern = "foo";
            values.fileBox = "*.txt";
            values.currentDirectory = directory;
            frame.globalFindDialog.answers.push_back(values);
            globalFind.Run();
            return;
        }
        HtmlSearchValues values;
        values.pattern = "foo";
        values.fileBox = "*.html";
        values.currentDirectory = directory;
        values.target = HtmlTarget::String;
        htmlDialog.answers.push_back(values);
        htmlSearch.Run();
    }

    std::vector<int> MessageIds() const {
        std::vector<int> ids;
        for (const ui::MessageRequest& request : fake.messageBox.shown)
            ids.push_back(request.id);
        return ids;
    }
    /// The lines of the last result document.
    std::size_t LastResultLines() const {
        const auto& documents = application.Documents().Documents();
        if (documents.empty())
            return 0;
        const std::string_view text = documents.back()->TextView();
        return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    }
    std::string CountsText(std::size_t files, std::size_t hits) const {
        return ui::FormatMessage(ui::MessageText(ui::kMsgGlobalFindCounts),
                                 {std::to_string(files), std::to_string(hits)});
    }

    test::TempDir dir;
    std::string home = dir.PathOf("home");
    std::string big = dir.PathOf("big") + "/";
    std::string small = dir.PathOf("small") + "/";
    ui::FakePlatform fake;
    ui::FakeFrameServices frame;
    mutable Application application{
        fake.platform, {home, dir.PathOf("etc"), std::string(NELVIX_SPIN_LIBRARY_PATH)}};
    test::FakeFrameWindows windows{fake.platform, application.Documents()};
    PlacementState placement{application.GetSettings()};
    test::FakeHtmlSearchDialog htmlDialog;
    GlobalFindCommand globalFind{application, windows, placement, frame.services};
    HtmlSearchCommand htmlSearch{application, windows, placement, frame.services, htmlDialog};
};

TEST_P(ResultLimitTest, ARunToTheLimitShowsOneMessageStopsAndTheNextRunStartsClean) {
    const LimitCase& c = GetParam();
    WriteBigTree(c);
    application.GetSettings().displayGlobalFindResult = 1;
    RunOver(c.command, big);

    // The limit's message once, then the counts of what the result holds, as after "中断".
    ASSERT_EQ(MessageIds(), (std::vector<int>{c.limitMessage, ui::kMsgGlobalFindCounts}));
    EXPECT_FALSE(frame.progressWindow.open);
    ASSERT_EQ(application.Documents().Documents().size(), 1u);
    const std::size_t kept = LastResultLines();
    EXPECT_GT(kept, 1000u);
    EXPECT_LT(kept, static_cast<std::size_t>(c.files * c.linesPerFile));
    const std::string& counts = fake.messageBox.shown[1].text;
    EXPECT_TRUE(counts.ends_with(std::to_string(kept))) << counts;

    fake.messageBox.shown.clear();
    RunOver(c.command, small);
    EXPECT_EQ(MessageIds(), std::vector<int>{ui::kMsgGlobalFindCounts});
    ASSERT_EQ(application.Documents().Documents().size(), 2u);
    const std::size_t smallLines = LastResultLines();
    if (c.command == Command::GlobalFind) {
        EXPECT_EQ(smallLines, 2u);
    }
    EXPECT_EQ(fake.messageBox.shown[0].text, CountsText(1, smallLines));
}

INSTANTIATE_TEST_SUITE_P(
    Runs, ResultLimitTest,
    ::testing::Values(LimitCase{"GlobalFindPastTheRowLimit", Command::GlobalFind, 1, 70'000, 3,
                                ui::kMsgTooManyRows},
                      LimitCase{"GlobalFindPastTheTextLimit", Command::GlobalFind, 12, 1'000, 330,
                                ui::kMsgTextTooLong},
                      LimitCase{"HtmlSearchPastTheRowLimit", Command::HtmlSearch, 1, 70'000, 3,
                                ui::kMsgTooManyRows}),
    [](const ::testing::TestParamInfo<LimitCase>& param) { return std::string(param.param.name); });

} // namespace
} // namespace nelvix
