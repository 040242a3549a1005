// Testing a line against one rule list.
#include "extract/rule_matching.h"

#include <algorithm>

namespace nelvix {
namespace {

/// The used entries; a count outside 0..5 (only a rule set built in code can have one) is held to
/// the slots.
std::span<const RuleEntry> UsedEntries(const RuleList& list) {
    const auto count = static_cast<std::size_t>(
        std::clamp<std::int32_t>(list.count, 0, static_cast<std::int32_t>(kRuleListSlots)));
    return {list.entries.data(), count};
}

} // namespace

SearchOptions RuleSearchOptions(const ExtractionRules& rules) {
    SearchOptions options;
    options.caseSensitive = rules.caseSensitive;
    options.widthSensitive = rules.widthSensitive;
    options.regularExpression = rules.useRegex;
    options.multiText = false;
    return options;
}

RuleListMatcher::RuleListMatcher(const RuleList& list, const SearchOptions& options)
    : m_entries(UsedEntries(list)), m_plain(!options.regularExpression && options.widthSensitive) {
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (!m_plain)
            m_compiled[i] = std::make_unique<CompiledPattern>(m_entries[i].Text(), options);
        else if (m_entries[i].length > 0)
            m_searchers[i].emplace(m_entries[i].Text(), options.caseSensitive);
    }
}

bool RuleListMatcher::Found(std::size_t index, std::string_view line) const {
    const std::string_view text = m_entries[index].Text();
    const auto* begin = reinterpret_cast<const Byte*>(line.data());
    const Byte* end = begin + line.size();
    // A regular expression or a folded width may match fewer bytes than the entry has.
    if (!m_plain)
        return m_compiled[index]->Find(begin, end, true).has_value();
    if (text.empty() || text.size() > line.size())
        return false;
    // Start offsets run from 0 to the line's length less the entry's.
    return m_searchers[index]->Next(begin, end - text.size() + 1, end) != nullptr;
}

std::optional<std::size_t> RuleListMatcher::Match(std::optional<std::string_view> line) const {
    if (!line || line->empty())
        return std::nullopt;
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        if (Found(i, *line))
            return i;
    return std::nullopt;
}

std::optional<std::size_t> MatchRuleList(const RuleList& list, std::string_view line,
                                         const ExtractionRules& rules) {
    const RuleListMatcher matcher(list, RuleSearchOptions(rules));
    return matcher.Match(line);
}

} // namespace nelvix
