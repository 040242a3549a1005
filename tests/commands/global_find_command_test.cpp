// The global find command over a small tree: the result document and where it is placed, the
// counts message, runs that end early ("中断", a closed result), the histories, the recording
// hand-over and a replay without the dialog; and the progress window's hit count, written rarely
// however many hits come.
#include "commands/global_find_command.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "commands/command_scene.h"
#include "commands/global_find_progress.h"
#include "record/command_table.h"
#include "ui/message_ids.h"

namespace nelvix {
namespace {

class GlobalFindCommandTest : public ::testing::Test, protected test::CommandScene {
protected:
    GlobalFindCommandTest() : CommandScene({"sub"}) {
        dir.Write("data/a.txt", "foo\r\nbar foo\r\n");
        dir.Write("data/c.txt", "nothing\r\n");
        dir.Write("data/sub/b.txt", "a foo\r\n");
        dir.Write("data/sub/d.txt", "none\r\n");
    }

    ui::GlobalFindValues Values(std::string pattern = "foo") const {
        ui::GlobalFindValues values;
        values.pattern = std::move(pattern);
        values.fileBox = "*.txt";
        values.currentDirectory = data;
        values.subdirectories = true;
        return values;
    }
    void Answer(const ui::GlobalFindValues& values) {
        frame.globalFindDialog.answers.push_back(values);
    }

