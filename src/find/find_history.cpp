// The shared find history.
#include "find/find_history.h"

#include <algorithm>

#include "search/result_line.h"

namespace nelvix {

void FindHistory::Add(std::string_view entry) {
    const std::size_t kept = WholeCharacterBytes(reinterpret_cast<const Byte*>(entry.data()),
                                                 std::min(entry.size(), kMaxPatternBytes));
    if (kept == 0)
        return;
    std::string added(entry.substr(0, kept));
    std::erase(m_entries, added);
    m_entries.insert(m_entries.begin(), std::move(added));
    if (m_entries.size() > kFindHistoryEntries)
        m_entries.resize(kFindHistoryEntries);
}

std::string_view FindHistory::Newest() const {
    return m_entries.empty() ? std::string_view{} : std::string_view(m_entries.front());
}

} // namespace nelvix
