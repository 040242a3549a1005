// Conversion of files (piece by piece) and buffers into Shift-JIS with CR LF, and the work file.
#include "text/file_convert.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <memory>

#include "text/convert.h"
#include "text/detect.h"
#include "text/native_path.h"
#include "text/posix_file.h"
#include "text/text_detection.h"
#include "ui/messages.h"

namespace nelvix {
namespace {

/// Takes each converted piece; false stops the conversion (a write failed, memory ran out).
using PieceSink = std::function<bool(const Byte* bytes, std::size_t length)>;

Byte* AllocateBytes(ui::Platform& platform, std::size_t bytes) {
    return static_cast<Byte*>(platform.memory.Allocate(bytes));
}

/// The detection of an open file, its code overridden by the setting; nothing when the head
/// cannot be read.
std::optional<Detection> DecideOpenFile(int fd, int codeSetting) {
    Byte head[kExaminedHeadBytes];
    const std::optional<std::size_t> headLength = ReadUpToAt(fd, head, sizeof head, 0);
    if (!headLength)
        return std::nullopt;
    // A fixed code needs only the head's line end.
    Detection detection = codeSetting >= 1 && codeSetting <= 3
                              ? DetectTextCode(head, *headLength)
                              : DetectOpenFile(fd, head, *headLength);
    detection.code = EffectiveTextCode(detection.code, codeSetting);
    return detection;
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

/// Reads `fd` from its start up to `fileLength` bytes, converts each piece and hands it to
/// `sink`, until the end, a read error, or `maxBytes` handed over. False when it stopped short
/// for any reason but `maxBytes`.
bool ConvertPieces(ui::Platform& platform, int fd, std::uint64_t fileLength,
                   const Detection& detection, std::uint64_t maxBytes, const PieceSink& sink,
                   bool& lossy) {
    PieceBuffers buffers(platform);
    if (!buffers.Ready()) {
        ui::ShowOutOfMemory(platform);
        return false;
    }
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
            return false;
        offset += *got;
        // A file that shrank since it was opened simply ends early.
        last = *got < want || offset >= fileLength;
        const std::size_t length = kept + *got;
        const ConvertedPiece piece =
            ConvertPiece(detection.code, detection.lineEnd, buffers.input.get(), length, last,
                         state, buffers.output.get());
        if (piece.written > 0 && !sink(buffers.output.get(), piece.written))
            return false;
        written += piece.written;
        kept = length - piece.consumed;
        std::memmove(buffers.input.get(), buffers.input.get() + piece.consumed, kept);
    }
    lossy = state.lossy;
    return true;
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
    bool outOfMemory = false;
    const bool done = ConvertPieces(
        platform, fd, fileLength, *detection, kWholeText,
        [&](const Byte* bytes, std::size_t length) {
            outOfMemory = !block.Append(bytes, length);
            return !outOfMemory;
        },
        result.lossy);
    if (outOfMemory)
        ui::ShowOutOfMemory(platform);
    if (!done)
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
    // Overwritten in place and cut to length afterwards: truncating a file that still holds
    // unwritten data to zero makes ext4 flush it first, which costs milliseconds for every
    // converted file of a search.
    FileDescriptor work(::open(workPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (work.Get() < 0)
        return {};
    std::uint64_t size = 0;
    WorkFileConversion conversion;
    const bool converted = ConvertPieces(
        platform, fd, fileLength, *detection, maxBytes,
        [&](const Byte* bytes, std::size_t length) {
            if (!WriteAll(work.Get(), bytes, length))
                return false;
            size += length;
            return true;
        },
        conversion.lossy);
    if (!converted || ::ftruncate(work.Get(), static_cast<off_t>(size)) != 0 || !work.Close())
        return {};
    conversion.written = true;
    return conversion;
}

} // namespace nelvix
