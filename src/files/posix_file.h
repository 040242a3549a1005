// Small POSIX file helpers shared by the readers and writers of the text layer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "base/sjis.h"

namespace nelvix {

/// An open file descriptor, closed when the object goes.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor();
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return m_fd; }
    bool IsOpen() const { return m_fd >= 0; }
    /// Closes now; false when the close reported an error (a late write failure).
    bool Close();

private:
    int m_fd;
};

/// Opens a regular file for reading; its length in `length`. Not open for anything else: a FIFO,
/// a device or a directory is refused without blocking.
FileDescriptor OpenRegularFileForReading(const std::string& nativePath, std::size_t& length);

/// Reads until `length` bytes or the end of the file; the count read, or nothing on error.
std::optional<std::size_t> ReadUpTo(int fd, Byte* buffer, std::size_t length);

/// The same from file position `position`, leaving the file's own position alone.
std::optional<std::size_t> ReadUpToAt(int fd, Byte* buffer, std::size_t length,
                                      std::uint64_t position);

/// Writes every byte; false (errno set) on error.
bool WriteAll(int fd, const Byte* bytes, std::size_t length);

} // namespace nelvix
