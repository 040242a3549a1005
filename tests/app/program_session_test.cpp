// A run's work file: named inside the program home, gone when the run ends.
#include "app/program_session.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "support/test_files.h"
#include "ui/fake_platform.h"

namespace nelvix {
namespace {

bool Exists(const std::string& path) {
    return ::access(path.c_str(), F_OK) == 0;
}

TEST(ProgramSession, ConvertsThroughItsOwnWorkFileAndRemovesIt) {
    test::TempDir dir;
    ui::FakePlatform fake;
    std::string work;
    {
        ProgramSession session(fake.platform, dir.PathOf("home"));
        work = session.WorkFile();
        EXPECT_EQ(work, dir.PathOf("home/nelvix." + std::to_string(::getpid()) + ".wrk"));
        CKespoDoc* document = session.Documents().Open(dir.Write("euc.txt", "\xA4\xA2\n"));
        ASSERT_NE(document, nullptr);
        EXPECT_EQ(document->TextView(), "\x82\xA0\r\n");
        EXPECT_TRUE(Exists(work));
    }
    EXPECT_FALSE(Exists(work));
}

TEST(ProgramSession, WithoutAHomeFilesAreReadUnconverted) {
    test::TempDir dir;
    ui::FakePlatform fake;
    dir.Write("file", "x");
    ProgramSession session(fake.platform, dir.PathOf("file/home"));
    EXPECT_TRUE(session.WorkFile().empty());
    CKespoDoc* document = session.Documents().Open(dir.Write("euc.txt", "\xA4\xA2\r\n"));
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->TextView(), "\xA4\xA2\r\n");
}

} // namespace
} // namespace nelvix
