// The window bar's rules.
#include "frame/window_bar_rules.h"

#include <algorithm>

#include "text/document_list.h"

namespace nelvix {

int WindowBarHeight(int textHeight, int heightAdjust) {
    return textHeight + kWindowBarTextMargin + heightAdjust;
}

std::size_t WindowTabCount(std::size_t documentCount) {
    return std::min(documentCount, kMaxWindowTabs);
}

std::vector<std::string> WindowTabTitles(const DocumentList& documents) {
    const auto& all = documents.Documents();
    std::vector<std::string> titles;
    titles.reserve(WindowTabCount(all.size()));
    for (std::size_t i = 0; i < WindowTabCount(all.size()); ++i)
        titles.push_back(all[i]->Title());
    return titles;
}

std::optional<std::size_t> DocumentOfTab(int tabIndex, std::size_t documentCount) {
    if (tabIndex < 0)
        return std::nullopt;
    const auto index = static_cast<std::size_t>(tabIndex);
    if (index >= WindowTabCount(documentCount))
        return std::nullopt;
    return index;
}

} // namespace nelvix
