// A file named on the command line, opened for reading, or the reason it cannot be.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "base/sjis.h"

namespace nelvix::cli {

class InputFile {
public:
    /// Opens `nativePath`; when that fails, IsOpen() is false and Reason() says why. Only
    /// regular files are opened: a FIFO or device could block the run or never end.
    explicit InputFile(const std::string& nativePath);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    const std::string& Reason() const { return m_reason; }

    /// Reads up to `capacity` bytes from the start; the count read, or nothing (with Reason()
    /// set) on a read error.
    std::optional<std::size_t> ReadHead(Byte* buffer, std::size_t capacity);
    /// The open file, for reading on past the head with pread.
    int Descriptor() const { return m_fd; }

private:
    void Fail(int error);

    int m_fd = -1;
    std::string m_reason;
};

} // namespace nelvix::cli
