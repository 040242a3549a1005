// The window bar's rules: one tab per open document, in order of opening, at most 100 of them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace nelvix {

class DocumentList;

inline constexpr std::size_t kMaxWindowTabs = 100;
/// Added to the tab font's text height, before the "TabBarHeightAdjust" pixels.
inline constexpr int kWindowBarTextMargin = 8;

/// The bar's height; the tabs sit `heightAdjust` pixels below its top edge.
int WindowBarHeight(int textHeight, int heightAdjust);

/// How many of `documentCount` documents get a tab.
std::size_t WindowTabCount(std::size_t documentCount);

/// The (Shift-JIS) titles of the tabs: the first 100 documents' titles.
std::vector<std::string> WindowTabTitles(const DocumentList& documents);

/// The document behind a tab; nothing for a tab index outside the list or beyond the tabs.
std::optional<std::size_t> DocumentOfTab(int tabIndex, std::size_t documentCount);

} // namespace nelvix
