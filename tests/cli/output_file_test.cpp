// A standard output redirected into the tree being searched: the runs pass over that file
// instead of reading their own output, and say so once.
#include "cli/io/output_file.h"

#include <filesystem>
#include <string>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "cli_process.h"
#include "cli_run.h"
#include "support/test_files.h"

namespace nelvix::cli {
namespace {

namespace fs = std::filesystem;

std::size_t Occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// A tree with a text to find, and the output of an earlier run, which holds the word too.
class OutputTree {
public:
    OutputTree() {
        m_dir.Write("a.txt", "needle\r\n");
        m_dir.Write("out.txt", m_dir.Path() + "/a.txt(1): needle\r\n");
    }
    const std::string& Path() const { return m_dir.Path(); }
    std::string OutputPath() const { return m_dir.PathOf("out.txt"); }
    OutputFile Output() const {
        const int fd = ::open(OutputPath().c_str(), O_RDONLY | O_CLOEXEC);
        const std::optional<OutputFile> file = RegularFileOn(fd);
        ::close(fd);
        return file.value_or(OutputFile{});
    }

private:
    test::TempDir m_dir;
};

TEST(CliOutputFileTest, OnlyARegularFileIsAnOutputThatATreeCanHold) {
    test::TempDir dir;
    const std::string path = dir.Write("out.txt", "");
    const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    int pipeFds[2];
    ASSERT_EQ(::pipe2(pipeFds, O_CLOEXEC), 0);
    EXPECT_TRUE(RegularFileOn(file).has_value());
    EXPECT_TRUE(NamesOutputFile(path, *RegularFileOn(file)));
    EXPECT_FALSE(NamesOutputFile(dir.Write("other.txt", ""), *RegularFileOn(file)));
    EXPECT_FALSE(RegularFileOn(pipeFds[1]).has_value());
    EXPECT_FALSE(RegularFileOn(-1).has_value());
    ::close(file);
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
}

// find is seen as a process below; html's file set passes over the output the same way.
TEST(CliOutputFileTest, HtmlWritingIntoTheSearchedTreePassesOverItsOutput) {
    OutputTree tree;
    const CliRun run =
        RunWith({"html", "--string", "needle", tree.Path() + "/*.txt"}, tree.Output());
    EXPECT_FALSE(Contains(run.out, "out.txt")) << run.out;
    EXPECT_TRUE(Contains(run.out, "     " + tree.Path() + "/a.txt(1): needle\r\n")) << run.out;
    EXPECT_EQ(Occurrences(run.err, "skipped, it is the output"), 1u) << run.err;
    EXPECT_TRUE(
        Contains(run.err, "nelvix-cli: " + tree.OutputPath() + ": skipped, it is the output\n"))
        << run.err;
    EXPECT_TRUE(Contains(run.err, "ﾌｧｲﾙの数： 1\n")) << run.err;
}

// The program itself, its standard output appended to a file of the tree it searches.
TEST(CliOutputFileTest, FindRedirectedIntoTheSearchedFolderEndsWithoutReadingItsOutput) {
    OutputTree tree;
    test::TempDir outside;
    const std::string before = test::ReadFileBytes(tree.OutputPath());
    const int out = ::open(tree.OutputPath().c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    const std::string errPath = outside.PathOf("err.txt");
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    ASSERT_GE(out, 0);
    ASSERT_GE(err, 0);
    const pid_t pid = StartProgram({"find", "needle", tree.Path()}, out, err, outside.Path());
    ::close(out);
    ::close(err);
    ASSERT_GT(pid, 0);
    const int status = WaitForProgram(pid);
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(test::ReadFileBytes(tree.OutputPath()),
              before + tree.Path() + "/a.txt(1): needle\r\n");
    EXPECT_TRUE(Contains(test::ReadFileBytes(errPath),
                         "nelvix-cli: " + tree.OutputPath() + ": skipped, it is the output\n"));
}

} // namespace
} // namespace nelvix::cli
