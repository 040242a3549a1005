// Recording, replay, macro files in the program home, and the user-tool slots.
#include "record/operation_recorder.h"

#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "base/cp932.h"
#include "record/command_table.h"
#include "record/macro_file.h"
#include "support/non_regular_files.h"
#include "support/test_files.h"
#include "ui/fake_platform.h"
#include "ui/message_ids.h"

namespace nelvix {
namespace {

struct RanCommand {
    int id;
    std::string data;
};

class FakeDispatcher final : public CommandDispatcher {
public:
    explicit FakeDispatcher(const OperationRecorder& recorder) : m_recorder(recorder) {}
    void RunCommand(int commandId) override {
        const auto data = m_recorder.CurrentReplayRecord();
        ran.push_back({commandId, std::string(data.begin(), data.end())});
        if (onRun)
            onRun();
    }
    bool HasActiveView() const override { return activeView; }

    std::vector<RanCommand> ran;
    std::function<void()> onRun;
    bool activeView = false;

private:
    const OperationRecorder& m_recorder;
};

struct Fixture {
    ui::FakePlatform fake;
    test::TempDir home;
    std::array<std::string, 5> tools;
    OperationRecorder recorder{fake.platform, home.Path(), tools};
    FakeDispatcher dispatcher{recorder};

    void Record(int commandId, std::string_view data) {
        recorder.RecordCommand(true, commandId, reinterpret_cast<const Byte*>(data.data()),
                               data.size());
    }
};

std::string Image(std::int32_t version, const std::string& comment, const std::string& records,
                  std::int32_t count) {
    MacroHeader header;
    header.recordCount = count;
    header.comment = comment;
    std::vector<Byte> image =
        BuildMacroImage(header, {reinterpret_cast<const Byte*>(records.data()), records.size()});
    image[12] = static_cast<Byte>(version);
    image[13] = static_cast<Byte>(version >> 8);
    return std::string(image.begin(), image.end());
}

std::string Record(std::int32_t type, std::int32_t code, std::int32_t length,
                   std::string_view data) {
    std::string out;
    for (std::int32_t value : {type, code, length})
        for (int shift = 0; shift < 32; shift += 8)
            out.push_back(static_cast<char>(static_cast<std::uint32_t>(value) >> shift));
    out += data;
    return out;
}

TEST(OperationRecorderTest, RecordsCodesAndReplaysCommandsWithTheirData) {
    struct Case {
        const char* name;
        int commandId;
        std::int32_t code;
        int replayedId;
    };
    const Case cases[] = {
        {"global find", kCmdGlobalFind, 5, kCmdGlobalFind},
        {"line extraction", kCmdLineExtraction, 56, kCmdLineExtraction},
        {"global extraction", kCmdGlobalExtraction, 57, kCmdGlobalExtraction},
        {"unknown command", 40000, 59, kCmdUnusedSlot},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.Record(c.commandId, "params");
        EXPECT_FALSE(f.recorder.IsRecording()) << c.name;
        ASSERT_TRUE(f.recorder.HasRecord()) << c.name;
        ASSERT_TRUE(f.recorder.SaveMacro("m", "")) << c.name;
        const std::string file = test::ReadFileBytes(f.home.PathOf("m.mac"));
        EXPECT_EQ(file.substr(17), Record(512, c.code, 6, "params")) << c.name;

        f.recorder.Replay(f.dispatcher);
        ASSERT_EQ(f.dispatcher.ran.size(), 1u) << c.name;
        EXPECT_EQ(f.dispatcher.ran[0].id, c.replayedId) << c.name;
        EXPECT_EQ(f.dispatcher.ran[0].data, "params") << c.name;
        EXPECT_FALSE(f.recorder.IsReplaying()) << c.name;
        EXPECT_TRUE(f.recorder.CurrentReplayRecord().empty()) << c.name;
    }
}

TEST(OperationRecorderTest, RefusesWhatWouldOverflowOrRecurse) {
    Fixture f;
    const std::string fits(kRecordBufferBytes - 12, 'x');
    f.recorder.StartRecording();
    EXPECT_TRUE(f.recorder.RecordOperation(
        512, kCmdGlobalFind, reinterpret_cast<const Byte*>(fits.data()), fits.size()));
    EXPECT_FALSE(f.recorder.RecordOperation(512, kCmdGlobalFind, nullptr, 0)); // 12 bytes more
    EXPECT_EQ(f.fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgRecordBufferFull});
    EXPECT_FALSE(f.recorder.IsRecording());
    EXPECT_TRUE(f.recorder.HasRecord());

