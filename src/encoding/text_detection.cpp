// Detection past a plain head.
#include "encoding/text_detection.h"

#include <cstdint>
#include <memory>
#include <new>
#include <optional>

#include "encoding/detect.h"
#include "files/posix_file.h"

namespace nelvix {
namespace {

/// A full head without a byte of 0x80 or more and without ESC tells nothing of the encoding.
bool LeavesCodeOpen(const Byte* head, std::size_t headLength) {
    return headLength >= kExaminedHeadBytes &&
           FirstHighOrEscape(head, kExaminedHeadBytes) == kExaminedHeadBytes;
}

} // namespace

Detection DetectOpenFile(int fd, const Byte* head, std::size_t headLength) {
    Detection detection = DetectTextCode(head, headLength);
    if (!LeavesCodeOpen(head, headLength))
        return detection;
    const std::unique_ptr<Byte[]> block(new (std::nothrow) Byte[kDetectReadBytes]);
    if (!block)
        return detection;
    for (std::uint64_t offset = kExaminedHeadBytes;;) {
        const std::optional<std::size_t> got =
            ReadUpToAt(fd, block.get(), kDetectReadBytes, offset);
        if (!got || *got == 0)
            return detection;
        const std::size_t first = FirstHighOrEscape(block.get(), *got);
        if (first < *got) {
            // The window starts at that byte; read again when the block ends too soon after it.
            Byte window[kExaminedHeadBytes];
            const std::optional<std::size_t> windowLength =
                ReadUpToAt(fd, window, sizeof window, offset + first);
            if (windowLength && *windowLength > 0)
                detection.code = DetectCodeOf(window, *windowLength);
            return detection;
        }
        offset += *got;
    }
}

/// A fixed code needs only the head's line end.
bool FixesCode(int codeSetting) {
    return codeSetting >= 1 && codeSetting <= 3;
}

std::optional<Detection> DecideOpenFile(int fd, int codeSetting) {
    Byte head[kExaminedHeadBytes];
    const std::optional<std::size_t> headLength = ReadUpToAt(fd, head, sizeof head, 0);
    if (!headLength)
        return std::nullopt;
    Detection detection = FixesCode(codeSetting) ? DetectTextCode(head, *headLength)
                                                 : DetectOpenFile(fd, head, *headLength);
    detection.code = EffectiveTextCode(detection.code, codeSetting);
    return detection;
}

std::optional<HeadDecision> DecideOpenHead(int fd, int codeSetting) {
    Byte head[kExaminedHeadBytes];
    const std::optional<std::size_t> headLength = ReadUpToAt(fd, head, sizeof head, 0);
    if (!headLength)
        return std::nullopt;
    HeadDecision decision{DetectTextCode(head, *headLength),
                          !FixesCode(codeSetting) && LeavesCodeOpen(head, *headLength)};
    decision.detection.code = EffectiveTextCode(decision.detection.code, codeSetting);
    return decision;
}

Detection DetectBuffer(const Byte* bytes, std::size_t length) {
    const std::size_t headLength = length < kExaminedHeadBytes ? length : kExaminedHeadBytes;
    Detection detection = DetectTextCode(bytes, headLength);
    if (!LeavesCodeOpen(bytes, headLength))
        return detection;
    const std::size_t first = kExaminedHeadBytes + FirstHighOrEscape(bytes + kExaminedHeadBytes,
                                                                     length - kExaminedHeadBytes);
    if (first < length)
        detection.code = DetectCodeOf(bytes + first, length - first);
    return detection;
}

} // namespace nelvix
