// The replay, save and recall commands of the recorded operation with scripted dialogs: the save
// dialog's name checks, overwrite and user-tool questions and its comment; the recall dialog's
// list, preselection, deletions, loading and replay; the enable rules; a macro saved as user
// tool 3 and replayed by it.
#include "commands/operation_dialogs_command.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "commands/command_scene.h"
#include "commands/recall_operation_list.h"
#include "store/global_find_record.h"
#include "ui/message_ids.h"

namespace nelvix {
namespace {

using ui::MessageResult;

// The dialogs with OK pressed on fields given in advance (each checked as the real dialog checks
// it), deletions and the closing button of the recall dialog, and the wait cursor's state.
class FakeSaveOperationDialog final : public SaveOperationDialog {
public:
    /// OK is pressed with each field set in turn until the checks let the dialog close; when
    /// every one is refused the dialog is cancelled.
    std::deque<std::vector<SaveOperationValues>> answers;
    std::vector<SaveOperationValues> opened; ///< the initial fields of each dialog
    std::vector<bool> accepted;              ///< the check's answer to each OK

    std::optional<SaveOperationValues>
    Ask(const SaveOperationValues& initial,
        const std::function<bool(const SaveOperationValues&)>& accept) override {
        opened.push_back(initial);
        if (answers.empty())
            return std::nullopt;
        const std::vector<SaveOperationValues> tries = answers.front();
        answers.pop_front();
        for (const SaveOperationValues& values : tries) {
            accepted.push_back(accept(values));
            if (accepted.back())
                return values;
        }
        return std::nullopt;
    }
};

class FakeRecallOperationDialog final : public RecallOperationDialog {
public:
    struct Answer {
        std::vector<std::string> deletions; ///< names "削除" is pressed on, in order
        RecallChoice choice;
    };
    /// What the dialog showed as it opened.
    struct Shown {
        std::vector<std::string> names;
        std::string initialName;
        std::string initialComment;
    };

    std::deque<Answer> answers;
    std::vector<Shown> shown;
    std::vector<bool> deleted;             ///< Delete's answer for each press
    std::vector<std::string> namesAtClose; ///< the list as the last dialog closed
    bool replayEnabledAtClose = true;

    RecallChoice Ask(RecallOperationList& list) override {
        shown.push_back({list.Names(), list.InitialName(), list.CommentOf(list.InitialName())});
        Answer answer = answers.empty() ? Answer{} : answers.front();
        if (!answers.empty())
            answers.pop_front();
        for (const std::string& name : answer.deletions)
            deleted.push_back(list.Delete(name));
        namesAtClose = list.Names();
        replayEnabledAtClose = !list.AnyDeleted();
        return answer.choice;
    }
};

class FakeWaitCursor final : public WaitCursor {
public:
    void Begin() override { ++depth, ++begun; }
    void End() override { --depth; }
    int depth = 0;
    int begun = 0;
};

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

class OperationDialogsTest : public ::testing::Test, protected test::CommandScene {
protected:
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

    FakeSaveOperationDialog saveDialog;
    FakeRecallOperationDialog recallDialog;
    FakeWaitCursor waitCursor;
    OperationDialogsCommand command{application, saveDialog, recallDialog, waitCursor};
    RecordingDispatcher dispatcher{application.Recorder()};
};

// --- Enable rules --------------------------------------------------------------------------

TEST_F(OperationDialogsTest, ReplayAndSaveNeedARecordAndRecallIsAlwaysThere) {
    for (const bool recorded : {false, true}) {
        if (recorded)
            Record();
        EXPECT_EQ(command.IsEnabled(kCmdReplay), recorded);
        EXPECT_EQ(command.IsEnabled(kCmdSaveOperation), recorded);
        EXPECT_EQ(command.IsEnabled(kCmdRecallOperation), true);
    }
    EXPECT_EQ(command.IsEnabled(kCmdGlobalFind), std::nullopt);
}

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
        FakeWaitCursor& cursor;
        int& depth;
        Probe(FakeWaitCursor& c, int& d) : cursor(c), depth(d) {}
        void RunCommand(int) override { depth = cursor.depth; }
        bool HasActiveView() const override { return false; }
    } probe{waitCursor, depthDuringRun};
    command.Run(kCmdReplay, probe);
    EXPECT_EQ(depthDuringRun, 1);
    EXPECT_EQ(waitCursor.depth, 0);
    EXPECT_EQ(waitCursor.begun, 1);
}

