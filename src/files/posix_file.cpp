// Small POSIX file helpers shared by the readers and writers of the text layer.
#include "files/posix_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/file_faults.h"

namespace nelvix {

FileDescriptor::~FileDescriptor() {
    if (m_fd >= 0)
        ::close(m_fd);
}

bool FileDescriptor::Close() {
    const int fd = m_fd;
    m_fd = -1;
    return fd < 0 || ::close(fd) == 0;
}

FileDescriptor OpenRegularFileForReading(const std::string& nativePath, std::size_t& length) {
    length = 0;
    if (const int injected = InjectedFileError(FileStep::Open, nativePath)) {
        errno = injected;
        return FileDescriptor(-1);
    }
    // Non-blocking so that opening a FIFO named by mistake cannot hang the program.
    int fd = ::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return FileDescriptor(-1);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0) {
        ::close(fd);
        return FileDescriptor(-1);
    }
    length = static_cast<std::size_t>(info.st_size);
    return FileDescriptor(fd);
}

namespace {

/// Reads with `readSome` (read or pread at an offset) until `length` bytes or the end.
template <typename ReadSome>
std::optional<std::size_t> ReadLoop(int fd, std::size_t length, ReadSome readSome) {
    if (const int injected = InjectedFileError(FileStep::Read, fd)) {
        errno = injected;
        return std::nullopt;
    }
    std::size_t done = 0;
    while (done < length) {
        ssize_t got = readSome(done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

} // namespace

std::optional<std::size_t> ReadUpTo(int fd, Byte* buffer, std::size_t length) {
    return ReadLoop(fd, length,
                    [&](std::size_t done) { return ::read(fd, buffer + done, length - done); });
}

std::optional<std::size_t> ReadUpToAt(int fd, Byte* buffer, std::size_t length,
                                      std::uint64_t position) {
    return ReadLoop(fd, length, [&](std::size_t done) {
        return ::pread(fd, buffer + done, length - done, static_cast<off_t>(position + done));
    });
}

bool WriteAll(int fd, const Byte* bytes, std::size_t length) {
    if (const int injected = InjectedFileError(FileStep::Write, fd)) {
        errno = injected;
        return false;
    }
    while (length > 0) {
        ssize_t put = ::write(fd, bytes, length);
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0)
            return false;
        if (put == 0) {
            errno = EIO;
            return false;
        }
        bytes += put;
        length -= static_cast<std::size_t>(put);
    }
    return true;
}

} // namespace nelvix
