// Running the built nelvix-cli as a process of its own, for what only a process shows: its
// standard output as a file in the searched tree, and the signals that end it.
#pragma once

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace nelvix::cli {

/// A run that would feed on its own output ends at this size instead of filling the disk.
inline constexpr rlim_t kChildFileLimitBytes = 64 << 20;
/// A program that never gets as far as its work file fails the test instead of hanging it.
inline constexpr int kWorkFileWaitSeconds = 120;

/// The words as execve takes them; they point into `words`.
inline std::vector<char*> Pointers(std::vector<std::string>& words) {
    std::vector<char*> pointers;
    for (std::string& word : words)
        pointers.push_back(word.data());
    pointers.push_back(nullptr);
    return pointers;
}

/// Starts nelvix-cli with `arguments`, standard output on `outFd`, standard error on `errFd`
/// and TMPDIR set to `tmpdir`. The child's pid, or -1.
inline pid_t StartProgram(const std::vector<std::string>& arguments, int outFd, int errFd,
                          const std::string& tmpdir) {
    std::vector<std::string> words{NELVIX_CLI_PATH};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<std::string> environment{"TMPDIR=" + tmpdir};
    for (char** variable = environ; *variable != nullptr; ++variable) {
        if (!std::string_view(*variable).starts_with("TMPDIR="))
            environment.emplace_back(*variable);
    }
    const std::vector<char*> argv = Pointers(words);
    const std::vector<char*> envp = Pointers(environment);
    const rlimit limit{kChildFileLimitBytes, kChildFileLimitBytes};
    const pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    // The child: only calls that are safe after a fork, then the program.
    ::dup2(outFd, STDOUT_FILENO);
    ::dup2(errFd, STDERR_FILENO);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    ::execve(argv[0], argv.data(), envp.data());
    ::_exit(127);
}

/// The wait status of the child.
inline int WaitForProgram(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

/// Waits until a work file lies in a folder of `tmpdir`; false (after reaping it) when the
/// child ended first.
inline bool WaitForWorkFile(const std::string& tmpdir, pid_t pid) {
    constexpr useconds_t kPollMicroseconds = 1000;
    constexpr int kPolls = kWorkFileWaitSeconds * 1'000'000 / kPollMicroseconds;
    for (int poll = 0; poll < kPolls; ++poll) {
        std::error_code error;
        for (const auto& folder : std::filesystem::directory_iterator(tmpdir, error)) {
            if (std::filesystem::exists(folder.path() / "work", error))
                return true;
        }
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) == pid)
            return false;
        ::usleep(kPollMicroseconds);
    }
    ::kill(pid, SIGKILL);
    WaitForProgram(pid);
    return false;
}

} // namespace nelvix::cli
