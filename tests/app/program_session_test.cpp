// A run's work file: named inside the program home, gone when the run ends; the work files of
// instances that ended are swept away when a run starts.
#include "app/program_session.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "files/atomic_write.h"
#include "files/file_faults.h"
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

/// The id of a process that has ended and been reaped, so that no process has it.
long EndedProcessId() {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

std::string WorkFileName(long processId) {
    return "nelvix." + std::to_string(processId) + ".wrk";
}

std::string SaveTemporaryName(long processId) {
    return ".nelvix-save-" + std::to_string(processId) + "-a1B2c3";
}

bool EntryExists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

TEST(ProgramSession, StartRemovesOnlyTheWorkFilesAndSaveTemporariesOfEndedInstances) {
    enum class Kind { File, Folder, Link };
    struct Case {
        const char* name;
        std::string fileName;
        Kind kind;
        bool kept;
    };
    const long ended = EndedProcessId();
    const long endedToo = EndedProcessId();
    const long endedAsWell = EndedProcessId();
    // Which names are work files at all is the work file's rule (work_file_test.cpp).
    const std::vector<Case> cases = {
        {"EndedInstancesFile", WorkFileName(ended), Kind::File, false},
        {"RunningParentsFile", WorkFileName(::getppid()), Kind::File, true},
        {"InitsFileThatMayNotBeSignalled", WorkFileName(1), Kind::File, true},
        {"OwnFile", WorkFileName(::getpid()), Kind::File, true},
        {"FolderNamedLikeAWorkFile", WorkFileName(endedToo), Kind::Folder, true},
        {"LinkNamedLikeAWorkFile", WorkFileName(endedAsWell), Kind::Link, true},
        {"EndedInstancesSaveTemporary", SaveTemporaryName(ended), Kind::File, false},
        {"RunningParentsSaveTemporary", SaveTemporaryName(::getppid()), Kind::File, true},
        {"OwnSaveTemporary", SaveTemporaryName(::getpid()), Kind::File, true},
        {"SaveTemporaryWithoutProcessId", ".nelvix-save-a1B2c3", Kind::File, true},
        {"SaveTemporaryWithLeadingZero", ".nelvix-save-0" + std::to_string(ended) + "-a1B2c3",
         Kind::File, true},
        {"SaveTemporaryWithLettersInTheId", ".nelvix-save-1x-a1B2c3", Kind::File, true},
        {"FolderNamedLikeASaveTemporary", SaveTemporaryName(endedToo), Kind::Folder, true},
        {"LinkNamedLikeASaveTemporary", SaveTemporaryName(endedAsWell), Kind::Link, true},
    };
    test::TempDir dir;
    const std::string home = dir.PathOf("home");
    ::mkdir(home.c_str(), 0755);
    const std::string linkTarget = dir.Write("target", "x");
    for (const Case& c : cases) {
        const std::string path = home + "/" + c.fileName;
        if (c.kind == Kind::File)
            dir.Write("home/" + c.fileName, "x");
        else if (c.kind == Kind::Folder)
            ::mkdir(path.c_str(), 0755);
        else
            ::symlink(linkTarget.c_str(), path.c_str());
        ASSERT_TRUE(EntryExists(path)) << c.name;
    }
    ui::FakePlatform fake;
    const ProgramSession session(fake.platform, home);
    for (const Case& c : cases)
        EXPECT_EQ(EntryExists(home + "/" + c.fileName), c.kept) << c.name;
    EXPECT_TRUE(EntryExists(linkTarget));
}

TEST(ProgramSession, ASaveKilledBeforeItsRenameLeavesATemporaryTheNextStartRemoves) {
    test::TempDir dir;
    const std::string home = dir.PathOf("home");
    ::mkdir(home.c_str(), 0755);
    const std::string store = dir.Write("home/nelvix.ini", "[Settings]\n");

    /// Kills the process at the rename, as a kill in the middle of a save would.
    class KillAtRename final : public FileFaults {
    public:
        int ErrorFor(FileStep step, std::string_view) override {
            if (step == FileStep::Rename)
                ::raise(SIGKILL);
            return 0;
        }
    };
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        KillAtRename kill;
        SetFileFaults(&kill);
        WriteFileAtomically(store, reinterpret_cast<const Byte*>("new"), 3);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));

    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(home))
        left.push_back(entry.path().filename().string());
    ASSERT_EQ(left.size(), 2u);
    const std::string temporary = left[0] == "nelvix.ini" ? left[1] : left[0];
    EXPECT_EQ(SaveTemporaryProcessId(temporary), std::optional<long>(child)) << temporary;

    ui::FakePlatform fake;
    const ProgramSession session(fake.platform, home);
    EXPECT_FALSE(EntryExists(home + "/" + temporary));
    EXPECT_EQ(test::ReadFileBytes(store), "[Settings]\n");
}

} // namespace
} // namespace nelvix
