// The load filter: the bytes of a file as a document may hold them (no NUL outside a pair, no
// lone CR, never half a character at the end), taken in chunks as they are read.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/sjis.h"

namespace nelvix {

/// Offset of the first byte of the last character of a filtered text: length - 1, or length - 2
/// when the last unit stored was two bytes (a Shift-JIS pair or CR LF); 0 for an empty text.
constexpr std::uint32_t LastCharOffsetOf(std::uint32_t length, bool lastUnitIsPair) {
    if (length == 0)
        return 0;
    return lastUnitIsPair && length >= 2 ? length - 2 : length - 1;
}

/// Filters a stream of file bytes into a text block, one chunk at a time:
///   - NUL becomes a space (altered);
///   - a lead byte takes the next byte with it whatever it is; a CR there becomes a space
///     (altered);
///   - CR LF is kept; a CR before anything else is dropped (altered) and the next byte is
///     handled afresh;
///   - every other byte, a lone LF included, is kept;
///   - a lead byte or CR as the very last byte of the stream is dropped (altered) by Finish().
/// A lead byte or CR at the end of a chunk waits for the next chunk, so the result does not
/// depend on where the chunks are cut. The output is never longer than the input.
class ByteFilter {
public:
    /// `dest` receives at most `capacity` bytes; bytes past that are dropped (and counted as an
    /// alteration), so a caller that feeds no more than `capacity` bytes in all loses nothing.
    ByteFilter(Byte* dest, std::size_t capacity) : m_dest(dest), m_capacity(capacity) {}

    void Feed(const Byte* chunk, std::size_t length);
    /// Ends the stream: a lead byte or CR still waiting is dropped. Feed must not follow.
    void Finish();

    std::size_t Stored() const { return m_stored; }
    bool Altered() const { return m_altered; }
    bool LastUnitIsPair() const { return m_lastUnitIsPair; }

private:
    enum class Pending : std::uint8_t { None, LeadByte, Cr };

    void PutPair(Byte first, Byte second);

    Byte* m_dest;
    std::size_t m_capacity;
    std::size_t m_stored = 0;
    Pending m_pending = Pending::None;
    Byte m_pendingLeadByte = 0;
    bool m_altered = false;
    bool m_lastUnitIsPair = false;
};

} // namespace nelvix
