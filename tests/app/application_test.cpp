// The start-up and exit orders driven with a scripted frame: what is read, shown, opened, run
// and written, and the start-up that fails for want of the spin-control library.
#include "app/application.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "find/find_history.h"
#include "record/command_table.h"
#include "store/ini_file.h"
#include "support/injected_file_faults.h"
#include "support/non_regular_files.h"
#include "support/test_files.h"
#include "ui/fake_platform.h"
#include "ui/message_ids.h"

namespace nelvix {
namespace {

/// Records what the start-up asked of the main frame, as one line per call.
class FakeFrame final : public ui::MainFrameHost, public CommandDispatcher {
public:
    explicit FakeFrame(Application& application) : m_application(application) {}
    void CreateFrame(const std::optional<ui::WindowPlacement>& placement,
                     std::uint32_t showState) override {
        calls.push_back("create " + std::to_string(showState) + (placement ? " placed" : ""));
    }
    bool OpenDocument(std::string_view sjisPath) override {
        calls.push_back("open " + std::string(sjisPath));
        active = m_application.Documents().Open(sjisPath) != nullptr;
        return active;
    }
    bool HasActiveDocument() const override { return active; }
    void MaximizeActiveDocument() override { calls.push_back("maximize"); }
    void RunCommand(int commandId) override {
        calls.push_back("run " + std::to_string(commandId));
        if (commandId >= kCmdUserTool1 && commandId <= kCmdUserToolLast)
            m_application.RunUserTool(*this, commandId - kCmdUserTool1 + 1);
    }
    bool HasActiveView() const override { return active; }
    void DestroyFrame() override { calls.push_back("destroy"); }
    void Quit() override { calls.push_back("quit"); }

