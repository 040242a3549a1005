// Where the replacement of a file lands, and the temporary files written beside it.
#include "files/save_target.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/file_faults.h"

namespace nelvix {
namespace {

/// As the kernel: a chain of links longer than this never ends.
constexpr int kMaxLinkHops = 40;
/// Digits of the longest process id in a temporary's name.
constexpr std::size_t kMaxProcessIdDigits = 10;
/// The unique part mkostemp fills in.
constexpr std::string_view kUniqueSuffix = "XXXXXX";

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string JoinPath(const std::string& directory, std::string_view name) {
    std::string path = directory;
    if (path.back() != '/')
        path += '/';
    path += name;
    return path;
}

TargetKind KindOf(const struct stat& info) {
    if (S_ISREG(info.st_mode))
        return TargetKind::RegularFile;
    return S_ISDIR(info.st_mode) ? TargetKind::Folder : TargetKind::Other;
}

} // namespace

std::optional<long> SaveTemporaryProcessId(std::string_view fileName) {
    if (!fileName.starts_with(kSaveTemporaryPrefix))
        return std::nullopt;
    fileName.remove_prefix(kSaveTemporaryPrefix.size());
    const std::size_t dash = fileName.find('-');
    if (dash == 0 || dash == std::string_view::npos || dash > kMaxProcessIdDigits ||
        fileName[0] == '0' || dash + 1 == fileName.size())
        return std::nullopt;
    long processId = 0;
    for (const char digit : fileName.substr(0, dash)) {
        if (digit < '0' || digit > '9')
            return std::nullopt;
        processId = processId * 10 + (digit - '0');
    }
    return processId;
}

std::optional<SaveTarget> ResolveSaveTarget(const std::string& nativePath) {
    std::string path = nativePath;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat info {};
        const bool exists = ::lstat(path.c_str(), &info) == 0;
        // A missing folder is left for creating the temporary to report; any other name that
        // cannot be looked at (too long, no permission) cannot be written either.
        if (!exists && errno != ENOENT)
            return std::nullopt;
        if (!exists || !S_ISLNK(info.st_mode)) {
            SaveTarget target;
            target.path = path;
            target.directory = DirectoryOf(path);
            if (exists) {
                target.kind = KindOf(info);
                target.mode = info.st_mode & 07777;
                target.owner = info.st_uid;
                target.group = info.st_gid;
            }
            return target;
        }
        char link[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), link, sizeof link);
        if (length < 0)
            return std::nullopt;
        if (length == 0 || static_cast<std::size_t>(length) >= sizeof link) {
            errno = ENAMETOOLONG;
            return std::nullopt;
        }
        const std::string_view next(link, static_cast<std::size_t>(length));
        path = next.front() == '/' ? std::string(next) : JoinPath(DirectoryOf(path), next);
    }
    errno = ELOOP;
    return std::nullopt;
}

TargetKind TargetKindAt(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return TargetKind::Missing;
    return S_ISLNK(info.st_mode) ? TargetKind::Other : KindOf(info);
}

int CreateSaveTemporary(const std::string& directory, std::string& path) {
    if (const int injected = InjectedFileError(FileStep::Create, directory)) {
        errno = injected;
        return -1;
    }
    path = JoinPath(directory, kSaveTemporaryPrefix);
    path += std::to_string(static_cast<long>(::getpid()));
    path += '-';
    path += kUniqueSuffix;
    const int fd = ::mkostemp(path.data(), O_CLOEXEC);
    if (fd < 0)
        path.clear();
    return fd;
}

mode_t NewFileMode() {
    // Linux reports the umask without changing it; setting it to read it would race with
    // files created meanwhile by other threads, so that is only the fallback.
    mode_t mask = 022;
    bool known = false;
    if (std::FILE* status = std::fopen("/proc/self/status", "re")) {
        char line[256];
        unsigned int value = 0;
        while (std::fgets(line, sizeof line, status) != nullptr)
            if (std::sscanf(line, "Umask: %o", &value) == 1) {
                mask = static_cast<mode_t>(value);
                known = true;
                break;
            }
        std::fclose(status);
    }
    if (!known) {
        mask = ::umask(022);
        ::umask(mask);
    }
    return static_cast<mode_t>(0666 & ~mask);
}

void SyncDirectory(const std::string& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace nelvix
