// Reading and writing the program's own small files in one piece.
#include "text/whole_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "text/atomic_write.h"
#include "text/native_path.h"
#include "ui/messages.h"

namespace nelvix {
namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return m_fd; }
    bool Close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

} // namespace

std::optional<ByteBlock> ReadWholeFile(ui::Platform& platform, std::string_view sjisPath) {
    const std::string nativePath = SjisPathToNative(sjisPath);
    // Non-blocking so that a FIFO cannot hang the program; only regular files are read.
    FileDescriptor file(::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.Get() < 0)
        return std::nullopt;
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0 ||
        static_cast<std::uint64_t>(info.st_size) > kWholeFileLimitBytes)
        return std::nullopt;

    const auto length = static_cast<std::size_t>(info.st_size);
    ByteBlock block;
    block.data.reset(static_cast<Byte*>(platform.memory.Allocate(length + kWholeFileSpareBytes)));
    if (!block.data) {
        ui::ShowOutOfMemory(platform, true);
        return std::nullopt;
    }

    // Never past `length`, even when the file has grown since fstat; a file that shrank ends
    // early and the rest of the block is zeroed like the spare bytes.
    std::size_t done = 0;
    while (done < length) {
        ssize_t got = ::read(file.Get(), block.data.get() + done, length - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    std::memset(block.data.get() + done, 0, length - done + kWholeFileSpareBytes);
    block.size = done;
    return block;
}

bool WriteWholeFile(std::string_view sjisPath, const Byte* bytes, std::size_t length, bool append) {
    const std::string nativePath = SjisPathToNative(sjisPath);
    if (!append)
        return WriteFileAtomically(nativePath, bytes, length);

    FileDescriptor file(
        ::open(nativePath.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666));
    if (file.Get() < 0)
        return false;
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    while (length > 0) {
        ssize_t put = ::write(file.Get(), bytes, length);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        bytes += put;
        length -= static_cast<std::size_t>(put);
    }
    return file.Close();
}

bool CopyWholeFile(ui::Platform& platform, std::string_view sjisTarget,
                   std::string_view sjisSource) {
    std::optional<ByteBlock> source = ReadWholeFile(platform, sjisSource);
    if (!source)
        return false;
    return WriteWholeFile(sjisTarget, source->begin(), source->size, false);
}

} // namespace nelvix
