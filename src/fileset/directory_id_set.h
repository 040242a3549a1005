// The directories a subdirectory walk has already taken, by device and inode, so that a
// symbolic link (or a bind mount) leading back into the tree is not walked a second time.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <vector>

namespace nelvix {

struct DirectoryId {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const DirectoryId&) const = default;
};

/// An open-addressing set in one array that doubles when half full: a walk of n directories
/// allocates about log2(n) times, never once per directory.
class DirectoryIdSet {
public:
    void Clear();
    /// True when `id` was not yet in the set (it is now); false for a repeat.
    bool Insert(DirectoryId id);
    std::size_t Size() const { return m_size; }

private:
    struct Slot {
        DirectoryId id;
        bool used = false;
    };
    void Grow();
    static std::size_t Hash(DirectoryId id);

    std::vector<Slot> m_slots;
    std::size_t m_size = 0;
};

} // namespace nelvix
