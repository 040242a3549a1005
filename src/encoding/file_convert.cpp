// Conversion of files (piece by piece) and buffers into Shift-JIS with CR LF, and the work file.
#include "encoding/file_convert.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <memory>

#include "base/native_path.h"
#include "encoding/convert.h"
#include "encoding/detect.h"
#include "encoding/text_detection.h"
#include "files/posix_file.h"
#include "ui/messages.h"

namespace nelvix {
namespace {

/// Takes each converted piece; false stops the conversion (a write failed, memory ran out).
using PieceSink = std::function<bool(const Byte* bytes, std::size_t length)>;

Byte* AllocateBytes(ui::Platform& platform, std::size_t bytes) {
    return static_cast<Byte*>(platform.memory.Allocate(bytes));
}

/// Buffers for one piece of input (with the bytes kept back from the one before) and its
/// output.
struct PieceBuffers {
    std::unique_ptr<Byte, FreeDeleter> input;
    std::unique_ptr<Byte, FreeDeleter> output;
    static constexpr std::size_t kInputBytes = kConvertPieceBytes + kConvertLookahead;

    explicit PieceBuffers(ui::Platform& platform)
        : input(AllocateBytes(platform, kInputBytes)),
          output(AllocateBytes(platform, 2 * kInputBytes)) {}
    bool Ready() const { return input && output; }
};

enum class PiecesEnd { Done, ReadFailed, SinkFailed, OutOfMemory };

/// Reads `fd` from its start up to `fileLength` bytes, converts each piece and hands it to
/// `sink`, until the end, a read error, a refusing sink, or `maxBytes` handed over.
PiecesEnd ConvertPieces(ui::Platform& platform, int fd, std::uint64_t fileLength,
                        const Detection& detection, std::uint64_t maxBytes, const PieceSink& sink,
                        bool& lossy) {
    PieceBuffers buffers(platform);
    if (!buffers.Ready())
        return PiecesEnd::OutOfMemory;
    ConvertState state;
    std::size_t kept = 0;
    std::uint64_t offset = 0;
    std::uint64_t written = 0;
    bool last = false;
    while (!last && written < maxBytes) {
        const std::uint64_t left = fileLength - offset;
        const std::size_t want = left < kConvertPieceBytes ? left : kConvertPieceBytes;
        const std::optional<std::size_t> got =
            ReadUpToAt(fd, buffers.input.get() + kept, want, offset);
        if (!got)
            return PiecesEnd::ReadFailed;
        offset += *got;
        // A file that shrank since it was opened simply ends early.
        last = *got < want || offset >= fileLength;
        const std::size_t length = kept + *got;
        const ConvertedPiece piece =
            ConvertPiece(detection.code, detection.lineEnd, buffers.input.get(), length, last,
                         state, buffers.output.get());
        if (piece.written > 0 && !sink(buffers.output.get(), piece.written))
            return PiecesEnd::SinkFailed;
        written += piece.written;
        kept = length - piece.consumed;
        std::memmove(buffers.input.get(), buffers.input.get() + piece.consumed, kept);
    }
    lossy = state.lossy;
    return PiecesEnd::Done;
}

/// A growing block in the platform's memory, for a conversion held whole.
class GrowingBlock {
public:
    explicit GrowingBlock(ui::Platform& platform) : m_platform(platform) {}
    bool Append(const Byte* bytes, std::size_t length) {
        if (length > m_capacity - m_block.size && !Grow(m_block.size + length))
            return false;
        std::memcpy(m_block.data.get() + m_block.size, bytes, length);
        m_block.size += length;
        return true;
    }
    ByteBlock Take() { return std::move(m_block); }

private:
    bool Grow(std::size_t needed) {
        std::size_t capacity = m_capacity == 0 ? kConvertPieceBytes : m_capacity;
        while (capacity < needed + 1)
            capacity *= 2;
        void* grown = m_platform.memory.Reallocate(m_block.data.get(), capacity);
        if (grown == nullptr)
            return false;
        m_block.data.release();
        m_block.data.reset(static_cast<Byte*>(grown));
        m_capacity = capacity;
        return true;
    }

