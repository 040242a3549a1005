// Converting files and buffers, and the work file.
#include "encoding/file_convert.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "support/test_files.h"
#include "ui/fake_platform.h"
#include "ui/message_ids.h"

namespace nelvix {
namespace {

using test::ReadFileBytes;
using test::TempDir;

std::string AsString(const ConvertedText& converted) {
    return std::string(reinterpret_cast<const char*>(converted.text.begin()), converted.text.size);
}

class FileConvert : public testing::Test {
protected:
    std::optional<ConvertedText> Convert(const std::string& bytes, int setting = 0) {
        return ConvertFileToSjis(fake.platform, dir.Write("in.txt", bytes), setting);
    }
    ui::FakePlatform fake;
    TempDir dir;
};

TEST_F(FileConvert, NothingWhenNoConversionIsNeededOrPossible) {
    EXPECT_FALSE(Convert(""));
    EXPECT_FALSE(Convert("x"));
    EXPECT_FALSE(Convert("abc\r\n\x82\xA0\r\n"));
    EXPECT_FALSE(Convert("\x1B$B$\"\x1B(B", 1)) << "the setting forces Shift-JIS";
    EXPECT_FALSE(ConvertFileToSjis(fake.platform, dir.PathOf("missing.txt"), 0));
    EXPECT_TRUE(fake.messageBox.shown.empty());
}

TEST_F(FileConvert, TextsPastTheOldTwoMebibyteLimitAreConverted) {
    std::string euc(3'000'000, 'a');
    euc[0] = '\xA4';
    euc[1] = '\xA2';
    std::optional<ConvertedText> converted = Convert(euc);
    ASSERT_TRUE(converted);
    EXPECT_EQ(converted->text.size, euc.size());
    EXPECT_EQ(AsString(*converted).substr(0, 3), "\x82\xA0"
                                                 "a");
}

TEST_F(FileConvert, OutOfMemoryShowsTheFixedBoxAndFallsBack) {
    fake.memory.failAll = true;
    EXPECT_FALSE(Convert("\xA4\xA2"));
    ASSERT_EQ(fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgOutOfMemory});
    EXPECT_TRUE(fake.messageBox.shown[0].style.systemModal);
}

TEST_F(FileConvert, FifoIsRefusedWithoutBlocking) {
    std::string fifo = dir.PathOf("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(ConvertFileToSjis(fake.platform, fifo, 0));
}

TEST_F(FileConvert, BufferHasNoLengthLimit) {
    std::string euc(3'000'000, '\xA4');
    std::optional<ConvertedText> converted = ConvertBufferToSjis(
        fake.platform, reinterpret_cast<const Byte*>(euc.data()), euc.size(), 0);
    ASSERT_TRUE(converted);
    EXPECT_EQ(converted->text.size, euc.size());
    const std::string sjis = "abc\r\n";
    EXPECT_FALSE(ConvertBufferToSjis(fake.platform, reinterpret_cast<const Byte*>(sjis.data()),
                                     sjis.size(), 0));
}

TEST_F(FileConvert, WorkFileHoldsTheConvertedCopy) {
    const std::string work = dir.PathOf("nelvix.1.wrk");
    std::string source = dir.Write("euc.txt", "\xA4\xA2\n");
    WorkFileConversion written = ConvertFileToWorkFile(fake.platform, source, 0, work);
    EXPECT_TRUE(written);
    EXPECT_EQ(ReadFileBytes(work), "\x82\xA0\r\n");

    // A shorter copy after a longer one leaves nothing of the longer behind.
    std::string longer = dir.Write("long.txt", std::string(1000, '\xA4') + "\n");
    EXPECT_TRUE(ConvertFileToWorkFile(fake.platform, longer, 0, work));
    EXPECT_TRUE(ConvertFileToWorkFile(fake.platform, source, 0, work));
    EXPECT_EQ(ReadFileBytes(work), "\x82\xA0\r\n");

    std::string sjis = dir.Write("sjis.txt", "abc\r\n");
    EXPECT_FALSE(ConvertFileToWorkFile(fake.platform, sjis, 0, work));
    EXPECT_FALSE(ConvertFileToWorkFile(fake.platform, source, 0, ""));
}

} // namespace
} // namespace nelvix
