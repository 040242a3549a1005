// Replacing files: only regular files are ever replaced, links to them are followed, a failure
// at any step leaves the target and no temporary, and two files change together or not at all.
#include "files/atomic_write.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "files/whole_file.h"
#include "support/injected_file_faults.h"
#include "support/non_regular_files.h"
#include "support/test_files.h"

namespace nelvix {
namespace {

bool Write(const std::string& path, std::string_view bytes) {
    return WriteFileAtomically(path, reinterpret_cast<const Byte*>(bytes.data()), bytes.size());
}

StagedFile::Outcome Stage(StagedFile& file, const std::string& path, std::string_view bytes) {
    return file.Stage(path, reinterpret_cast<const Byte*>(bytes.data()), bytes.size());
}

TEST(StagedFileTest, ALinkedOrPlacedDeviceFifoSocketOrFolderIsNeverReplaced) {
    using test::NonRegularKind;
    struct Row {
        NonRegularKind kind;
        int linkHops; // 0: the thing itself at the name; else through this many links
    };
    std::vector<Row> rows;
    for (NonRegularKind kind : {NonRegularKind::Fifo, NonRegularKind::Socket,
                                NonRegularKind::Device, NonRegularKind::Folder})
        for (int hops : {0, 1, 2})
            rows.push_back({kind, hops});
    for (const Row& row : rows) {
        const std::string situation = std::string(test::NonRegularKindName(row.kind)) + " behind " +
                                      std::to_string(row.linkHops) + " links";
        test::TempDir dir;
        const std::string thing = dir.PathOf("thing");
        if (!test::MakeNonRegularFile(row.kind, thing)) {
            std::cout << "[ SKIPPED ] " << situation << ": cannot be made here\n";
            continue;
        }
        std::string name = thing;
        for (int hop = 0; hop < row.linkHops; ++hop) {
            const std::string link = dir.PathOf("link" + std::to_string(hop));
            ASSERT_EQ(::symlink(name.c_str(), link.c_str()), 0);
            name = link;
        }
        const std::vector<std::string> namesBefore = test::NamesIn(dir.Path());
        const auto nameBefore = test::IdentityOf(name);
        const auto thingBefore = test::IdentityOf(thing);

        errno = 0;
        EXPECT_FALSE(Write(name, "replacement")) << situation;
        EXPECT_EQ(errno, row.kind == NonRegularKind::Folder ? EISDIR : EINVAL) << situation;
        EXPECT_FALSE(WriteWholeFile(name, reinterpret_cast<const Byte*>("x"), 1, true))
            << situation << ", appended to";
        EXPECT_EQ(test::IdentityOf(name), nameBefore) << situation;
        EXPECT_EQ(test::IdentityOf(thing), thingBefore) << situation;
        EXPECT_EQ(test::NamesIn(dir.Path()), namesBefore) << situation << ": no temporary left";
    }
}

TEST(StagedFileTest, ALinkToARegularFileOrToAFreeNameIsFollowedAndStays) {
    struct Row {
        const char* situation;
        const char* linkText; // relative to the folder "links", which holds the link
        const char* target;   // where the bytes must land, relative to the test folder
        bool targetExists;
    };
    const std::vector<Row> rows = {
        {"absolute link", nullptr, "target.txt", true},
        {"relative link", "../target.txt", "target.txt", true},
        {"link to a link", "chain", "target.txt", true},
        {"link to a name not there yet", "../fresh.txt", "fresh.txt", false},
    };
    for (const Row& row : rows) {
        test::TempDir dir;
        std::filesystem::create_directory(dir.PathOf("links"));
        const std::string target = dir.PathOf(row.target);
        if (row.targetExists)
            dir.Write(row.target, "old");
        ASSERT_EQ(::symlink(target.c_str(), dir.PathOf("links/chain").c_str()), 0);
        const std::string link = dir.PathOf("links/name");
        const std::string linkText = row.linkText != nullptr ? row.linkText : target;
        ASSERT_EQ(::symlink(linkText.c_str(), link.c_str()), 0);

        EXPECT_TRUE(Write(link, "new")) << row.situation;
        EXPECT_TRUE(std::filesystem::is_symlink(link)) << row.situation;
        EXPECT_EQ(test::ReadFileBytes(target), "new") << row.situation;
        EXPECT_EQ(test::NamesIn(dir.PathOf("links")), (std::vector<std::string>{"chain", "name"}))
            << row.situation;
    }
}

TEST(StagedFileTest, AReadOnlyOrFullDiskOrAFailedRenameLeavesTheTargetAndNoTemporary) {
    for (const test::WriteFault& row : test::kWriteFaults) {
        test::TempDir dir;
        const std::string path = dir.Write("t.txt", "intact");
        test::InjectedFileFaults faults;
        faults.Fail(row.step, "", row.error);
        errno = 0;
        EXPECT_FALSE(Write(path, "replacement")) << row.situation;
        EXPECT_EQ(errno, row.error) << row.situation;
        EXPECT_EQ(faults.failures, 1) << row.situation;
        EXPECT_EQ(test::ReadFileBytes(path), "intact") << row.situation;
        EXPECT_EQ(test::NamesIn(dir.Path()), std::vector<std::string>{"t.txt"}) << row.situation;
    }
}

TEST(StagedFileTest, TwoFilesChangeTogetherOrNotAtAll) {
    struct Row {
        const char* situation;
        bool firstExists;
        bool secondExists;
        int failingRename; // 0 none, 1 the first file's, 2 the second's
        bool hardLinks = true;
    };
    const std::vector<Row> rows = {
        {"both replaced", true, true, 0},
        {"both created", false, false, 0},
        {"first rename fails", true, true, 1},
        {"second rename fails, first put back", true, true, 2},
        {"second rename fails, new first removed", false, true, 2},
        {"second rename of a new file fails", true, false, 2},
        {"second rename fails without hard links, first put back from a copy", true, true, 2,
         false},
    };
    for (const Row& row : rows) {
        test::TempDir dir;
        const std::string first = dir.PathOf("a.txt");
        const std::string second = dir.PathOf("a.ATR");
        if (row.firstExists) {
            dir.Write("a.txt", "old text");
            ::chmod(first.c_str(), 0640);
        }
        if (row.secondExists)
            dir.Write("a.ATR", "old marks");
        const std::vector<std::string> namesBefore = test::NamesIn(dir.Path());
        test::InjectedFileFaults faults;
        if (row.failingRename != 0)
            faults.Fail(FileStep::Rename, row.failingRename == 1 ? "a.txt" : "a.ATR", EIO);
        if (!row.hardLinks)
            faults.Fail(FileStep::Link, "", EPERM);

        bool committed = false;
        {
            StagedFile text;
            StagedFile marks;
            ASSERT_EQ(Stage(text, first, "new text"), StagedFile::Outcome::Staged);
            ASSERT_EQ(Stage(marks, second, "new marks"), StagedFile::Outcome::Staged);
            committed = CommitBoth(text, marks);
        }
        EXPECT_EQ(committed, row.failingRename == 0) << row.situation;
        if (committed) {
            EXPECT_EQ(test::ReadFileBytes(first), "new text") << row.situation;
            EXPECT_EQ(test::ReadFileBytes(second), "new marks") << row.situation;
        } else {
            EXPECT_EQ(test::ReadFileBytes(first), row.firstExists ? "old text" : "")
                << row.situation;
            EXPECT_EQ(std::filesystem::exists(first), row.firstExists) << row.situation;
            EXPECT_EQ(test::ReadFileBytes(second), row.secondExists ? "old marks" : "")
                << row.situation;
        }
        if (row.firstExists) {
            struct stat info {};
            ASSERT_EQ(::stat(first.c_str(), &info), 0);
            EXPECT_EQ(info.st_mode & 07777, 0640u) << row.situation;
        }
        const std::vector<std::string> bothNames = {"a.ATR", "a.txt"};
        EXPECT_EQ(test::NamesIn(dir.Path()), committed ? bothNames : namesBefore)
            << row.situation << ": no temporary left";
    }
}

} // namespace
} // namespace nelvix