    ui::Platform& m_platform;
    ByteBlock m_block;
    std::size_t m_capacity = 0;
};

/// What a conversion into a file reads and how far.
struct CopyTarget {
    ui::Platform& platform;
    int source;
    std::uint64_t fileLength;
    const Detection& detection;
    std::uint64_t maxBytes;
    bool& lossy;
};

/// Converts into `out` from its start and cuts it to the converted length.
PiecesEnd ConvertIntoDescriptor(const CopyTarget& target, int out) {
    std::uint64_t size = 0;
    const PiecesEnd end = ConvertPieces(
        target.platform, target.source, target.fileLength, target.detection, target.maxBytes,
        [&](const Byte* bytes, std::size_t length) {
            if (!WriteAll(out, bytes, length))
                return false;
            size += length;
            return true;
        },
        target.lossy);
    if (end == PiecesEnd::Done && ::ftruncate(out, static_cast<off_t>(size)) != 0)
        return PiecesEnd::SinkFailed;
    return end;
}

/// The work file is made anew for each copy, exclusively and never through a link: whatever
/// lies at its name (a copy of an earlier conversion, or a link someone planted) is removed
/// first, so that no other file is ever written in its place.
PiecesEnd ConvertIntoWorkFile(const CopyTarget& target, const std::string& workPath) {
    ::unlink(workPath.c_str());
    FileDescriptor work(
        ::open(workPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (work.Get() < 0)
        return PiecesEnd::SinkFailed;
    const PiecesEnd end = ConvertIntoDescriptor(target, work.Get());
    if (!work.Close() && end == PiecesEnd::Done)
        return PiecesEnd::SinkFailed;
    return end;
}

/// The copy in memory, kept open until the next one, read through its /proc name.
int g_memoryCopy = -1;

PiecesEnd ConvertIntoMemory(const CopyTarget& target, std::string& path) {
    if (g_memoryCopy >= 0)
        ::close(g_memoryCopy);
    g_memoryCopy = ::memfd_create("nelvix-work", MFD_CLOEXEC);
    if (g_memoryCopy < 0)
        return PiecesEnd::OutOfMemory;
    path = "/proc/self/fd/" + std::to_string(g_memoryCopy);
    return ConvertIntoDescriptor(target, g_memoryCopy);
}

} // namespace

std::optional<ConvertedText> ConvertFileToSjis(ui::Platform& platform, std::string_view sjisPath,
                                               int codeSetting) {
    std::size_t fileLength = 0;
    FileDescriptor file = OpenRegularFileForReading(SjisPathToNative(sjisPath), fileLength);
    if (!file.IsOpen())
        return std::nullopt;
    return ConvertOpenFileToSjis(platform, file.Get(), fileLength, codeSetting);
}

std::optional<ConvertedText> ConvertOpenFileToSjis(ui::Platform& platform, int fd,
                                                   std::size_t fileLength, int codeSetting) {
    const std::optional<Detection> detection = DecideOpenFile(fd, codeSetting);
    if (!detection || NeedsNoConversion(detection->code, detection->lineEnd))
        return std::nullopt;
    GrowingBlock block(platform);
    ConvertedText result;
    const PiecesEnd end = ConvertPieces(
        platform, fd, fileLength, *detection, kWholeText,
        [&](const Byte* bytes, std::size_t length) { return block.Append(bytes, length); },
        result.lossy);
    if (end == PiecesEnd::OutOfMemory || end == PiecesEnd::SinkFailed)
        ui::ShowOutOfMemory(platform);
    if (end != PiecesEnd::Done)
        return std::nullopt;
    result.text = block.Take();
    return result;
}

std::optional<ConvertedText> ConvertBufferToSjis(ui::Platform& platform, const Byte* bytes,
                                                 std::size_t length, int codeSetting) {
    Detection detection = DetectBuffer(bytes, length);
    detection.code = EffectiveTextCode(detection.code, codeSetting);
    if (NeedsNoConversion(detection.code, detection.lineEnd))
        return std::nullopt;
    std::unique_ptr<Byte, FreeDeleter> out(AllocateBytes(platform, 2 * length + 1));
    if (!out) {
        ui::ShowOutOfMemory(platform);
        return std::nullopt;
    }
    ConvertState state;
    ConvertedText result;
    result.text.size =
        ConvertPiece(detection.code, detection.lineEnd, bytes, length, true, state, out.get())
            .written;
    result.text.data = std::move(out);
    result.lossy = state.lossy;
    return result;
}

WorkFileConversion ConvertFileToWorkFile(ui::Platform& platform, std::string_view sjisPath,
                                         int codeSetting, const std::string& workPath,
                                         std::uint64_t maxBytes) {
    if (workPath.empty())
        return {};
    std::size_t fileLength = 0;
    FileDescriptor file = OpenRegularFileForReading(SjisPathToNative(sjisPath), fileLength);
    if (!file.IsOpen())
        return {};
    return ConvertOpenFileToWorkFile(platform, file.Get(), fileLength, codeSetting, workPath,
                                     maxBytes);
}

WorkFileConversion ConvertOpenFileToWorkFile(ui::Platform& platform, int fd, std::size_t fileLength,
                                             int codeSetting, const std::string& workPath,
                                             std::uint64_t maxBytes) {
    if (workPath.empty())
        return {};
    const std::optional<Detection> detection = DecideOpenFile(fd, codeSetting);
    if (!detection || NeedsNoConversion(detection->code, detection->lineEnd))
        return {};
    WorkFileConversion conversion;
    CopyTarget target{platform, fd, fileLength, *detection, maxBytes, conversion.lossy};
    PiecesEnd end = ConvertIntoWorkFile(target, workPath);
    conversion.path = workPath;
    if (end == PiecesEnd::SinkFailed) {
        // A full disk or a home that cannot be written: the copy goes to memory instead, so
        // that the text is still read as what it is.
        ::unlink(workPath.c_str());
        end = ConvertIntoMemory(target, conversion.path);
    }
    if (end == PiecesEnd::OutOfMemory || end == PiecesEnd::SinkFailed)
        ui::ShowOutOfMemory(platform);
    conversion.written = end == PiecesEnd::Done;
    return conversion;
}

} // namespace nelvix
