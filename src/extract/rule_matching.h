// Testing a line against one rule list: the first entry found anywhere in the line wins.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include "extract/extraction_rules.h"
#include "pattern/compiled_pattern.h"
#include "pattern/plain_searcher.h"
#include "pattern/search_options.h"

namespace nelvix {

/// The options of the rule set that decide how its strings are found.
SearchOptions RuleSearchOptions(const ExtractionRules& rules);

/// One rule list made ready for many lines: the plain searchers, or the compiled patterns, are
/// built once. Holds views of the
/// list's texts, which must outlive it.
class RuleListMatcher {
public:
    RuleListMatcher(const RuleList& list, const SearchOptions& options);
    RuleListMatcher(const RuleListMatcher&) = delete;
    RuleListMatcher& operator=(const RuleListMatcher&) = delete;

    bool Empty() const { return m_entries.empty(); }
    /// The index of the first entry found in the line (its line end included); nothing for an empty
    /// list, an empty line, or a line that cannot be had.
    std::optional<std::size_t> Match(std::optional<std::string_view> line) const;
    const RuleEntry& Entry(std::size_t index) const { return m_entries[index]; }

private:
    bool Found(std::size_t index, std::string_view line) const;

    std::span<const RuleEntry> m_entries;
    /// Literal search at whole characters, unless the options ask for the pattern matcher.
    bool m_plain = true;
    std::array<std::optional<PlainSearcher>, kRuleListSlots> m_searchers;
    /// For a regular expression or a folded width.
    std::array<std::unique_ptr<CompiledPattern>, kRuleListSlots> m_compiled;
};

/// `MatchRuleList` for a single line: the index of the first entry of `list` found in `line` under
/// the options of `rules`; nothing when none is.
std::optional<std::size_t> MatchRuleList(const RuleList& list, std::string_view line,
                                         const ExtractionRules& rules);

} // namespace nelvix
