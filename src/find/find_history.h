// The find strings, newest first: one list shared by the global find and the find in a text.
#pragma once

#include "base/limits.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace nelvix {

inline constexpr std::size_t kFindHistoryEntries = 20;

/// Puts `entry` first, cut to the whole characters shorter than `entryBytes`, removing an equal
/// one; the oldest falls off beyond 20.
void AddToHistory(std::vector<std::string>& history, std::string_view entry,
                  std::size_t entryBytes);

class FindHistory {
public:
    /// Works on `entries` in place, so that the global find engine's list is the same list.
    explicit FindHistory(std::vector<std::string>& entries) : m_entries(entries) {}

    /// Puts `entry` first, removing an equal one; the oldest falls off beyond 20. An empty
    /// entry is not added.
    void Add(std::string_view entry);
    /// Empty when the history is.
    std::string_view Newest() const;
    const std::vector<std::string>& Entries() const { return m_entries; }

private:
    std::vector<std::string>& m_entries;
};

} // namespace nelvix
