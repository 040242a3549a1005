// Things at a file's name that are not regular files, and a way to tell that a name still holds
// what it held.
#pragma once

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <optional>
#include <string>

namespace nelvix::test {

enum class SpecialKind { Fifo, Socket, Device, Folder };

inline const char* SpecialKindName(SpecialKind kind) {
    switch (kind) {
    case SpecialKind::Fifo:
        return "a FIFO";
    case SpecialKind::Socket:
        return "a socket";
    case SpecialKind::Device:
        return "a character device";
    case SpecialKind::Folder:
        return "a folder";
    }
    return "";
}

/// Makes one at `path`; false when the system does not allow it (a device node needs the
/// privilege to make one). The device is a second node of /dev/null, so that nothing is lost
/// if a fault ever replaced it.
inline bool MakeSpecialFile(SpecialKind kind, const std::string& path) {
    switch (kind) {
    case SpecialKind::Fifo:
        return ::mkfifo(path.c_str(), 0600) == 0;
    case SpecialKind::Device:
        return ::mknod(path.c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0;
    case SpecialKind::Folder:
        return ::mkdir(path.c_str(), 0700) == 0;
    case SpecialKind::Socket: {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (path.size() >= sizeof address.sun_path)
            return false;
        std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const bool bound =
            fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        if (fd >= 0)
            ::close(fd);
        return bound;
    }
    }
    return false;
}

/// What a name holds, a link not followed: its type, inode and a link's text.
struct EntryIdentity {
    mode_t type = 0;
    ino_t inode = 0;
    std::string linkText;
    bool operator==(const EntryIdentity&) const = default;
};

inline std::optional<EntryIdentity> IdentityOf(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return std::nullopt;
    EntryIdentity identity{info.st_mode & S_IFMT, info.st_ino, {}};
    if (S_ISLNK(info.st_mode)) {
        char text[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), text, sizeof text);
        if (length > 0)
            identity.linkText.assign(text, static_cast<std::size_t>(length));
    }
    return identity;
}

} // namespace nelvix::test
