// Whole-file reading and writing, and the atomic replacement under it.
#include "files/whole_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "files/atomic_write.h"
#include "support/test_files.h"
#include "ui/fake_platform.h"
#include "ui/message_ids.h"

namespace nelvix {
namespace {

using namespace std::string_literals;

class WholeFileTest : public testing::Test {
protected:
    bool Write(const std::string& path, std::string_view bytes, bool append = false) {
        return WriteWholeFile(path, reinterpret_cast<const Byte*>(bytes.data()), bytes.size(),
                              append);
    }

    ui::FakePlatform fake;
    test::TempDir dir;
};

TEST_F(WholeFileTest, ReadOfWriteGivesTheBytesAndTenZeroedSpareBytes) {
    std::string everyByte;
    for (int i = 0; i < 256 * 40; ++i)
        everyByte += static_cast<char>(i * 7);
    for (const std::string& bytes : {""s, "ab\0cd"s, everyByte}) {
        SCOPED_TRACE(bytes.size());
        const std::string path = dir.PathOf("round");
        ASSERT_TRUE(Write(path, bytes));
        std::optional<ByteBlock> block = ReadWholeFile(fake.platform, path);
        ASSERT_TRUE(block.has_value());
        EXPECT_EQ(std::string(block->begin(), block->end()), bytes);
        for (std::size_t i = 0; i < kWholeFileSpareBytes; ++i)
            EXPECT_EQ(block->data.get()[bytes.size() + i], 0) << i;
    }
    EXPECT_TRUE(fake.messageBox.shown.empty());
}

TEST_F(WholeFileTest, MissingFileOrDirectoryGivesNothingWithoutMessage) {
    EXPECT_FALSE(ReadWholeFile(fake.platform, dir.PathOf("missing")).has_value());
    EXPECT_FALSE(ReadWholeFile(fake.platform, dir.Path()).has_value());
    EXPECT_TRUE(fake.messageBox.shown.empty());
}

TEST_F(WholeFileTest, TwentyMebibytesIsTheLargestAccepted) {
    const std::string path = dir.PathOf("big");
    std::filesystem::resize_file(dir.Write("big", ""), kWholeFileLimitBytes);
    std::optional<ByteBlock> block = ReadWholeFile(fake.platform, path);
    ASSERT_TRUE(block.has_value());
    EXPECT_EQ(block->size, kWholeFileLimitBytes);
    std::filesystem::resize_file(path, kWholeFileLimitBytes + 1);
    EXPECT_FALSE(ReadWholeFile(fake.platform, path).has_value());
    EXPECT_TRUE(fake.messageBox.shown.empty());
}

TEST_F(WholeFileTest, NeverReadsPastTheLengthTakenAtOpening) {
    // /proc files report a length of 0 and still deliver bytes, as a file that grew would.
    std::optional<ByteBlock> block = ReadWholeFile(fake.platform, "/proc/self/status");
    ASSERT_TRUE(block.has_value());
    EXPECT_EQ(block->size, 0u);
}

TEST_F(WholeFileTest, OutOfMemoryShowsTheVanduBox) {
    const std::string path = dir.Write("m", "abc");
    fake.memory.failAll = true;
    EXPECT_FALSE(ReadWholeFile(fake.platform, path).has_value());
    ASSERT_EQ(fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgOutOfMemory});
    EXPECT_EQ(fake.messageBox.shown[0].caption, "Vandu") << "the whole-file reader's variant";
}

TEST_F(WholeFileTest, WriteCreatesTruncatesAndAppends) {
    const std::string path = dir.PathOf("w.txt");
    EXPECT_TRUE(Write(path, "a long first text", true)) << "appending creates a missing file";
    EXPECT_EQ(test::ReadFileBytes(path), "a long first text");
    EXPECT_TRUE(Write(path, "short"));
    EXPECT_EQ(test::ReadFileBytes(path), "short");
    EXPECT_TRUE(Write(path, " more", true));
    EXPECT_EQ(test::ReadFileBytes(path), "short more");
    EXPECT_FALSE(Write(dir.PathOf("none/x"), "x"));
    EXPECT_FALSE(Write(dir.PathOf("none/x"), "x", true));
}

TEST_F(WholeFileTest, CopyWholeFile) {
    const std::string source = dir.Write("src.ini", "[Settings]\r\n");
    const std::string target = dir.PathOf("copy.ini");
    EXPECT_TRUE(CopyWholeFile(fake.platform, target, source));
    EXPECT_EQ(test::ReadFileBytes(target), "[Settings]\r\n");
    EXPECT_FALSE(CopyWholeFile(fake.platform, dir.PathOf("c2"), dir.PathOf("missing")));
    EXPECT_FALSE(std::filesystem::exists(dir.PathOf("c2")));
}

// The atomic replacement.

TEST_F(WholeFileTest, AtomicWriteKeepsOldPermissionsGivesNewFilesTheUsualAndLeavesNoTemporary) {
    const std::string old = dir.Write("p.txt", "old");
    const std::string fresh = dir.PathOf("fresh.txt");
    ASSERT_EQ(::chmod(old.c_str(), 0604), 0);
    const mode_t mask = ::umask(022);
    const bool replaced = WriteFileAtomically(old, reinterpret_cast<const Byte*>("new"), 3);
    const bool created = WriteFileAtomically(fresh, reinterpret_cast<const Byte*>("x"), 1);
    ::umask(mask);
    ASSERT_TRUE(replaced && created);
    struct stat info {};
    ASSERT_EQ(::stat(old.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0604u);
    ASSERT_EQ(::stat(fresh.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0644u);
    EXPECT_EQ(test::ReadFileBytes(old), "new");
    EXPECT_EQ(test::NamesIn(dir.Path()), (std::vector<std::string>{"fresh.txt", "p.txt"}));
}

} // namespace
} // namespace nelvix
