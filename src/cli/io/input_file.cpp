// Opening a file named on the command line with POSIX calls, so that errors keep their errno.
#include "cli/io/input_file.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nelvix::cli {

InputFile::InputFile(const std::string& nativePath) {
    // Non-blocking, so that naming a FIFO cannot hang the open before the type check.
    m_fd = ::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (m_fd < 0) {
        Fail(errno);
        return;
    }
    struct stat status {};
    if (::fstat(m_fd, &status) != 0) {
        Fail(errno);
    } else if (S_ISDIR(status.st_mode)) {
        Fail(EISDIR);
    } else if (!S_ISREG(status.st_mode)) {
        m_reason = "Not a regular file";
        ::close(m_fd);
        m_fd = -1;
    }
}

InputFile::~InputFile() {
    if (m_fd >= 0)
        ::close(m_fd);
}

void InputFile::Fail(int error) {
    m_reason = std::strerror(error);
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

std::optional<std::size_t> InputFile::ReadHead(Byte* buffer, std::size_t capacity) {
    if (!IsOpen())
        return std::nullopt;
    std::size_t filled = 0;
    while (filled < capacity) {
        ssize_t count =
            ::pread(m_fd, buffer + filled, capacity - filled, static_cast<off_t>(filled));
        if (count == 0)
            break;
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            Fail(errno);
            return std::nullopt;
        }
        filled += static_cast<std::size_t>(count);
    }
    return filled;
}

} // namespace nelvix::cli
