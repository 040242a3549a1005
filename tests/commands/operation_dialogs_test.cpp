// The replay, save and recall commands of the recorded operation with scripted dialogs: the save
// dialog's name checks, overwrite and user-tool questions and its comment; the recall dialog's
// list, preselection, deletions, loading and replay; the enable rules; a macro saved as user
// tool 3 and replayed by it.
#include "commands/operation_dialogs_command.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "app/application.h"
#include "base/cp932.h"
#include "commands/fake_operation_dialogs.h"
#include "record/macro_file.h"
#include "store/global_find_record.h"
#include "support/test_files.h"
#include "ui/fake_platform.h"
#include "ui/message_ids.h"

namespace nelvix {
namespace {

using ui::MessageResult;

/// Runs nothing: it notes each command with the record it was given.
class RecordingDispatcher final : public CommandDispatcher {
public:
    explicit RecordingDispatcher(const OperationRecorder& recorder) : m_recorder(recorder) {}
    void RunCommand(int commandId) override {
        const auto record = m_recorder.CurrentReplayRecord();
        runs.push_back({commandId, {record.begin(), record.end()}});
    }
    bool HasActiveView() const override { return false; }

    std::vector<std::pair<int, std::vector<Byte>>> runs;

private:
    const OperationRecorder& m_recorder;
};

std::vector<Byte> FindRecord(std::string pattern) {
    GlobalFindParameters parameters;
    parameters.subdirectories = true;
    parameters.pattern = std::move(pattern);
    parameters.specification = "/data/*.txt";
    return SerializeGlobalFindRecord(parameters);
}

SaveOperationValues Fields(std::string name, int userTool = kNoUserToolChosen,
                           std::string comment = {}) {
    return {std::move(name), userTool, std::move(comment)};
}

/// Test names of the tables: each row's situation.
struct SituationName {
    template <typename Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& row) const {
        return row.param.situation;
    }
};

class OperationDialogsTest : public ::testing::Test {
protected:
    OperationDialogsTest() { ::mkdir(home.c_str(), 0755); }

    OperationRecorder& Recorder() { return application.Recorder(); }
    std::string& Slot(int slot) {
        return application.GetSettings().userTools[static_cast<std::size_t>(slot - 1)];
    }
    void Record(const std::string& pattern = "apple") {
        const std::vector<Byte> record = FindRecord(pattern);
        Recorder().RecordCommand(true, kCmdGlobalFind, record.data(), record.size());
    }
    /// A macro file of the home holding one global find for `pattern`.
    void SaveMacroFile(const std::string& name, const std::string& pattern,
                       const std::string& comment = {}) {
        Record(pattern);
        ASSERT_TRUE(Recorder().SaveMacro(name, comment));
    }
    bool HomeHas(const std::string& fileName) const {
        struct stat info {};
        return ::stat((home + "/" + fileName).c_str(), &info) == 0;
    }
    void SaveWith(std::vector<SaveOperationValues> tries) {
        saveDialog.answers.push_back(std::move(tries));
        command.Save();
    }
    std::vector<int> Messages() const { return fake.messageBox.ShownIds(); }

