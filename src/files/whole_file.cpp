// Reading and writing the program's own small files in one piece.
#include "files/whole_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "base/native_path.h"
#include "files/atomic_write.h"
#include "files/posix_file.h"
#include "files/save_target.h"
#include "ui/messages.h"

namespace nelvix {
std::optional<ByteBlock> ReadWholeFile(ui::Platform& platform, std::string_view sjisPath) {
    const std::string nativePath = SjisPathToNative(sjisPath);
    std::size_t length = 0;
    FileDescriptor file = OpenRegularFileForReading(nativePath, length);
    if (!file.IsOpen() || length > kWholeFileLimitBytes)
        return std::nullopt;

    ByteBlock block;
    block.data.reset(static_cast<Byte*>(platform.memory.Allocate(length + kWholeFileSpareBytes)));
    if (!block.data) {
        ui::ShowOutOfMemory(platform, true);
        return std::nullopt;
    }

    // Never past `length`, even when the file has grown since fstat; a file that shrank ends
    // early and the rest of the block is zeroed like the spare bytes.
    std::optional<std::size_t> done = ReadUpTo(file.Get(), block.data.get(), length);
    if (!done)
        return std::nullopt;
    std::memset(block.data.get() + *done, 0, length - *done + kWholeFileSpareBytes);
    block.size = *done;
    return block;
}

bool WriteWholeFile(std::string_view sjisPath, const Byte* bytes, std::size_t length, bool append) {
    const std::string nativePath = SjisPathToNative(sjisPath);
    if (!append)
        return WriteFileAtomically(nativePath, bytes, length);
    // Opening a device or a FIFO for writing may already do something; such a name is refused
    // before, as a replacement refuses it.
    const std::optional<SaveTarget> target = ResolveSaveTarget(nativePath);
    if (!target)
        return false;
    if (target->kind == TargetKind::Folder || target->kind == TargetKind::Other) {
        errno = target->kind == TargetKind::Folder ? EISDIR : EINVAL;
        return false;
    }

    FileDescriptor file(
        ::open(nativePath.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666));
    if (file.Get() < 0)
        return false;
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    return WriteAll(file.Get(), bytes, length) && file.Close();
}

bool CopyWholeFile(ui::Platform& platform, std::string_view sjisTarget,
                   std::string_view sjisSource) {
    std::optional<ByteBlock> source = ReadWholeFile(platform, sjisSource);
    if (!source)
        return false;
    return WriteWholeFile(sjisTarget, source->begin(), source->size, false);
}

} // namespace nelvix
