// The global find dialog's OK checks at their byte limits, and the file box after a directory
// change.
#include "commands/global_find_checks.h"

#include <gtest/gtest.h>

#include "ui/message_ids.h"

namespace nelvix {
namespace {

struct CheckCase {
    const char* name;
    std::size_t patternBytes;
    std::size_t fileBoxBytes;
    GlobalFindCheck expected;
};

constexpr GlobalFindCheck kOk{};
constexpr GlobalFindCheck kPatternTooLong{false, ui::kMsgPatternTooLong, false,
                                          GlobalFindField::Pattern};
constexpr GlobalFindCheck kPatternEmpty{false, 0, true, GlobalFindField::Pattern};
constexpr GlobalFindCheck kFileBoxTooLong{false, ui::kMsgBadPathName, false,
                                          GlobalFindField::FileBox};
constexpr GlobalFindCheck kFileBoxEmpty{false, 0, true, GlobalFindField::FileBox};

const CheckCase kCheckCases[] = {
    {"pattern of 80 bytes is taken", 80, 3, kOk},
    {"pattern of 81 bytes shows 59413", 81, 3, kPatternTooLong},
    {"empty pattern beeps", 0, 3, kPatternEmpty},
    {"pattern is checked before the file box", 81, 0, kPatternTooLong},
    {"file box of 260 bytes is taken", 1, 260, kOk},
    {"file box of 261 bytes shows 59401", 1, 261, kFileBoxTooLong},
    {"empty file box beeps", 1, 0, kFileBoxEmpty},
};

TEST(GlobalFindChecks, RefuseAtTheLimitsAndFocusTheField) {
    for (const CheckCase& c : kCheckCases) {
        ui::GlobalFindValues values;
        values.pattern.assign(c.patternBytes, 'a');
        values.fileBox.assign(c.fileBoxBytes, 'f');
        EXPECT_EQ(CheckGlobalFindValues(values), c.expected) << c.name;
    }
}

TEST(GlobalFindChecks, PatternLimitCountsBytesNotCharacters) {
    ui::GlobalFindValues values;
    values.fileBox = "*.txt";
    values.pattern.assign(80, '\x82'); // 40 double-byte characters
    EXPECT_TRUE(CheckGlobalFindValues(values).ok);
    values.pattern += 'a';
    EXPECT_EQ(CheckGlobalFindValues(values), kPatternTooLong);
}

struct DirectoryCase {
    const char* fileBox;
    const char* expected;
};

const DirectoryCase kDirectoryCases[] = {
    {"/home/a/*.txt", "*.*"}, {"\"/home/my docs\"/*.txt *.h", "*.*"}, {"*.txt *.h", "*.txt *.h"},
    {"sub/*.c", "sub/*.c"},   {"\"my docs\"/*.c", "\"my docs\"/*.c"}, {"", ""},
};

TEST(GlobalFindChecks, DirectoryChangeResetsAnAbsoluteFileBox) {
    for (const DirectoryCase& c : kDirectoryCases)
        EXPECT_EQ(FileBoxAfterDirectoryChange(c.fileBox), c.expected) << c.fileBox;
}

} // namespace
} // namespace nelvix
