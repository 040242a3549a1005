// Replacing a file through a temporary file in its directory and a rename.
#include "text/atomic_write.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "text/posix_file.h"

namespace nelvix {
namespace {

/// The file the bytes must end up in: a symbolic link is followed, so that saving through a
/// link replaces the file it points to and keeps the link.
std::string ResolveTarget(const std::string& nativePath) {
    struct stat info {};
    if (::lstat(nativePath.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return nativePath;
    char* real = ::realpath(nativePath.c_str(), nullptr);
    if (real == nullptr)
        return nativePath;
    std::string resolved(real);
    std::free(real);
    return resolved;
}

/// The permission bits a newly created file gets under the process's umask.
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

} // namespace

bool WriteFileAtomically(const std::string& nativePath, const Byte* bytes, std::size_t length) {
    if (nativePath.empty()) {
        errno = ENOENT;
        return false;
    }
    const std::string target = ResolveTarget(nativePath);
    const std::size_t slash = target.rfind('/');
    const std::string directory =
        slash == std::string::npos ? std::string(".") : target.substr(0, slash == 0 ? 1 : slash);

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) {
        errno = EISDIR;
        return false;
    }

    std::string temp = directory + (directory.back() == '/' ? "" : "/") + ".nelvix-save-XXXXXX";
    int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return false;

    int error = 0; // the first failure's errno
    auto check = [&error](bool ok) {
        if (!ok && error == 0)
            error = errno != 0 ? errno : EIO;
        return error == 0;
    };
    if (check(WriteAll(fd, bytes, length))) {
        if (exists) {
            // Owner and group are kept where we may set them; the permission bits always are.
            if (old.st_uid != ::geteuid() || old.st_gid != ::getegid())
                static_cast<void>(::fchown(fd, old.st_uid, old.st_gid));
            check(::fchmod(fd, old.st_mode & 07777) == 0);
        } else {
            check(::fchmod(fd, NewFileMode()) == 0);
        }
    }
    if (error == 0)
        check(::fsync(fd) == 0);
    check(::close(fd) == 0);
    if (error == 0)
        check(::rename(temp.c_str(), target.c_str()) == 0);
    if (error != 0) {
        ::unlink(temp.c_str());
        errno = error;
        return false;
    }

    // Make the rename itself durable; a failure here no longer endangers either file.
    int dirFd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

} // namespace nelvix
