// The load filter of the text document.
#include "text/byte_filter.h"

namespace nelvix {

void ByteFilter::PutPair(Byte first, Byte second) {
    // A pair is never split by the capacity: storing half of it would end the text in half a
    // character.
    if (m_capacity - m_stored < 2) {
        m_altered = true;
        return;
    }
    m_dest[m_stored] = first;
    m_dest[m_stored + 1] = second;
    m_stored += 2;
    m_lastUnitIsPair = true;
}

void ByteFilter::Feed(const Byte* chunk, std::size_t length) {
    std::size_t i = 0;
    if (length == 0)
        return;

    // The byte left waiting at the end of the previous chunk takes the first byte of this one.
    if (m_pending == Pending::LeadByte) {
        m_pending = Pending::None;
        Byte trail = chunk[0];
        if (trail == kCr) {
            trail = ' ';
            m_altered = true;
        }
        PutPair(m_pendingLeadByte, trail);
        i = 1;
    } else if (m_pending == Pending::Cr) {
        m_pending = Pending::None;
        if (chunk[0] == kLf) {
            PutPair(kCr, kLf);
            i = 1;
        } else {
            m_altered = true; // a lone CR; chunk[0] is handled afresh below
        }
    }

    // Output never outruns input, so when the whole chunk fits no byte needs a capacity check.
    const bool checked = m_capacity - m_stored < length - i;
    Byte* out = m_dest + m_stored;
    bool lastUnitIsPair = m_lastUnitIsPair;
    bool altered = m_altered;
    while (i < length) {
        const Byte b = chunk[i];
        if (IsLeadByte(b) || b == kCr) {
            if (i + 1 == length) {
                m_pending = b == kCr ? Pending::Cr : Pending::LeadByte;
                m_pendingLeadByte = b;
                ++i;
                break;
            }
            Byte next = chunk[i + 1];
            if (b == kCr && next != kLf) {
                altered = true; // a lone CR is dropped; `next` is handled afresh
                ++i;
                continue;
            }
            if (b != kCr && next == kCr) {
                next = ' ';
                altered = true;
            }
            if (checked && m_capacity - static_cast<std::size_t>(out - m_dest) < 2) {
                altered = true;
            } else {
                out[0] = b;
                out[1] = next;
                out += 2;
                lastUnitIsPair = true;
            }
            i += 2;
            continue;
        }
        if (checked && static_cast<std::size_t>(out - m_dest) >= m_capacity) {
            altered = true;
        } else {
            if (b == 0) {
                *out++ = ' ';
                altered = true;
            } else {
                *out++ = b;
            }
            lastUnitIsPair = false;
        }
        ++i;
    }
    m_stored = static_cast<std::size_t>(out - m_dest);
    m_lastUnitIsPair = lastUnitIsPair;
    m_altered = altered;
}

void ByteFilter::Finish() {
    if (m_pending != Pending::None) {
        // A lead byte or CR as the very last byte of the file has nothing to pair with.
        m_pending = Pending::None;
        m_altered = true;
    }
}

} // namespace nelvix