TEST_F(OperationDialogsTest, WithoutMemoryNoCommandOpensItsDialogOrRuns) {
    Record();
    fake.memory.failAll = true;
    command.Replay(dispatcher);
    command.Save();
    command.Recall(dispatcher);
    EXPECT_TRUE(dispatcher.runs.empty());
    EXPECT_EQ(waitCursor.begun, 0);
    EXPECT_TRUE(saveDialog.opened.empty());
    EXPECT_TRUE(recallDialog.shown.empty());
    EXPECT_EQ(Messages(), std::vector<int>(3, ui::kMsgShortOfMemory));
}

// --- 操作の保存: the name ------------------------------------------------------------------------

TEST_F(OperationDialogsTest, ARefusedNameKeepsTheDialogOpenForTheNextTry) {
    Record();
    SaveWith({Fields("bad/name"), Fields("good")});
    EXPECT_EQ(saveDialog.accepted, (std::vector<bool>{false, true}));
    EXPECT_EQ(Messages(), std::vector<int>{ui::kMsgBadFileName});
    EXPECT_TRUE(HomeHas("good.mac"));
    EXPECT_EQ(Recorder().MacroName(), "good");
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
        QuestionCase{"NewFileToolNotUsed", false, "other", kUserToolNotUsed, {}, {}, true, "other"},
        QuestionCase{"ExistingFileKeptOnCancel", true, "", 3, {kCancel}, {kOverwrite}, false, ""},
        QuestionCase{"EmptySlotBoundWithoutAQuestion", false, "", 3, {}, {}, true, "find1"},
        QuestionCase{"UsedSlotTakenOver", false, "other", 3, {kOk}, {kToolInUse}, true, "find1"},
        QuestionCase{
            "UsedSlotKeptOnCancel", false, "other", 3, {kCancel}, {kToolInUse}, false, "other"},
        QuestionCase{
            "SlotOfTheSameMacroNotAskedFor", true, "find1", 3, {kOk}, {kOverwrite}, true, "find1"},
        QuestionCase{"OverwriteYesToolNo",
                     true,
                     "other",
                     3,
                     {kOk, kCancel},
                     {kOverwrite, kToolInUse},
                     false,
                     "other"}),
    SituationName{});

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

// --- The initial fields of both dialogs -----------------------------------------------------

TEST_F(OperationDialogsTest, BothDialogsOpenEmptyAfterARecording) {
    SaveMacroFile("old", "x", "old comment");
    Record(); // a new recording forgets the macro's name
    saveDialog.answers.push_back({});
    command.Save();
    command.Recall(dispatcher);
    ASSERT_EQ(saveDialog.opened.size(), 1u);
    EXPECT_EQ(saveDialog.opened[0], SaveOperationValues{});
    ASSERT_EQ(recallDialog.shown.size(), 1u);
    EXPECT_EQ(recallDialog.shown[0].initialName, "");
    EXPECT_EQ(recallDialog.shown[0].initialComment, "");
}

TEST_F(OperationDialogsTest, BothDialogsOpenOnTheCurrentMacroAndItsComment) {
    SaveMacroFile("beta", "b", "second");
    SaveMacroFile("alpha", "a", "first");
    saveDialog.answers.push_back({});
    command.Save();
    command.Recall(dispatcher);
    ASSERT_EQ(saveDialog.opened.size(), 1u);
    EXPECT_EQ(saveDialog.opened[0], Fields("alpha", kNoUserToolChosen, "first"));
    ASSERT_EQ(recallDialog.shown.size(), 1u);
    EXPECT_EQ(recallDialog.shown[0].names, (std::vector<std::string>{"alpha", "beta"}));
    EXPECT_EQ(recallDialog.shown[0].initialName, "alpha");
    EXPECT_EQ(recallDialog.shown[0].initialComment, "first");
}

// --- 操作の呼出し ----------------------------------------------------------------------------

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
                   1}),
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
    ASSERT_EQ(Recorder().ListMacros().size(), 1u);
    EXPECT_EQ(Recorder().ListMacros()[0].comment, "apples");

    Record("pear"); // another recording in between
    application.RunUserTool(dispatcher, 3);
    ASSERT_EQ(dispatcher.runs.size(), 1u);
    EXPECT_EQ(dispatcher.runs[0].first, kCmdGlobalFind);
    EXPECT_EQ(dispatcher.runs[0].second, FindRecord("apple"));
}

} // namespace
} // namespace nelvix
