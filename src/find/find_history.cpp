// The shared find history.
#include "find/find_history.h"

#include <algorithm>

#include "search/result_line.h"

namespace nelvix {

void AddToHistory(std::vector<std::string>& history, std::string_view entry,
                  std::size_t entryBytes) {
    const std::size_t kept = WholeCharacterBytes(reinterpret_cast<const Byte*>(entry.data()),
                                                 std::min(entry.size(), entryBytes - 1));
    std::string added(entry.substr(0, kept));
    std::erase(history, added);
    history.insert(history.begin(), std::move(added));
    if (history.size() > kFindHistoryEntries)
        history.resize(kFindHistoryEntries);
}

void FindHistory::Add(std::string_view entry) {
    if (WholeCharacterBytes(reinterpret_cast<const Byte*>(entry.data()),
                            std::min(entry.size(), kMaxPatternBytes)) > 0)
        AddToHistory(m_entries, entry, kPatternBufferBytes);
}

std::string_view FindHistory::Newest() const {
    return m_entries.empty() ? std::string_view{} : std::string_view(m_entries.front());
}

} // namespace nelvix
