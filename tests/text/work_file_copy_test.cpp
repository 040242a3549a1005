// The converted copy of a text: the work file made anew and exclusively, never written through
// something planted at its name, and a copy in memory when the work file cannot be written.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "encoding/file_convert.h"
#include "support/test_files.h"
#include "text/text_document.h"
#include "ui/fake_platform.h"

namespace nelvix {
namespace {

constexpr const char* kEuc = "\xA4\xA2\n\xC5\xEC\xB5\xFE\n"; // あ, 東京 with LF
constexpr const char* kSjis = "\x82\xA0\r\n\x93\x8C\x8B\x9E\r\n";

class WorkFileCopy : public testing::Test {
protected:
    test::TempDir dir;
    ui::FakePlatform fake;
    std::string source = dir.Write("euc.txt", kEuc);
};

TEST_F(WorkFileCopy, ALinkPlantedAtTheWorkFilesNameIsNeverWrittenThrough) {
    const std::string victim = dir.Write("victim.txt", "keep me");
    const std::string work = dir.PathOf("nelvix.1.wrk");
    ASSERT_EQ(::symlink(victim.c_str(), work.c_str()), 0);

    const WorkFileConversion conversion = ConvertFileToWorkFile(fake.platform, source, 0, work);
    ASSERT_TRUE(conversion);
    EXPECT_EQ(conversion.path, work);
    EXPECT_EQ(test::ReadFileBytes(victim), "keep me");
    struct stat info {};
    ASSERT_EQ(::lstat(work.c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
    EXPECT_EQ(test::ReadFileBytes(work), kSjis);
}

TEST_F(WorkFileCopy, AWorkFileThatCannotBeWrittenGivesACopyInMemory) {
    // A home that cannot take the file (here: a folder that is not there) stands for a full
    // disk: the text is still read as what it is, and nothing is shown.
    const std::string work = dir.PathOf("no-such-folder/nelvix.1.wrk");
    const WorkFileConversion conversion = ConvertFileToWorkFile(fake.platform, source, 0, work);
    ASSERT_TRUE(conversion);
    EXPECT_NE(conversion.path, work);
    EXPECT_EQ(test::ReadFileBytes(conversion.path), kSjis);
    EXPECT_TRUE(fake.messageBox.shown.empty());

    DocumentEnvironment environment{fake.platform};
    environment.workFilePath = work;
    std::unique_ptr<CKespoDoc> document = CKespoDoc::Create(environment);
    ASSERT_TRUE(document->OnOpenDocument(source));
    EXPECT_EQ(document->TextView(), kSjis);
    EXPECT_EQ(document->PathName(), source);
}

} // namespace
} // namespace nelvix
