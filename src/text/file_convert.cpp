// Whole-file and whole-buffer conversion into Shift-JIS with CR LF, and the work file.
#include "text/file_convert.h"

#include <fcntl.h>
#include <unistd.h>

#include "text/convert.h"
#include "text/detect.h"
#include "text/native_path.h"
#include "text/posix_file.h"
#include "ui/messages.h"

namespace nelvix {
namespace {

/// Runs the converter of `code` over the whole input into `dest` (2 x length + 1 bytes).
std::size_t ConvertWith(TextCode code, LineEndKind lineEnd, const Byte* src, Byte* dest,
                        std::size_t length, bool& lossy) {
    switch (code) {
    case TextCode::Jis:
        return ConvertJisToSjis(src, dest, length, lineEnd);
    case TextCode::Euc:
        return ConvertEucToSjis(src, dest, length, lineEnd);
    case TextCode::Utf8:
        return ConvertUtf8ToSjis(src, dest, length, lineEnd, lossy);
    case TextCode::Auto:
    case TextCode::ShiftJis:
        break;
    }
    return NormalizeLineEnds(src, dest, length);
}

Byte* AllocateBytes(ui::Platform& platform, std::size_t bytes) {
    return static_cast<Byte*>(platform.memory.Allocate(bytes));
}

/// Converts `length` bytes with the detection already made, into a new block.
std::optional<ConvertedText> ConvertDetected(ui::Platform& platform, const Detection& detection,
                                             const Byte* src, std::size_t length) {
    std::unique_ptr<Byte, FreeDeleter> out(AllocateBytes(platform, 2 * length + 1));
    if (!out) {
        ui::ShowOutOfMemory(platform);
        return std::nullopt;
    }
    ConvertedText result;
    result.text.size =
        ConvertWith(detection.code, detection.lineEnd, src, out.get(), length, result.lossy);
    result.text.data = std::move(out);
    return result;
}

/// The head decides: detection on the first bytes, then the setting.
Detection DecideCode(const Byte* head, std::size_t headLength, int codeSetting) {
    Detection detection = DetectTextCode(head, headLength);
    detection.code = EffectiveTextCode(detection.code, codeSetting);
    return detection;
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
    Byte head[kExaminedHeadBytes];
    std::optional<std::size_t> headLength = ReadUpToAt(fd, head, sizeof head, 0);
    if (!headLength)
        return std::nullopt;
    Detection detection = DecideCode(head, *headLength, codeSetting);
    if (NeedsNoConversion(detection.code, detection.lineEnd))
        return std::nullopt;
    if (fileLength > kConversionLimitBytes)
        return std::nullopt;

    std::unique_ptr<Byte, FreeDeleter> input(AllocateBytes(platform, fileLength + 1));
    if (!input) {
        ui::ShowOutOfMemory(platform);
        return std::nullopt;
    }
    // The file may have changed since it was opened: take what is there, up to the allocation.
    std::optional<std::size_t> length = ReadUpToAt(fd, input.get(), fileLength, 0);
    if (!length)
        return std::nullopt;
    return ConvertDetected(platform, detection, input.get(), *length);
}

std::optional<ConvertedText> ConvertBufferToSjis(ui::Platform& platform, const Byte* bytes,
                                                 std::size_t length, int codeSetting) {
    Detection detection =
        DecideCode(bytes, length < kExaminedHeadBytes ? length : kExaminedHeadBytes, codeSetting);
    if (NeedsNoConversion(detection.code, detection.lineEnd))
        return std::nullopt;
    return ConvertDetected(platform, detection, bytes, length);
}

namespace {

WorkFileConversion WriteWorkFile(const std::optional<ConvertedText>& converted,
                                 const std::string& workPath) {
    if (!converted)
        return {};
    // Overwritten in place and cut to length afterwards: truncating a file that still holds
    // unwritten data to zero makes ext4 flush it first, which costs milliseconds for every
    // converted file of a search.
    FileDescriptor work(::open(workPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (work.Get() < 0)
        return {};
    const auto size = static_cast<off_t>(converted->text.size);
    if (!WriteAll(work.Get(), converted->text.begin(), converted->text.size) ||
        ::ftruncate(work.Get(), size) != 0 || !work.Close())
        return {};
    return {true, converted->lossy};
}

} // namespace

WorkFileConversion ConvertFileToWorkFile(ui::Platform& platform, std::string_view sjisPath,
                                         int codeSetting, const std::string& workPath) {
    if (workPath.empty())
        return {};
    return WriteWorkFile(ConvertFileToSjis(platform, sjisPath, codeSetting), workPath);
}

WorkFileConversion ConvertOpenFileToWorkFile(ui::Platform& platform, int fd, std::size_t fileLength,
                                             int codeSetting, const std::string& workPath) {
    if (workPath.empty())
        return {};
    return WriteWorkFile(ConvertOpenFileToSjis(platform, fd, fileLength, codeSetting), workPath);
}

} // namespace nelvix
