// Confirming an editor or browser page: the refusals in their order, the equal entry moved to
// the front, the 21st entry dropped; and what the person hears and reads for each refusal.
#include "tools/tool_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/cp932.h"
#include "support/test_files.h"
#include "tools/tool_confirm.h"
#include "ui/fake_platform.h"
#include "ui/message_ids.h"

namespace nelvix {
namespace {

bool Exists(std::string_view) {
    return true;
}
bool Missing(std::string_view) {
    return false;
}

ToolEntry Entry(std::string program, std::string parameters = "$f", std::string directory = "") {
    return {std::move(program), std::move(parameters), std::move(directory)};
}

std::vector<ToolEntry> Numbered(int count) {
    std::vector<ToolEntry> list;
    for (int i = 0; i < count; ++i)
        list.push_back(Entry("/bin/tool" + std::to_string(i)));
    return list;
}

TEST(ToolList, RefusalsLeaveTheListAsItWas) {
    struct Case {
        const char* name;
        ToolEntry entry;
        bool exists;
        ToolEditResult expected;
    };
    const std::string long261(261, 'p');
    const Case cases[] = {
        {"empty program", Entry(""), true, ToolEditResult::EmptyProgram},
        {"empty program before a missing one", Entry("", std::string(300, 'x')), false,
         ToolEditResult::EmptyProgram},
        {"program of 261 bytes", Entry("/" + std::string(260, 'p')), true,
         ToolEditResult::ProgramTooLong},
        {"too long before missing", Entry(long261), false, ToolEditResult::ProgramTooLong},
        {"missing program", Entry("/no/such"), false, ToolEditResult::ProgramMissing},
        {"missing before long parameters", Entry("/no/such", long261), false,
         ToolEditResult::ProgramMissing},
        {"parameters of 261 bytes", Entry("/bin/ed", long261), true,
         ToolEditResult::ParametersTooLong},
        {"parameters before the directory", Entry("/bin/ed", long261, long261), true,
         ToolEditResult::ParametersTooLong},
        {"directory of 261 bytes", Entry("/bin/ed", "$f", long261), true,
         ToolEditResult::DirectoryTooLong},
    };
    for (const Case& c : cases) {
        std::vector<ToolEntry> list = Numbered(3);
        EXPECT_EQ(EditToolList(list, c.entry, c.exists ? Exists : Missing), c.expected) << c.name;
        EXPECT_EQ(list, Numbered(3)) << c.name;
    }
}

TEST(ToolList, FieldsOf260BytesAreTaken) {
    std::vector<ToolEntry> list;
    const ToolEntry entry{"/" + std::string(259, 'p'), std::string(260, 'a'),
                          std::string(260, 'd')};
    EXPECT_EQ(EditToolList(list, entry, Exists), ToolEditResult::Added);
    EXPECT_EQ(list, std::vector<ToolEntry>{entry});
}

TEST(ToolList, AnEntryComesFirstOnceAndTheTwentyFirstDropsTheOldest) {
    struct Case {
        const char* name;
        int listed; ///< tool0 .. tool(n-1) before
        std::vector<std::string> added;
        std::vector<std::string> expected; ///< the programs afterwards, in order
    };
    std::vector<std::string> full{"/bin/new"};
    for (int i = 0; i < 19; ++i)
        full.push_back("/bin/tool" + std::to_string(i));
    std::vector<std::string> moved = full;
    moved.front() = "/bin/tool19";
    const Case cases[] = {
        {"a new entry", 2, {"/bin/new"}, {"/bin/new", "/bin/tool0", "/bin/tool1"}},
        {"the same entry twice",
         3,
         {"/bin/tool2", "/bin/tool2"},
         {"/bin/tool2", "/bin/tool0", "/bin/tool1"}},
        {"the twenty-first entry", 20, {"/bin/new"}, full},
        {"an equal entry in a full list", 20, {"/bin/tool19"}, moved},
    };
    for (const Case& c : cases) {
        std::vector<ToolEntry> list = Numbered(c.listed);
        for (const std::string& program : c.added)
            EXPECT_EQ(EditToolList(list, Entry(program), Exists), ToolEditResult::Added) << c.name;
        std::vector<ToolEntry> expected;
        for (const std::string& program : c.expected)
            expected.push_back(Entry(program));
        EXPECT_EQ(list, expected) << c.name;
    }
}

TEST(ToolList, EntriesDifferingInOneFieldOrInCaseAreKept) {
    std::vector<ToolEntry> list;
    for (const ToolEntry& entry : {Entry("/bin/ed"), Entry("/bin/ED"), Entry("/bin/ed", "$F"),
                                   Entry("/bin/ed", "$f", "/tmp")})
        EXPECT_EQ(EditToolList(list, entry, Exists), ToolEditResult::Added);
    EXPECT_EQ(list.size(), 4u);
}

TEST(ToolConfirm, BeepsAndTheMissingProgramsMessage) {
    struct Case {
        const char* name;
        ToolEntry entry;
        bool exists;
        int beeps;
        std::vector<int> messages;
    };
    const Case cases[] = {
        {"taken", Entry("/bin/ed"), true, 0, {}},
        {"empty program: silent", Entry(""), true, 0, {}},
        {"too long", Entry(std::string(261, 'p')), true, 1, {}},
        {"missing", Entry("/no/such"), false, 1, {ui::kMsgFileNotFound}},
        {"long parameters", Entry("/bin/ed", std::string(261, 'a')), true, 1, {}},
        {"long directory", Entry("/bin/ed", "", std::string(261, 'd')), true, 1, {}},
    };
    for (const Case& c : cases) {
        ui::FakePlatform fake;
        std::vector<ToolEntry> list;
        ConfirmToolEntry(fake.platform, list, c.entry, c.exists ? Exists : Missing);
        EXPECT_EQ(fake.beeper.beeps, c.beeps) << c.name;
        EXPECT_EQ(fake.messageBox.ShownIds(), c.messages) << c.name;
    }
}

TEST(ToolConfirm, ProgramFileExistsOnDisk) {
    test::TempDir dir;
    const std::string file = dir.Write("tool", "#!/bin/sh\n");
    const std::string japanese = dir.Write("道具", "#!/bin/sh\n");
    EXPECT_TRUE(ProgramFileExists(file));
    EXPECT_TRUE(ProgramFileExists(Sjis(japanese)));
    EXPECT_FALSE(ProgramFileExists(dir.PathOf("none")));
    EXPECT_FALSE(ProgramFileExists(dir.Path()));

    std::vector<ToolEntry> list;
    ui::FakePlatform fake;
    EXPECT_EQ(ConfirmToolEntry(fake.platform, list, Entry(dir.PathOf("none"))),
              ToolEditResult::ProgramMissing);
    EXPECT_EQ(ConfirmToolEntry(fake.platform, list, Entry(file)), ToolEditResult::Added);
    EXPECT_EQ(list.size(), 1u);
}

} // namespace
} // namespace nelvix