    test::PlacementWatch watch{windows, placement};
    GlobalFindCommand command{application, watch, placement, frame.services};
};

TEST_F(GlobalFindCommandTest, HitsFillAResultDocumentPlacedWhereTheTagWindowBelongs) {
    application.GetSettings().separatedPlacement = 1;
    application.GetSettings().tagToUpper = 1;
    placement.Recompute();
    Answer(Values());
    command.Run();

    EXPECT_EQ(watch.modes, std::vector<PlacementMode>{PlacementMode::Upper});
    EXPECT_EQ(placement.Mode(), PlacementMode::Lower);
    const std::string text = ResultText();
    EXPECT_NE(text.find(data + "a.txt(1): foo\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find(data + "a.txt(2): bar foo\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find(data + "sub/b.txt(1): a foo\r\n"), std::string::npos) << text;

    const ui::FakeProgressWindow& progress = frame.progressWindow;
    EXPECT_EQ(progress.caption, ui::MessageText(ui::kMsgGlobalFindTitle));
    EXPECT_EQ(progress.values[1], "3");
    EXPECT_FALSE(progress.open);
    EXPECT_EQ(windows.findBoxRefreshes, 1);
    EXPECT_EQ(windows.repaints, 1);

    ASSERT_EQ(fake.messageBox.shown.size(), 1u);
    const ui::MessageRequest& counts = fake.messageBox.shown[0];
    EXPECT_EQ(counts.id, ui::kMsgGlobalFindCounts);
    EXPECT_EQ(counts.text, CountsText("4", "3"));
    EXPECT_EQ(counts.caption, ui::MessageText(ui::kMsgGlobalFindTitle));
    EXPECT_EQ(counts.style.buttons, ui::MessageButtons::Ok);
}

TEST_F(GlobalFindCommandTest, NoHitLeavesNoDocumentAndCountsShowWhenAsked) {
    for (const int display : {1, 0}) {
        fake.messageBox.shown.clear();
        application.GetSettings().displayGlobalFindResult = display;
        Answer(Values("absent"));
        command.Run();
        EXPECT_EQ(OpenDocuments(), 0u) << display;
        EXPECT_EQ(frame.progressWindow.opens, display == 1 ? 1 : 2);
        EXPECT_FALSE(frame.progressWindow.open);
        if (display == 1) {
            ASSERT_EQ(fake.messageBox.shown.size(), 1u);
            EXPECT_EQ(fake.messageBox.shown[0].text, CountsText("4", "0"));
        } else {
            EXPECT_TRUE(fake.messageBox.shown.empty());
        }
    }
}

TEST_F(GlobalFindCommandTest, HistoriesAndOptionsAreTakenOverAndOfferedAgain) {
    ui::GlobalFindValues first = Values("foo");
    first.caseSensitive = true;
    first.nonTextFiles = true;
    Answer(first);
    ui::GlobalFindValues second = Values("bar");
    second.fileBox = "*.*";
    second.regularExpression = true;
    second.widthSensitive = false;
    second.subdirectories = false;
    Answer(second);
    command.Run();
    command.Run();

    GlobalFindEngine& engine = application.FindEngine();
    EXPECT_EQ(application.Histories().patterns, (std::vector<std::string>{"bar", "foo"}));
    EXPECT_EQ(application.Histories().specifications,
              (std::vector<std::string>{data + "*.*", data + "*.txt"}));
    EXPECT_FALSE(engine.Options().caseSensitive);
    EXPECT_TRUE(engine.Options().regularExpression);
    EXPECT_FALSE(engine.Options().widthSensitive);
    EXPECT_FALSE(engine.SearchSubdirectories());
    EXPECT_EQ(application.GetSettings().findNoneTextFile, 0);
    EXPECT_EQ(command.LastValues(), second);

    // The first dialog started empty in the working directory, the second with what the first
    // run left.
    ASSERT_EQ(frame.globalFindDialog.asked.size(), 2u);
    const ui::GlobalFindValues& start = frame.globalFindDialog.asked[0].initial;
    const std::string cwd = std::filesystem::current_path().string();
    EXPECT_EQ(start.currentDirectory, cwd + (cwd == "/" ? "" : "/"));
    EXPECT_EQ(start.pattern, "");
    EXPECT_EQ(start.fileBox, "*.*");
    const ui::GlobalFindValues& initial = frame.globalFindDialog.asked[1].initial;
    EXPECT_EQ(initial.pattern, "foo");
    EXPECT_EQ(initial.fileBox, data + "*.txt");
    EXPECT_EQ(initial.currentDirectory, data);
    EXPECT_TRUE(initial.caseSensitive);
    EXPECT_TRUE(initial.nonTextFiles);
    EXPECT_EQ(frame.globalFindDialog.asked[1].patternHistory, std::vector<std::string>{"foo"});
}

TEST_F(GlobalFindCommandTest, QuotedSpecificationFromTheHistoryKeepsItsDirectory) {
    ::mkdir((data + "my dir").c_str(), 0755);
    dir.Write("data/my dir/q.txt", "foo\r\n");
    ui::GlobalFindValues first = Values();
    first.currentDirectory = data + "my dir/";
    first.subdirectories = false;
    Answer(first);
    command.Run();
    const std::string quoted = application.Histories().specifications.front();
    EXPECT_EQ(quoted, "\"" + data + "my dir\"/*.txt");

    ui::GlobalFindValues again = first;
    again.fileBox = quoted;
    again.currentDirectory = "/";
    Answer(again);
    command.Run();
    EXPECT_EQ(application.Histories().specifications, std::vector<std::string>{quoted});
    EXPECT_EQ(fake.messageBox.shown.back().text, CountsText("1", "1"));
}

TEST_F(GlobalFindCommandTest, ARecordedRunReplaysWithoutTheDialog) {
    ui::GlobalFindValues values = Values();
    values.fileBox = "a.txt";
    values.record = true;
    values.caseSensitive = true;
    values.widthSensitive = true;
    values.subdirectories = false;
    Answer(values);
    command.Run();
    EXPECT_FALSE(application.Recorder().IsRecording());
    EXPECT_EQ(application.GetSettings().recordGlobalFindOperation, 1);
    const auto [commandId, record] = RecordedOperation();
    EXPECT_EQ(commandId, kCmdGlobalFind);
    const GlobalFindParameters expected{false, true, "foo", data + "a.txt", true, false};
    EXPECT_EQ(ParseGlobalFindRecord(record), expected);

    // The replay takes everything from the record, nothing from the dialog or what is set now.
    windows.CloseDocument(*application.Documents().Documents()[0]);
    application.FindEngine().Options() = {};
    application.FindEngine().SearchSubdirectories() = true;
    application.Histories().specifications.clear();
    test::FunctionDispatcher run([&](int id) {
        if (id == kCmdGlobalFind)
            command.Run();
    });
    application.Recorder().Replay(run);
    EXPECT_EQ(frame.globalFindDialog.asked.size(), 1u);
    EXPECT_EQ(ResultText(), data + "a.txt(1): foo\r\n" + data + "a.txt(2): bar foo\r\n");
    EXPECT_TRUE(application.FindEngine().Options().caseSensitive);
    EXPECT_TRUE(application.FindEngine().Options().widthSensitive);
    EXPECT_FALSE(application.FindEngine().SearchSubdirectories());
    EXPECT_EQ(application.Histories().specifications, std::vector<std::string>{data + "a.txt"});
}

TEST_F(GlobalFindCommandTest, StopKeepsTheHitsFoundSoFar) {
    ::unlink((data + "c.txt").c_str());
    for (const char* name : {"data/a.txt", "data/e.txt", "data/f.txt"})
        dir.Write(name, "one foo\r\n");
    frame.progressWindow.stopAtCheck = 1;
    Answer(Values());
    command.Run();
    // Every file holds one hit: "中断" after the first match ends the run there.
    const std::string text = ResultText();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
    EXPECT_EQ(fake.messageBox.shown.back().text, CountsText("1", "1"));
}

TEST_F(GlobalFindCommandTest, ResultDocumentClosedDuringTheRunStopsIt) {
    frame.progressWindow.onStopCheck = [&] {
        if (OpenDocuments() == 1)
            windows.CloseDocument(*application.Documents().Documents()[0]);
    };
    Answer(Values());
    command.Run();
    EXPECT_EQ(OpenDocuments(), 0u);
    EXPECT_EQ(fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgGlobalFindCounts});
    EXPECT_FALSE(frame.progressWindow.open);
}

TEST_F(GlobalFindCommandTest, TreeLargerThanTheFirstAllocationIsSearchedWhole) {
    application.GetSettings().subDirBufBytes = 4;
    Answer(Values());
    command.Run();
    EXPECT_EQ(fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgGlobalFindCounts});
    EXPECT_EQ(fake.messageBox.shown.back().text, CountsText("4", "3"));
    EXPECT_NE(ResultText().find(data + "sub/b.txt(1): a foo\r\n"), std::string::npos);
}

TEST(GlobalFindProgress, HitCountIsWrittenRarelyAndLastBeforeClosing) {
    struct Case {
        std::chrono::steady_clock::duration interval;
        int expectedWrites; ///< of the hit count, with the opening "0"
    };
    for (const Case c : {Case{std::chrono::hours(1), 2}, Case{{}, 100'001}}) {
        ui::FakeProgressWindow window;
        GlobalFindProgress progress(window, c.interval);
        progress.Open();
        for (std::uint32_t hit = 1; hit <= 100'000; ++hit)
            progress.ShowHitCount(hit);
        progress.Close();
        EXPECT_EQ(window.setValueCalls, c.expectedWrites);
        EXPECT_EQ(window.values[1], "100000");
    }
}

} // namespace
} // namespace nelvix
