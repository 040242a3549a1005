// The set of directories a subdirectory walk has taken.
#include "fileset/directory_id_set.h"

#include <cstdint>

namespace nelvix {

namespace {
constexpr std::size_t kFirstSlots = 64; // a power of two: the probe masks with size - 1
}

void DirectoryIdSet::Clear() {
    // Keeps the array: a second walk with the same list allocates nothing more.
    for (Slot& slot : m_slots)
        slot.used = false;
    m_size = 0;
}

std::size_t DirectoryIdSet::Hash(DirectoryId id) {
    // Inodes of one directory tree are mostly close together: mix them so that they spread.
    std::uint64_t h = static_cast<std::uint64_t>(id.inode) * 0x9E3779B97F4A7C15ull;
    h ^= static_cast<std::uint64_t>(id.device) + 0x7F4A7C15ull + (h << 6) + (h >> 2);
    return static_cast<std::size_t>(h ^ (h >> 32));
}

bool DirectoryIdSet::Insert(DirectoryId id) {
    if ((m_size + 1) * 2 > m_slots.size())
        Grow();
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = Hash(id) & mask;; i = (i + 1) & mask) {
        Slot& slot = m_slots[i];
        if (!slot.used) {
            slot = Slot{id, true};
            ++m_size;
            return true;
        }
        if (slot.id == id)
            return false;
    }
}

void DirectoryIdSet::Grow() {
    std::vector<Slot> old;
    old.swap(m_slots);
    m_slots.resize(old.empty() ? kFirstSlots : old.size() * 2);
    m_size = 0;
    for (const Slot& slot : old) {
        if (slot.used)
            Insert(slot.id);
    }
}

} // namespace nelvix
