// nelvix-cli's work file: made new in a folder of its own, and removed however the program
// ends, a signal included.
#include "cli/io/temp_work_file.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "cli/io/signal_cleanup.h"
#include "cli_process.h"
#include "scoped_environment.h"
#include "support/test_files.h"

namespace nelvix::cli {
namespace {

namespace fs = std::filesystem;

TEST(CliWorkFileTest, IsMadeNewInAFolderNoOneElseCanEnter) {
    test::TempDir tmp;
    ScopedEnvironment useTmp("TMPDIR", tmp.Path());
    {
        TempWorkFile workFile;
        ASSERT_FALSE(workFile.Path().empty()) << workFile.Reason();
        const fs::path path(workFile.Path());
        EXPECT_EQ(path.parent_path().parent_path(), fs::path(tmp.Path()));
        struct stat folder {};
        ASSERT_EQ(::lstat(path.parent_path().c_str(), &folder), 0);
        EXPECT_TRUE(S_ISDIR(folder.st_mode));
        EXPECT_EQ(folder.st_mode & 0777, 0700u);
        struct stat file {};
        ASSERT_EQ(::lstat(path.c_str(), &file), 0);
        EXPECT_TRUE(S_ISREG(file.st_mode));
        EXPECT_EQ(file.st_size, 0);
        EXPECT_EQ(file.st_mode & 0077, 0u);
    }
    EXPECT_TRUE(fs::is_empty(tmp.Path()));
}

TEST(CliWorkFileTest, TheSignalCleanupRemovesWhatIsRegisteredAndNothingElse) {
    test::TempDir tmp;
    const std::string folder = tmp.PathOf("folder");
    fs::create_directory(folder);
    const std::string file = folder + "/work";
    ASSERT_GE(::close(::open(file.c_str(), O_CREAT | O_WRONLY, 0600)), 0);
    const std::string other = tmp.Write("other", "x");
    const int slot = RegisterCleanup(file, folder);
    ASSERT_GE(slot, 0);
    RemoveRegisteredPaths();
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_TRUE(fs::exists(other));
    RemoveAndUnregister(slot);
}

struct SignalRow {
    const char* situation;
    int signal;
    bool readerLeaves; ///< the pipe's reader goes away instead of a signal being sent
};

// The run blocks writing into a pipe no one reads (its output is far larger than the pipe), so
// it is still running, its work file made, whenever the signal comes.
TEST(CliWorkFileTest, ARunEndedByASignalLeavesNoWorkFile) {
    test::TempDir tree;
    std::string lines;
    for (int line = 0; line < 100'000; ++line)
        lines += "needle " + std::to_string(line) + "\r\n";
    tree.Write("many.txt", lines);
    const SignalRow rows[] = {
        {"Ctrl+C", SIGINT, false},
        {"kill", SIGTERM, false},
        {"the terminal closed", SIGHUP, false},
        {"the reader of the pipe went away (| head)", SIGPIPE, true},
    };
    for (const SignalRow& row : rows) {
        SCOPED_TRACE(row.situation);
        test::TempDir tmp;
        int pipeFds[2];
        // Close-on-exec: a copy of the reader left in the child would keep the pipe open.
        ASSERT_EQ(::pipe2(pipeFds, O_CLOEXEC), 0);
        const int devNull = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        const pid_t pid =
            StartProgram({"find", "needle", tree.Path()}, pipeFds[1], devNull, tmp.Path());
        ::close(pipeFds[1]);
        ::close(devNull);
        ASSERT_GT(pid, 0);
        ASSERT_TRUE(WaitForWorkFile(tmp.Path(), pid));
        if (row.readerLeaves)
            ::close(pipeFds[0]);
        else
            ::kill(pid, row.signal);
        const int status = WaitForProgram(pid);
        if (!row.readerLeaves)
            ::close(pipeFds[0]);
        ASSERT_TRUE(WIFSIGNALED(status)) << status;
        EXPECT_EQ(WTERMSIG(status), row.signal);
        EXPECT_TRUE(fs::is_empty(tmp.Path()));
    }
}

} // namespace
} // namespace nelvix::cli
