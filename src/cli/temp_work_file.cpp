// Making and deleting nelvix-cli's work file.
#include "cli/temp_work_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace nelvix::cli {
namespace {

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
    std::string pattern = WorkFolder() + "/nelvix-cli-XXXXXX";
    // mkstemp creates the file with a name no other process holds, so two runs never share it.
    int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        m_reason = pattern + ": " + std::strerror(errno);
        return;
    }
    ::close(fd);
    m_path = pattern;
}

TempWorkFile::~TempWorkFile() {
    if (!m_path.empty())
        ::unlink(m_path.c_str());
}

} // namespace nelvix::cli
