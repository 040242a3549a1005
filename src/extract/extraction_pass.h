// One run of the two steps over one text: the working arrays, step 1, step 2, the run modes and the
// block starts. Lines are never copied: the arrays hold 32-bit line numbers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "base/sjis.h"
#include "extract/extraction_engine.h"
#include "extract/rule_matching.h"

namespace nelvix::ui {
class Memory;
}

namespace nelvix {

using LineNumber = std::uint32_t;

/// Arrays get room for the source lines plus this many entries.
inline constexpr std::size_t kSpareArrayEntries = 10;
/// The most lines a run takes: line numbers and counts are 32 bits.
inline constexpr std::size_t kMaxExtractionLines = UINT32_MAX - kSpareArrayEntries;

class ExtractionPass {
public:
    /// Takes a copy of `rules`, so that the run does not change when they are edited meanwhile.
    ExtractionPass(ExtractionText& text, const ExtractionRules& rules);
    ExtractionPass(const ExtractionPass&) = delete;
    ExtractionPass& operator=(const ExtractionPass&) = delete;

    /// Allocates the arrays for the text's lines; false when one cannot be had (the others are
    /// released with the pass) or the text has too many lines.
    bool Allocate(ui::Memory& memory);
    /// Runs step 1 and step 2 as the run mode says and turns the first `numberedBlocks` block
    /// starts into line flags. The preconditions must hold.
    void Run(bool separatorsWanted);

    const ExtractionRules& Rules() const { return m_rules; }
    const ExtractionCounts& Counts() const { return m_counts; }
    /// The number N of numbered blocks.
    std::uint32_t NumberedBlocks() const { return m_numberedBlocks; }
    std::span<const LineNumber> OutLines() const { return {m_out.get(), m_counts.outCount}; }
    bool StartsBlock(LineNumber line) const { return m_flags.get()[line] != 0; }

    /// Step 1 over the source lines; `useList` false runs it as if the list were empty.
    void RunStep1(bool useList);
    /// Step 2 over the lines step 1 kept.
    void RunStep2();

private:
    struct FreeDeleter {
        void operator()(void* block) const;
    };
    template <typename T> using Array = std::unique_ptr<T[], FreeDeleter>;

    /// Step 1 for a line that matched `entry`; returns the next line to test.
    std::size_t Step1Block(std::size_t line, const RuleEntry& entry);
    /// Step 2 for a kept line that matched a start entry; false when the pass ends there.
    bool OpenBlock(std::size_t& kept, const RuleEntry& entry);
    /// Step 2 for the kept line that matched an end entry.
    void CloseBlock(std::size_t& kept, const RuleEntry& entry);
    void RecordStart(std::size_t index, std::uint64_t line);
    void InvertKept();
    void InvertOut();
    void MarkBlockStarts(std::uint32_t count);
    /// The start entry found in a line, tested once: step 1 tests the lines it reads against
    /// both lists, so that step 2 need not read them again.
    std::optional<std::size_t> StartMatch(std::size_t line);
    std::optional<std::string_view> Line(std::size_t line) { return m_text.Line(line); }

    ExtractionText& m_text;
    const ExtractionRules m_rules;
    const RuleListMatcher m_step1;
    const RuleListMatcher m_start;
    const RuleListMatcher m_end;
    std::size_t m_lineCount = 0;
    Array<LineNumber> m_kept;
    Array<LineNumber> m_out;
    /// Source line of the first line of each block, in the order they were found.
    Array<LineNumber> m_starts;
    /// One byte per source line: scratch for the inversions, then the block-start flags.
    Array<Byte> m_flags;
    /// One byte per source line: 0 not tested yet, else 1 + the start entry found or
    /// kNoStartEntry.
    Array<Byte> m_startMatches;
    ExtractionCounts m_counts;
    std::uint32_t m_numberedBlocks = 0;
};

} // namespace nelvix

namespace nelvix {

/// The rule set's working state while a run goes on.
struct ExtractionRuleSet::Work {
    Work(ExtractionText& text, const ExtractionRules& rules) : pass(text, rules) {}
    ExtractionPass pass;
};

/// Holds the working state for the length of one run. Events run during a run, and a second run
/// started from them would pull the arrays from under the first: it gets no pass.
class ExtractionRuleSet::RunScope {
public:
    RunScope(ExtractionRuleSet& ruleSet, ExtractionText& text) : m_ruleSet(ruleSet) {
        if (m_ruleSet.m_work)
            return;
        m_ruleSet.m_work = std::make_unique<Work>(text, m_ruleSet.m_rules);
        m_owner = true;
    }
    ~RunScope() {
        if (m_owner)
            m_ruleSet.m_work.reset();
    }
    RunScope(const RunScope&) = delete;
    RunScope& operator=(const RunScope&) = delete;

    /// Nothing while another run goes on.
    ExtractionPass* Pass() { return m_owner ? &m_ruleSet.m_work->pass : nullptr; }

private:
    ExtractionRuleSet& m_ruleSet;
    bool m_owner = false;
};

} // namespace nelvix
