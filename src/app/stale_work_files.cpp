// Sweeping the program home of work files and save temporaries whose instance has ended.
#include "app/stale_work_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>
#include <optional>

#include "files/save_target.h"
#include "files/work_file.h"

namespace nelvix {
namespace {

bool ProcessIsGone(pid_t processId) {
    // EPERM means the process exists but belongs to someone else: its file stays.
    return ::kill(processId, 0) != 0 && errno == ESRCH;
}

/// The instance a leftover file belongs to: a work file's, or a save temporary's.
std::optional<long> OwningProcessId(const char* name) {
    if (const std::optional<long> processId = WorkFileProcessId(name))
        return processId;
    return SaveTemporaryProcessId(name);
}

bool IsStaleLeftover(int homeFd, const char* name) {
    const std::optional<long> processId = OwningProcessId(name);
    if (!processId || *processId > std::numeric_limits<pid_t>::max() || *processId == ::getpid())
        return false;
    // Not followed: a link named like a leftover is none of ours, and neither is its target.
    struct stat st {};
    if (::fstatat(homeFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode))
        return false;
    return ProcessIsGone(static_cast<pid_t>(*processId));
}

} // namespace

void RemoveStaleWorkFiles(const std::string& programHome) {
    DIR* home = ::opendir(programHome.c_str());
    if (home == nullptr)
        return;
    while (const dirent* entry = ::readdir(home)) {
        if (IsStaleLeftover(::dirfd(home), entry->d_name))
            ::unlinkat(::dirfd(home), entry->d_name, 0);
    }
    ::closedir(home);
}

} // namespace nelvix