    std::vector<std::string> calls;
    bool active = false;

private:
    Application& m_application;
};

struct ProgramRun {
    test::TempDir dir;
    ui::FakePlatform fake;
    std::string home = dir.PathOf("home");
    ApplicationPaths Paths(std::string spin = NELVIX_SPIN_LIBRARY_PATH) {
        return {home, dir.PathOf("etc"), std::move(spin)};
    }
    /// A home whose cabinet is already there, so that the start-up reads it without a message.
    void WriteCabinet() {
        Cabinet cabinet;
        ASSERT_TRUE(cabinet.Save(fake.platform, CabinetPath(home), {}));
    }
    std::string Store() { return test::ReadFileBytes(home + "/nelvix.ini"); }
};

bool Exists(const std::string& path) {
    return ::access(path.c_str(), F_OK) == 0;
}

TEST(Application, FirstStartShowsMaximisedAndWritesStoreAndCabinetOnClose) {
    ProgramRun run;
    Application application(run.fake.platform, run.Paths());
    FakeFrame frame(application);
    EXPECT_EQ(application.Start(frame, ""), StartResult::Running);
    // No cabinet yet is the normal first start: no message, and the defaults stay.
    EXPECT_TRUE(run.fake.messageBox.shown.empty());
    EXPECT_EQ(frame.calls, std::vector<std::string>{"create 3"});
    EXPECT_TRUE(application.Spin().IsLoaded());

    ui::WindowPlacement placement;
    placement.left = 10;
    placement.top = 20;
    placement.right = 810;
    placement.bottom = 620;
    application.CloseFrame(placement, true, {});
    application.Exit();
    EXPECT_TRUE(Exists(application.CabinetFile()));
    EXPECT_NE(run.Store().find("WindowPos=2,1,0,0,0,0,10,20,810,620"), std::string::npos);
    EXPECT_NE(run.Store().find("ScrollLineCount=3"), std::string::npos);

    Application second(run.fake.platform, run.Paths());
    FakeFrame secondFrame(second);
    run.fake.messageBox.shown.clear();
    second.Start(secondFrame, "");
    EXPECT_TRUE(run.fake.messageBox.shown.empty());
    EXPECT_EQ(secondFrame.calls, std::vector<std::string>{"create 1 placed"});
}

TEST(Application, MissingSpinLibraryFailsAndSavesOnlyTheSettings) {
    ProgramRun run;
    Application application(run.fake.platform, run.Paths("/nonexistent/libmuscrl32.so"));
    FakeFrame frame(application);
    EXPECT_EQ(application.Start(frame, ""), StartResult::Failed);
    EXPECT_EQ(run.fake.messageBox.ShownIds(), (std::vector<int>{ui::kMsgSpinLibraryMissing}));
    EXPECT_EQ(run.fake.messageBox.shown.back().style.icon, ui::MessageIcon::Stop);
    EXPECT_EQ(frame.calls, (std::vector<std::string>{"create 3", "destroy"}));
    EXPECT_NE(run.Store().find("[Settings]"), std::string::npos);
    EXPECT_EQ(run.Store().find("WindowPos"), std::string::npos);
    EXPECT_FALSE(Exists(application.CabinetFile()));
}

TEST(Application, FileOnTheCommandLineOpensMaximised) {
    ProgramRun run;
    run.WriteCabinet();
    std::string file = run.dir.Write("a b.txt", "text\r\n");
    Application application(run.fake.platform, run.Paths());
    FakeFrame frame(application);
    EXPECT_EQ(application.Start(frame, "-t=9 \"" + file + "\" /T1"), StartResult::Running);
    EXPECT_EQ(frame.calls, (std::vector<std::string>{"create 3", "open " + file, "maximize"}));
    ASSERT_EQ(application.Documents().Documents().size(), 1u);
    EXPECT_EQ(application.RecentFiles(), std::vector<std::string>{file});
    application.Exit();
    EXPECT_NE(run.Store().find("File1=" + file), std::string::npos);
}

TEST(Application, RelativeThenAbsoluteOpenLeavesOneAbsoluteRecentFile) {
    ProgramRun run;
    run.WriteCabinet();
    run.dir.Write("x.txt", "text\r\n");
    std::string file;
    {
        test::WorkingFolder here(run.dir.Path());
        file = std::filesystem::current_path().string() + "/x.txt";
        Application first(run.fake.platform, run.Paths());
        FakeFrame frame(first);
        first.Start(frame, "./x.txt");
        ASSERT_EQ(first.Documents().Documents().size(), 1u);
        EXPECT_EQ(first.Documents().Documents()[0]->PathName(), file);
        EXPECT_EQ(first.RecentFiles(), std::vector<std::string>{file});
    }
    // Another working folder: the stored entry still opens, and the absolute spelling of the
    // same file is the same entry.
    test::WorkingFolder elsewhere(run.home);
    Application second(run.fake.platform, run.Paths());
    FakeFrame frame(second);
    second.Start(frame, file);
    EXPECT_EQ(second.RecentFiles(), std::vector<std::string>{file});
    EXPECT_TRUE(run.fake.messageBox.shown.empty());
    second.Exit();
    EXPECT_NE(run.Store().find("File1=" + file), std::string::npos);
    EXPECT_EQ(run.Store().find("File2="), std::string::npos);
}

TEST(Application, UserToolWithExitFlagRunsTheToolAndQuits) {
    ProgramRun run;
    run.WriteCabinet();
    {
        // A macro bound to slot 3 that replays one global find.
        Application recording(run.fake.platform, run.Paths());
        FakeFrame frame(recording);
        recording.Start(frame, "");
        const Byte parameters[] = {1, 2, 3};
        recording.Recorder().RecordCommand(true, kCmdGlobalFind, parameters, sizeof parameters);
        ASSERT_TRUE(recording.Recorder().SaveMacro("find1", ""));
        recording.GetSettings().userTools[2] = "find1";
    }
    Application application(run.fake.platform, run.Paths());
    FakeFrame frame(application);
    EXPECT_EQ(application.Start(frame, "/T3 /E"), StartResult::Ending);
    EXPECT_EQ(frame.calls,
              (std::vector<std::string>{"create 3", "run 32829", "run 32784", "quit"}));
}

TEST(Application, InvokeGlobalFindAndGoneUserToolsAtStart) {
    ProgramRun run;
    run.WriteCabinet();
    IniFile ini;
    ini.SetInt("Settings", "InvokeGlobalFind", 1);
    ini.SetString("Settings", "UserTool2", "gone");
    ASSERT_TRUE(
        SettingsStore::Locate(run.fake.platform, run.home, run.dir.PathOf("etc")).Write(ini));
    Application application(run.fake.platform, run.Paths());
    FakeFrame frame(application);
    EXPECT_EQ(application.Start(frame, "/T7"), StartResult::Running);
    EXPECT_EQ(frame.calls, (std::vector<std::string>{"create 3", "run 32784"}));
    EXPECT_EQ(application.GetSettings().userTools[1], "");
    application.Exit();
    EXPECT_EQ(run.Store().find("UserTool2"), std::string::npos);
}

TEST(Application, StartReadsTheDataFileAndExitWritesIt) {
    ProgramRun run;
    run.WriteCabinet();
    DataFileContents stored;
    stored.searchStrings = {"stored"};
    stored.filePatterns = {"/texts/*.txt"};
    stored.widthSensitive = false;
    stored.editors = {{"/usr/bin/vi", "+$l $f", ""}};
    stored.rules.runMode = RunMode::Step1Only;
    stored.extractionFiles = {false, {"*.log"}};
    ASSERT_TRUE(WriteDataFile(run.fake.platform, DataFilePath(run.home), stored));

    Application application(run.fake.platform, run.Paths());
    FakeFrame frame(application);
    application.Start(frame, "");
    EXPECT_TRUE(run.fake.messageBox.shown.empty());
    GlobalFindEngine& engine = application.FindEngine();
    EXPECT_EQ(application.Histories().patterns, std::vector<std::string>{"stored"});
    EXPECT_EQ(application.Histories().specifications, std::vector<std::string>{"/texts/*.txt"});
    EXPECT_FALSE(engine.Options().widthSensitive);
    EXPECT_EQ(application.Extraction().Rules().runMode, RunMode::Step1Only);
    EXPECT_EQ(application.Editors(), stored.editors);
    EXPECT_EQ(application.ExtractionFiles(), stored.extractionFiles);

    AddToHistory(application.Histories().patterns, "new", kPatternBufferBytes);
    application.Extraction().Rules().runMode = RunMode::Step2Only;
    application.Exit();
    DataFileContents written;
    ASSERT_TRUE(ReadDataFile(run.fake.platform, application.DataFile(), written));
    EXPECT_EQ(written.searchStrings, (std::vector<std::string>{"new", "stored"}));
    EXPECT_EQ(written.rules.runMode, RunMode::Step2Only);
    EXPECT_EQ(written.browsers, stored.browsers);
}

TEST(Application, InvalidDataFileKeepsTheDefaultsAndIsReplacedAtExit) {
    ProgramRun run;
    run.WriteCabinet();
    run.dir.Write("home/nelvix.DAT", std::string(100, 'x'));
    Application application(run.fake.platform, run.Paths());
    FakeFrame frame(application);
    application.Start(frame, "");
    EXPECT_EQ(run.fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgDataInvalid});
    EXPECT_TRUE(application.Histories().patterns.empty());
    EXPECT_EQ(application.Extraction().Rules(), DefaultExtractionRules());
    application.Exit();
    DataFileContents written;
    EXPECT_TRUE(ReadDataFile(run.fake.platform, application.DataFile(), written));
}

/// One start and exit, as a person would run the program.
void StartAndExit(ProgramRun& run) {
    Application application(run.fake.platform, run.Paths());
    FakeFrame frame(application);
    application.Start(frame, "");
    application.CloseFrame({}, false, {});
    application.Exit();
}

TEST(Application, OwnFilesNamingADeviceFifoSocketOrFolderAreLeftAloneAtExit) {
    struct OwnFile {
        const char* name;
        int writeMessage;
    };
    const std::vector<OwnFile> files = {
        {"nelvix.cab", ui::kMsgFileWriteError},
        {"nelvix.ini", ui::kMsgSettingsNotSaved},
        {"nelvix.DAT", ui::kMsgDataWriteError},
    };
    for (const OwnFile& file : files) {
        for (const test::NonRegularKind kind : test::kNonRegularKinds) {
            for (const bool throughLink : {true, false}) {
                ProgramRun run;
                ASSERT_EQ(::mkdir(run.home.c_str(), 0700), 0);
                const std::optional<test::Planted> planted =
                    test::Plant(kind, run.home + "/" + file.name,
                                throughLink ? std::optional(run.dir.PathOf("thing")) : std::nullopt,
                                std::string(file.name) + " is ");
                if (!planted)
                    continue;

                StartAndExit(run);
                EXPECT_TRUE(planted->LeftAlone()) << planted->situation;
                const std::vector<int> shown = run.fake.messageBox.ShownIds();
                EXPECT_EQ(std::count(shown.begin(), shown.end(), file.writeMessage), 1)
                    << planted->situation;
            }
        }
    }
}

TEST(Application, ASettingsStoreThatCannotBeWrittenIsReportedOnceAtExit) {
    ProgramRun run;
    run.WriteCabinet();
    run.dir.Write("home/nelvix.ini", "[Mine]\nx=1\n");
    {
        test::InjectedFileFaults faults;
        faults.Fail(FileStep::Rename, "nelvix.ini", ENOSPC);
        StartAndExit(run);
    }
    EXPECT_EQ(run.fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgFileWriteError});
    EXPECT_EQ(run.Store(), "[Mine]\nx=1\n");
}

TEST(PlanFrameShow, StoredPlacementAndStartState) {
    ui::WindowPlacement stored;
    stored.showState = ui::kShowNormal;
    EXPECT_EQ(PlanFrameShow(std::nullopt, ui::kShowNormal).showState, ui::kShowMaximized);
    EXPECT_EQ(PlanFrameShow(std::nullopt, ui::kShowMinimized).showState, ui::kShowMinimized);
    EXPECT_EQ(PlanFrameShow(stored, ui::kShowNormal).showState, ui::kShowNormal);
    FrameShowPlan minimized = PlanFrameShow(stored, ui::kShowMinimized);
    EXPECT_EQ(minimized.showState, ui::kShowMinimized);
    EXPECT_EQ(minimized.placement->showState, ui::kShowMinimized);
}

} // namespace
} // namespace nelvix
