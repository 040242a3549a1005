// A text read by position: a file as it is, or its conversion made in memory as reads go on.
#include "encoding/text_reader.h"

#include <algorithm>
#include <cstring>

#include "encoding/detect.h"
#include "files/posix_file.h"
#include "ui/platform.h"

namespace nelvix {
namespace {

constexpr std::size_t kInputBytes = kReaderPieceBytes + kConvertLookahead;
/// No converter writes more than twice what it reads.
constexpr std::size_t kPieceOutputBytes = 2 * kInputBytes;
static_assert(kReaderStageBytes > kPieceOutputBytes);

ConvertedPiece CopyPiece(const Byte* src, std::size_t length, Byte* dest) {
    std::memcpy(dest, src, length);
    return {length, length};
}

/// Plain ASCII converts alike under every code, and a file whose head is plain is read as it is
/// when it has CR LF line ends: only the line ends of other kinds change.
ConvertedPiece ConvertPlain(const Byte* src, std::size_t length, LineEndKind lineEnd, bool last,
                            Byte* dest) {
    if (lineEnd == LineEndKind::CrLf)
        return CopyPiece(src, length, dest);
    return NormalizeLineEndsPiece(src, dest, length, last);
}

} // namespace

void TextReader::ReadAsIs(int fd) {
    m_fd = fd;
    m_converting = false;
}

bool TextReader::ReadConverted(ui::Memory& memory, int fd, std::uint64_t fileLength,
                               const Detection& detection, bool codeOpen) {
    if (!m_input)
        m_input.reset(static_cast<Byte*>(memory.Allocate(kInputBytes)));
    if (!m_stage)
        m_stage.reset(static_cast<Byte*>(memory.Allocate(kReaderStageBytes)));
    if (!m_input || !m_stage)
        return false;
    m_fd = fd;
    m_converting = true;
    m_headDetection = detection;
    m_headLeavesCodeOpen = codeOpen;
    m_fileLength = fileLength;
    Restart();
    return true;
}

void TextReader::Restart() {
    m_fileRead = 0;
    m_kept = 0;
    m_ended = false;
    m_state = ConvertState{};
    m_detection = m_headDetection;
    m_codeOpen = m_headLeavesCodeOpen;
    m_stageStart = 0;
    m_stageLength = 0;
}

void TextReader::Discard(std::uint64_t upTo) {
    const std::uint64_t end = std::min(upTo, StageEnd());
    if (end <= m_stageStart)
        return;
    const auto dropped = static_cast<std::size_t>(end - m_stageStart);
    m_stageLength -= dropped;
    std::memmove(m_stage.get(), m_stage.get() + dropped, m_stageLength);
    m_stageStart = end;
}

void TextReader::MakeRoom(std::uint64_t keepFrom, std::uint64_t mustKeepFrom) {
    if (kReaderStageBytes - m_stageLength < kPieceOutputBytes)
        Discard(keepFrom);
    if (kReaderStageBytes - m_stageLength < kPieceOutputBytes)
        Discard(mustKeepFrom);
}

bool TextReader::ConvertMore() {
    const std::uint64_t left = m_fileLength - m_fileRead;
    const std::size_t want = left < kReaderPieceBytes ? left : kReaderPieceBytes;
    const std::optional<std::size_t> got =
        ReadUpToAt(m_fd, m_input.get() + m_kept, want, m_fileRead);
    if (!got)
        return false;
    m_fileRead += *got;
    // A file that shrank since it was opened simply ends early.
    m_ended = *got < want || m_fileRead >= m_fileLength;
    const std::size_t length = m_kept + *got;
    Byte* dest = m_stage.get() + m_stageLength;
    const ConvertedPiece piece =
        m_codeOpen ? ConvertOpen(length, dest) : ConvertDecided(m_input.get(), length, dest);
    m_stageLength += piece.written;
    m_kept = length - piece.consumed;
    std::memmove(m_input.get(), m_input.get() + piece.consumed, m_kept);
    return true;
}

ConvertedPiece TextReader::ConvertDecided(const Byte* src, std::size_t length, Byte* dest) {
    if (NeedsNoConversion(m_detection.code, m_detection.lineEnd))
        return CopyPiece(src, length, dest);
    return ConvertPiece(m_detection.code, m_detection.lineEnd, src, length, m_ended, m_state, dest);
}

ConvertedPiece TextReader::ConvertOpen(std::size_t length, Byte* dest) {
    const Byte* input = m_input.get();
    const std::size_t plain = FirstHighOrEscape(input, length);
    if (plain == length)
        return ConvertPlain(input, length, m_detection.lineEnd, m_ended, dest);
    // The telling byte is no line end, so the plain bytes before it convert as a text's end.
    const ConvertedPiece head = ConvertPlain(input, plain, m_detection.lineEnd, true, dest);
    Byte window[kExaminedHeadBytes];
    const std::optional<std::size_t> windowLength =
        ReadUpToAt(m_fd, window, sizeof window, m_fileRead - (length - plain));
    if (windowLength && *windowLength > 0)
        m_detection.code = DetectCodeOf(window, *windowLength);
    m_codeOpen = false;
    m_state.started = true; // a byte-order mark past the file's start is no mark
    const ConvertedPiece rest = ConvertDecided(input + plain, length - plain, dest + head.written);
    return {head.written + rest.written, plain + rest.consumed};
}

std::optional<std::size_t> TextReader::ReadAt(std::uint64_t position, Byte* dest,
                                              std::size_t length) {
    if (!m_converting)
        return ReadUpToAt(m_fd, dest, length, position);
    if (position < m_stageStart)
        Restart();
    std::size_t done = 0;
    while (done < length) {
        const std::uint64_t at = position + done;
        if (at < StageEnd()) {
            const auto held = static_cast<std::size_t>(StageEnd() - at);
            const std::size_t taken = std::min(length - done, held);
            std::memcpy(dest + done, m_stage.get() + (at - m_stageStart), taken);
            done += taken;
            continue;
        }
        if (m_ended)
            break;
        MakeRoom(position, at);
        if (!ConvertMore())
            return std::nullopt;
    }
    return done;
}

} // namespace nelvix
