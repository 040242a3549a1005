// A text read by position, as a search reads it: a file as it is, or the Shift-JIS CR LF text
// its conversion gives, converted piece by piece in memory as the reads go forward, so that a
// search never writes a converted copy anywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

#include "base/byte_block.h"
#include "encoding/convert.h"
#include "encoding/text_code.h"

namespace nelvix::ui {
class Memory;
}

namespace nelvix {

/// File bytes converted at a time.
inline constexpr std::size_t kReaderPieceBytes = 32 * 1024;
/// Converted text held between reads: a read of up to this less two converted pieces leaves
/// its bytes for a next read that starts anywhere within it.
inline constexpr std::size_t kReaderStageBytes = 4 * kReaderPieceBytes;

class TextReader {
public:
    /// Reads `fd` as it is.
    void ReadAsIs(int fd);
    /// Reads the first `fileLength` bytes of `fd` as their conversion from `detection` gives
    /// them; with `codeOpen` (a head of plain ASCII) the code is told where the first byte of
    /// 0x80 or more (or ESC) stands, as detection over the whole file would tell it. False when
    /// memory for the buffers ran out (they are made once, then kept).
    bool ReadConverted(ui::Memory& memory, int fd, std::uint64_t fileLength,
                       const Detection& detection, bool codeOpen = false);
    bool Converting() const { return m_converting; }

    /// Up to `length` bytes of the text from `position`, fewer only at its end; nothing on a
    /// read error. Reads are meant to go forward: a position before the text still held is
    /// converted again from the file's start.
    std::optional<std::size_t> ReadAt(std::uint64_t position, Byte* dest, std::size_t length);

private:
    std::uint64_t StageEnd() const { return m_stageStart + m_stageLength; }
    void Restart();
    /// Drops the held text before `upTo`.
    void Discard(std::uint64_t upTo);
    /// Room for one more converted piece, dropping what lies before `keepFrom`, or when that is
    /// not enough before `mustKeepFrom`.
    void MakeRoom(std::uint64_t keepFrom, std::uint64_t mustKeepFrom);
    /// Converts the next piece of the file onto the held text; false on a read error.
    bool ConvertMore();
    /// Converts `length` input bytes into `dest` by the code decided.
    ConvertedPiece ConvertDecided(const Byte* src, std::size_t length, Byte* dest);
    /// Converts input while the code is open, deciding it at the first byte that tells it.
    ConvertedPiece ConvertOpen(std::size_t length, Byte* dest);

    int m_fd = -1;
    bool m_converting = false;
    Detection m_detection;
    Detection m_headDetection; ///< what the file's start decided
    bool m_codeOpen = false;
    bool m_headLeavesCodeOpen = false;
    std::uint64_t m_fileLength = 0;
    std::uint64_t m_fileRead = 0; ///< file bytes read so far
    std::size_t m_kept = 0;       ///< file bytes kept back at the input's start
    bool m_ended = false;         ///< the file's last piece is converted
    ConvertState m_state;
    std::unique_ptr<Byte, FreeDeleter> m_input;
    std::unique_ptr<Byte, FreeDeleter> m_stage; ///< converted text from m_stageStart
    std::uint64_t m_stageStart = 0;
    std::size_t m_stageLength = 0;
};

} // namespace nelvix
