// Making and deleting nelvix-cli's work file.
#include "cli/io/temp_work_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "cli/io/signal_cleanup.h"

namespace nelvix::cli {
namespace {

constexpr std::string_view kWorkFileName = "work";

bool IsWritableDirectory(const char* path) {
    struct stat status {};
    return ::stat(path, &status) == 0 && S_ISDIR(status.st_mode) &&
           ::access(path, W_OK | X_OK) == 0;
}

// The work file is emptied and rewritten for every converted file. On a disk file system
// (ext4 with its default auto_da_alloc) emptying a file that holds unwritten data forces that
// data to disk first, which costs milliseconds per file in a find over thousands of EUC-JP
// and JIS files; a folder in memory has no such cost. $TMPDIR, when set, is the person's
// own choice and wins.
std::string WorkFolder() {
    const char* tmpdir = std::getenv("TMPDIR");
    if (tmpdir != nullptr && *tmpdir != '\0')
        return tmpdir;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && *runtime != '\0' && IsWritableDirectory(runtime))
        return runtime;
    if (IsWritableDirectory("/dev/shm"))
        return "/dev/shm";
    return "/tmp";
}

} // namespace

TempWorkFile::TempWorkFile() {
    InstallCleanupHandlers();
    // From the folder's making to the file's registration no signal may end the program.
    const SignalHold hold;
    std::string folder = WorkFolder() + "/nelvix-cli-XXXXXX";
    // A folder of this user's own: no one else can put a name into it, so the work file, which
    // the converter makes anew and reads by name, is never someone else's file or link.
    if (::mkdtemp(folder.data()) == nullptr) {
        m_reason = folder + ": " + std::strerror(errno);
        return;
    }
    std::string path = folder + "/" + std::string(kWorkFileName);
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        m_reason = path + ": " + std::strerror(errno);
        ::rmdir(folder.c_str());
        return;
    }
    ::close(fd);
    m_slot = RegisterCleanup(path, folder);
    m_folder = std::move(folder);
    m_path = std::move(path);
}

TempWorkFile::~TempWorkFile() {
    if (m_path.empty())
        return;
    if (m_slot >= 0) {
        RemoveAndUnregister(m_slot);
        return;
    }
    ::unlink(m_path.c_str());
    ::rmdir(m_folder.c_str());
}

} // namespace nelvix::cli