    f.Record(kCmdGlobalFind, std::string(kRecordBufferBytes - 11, 'x'));
    EXPECT_EQ(f.fake.messageBox.ShownIds().size(), 2u);
    EXPECT_FALSE(f.recorder.IsRecording());
    EXPECT_FALSE(f.recorder.HasRecord());

    // A replayed command neither records nor starts another replay.
    f.Record(kCmdGlobalFind, "a");
    f.dispatcher.onRun = [&f] {
        f.Record(kCmdLineExtraction, "b");
        f.recorder.Replay(f.dispatcher);
    };
    f.recorder.Replay(f.dispatcher);
    EXPECT_EQ(f.dispatcher.ran.size(), 1u);
    EXPECT_EQ(f.fake.beeper.beeps, 1);
    f.dispatcher.onRun = nullptr;
    f.recorder.Replay(f.dispatcher);
    EXPECT_EQ(f.dispatcher.ran.back().data, "a");
}

TEST(OperationRecorderTest, ShortOfMemoryDoesNothing) {
    Fixture f;
    f.fake.memory.failAll = true;
    f.Record(kCmdGlobalFind, "a");
    EXPECT_FALSE(f.recorder.HasRecord());
    f.tools[0] = "m";
    f.home.Write("m.mac", Image(200, "", Record(512, 5, 0, ""), 1));
    f.recorder.RunUserTool(f.dispatcher, 1);
    EXPECT_TRUE(f.dispatcher.ran.empty());
    EXPECT_EQ(f.fake.messageBox.ShownIds(),
              (std::vector<int>{ui::kMsgShortOfMemory, ui::kMsgShortOfMemory}));
}

TEST(OperationRecorderTest, LoadsOnlySoundMacroFiles) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<int> ran;
        bool listed;
        bool activeView = false;
    };
    const std::string two = Record(512, 5, 1, "a") + Record(512, 56, 0, "");
    const Case cases[] = {
        {"two records", Image(200, "c", two, 2), {kCmdGlobalFind, kCmdLineExtraction}, true},
        {"version 100", Image(100, "c", two, 2), {}, false},
        {"records cut short", Image(200, "c", two, 2).substr(0, 30), {}, true},
        {"length past the records", Image(200, "c", Record(512, 5, 200, "a") + two, 3), {}, true},
        {"second record damaged",
         Image(200, "c", Record(512, 5, 0, "") + Record(512, 5, 99, ""), 2),
         {kCmdGlobalFind},
         true},
        {"other type with no view",
         Image(200, "c", Record(7, 0, 0, "") + two, 3),
         {kCmdGlobalFind, kCmdLineExtraction},
         true},
        {"other type with a view ends the replay",
         Image(200, "c", Record(512, 5, 0, "") + Record(7, 0, 0, "") + two, 4),
         {kCmdGlobalFind},
         true,
         true},
        {"unknown and second global-find codes",
         Image(200, "c", Record(512, 58, 0, "") + Record(512, 60, 0, "") + Record(512, -1, 0, ""),
               3),
         {kCmdGlobalFind, kCmdUnusedSlot, kCmdUnusedSlot},
         true},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.dispatcher.activeView = c.activeView;
        f.Record(kCmdGlobalExtraction, "old");
        f.home.Write("m.mac", c.bytes);
        const bool loads = f.recorder.LoadMacro("m");
        EXPECT_EQ(f.recorder.MacroName(), loads ? "m" : "") << c.name;
        f.recorder.Replay(f.dispatcher);
        std::vector<int> ran;
        for (const RanCommand& command : f.dispatcher.ran)
            ran.push_back(command.id);
        // A refused file leaves the operation recorded before it.
        EXPECT_EQ(ran, loads ? c.ran : std::vector<int>{kCmdGlobalExtraction}) << c.name;
        EXPECT_EQ(f.recorder.ListMacros().size(), c.listed ? 1u : 0u) << c.name;
    }
}

TEST(OperationRecorderTest, SavesLoadsAndListsUnderTheirNames) {
    Fixture f;
    f.Record(kCmdGlobalFind, "params");
    for (const char* name : {"find1", "find1.mac", "a.txt"})
        EXPECT_TRUE(f.recorder.SaveMacro(name, Sjis("検索"))) << name;
    f.home.Write("B.MAC", Image(200, "upper", "", 0));
    f.home.Write("notes.txt", Image(200, "", "", 0));

    const std::vector<MacroEntry> list = f.recorder.ListMacros();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].name, "B.MAC"); // "B" would lead to b.mac, another file here
    EXPECT_EQ(list[1].name, "a.txt");
    EXPECT_EQ(list[2].name, "find1");
    EXPECT_EQ(list[2].comment, Sjis("検索"));
    for (const MacroEntry& entry : list)
        EXPECT_TRUE(f.recorder.LoadMacro(entry.name)) << entry.name;

    f.recorder.StartRecording();
    EXPECT_FALSE(f.recorder.HasRecord());
    ASSERT_TRUE(f.recorder.LoadMacro("find1"));
    f.recorder.Replay(f.dispatcher);
    ASSERT_EQ(f.dispatcher.ran.size(), 1u);
    EXPECT_EQ(f.dispatcher.ran[0].data, "params");
}

