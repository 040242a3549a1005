// Things at a file's name that are not regular files, and a way to tell that a name still holds
// what it held.
#pragma once

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>

namespace nelvix::test {

enum class NonRegularKind { Fifo, Socket, Device, Folder };

inline const char* NonRegularKindName(NonRegularKind kind) {
    switch (kind) {
    case NonRegularKind::Fifo:
        return "a FIFO";
    case NonRegularKind::Socket:
        return "a socket";
    case NonRegularKind::Device:
        return "a character device";
    case NonRegularKind::Folder:
        return "a folder";
    }
    return "";
}

/// Makes one at `path`; false when the system does not allow it (a device node needs the
/// privilege to make one). The device is a second node of /dev/null, so that nothing is lost
/// if a fault ever replaced it.
inline bool MakeNonRegularFile(NonRegularKind kind, const std::string& path) {
    switch (kind) {
    case NonRegularKind::Fifo:
        return ::mkfifo(path.c_str(), 0600) == 0;
    case NonRegularKind::Device:
        return ::mknod(path.c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0;
    case NonRegularKind::Folder:
        return ::mkdir(path.c_str(), 0700) == 0;
    case NonRegularKind::Socket: {
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

/// Every kind, for tables that try them all.
inline constexpr NonRegularKind kNonRegularKinds[] = {
    NonRegularKind::Device, NonRegularKind::Fifo, NonRegularKind::Socket, NonRegularKind::Folder};

/// A non-regular file planted at a name of the program's, straight or behind a link, and what
/// the name and the thing held when planted, to tell that both were left alone.
struct Planted {
    std::string situation;
    std::string name;
    std::string thing; ///< the name itself, or the link's target
    std::optional<EntryIdentity> nameBefore;
    std::optional<EntryIdentity> thingBefore;

    bool LeftAlone() const {
        return IdentityOf(name) == nameBefore && IdentityOf(thing) == thingBefore;
    }
};

/// Plants a `kind` at `name`, or with `linkTarget` at that path with a link to it at `name`.
/// Nothing (said on the test output as skipped) when the system does not allow making it.
inline std::optional<Planted> Plant(NonRegularKind kind, const std::string& name,
                                    const std::optional<std::string>& linkTarget,
                                    const std::string& situationPrefix = {}) {
    Planted planted;
    planted.situation =
        situationPrefix + (linkTarget ? "a link to " : "") + NonRegularKindName(kind);
    planted.name = name;
    planted.thing = linkTarget.value_or(name);
    if (!MakeNonRegularFile(kind, planted.thing)) {
        std::cout << "[ SKIPPED ] " << planted.situation << ": cannot be made here\n";
        return std::nullopt;
    }
    if (linkTarget && ::symlink(planted.thing.c_str(), name.c_str()) != 0) {
        ADD_FAILURE() << planted.situation << ": the link cannot be made";
        return std::nullopt;
    }
    planted.nameBefore = IdentityOf(name);
    planted.thingBefore = IdentityOf(planted.thing);
    return planted;
}

} // namespace nelvix::test