    test::TempDir dir;
    std::string home = dir.PathOf("home");
    ui::FakePlatform fake;
    Application application{fake.platform,
                            {home, dir.PathOf("etc"), std::string(NELVIX_SPIN_LIBRARY_PATH)}};
    test::FakeSaveOperationDialog saveDialog;
    test::FakeRecallOperationDialog recallDialog;
    test::FakeWaitCursor waitCursor;
    OperationDialogsCommand command{application, saveDialog, recallDialog, waitCursor};
    RecordingDispatcher dispatcher{application.Recorder()};
};

// --- Enable rules --------------------------------------------------------------------------

struct EnableCase {
    const char* situation;
    bool recorded;
    int commandId;
    std::optional<bool> enabled;
};

class OperationEnableTest : public OperationDialogsTest,
                            public ::testing::WithParamInterface<EnableCase> {};

TEST_P(OperationEnableTest, FollowsTheHeldRecord) {
    if (GetParam().recorded)
        Record();
    EXPECT_EQ(command.IsEnabled(GetParam().commandId), GetParam().enabled);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, OperationEnableTest,
    ::testing::Values(EnableCase{"ReplayWithoutRecord", false, kCmdReplay, false},
                      EnableCase{"ReplayWithRecord", true, kCmdReplay, true},
                      EnableCase{"SaveWithoutRecord", false, kCmdSaveOperation, false},
                      EnableCase{"SaveWithRecord", true, kCmdSaveOperation, true},
                      EnableCase{"RecallWithoutRecord", false, kCmdRecallOperation, true},
                      EnableCase{"RecallWithRecord", true, kCmdRecallOperation, true},
                      EnableCase{"OtherCommand", true, kCmdGlobalFind, std::nullopt}),
    SituationName{});

TEST_F(OperationDialogsTest, RunTakesOnlyItsThreeCommands) {
    EXPECT_FALSE(command.Run(kCmdGlobalFind, dispatcher));
    EXPECT_TRUE(command.Run(kCmdRecallOperation, dispatcher));
    EXPECT_EQ(recallDialog.shown.size(), 1u);
}

// --- 操作の再生 --------------------------------------------------------------------------------

TEST_F(OperationDialogsTest, ReplayRunsTheRecordUnderTheWaitCursor) {
    Record("apple");
    int depthDuringRun = 0;
    struct Probe final : CommandDispatcher {
        test::FakeWaitCursor& cursor;
        int& depth;
        Probe(test::FakeWaitCursor& c, int& d) : cursor(c), depth(d) {}
        void RunCommand(int) override { depth = cursor.depth; }
        bool HasActiveView() const override { return false; }
    } probe{waitCursor, depthDuringRun};
    command.Run(kCmdReplay, probe);
    EXPECT_EQ(depthDuringRun, 1);
    EXPECT_EQ(waitCursor.depth, 0);
    EXPECT_EQ(waitCursor.begun, 1);
}

TEST_F(OperationDialogsTest, ReplayWithoutMemoryDoesNothing) {
    Record();
    fake.memory.failAll = true;
    command.Replay(dispatcher);
    EXPECT_TRUE(dispatcher.runs.empty());
    EXPECT_EQ(waitCursor.begun, 0);
    EXPECT_EQ(Messages(), std::vector<int>{ui::kMsgShortOfMemory});
}

// --- 操作の保存: the name ------------------------------------------------------------------------

struct NameCase {
    const char* situation;
    std::string name;
    const char* file; ///< the file written; null when the name is refused
};

class SaveNameTest : public OperationDialogsTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(SaveNameTest, WritesTheMacroFileOrRefusesTheName) {
    Record();
    SaveWith({Fields(GetParam().name)});
    if (GetParam().file == nullptr) {
        EXPECT_EQ(saveDialog.accepted, std::vector<bool>{false});
        EXPECT_EQ(Messages(), std::vector<int>{ui::kMsgBadFileName});
        EXPECT_TRUE(Recorder().ListMacros().empty());
        return;
    }
    EXPECT_EQ(saveDialog.accepted, std::vector<bool>{true});
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(HomeHas(GetParam().file)) << GetParam().file;
    EXPECT_EQ(Recorder().MacroName(), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Names, SaveNameTest,
    ::testing::Values(NameCase{"PlainName", "find1", "find1.mac"},
                      NameCase{"NameWithTheExtension", "find1.mac", "find1.mac"},
                      NameCase{"ExtensionInCapitals", "FIND1.MAC", "FIND1.MAC"},
                      NameCase{"OtherExtensionKept", "a.txt", "a.txt.mac"},
                      NameCase{"JapaneseName", Sjis("検索"), "\xE6\xA4\x9C\xE7\xB4\xA2.mac"},
                      NameCase{"Empty", "", nullptr},
                      NameCase{"WithADirectory", "sub/find1", nullptr},
                      NameCase{"AbsolutePath", "/tmp/find1", nullptr},
                      NameCase{"Dot", ".", nullptr}, NameCase{"DotDot", "..", nullptr},
                      NameCase{"TooLong", std::string(kMaxPathBytes, 'a'), nullptr}),
    SituationName{});

TEST_F(OperationDialogsTest, ARefusedNameKeepsTheDialogOpenForTheNextTry) {
    Record();
    SaveWith({Fields("bad/name"), Fields("good")});
    EXPECT_EQ(saveDialog.accepted, (std::vector<bool>{false, true}));
    EXPECT_TRUE(HomeHas("good.mac"));
}

// --- 操作の保存: overwriting and the user tool ---------------------------------------------------

struct QuestionCase {
    const char* situation;
    bool fileExists;
    std::string boundName;              ///< what slot 3 holds first
    int userTool;                       ///< the tool chosen in the dialog
    std::vector<MessageResult> replies; ///< to the questions, in order
    std::vector<int> asked;             ///< the questions and messages shown
    bool saved;                         ///< the new operation is in the file
    std::string slot3After;
};

class SaveQuestionTest : public OperationDialogsTest,
                         public ::testing::WithParamInterface<QuestionCase> {};

TEST_P(SaveQuestionTest, AsksAndBindsAsAnswered) {
    const QuestionCase& c = GetParam();
    if (c.fileExists)
        SaveMacroFile("find1", "old");
    Slot(3) = c.boundName;
    Record("new");
    fake.messageBox.answers.assign(c.replies.begin(), c.replies.end());
    SaveWith({Fields("find1", c.userTool, "comment")});

    EXPECT_EQ(Messages(), c.asked);
    EXPECT_EQ(Slot(3), c.slot3After);
    if (!c.saved && !c.fileExists) {
        EXPECT_EQ(Recorder().MacroExists("find1"), 0);
        return;
    }
    ASSERT_TRUE(Recorder().LoadMacro("find1"));
    Recorder().Replay(dispatcher);
    ASSERT_EQ(dispatcher.runs.size(), 1u);
    EXPECT_EQ(dispatcher.runs[0].second, FindRecord(c.saved ? "new" : "old"));
}

constexpr int kOverwrite = ui::kMsgFileExistsOverwrite;
constexpr int kToolInUse = ui::kMsgUserToolInUse;
constexpr MessageResult kOk = MessageResult::Ok;
constexpr MessageResult kCancel = MessageResult::Cancel;

INSTANTIATE_TEST_SUITE_P(
    Questions, SaveQuestionTest,
    ::testing::Values(
        QuestionCase{"NewFileNoTool", false, "", kNoUserToolChosen, {}, {}, true, ""},
        QuestionCase{"NewFileToolNotUsed", false, "other", kUserToolNotUsed, {}, {}, true, "other"},
        QuestionCase{
            "ExistingFileOverwritten", true, "", kNoUserToolChosen, {kOk}, {kOverwrite}, true, ""},
        QuestionCase{"ExistingFileKeptOnCancel", true, "", 3, {kCancel}, {kOverwrite}, false, ""},
        QuestionCase{"EmptySlotBoundWithoutAQuestion", false, "", 3, {}, {}, true, "find1"},
        QuestionCase{"UsedSlotTakenOver", false, "other", 3, {kOk}, {kToolInUse}, true, "find1"},
        QuestionCase{
            "UsedSlotKeptOnCancel", false, "other", 3, {kCancel}, {kToolInUse}, false, "other"},
        QuestionCase{
            "SlotOfTheSameMacroNotAskedFor", true, "find1", 3, {kOk}, {kOverwrite}, true, "find1"},
        QuestionCase{"BothQuestionsAnsweredOk",
                     true,
                     "other",
                     3,
                     {kOk, kOk},
                     {kOverwrite, kToolInUse},
                     true,
                     "find1"},
        QuestionCase{"OverwriteYesToolNo",
                     true,
                     "other",
                     3,
                     {kOk, kCancel},
                     {kOverwrite, kToolInUse},
                     false,
                     "other"}),
    SituationName{});

TEST_F(OperationDialogsTest, OtherSlotsStayAsTheyWere) {
    Slot(1) = "one";
    Slot(5) = "five";
    Record();
    SaveWith({Fields("find1", 2)});
    EXPECT_EQ(Slot(1), "one");
    EXPECT_EQ(Slot(2), "find1");
    EXPECT_EQ(Slot(5), "five");
}

TEST_F(OperationDialogsTest, AFailedWriteBindsNoTool) {
    Record();
    ASSERT_EQ(::mkdir((home + "/find1.mac").c_str(), 0755), 0); // a folder in the file's place
    fake.messageBox.answers = {kOk};
    SaveWith({Fields("find1", 4)});
    EXPECT_EQ(Messages(), (std::vector<int>{kOverwrite, ui::kMsgMacroWriteError}));
    EXPECT_EQ(Slot(4), "");
}

TEST_F(OperationDialogsTest, CancelWritesNothing) {
    Record();
    saveDialog.answers.push_back({});
    command.Save();
    EXPECT_TRUE(Recorder().ListMacros().empty());
    EXPECT_EQ(Recorder().MacroName(), "");
}

TEST_F(OperationDialogsTest, SaveWithoutARecordBeepsWithoutTheDialog) {
    command.Save();
    EXPECT_EQ(fake.beeper.beeps, 1);
    EXPECT_TRUE(saveDialog.opened.empty());
}

TEST_F(OperationDialogsTest, SaveWithoutMemoryShowsNoDialog) {
    Record();
    fake.memory.failAll = true;
    command.Save();
    EXPECT_TRUE(saveDialog.opened.empty());
    EXPECT_EQ(Messages(), std::vector<int>{ui::kMsgShortOfMemory});
}

// --- 操作の保存: the comment and the initial fields ---------------------------------------------

struct CommentCase {
    const char* situation;
    std::string typed;
    std::string kept;
};

class SaveCommentTest : public OperationDialogsTest,
                        public ::testing::WithParamInterface<CommentCase> {};

TEST_P(SaveCommentTest, KeepsAtMostAHundredBytesOfWholeCharacters) {
    Record();
    SaveWith({Fields("find1", kNoUserToolChosen, GetParam().typed)});
    const std::vector<MacroEntry> listed = Recorder().ListMacros();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].comment, GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(
    Comments, SaveCommentTest,
    ::testing::Values(CommentCase{"Empty", "", ""},
                      CommentCase{"TwoLines", Sjis("ログ\r\n毎朝"), Sjis("ログ\r\n毎朝")},
                      CommentCase{"HundredBytes", std::string(100, 'c'), std::string(100, 'c')},
                      CommentCase{"HundredAndOneBytes", std::string(101, 'c'),
                                  std::string(100, 'c')},
                      CommentCase{"DoubleByteCharacterAcrossTheLimit",
                                  std::string(99, 'c') + Sjis("表"), std::string(99, 'c')},
                      CommentCase{"LineEndAcrossTheLimit", std::string(99, 'c') + "\r\n",
                                  std::string(99, 'c') + "\r"}),
    SituationName{});

TEST_F(OperationDialogsTest, TheDialogOpensEmptyAfterARecording) {
    SaveMacroFile("old", "x", "old comment");
    Record();
    saveDialog.answers.push_back({});
    command.Save();
    ASSERT_EQ(saveDialog.opened.size(), 1u);
    EXPECT_EQ(saveDialog.opened[0], SaveOperationValues{});
}

TEST_F(OperationDialogsTest, TheDialogOpensOnTheLoadedMacroAndItsComment) {
    SaveMacroFile("daily", "x", Sjis("毎日の検索"));
    SaveMacroFile("other", "y", "other comment");
    ASSERT_TRUE(Recorder().LoadMacro("daily"));
    saveDialog.answers.push_back({});
    command.Save();
    ASSERT_EQ(saveDialog.opened.size(), 1u);
    EXPECT_EQ(saveDialog.opened[0], Fields("daily", kNoUserToolChosen, Sjis("毎日の検索")));
}

// --- 操作の呼出し ----------------------------------------------------------------------------

TEST_F(OperationDialogsTest, RecallListsTheValidMacrosSortedWithTheCurrentOneSelected) {
    SaveMacroFile("beta", "b", "second");
    SaveMacroFile("alpha", "a", "first");
    dir.Write("home/broken.mac", "not a macro");
    MacroHeader wrongVersion;
    std::vector<Byte> image = BuildMacroImage(wrongVersion, {});
    image[12] = 201; // version 201
    dir.Write("home/v201.mac", {reinterpret_cast<const char*>(image.data()), image.size()});
    dir.Write("home/notes.txt", "plain");
    command.Recall(dispatcher);
    ASSERT_EQ(recallDialog.shown.size(), 1u);
    EXPECT_EQ(recallDialog.shown[0].names, (std::vector<std::string>{"alpha", "beta"}));
    EXPECT_EQ(recallDialog.shown[0].initialName, "alpha");
    EXPECT_EQ(recallDialog.shown[0].initialComment, "first");
}

TEST_F(OperationDialogsTest, AMacroSavedWithItsExtensionIsFoundInTheList) {
    SaveMacroFile("alpha", "a", "first");
    SaveMacroFile("daily.mac", "d", "every day");
    saveDialog.answers.push_back({});
    command.Save();
    ASSERT_EQ(saveDialog.opened.size(), 1u);
    EXPECT_EQ(saveDialog.opened[0].comment, "every day");
    command.Recall(dispatcher);
    ASSERT_EQ(recallDialog.shown.size(), 1u);
    EXPECT_EQ(recallDialog.shown[0].initialName, "daily");
    EXPECT_EQ(recallDialog.shown[0].initialComment, "every day");
}

TEST_F(OperationDialogsTest, RecallSelectsNothingWithoutACurrentMacro) {
    SaveMacroFile("alpha", "a");
    Record(); // a new recording forgets the macro's name
    command.Recall(dispatcher);
    ASSERT_EQ(recallDialog.shown.size(), 1u);
    EXPECT_EQ(recallDialog.shown[0].initialName, "");
    EXPECT_EQ(recallDialog.shown[0].initialComment, "");
}

struct RecallCase {
    const char* situation;
    std::vector<std::string> deletions;
    RecallChoice choice;
    std::vector<bool> deleted;       ///< Delete's answers
    std::vector<std::string> listed; ///< the names left in the list
    std::string heldPattern;         ///< the operation held afterwards, as 操作の再生 runs it
    std::vector<std::string> replayed;
    int beeps;
};

class RecallTest : public OperationDialogsTest, public ::testing::WithParamInterface<RecallCase> {};

TEST_P(RecallTest, LoadsReplaysOrDeletes) {
    const RecallCase& c = GetParam();
    SaveMacroFile("alpha", "a");
    SaveMacroFile("beta", "b");
    Record("held");
    recallDialog.answers.push_back({c.deletions, c.choice});
    command.Recall(dispatcher);

    EXPECT_EQ(recallDialog.deleted, c.deleted);
    EXPECT_EQ(recallDialog.namesAtClose, c.listed);
    const bool anyDeleted = std::find(c.deleted.begin(), c.deleted.end(), true) != c.deleted.end();
    EXPECT_EQ(recallDialog.replayEnabledAtClose, !anyDeleted);
    std::vector<std::string> replayed;
    for (const auto& run : dispatcher.runs)
        replayed.push_back(ParseGlobalFindRecord(run.second)->pattern);
    EXPECT_EQ(replayed, c.replayed);
    EXPECT_EQ(fake.beeper.beeps, c.beeps);
    for (const std::string& name : c.listed)
        EXPECT_EQ(Recorder().MacroExists(name), 1) << name;

    dispatcher.runs.clear();
    command.Replay(dispatcher);
    ASSERT_EQ(dispatcher.runs.size(), 1u);
    EXPECT_EQ(ParseGlobalFindRecord(dispatcher.runs[0].second)->pattern, c.heldPattern);
}

const std::vector<std::string> kBoth{"alpha", "beta"};

INSTANTIATE_TEST_SUITE_P(
    Choices, RecallTest,
    ::testing::Values(
        RecallCase{"Cancel", {}, {RecallAction::Close, "beta"}, {}, kBoth, "held", {}, 0},
        RecallCase{"OkLoads", {}, {RecallAction::Load, "beta"}, {}, kBoth, "b", {}, 0},
        RecallCase{
            "ReplayLoadsAndRuns", {}, {RecallAction::Replay, "alpha"}, {}, kBoth, "a", {"a"}, 0},
        RecallCase{"OkOnATypedNameThatIsNoFile",
                   {},
                   {RecallAction::Load, "gamma"},
                   {},
                   kBoth,
                   "held",
                   {},
                   0},
        RecallCase{"OkOnNothing", {}, {RecallAction::Load, ""}, {}, kBoth, "held", {}, 0},
        RecallCase{"DeleteThenClose",
                   {"alpha"},
                   {RecallAction::Load, "beta"},
                   {true},
                   {"beta"},
                   "held",
                   {},
                   0},
        RecallCase{"DeleteTwice",
                   {"alpha", "alpha"},
                   {RecallAction::Close, "beta"},
                   {true, false},
                   {"beta"},
                   "held",
                   {},
                   1},
        RecallCase{"DeleteANameNotListed",
                   {"gamma"},
                   {RecallAction::Replay, "beta"},
                   {false},
                   kBoth,
                   "b",
                   {"b"},
                   1},
        RecallCase{"DeleteAll",
                   {"beta", "alpha"},
                   {RecallAction::Close, ""},
                   {true, true},
                   {},
                   "held",
                   {},
                   0}),
    SituationName{});

TEST_F(OperationDialogsTest, DeletingAMacroEmptiesTheUserToolsBoundToIt) {
    SaveMacroFile("alpha", "a");
    SaveMacroFile("beta", "b");
    Slot(1) = "alpha";
    Slot(2) = "beta";
    Slot(4) = "alpha";
    recallDialog.answers.push_back({{"alpha"}, {RecallAction::Close, ""}});
    command.Recall(dispatcher);
    EXPECT_EQ(Slot(1), "");
    EXPECT_EQ(Slot(2), "beta");
    EXPECT_EQ(Slot(4), "");
    EXPECT_FALSE(Recorder().UserToolEnabled(1));
}

TEST_F(OperationDialogsTest, RecallWithoutMemoryShowsNoDialog) {
    fake.memory.failAll = true;
    command.Recall(dispatcher);
    EXPECT_TRUE(recallDialog.shown.empty());
    EXPECT_EQ(Messages(), std::vector<int>{ui::kMsgShortOfMemory});
}

// --- A macro saved as a user tool -----------------------------------------------------------

TEST_F(OperationDialogsTest, SavedAsUserToolThreeItReplaysWithThatTool) {
    Record("apple");
    EXPECT_FALSE(Recorder().UserToolEnabled(3));
    SaveWith({Fields("find1", 3, "apples")});
    EXPECT_TRUE(Recorder().UserToolEnabled(3));
    EXPECT_EQ(Recorder().UserToolMenuText(3), "Find1\tCtrl+3");
    EXPECT_EQ(Recorder().UserToolTip(3), "Find1");

    Record("pear"); // another recording in between
    application.RunUserTool(dispatcher, 3);
    ASSERT_EQ(dispatcher.runs.size(), 1u);
    EXPECT_EQ(dispatcher.runs[0].first, kCmdGlobalFind);
    EXPECT_EQ(dispatcher.runs[0].second, FindRecord("apple"));
}

} // namespace
} // namespace nelvix