TEST(OperationRecorderTest, NamesThatCannotBeMacroFiles) {
    Fixture f;
    f.Record(kCmdGlobalFind, "x");
    const std::size_t room = 259 - (f.home.Path().size() + std::string("/nelvix.exe").size());
    struct Case {
        const char* name;
        std::string macroName;
        int exists;
    };
    const Case cases[] = {
        {"missing", "nothing", 0},
        {"longest name", std::string(room, 'n'), 0},
        {"one byte too long", std::string(room + 1, 'n'), 2},
        {"directory part", "sub/x", 2},
        {"absolute", "/tmp/x", 2},
        {"parent", "..", 2},
        {"NUL", std::string("a\0b", 3), 2},
        {"escape pair for '/'",
         "a\xF1\x6F"
         "b",
         2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(f.recorder.MacroExists(c.macroName), c.exists) << c.name;
        EXPECT_EQ(IsValidMacroName(f.recorder, c.macroName), c.exists != 2) << c.name;
        EXPECT_EQ(f.recorder.LoadMacro(c.macroName), false) << c.name;
    }
    EXPECT_FALSE(IsValidMacroName(f.recorder, ""));
    EXPECT_FALSE(f.recorder.SaveMacro("../escape", ""));
    EXPECT_EQ(f.fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgMacroWriteError});
    EXPECT_EQ(f.recorder.MacroExists("../escape"), 2);
}

TEST(OperationRecorderTest, AMacroNameHoldingSomethingThatIsNotAFileIsLeftAlone) {
    for (const test::NonRegularKind kind : test::kNonRegularKinds) {
        for (const bool throughLink : {true, false}) {
            Fixture f;
            f.Record(kCmdGlobalFind, "x");
            test::TempDir elsewhere;
            const std::optional<test::Planted> planted =
                test::Plant(kind, f.home.PathOf("m.mac"),
                            throughLink ? std::optional(elsewhere.PathOf("thing")) : std::nullopt);
            if (!planted)
                continue;
            EXPECT_FALSE(f.recorder.SaveMacro("m", "")) << planted->situation;
            EXPECT_EQ(f.fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgMacroWriteError})
                << planted->situation;
            EXPECT_TRUE(planted->LeftAlone()) << planted->situation;
        }
    }
}

TEST(OperationRecorderTest, UserToolSlots) {
    Fixture f;
    f.home.Write("find1.mac", Image(200, "", Record(512, 5, 2, "p1"), 1));
    const std::string fifty = std::string(39, 'a') + std::string(11, '\x88');
    f.tools = {"find1", "", "find1", fifty, "gone"};
    struct Case {
        int slot;
        std::string menu;
        std::string tip;
        bool enabled;
    };
    const Case cases[] = {
        {1, "Find1\tCtrl+1", "Find1", true},
        {2, Sjis("ﾕｰｻﾞﾂｰﾙ2") + "\tCtrl+2", "", false},
        {3, "Find1\tCtrl+3", "Find1", true},
        {4, "A" + std::string(38, 'a') + "\tCtrl+4", "A" + std::string(38, 'a'), true},
        {0, "", "", false},
        {6, "", "", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(f.recorder.UserToolMenuText(c.slot), c.menu) << c.slot;
        EXPECT_EQ(f.recorder.UserToolTip(c.slot), c.tip) << c.slot;
        EXPECT_EQ(f.recorder.UserToolEnabled(c.slot), c.enabled) << c.slot;
    }

    f.recorder.RunUserTool(f.dispatcher, 3);
    ASSERT_EQ(f.dispatcher.ran.size(), 1u);
    EXPECT_EQ(f.dispatcher.ran[0].data, "p1");
    EXPECT_EQ(f.recorder.MacroName(), "find1");
    f.recorder.RunUserTool(f.dispatcher, 2);
    EXPECT_EQ(f.dispatcher.ran.size(), 1u);

    f.recorder.CheckUserTools();
    EXPECT_EQ(f.tools, (std::array<std::string, 5>{"find1", "", "find1", "", ""}));
}

} // namespace
} // namespace nelvix
