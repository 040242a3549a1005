// Starting a tool on Linux with fork and exec. Between fork and exec only async-signal-safe
// calls are made: the windowing library runs threads of its own.
#include "tools/posix_process_launcher.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace nelvix {
namespace {

/// The first descriptor that the tool must not inherit.
inline constexpr unsigned kFirstPrivateDescriptor = 3;

/// What the child needs, made before the fork.
struct ExecPlan {
    std::string program;
    std::vector<char*> argv;
    const char* workingDirectory = nullptr;
    int nullInput = -1;
    int errorPipe = -1;
    long openMax = 0;
};

/// A bare name is looked up on the PATH as a shell would; the current directory is not searched.
std::string ProgramOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    const std::string_view directories = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    for (std::size_t start = 0; start <= directories.size();) {
        std::size_t end = directories.find(':', start);
        if (end == std::string_view::npos)
            end = directories.size();
        const std::string_view directory = directories.substr(start, end - start);
        const std::string candidate =
            (directory.empty() ? std::string(".") : std::string(directory)) + "/" + name;
        struct stat info {};
        if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return {};
}

/// A relative program path means the program's current directory, not the tool's new one.
std::string AbsoluteProgram(const std::string& program) {
    if (program.empty() || program.front() == '/')
        return program;
    if (program.find('/') == std::string::npos)
        if (std::string found = ProgramOnPath(program); !found.empty())
            return found;
    std::vector<char> buffer(PATH_MAX);
    if (::getcwd(buffer.data(), buffer.size()) == nullptr)
        return program;
    return std::string(buffer.data()) + "/" + program;
}

[[noreturn]] void FailChild(int errorPipe) {
    const int error = errno;
    [[maybe_unused]] const ssize_t written = ::write(errorPipe, &error, sizeof error);
    ::_exit(127);
}

/// Nothing but the error pipe's close-on-exec descriptor survives the exec beyond 0..2.
void MarkPrivateDescriptors(long openMax) {
    if (::close_range(kFirstPrivateDescriptor, ~0U, CLOSE_RANGE_CLOEXEC) == 0)
        return;
    for (long fd = kFirstPrivateDescriptor; fd < openMax; ++fd)
        ::fcntl(static_cast<int>(fd), F_SETFD, FD_CLOEXEC);
}

[[noreturn]] void RunTool(const ExecPlan& plan) {
    sigset_t none;
    ::sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    ::sigaction(SIGPIPE, &standard, nullptr);
    if (plan.workingDirectory != nullptr && ::chdir(plan.workingDirectory) != 0)
        FailChild(plan.errorPipe);
    if (plan.nullInput >= 0)
        ::dup2(plan.nullInput, STDIN_FILENO);
    MarkPrivateDescriptors(plan.openMax);
    ::execv(plan.program.c_str(), plan.argv.data());
    FailChild(plan.errorPipe);
}

/// The first child leaves a session of its own behind and ends at once, so the tool is
/// adopted by init and never waited for.
[[noreturn]] void RunMiddleChild(const ExecPlan& plan) {
    ::setsid();
    const pid_t tool = ::fork();
    if (tool < 0)
        FailChild(plan.errorPipe);
    if (tool == 0)
        RunTool(plan);
    ::_exit(0);
}

void CloseIfOpen(int fd) {
    if (fd >= 0)
        ::close(fd);
}

/// The errno the child sent, or 0 when the exec closed the pipe without a word.
int ReadChildError(int fd) {
    int error = 0;
    ssize_t got = 0;
    do {
        got = ::read(fd, &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    if (got == 0)
        return 0;
    return got == static_cast<ssize_t>(sizeof error) ? error : EIO;
}

} // namespace

bool PosixProcessLauncher::StartDetached(const ui::ProcessStart& start) {
    if (start.program.empty())
        return false;
    ExecPlan plan;
    plan.program = AbsoluteProgram(start.program);
    std::vector<std::string> arguments;
    arguments.reserve(start.arguments.size() + 1);
    arguments.push_back(start.program);
    arguments.insert(arguments.end(), start.arguments.begin(), start.arguments.end());
    for (std::string& argument : arguments)
        plan.argv.push_back(argument.data());
    plan.argv.push_back(nullptr);
    if (!start.workingDirectory.empty())
        plan.workingDirectory = start.workingDirectory.c_str();
    plan.openMax = ::sysconf(_SC_OPEN_MAX);

    int pipe[2] = {-1, -1};
    if (::pipe2(pipe, O_CLOEXEC) != 0)
        return false;
    plan.errorPipe = pipe[1];
    plan.nullInput = ::open("/dev/null", O_RDONLY | O_CLOEXEC);

    const pid_t middle = ::fork();
    if (middle == 0)
        RunMiddleChild(plan);
    ::close(pipe[1]);
    CloseIfOpen(plan.nullInput);
    int error = middle < 0 ? errno : 0;
    if (middle > 0) {
        int status = 0;
        while (::waitpid(middle, &status, 0) < 0 && errno == EINTR) {
        }
        error = ReadChildError(pipe[0]);
    }
    ::close(pipe[0]);
    return middle > 0 && error == 0;
}

} // namespace nelvix
