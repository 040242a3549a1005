// The working arrays of a run, the run modes, and the block starts as line flags.
#include "extract/extraction_pass.h"

#include <cstdlib>
#include <cstring>

#include "ui/platform.h"

namespace nelvix {
namespace {

template <typename T> T* AllocateArray(ui::Memory& memory, std::size_t entries) {
    return static_cast<T*>(memory.Allocate(entries * sizeof(T)));
}

} // namespace

void ExtractionPass::FreeDeleter::operator()(void* block) const {
    std::free(block);
}

ExtractionPass::ExtractionPass(ExtractionText& text, const ExtractionRules& rules)
    : m_text(text), m_rules(rules), m_step1(m_rules.step1Lines, RuleSearchOptions(m_rules)),
      m_start(m_rules.startLines, RuleSearchOptions(m_rules)),
      m_end(m_rules.endLines, RuleSearchOptions(m_rules)) {}

bool ExtractionPass::Allocate(ui::Memory& memory) {
    m_lineCount = m_text.LineCount();
    if (m_lineCount > kMaxExtractionLines)
        return false;
    const std::size_t entries = m_lineCount + kSpareArrayEntries;
    m_kept.reset(AllocateArray<LineNumber>(memory, entries));
    m_out.reset(m_kept ? AllocateArray<LineNumber>(memory, entries) : nullptr);
    m_starts.reset(m_out ? AllocateArray<LineNumber>(memory, entries) : nullptr);
    m_flags.reset(m_starts ? AllocateArray<Byte>(memory, entries) : nullptr);
    m_startMatches.reset(m_flags ? AllocateArray<Byte>(memory, entries) : nullptr);
    if (!m_startMatches)
        return false;
    std::memset(m_startMatches.get(), 0, entries);
    return true;
}

void ExtractionPass::Run(bool separatorsWanted) {
    const bool step1Only = m_rules.runMode == RunMode::Step1Only;
    RunStep1(m_rules.runMode != RunMode::Step2Only);
    if (step1Only) {
        std::memcpy(m_out.get(), m_kept.get(), m_counts.step1Count * sizeof(LineNumber));
        m_counts.outCount = m_counts.step1Count;
        m_counts.step2BlockCount = 0;
    } else {
        RunStep2();
    }
    std::uint32_t blocks = 0;
    if (step1Only)
        blocks = m_rules.step1Process == Step1Process::Extract ? m_counts.step1MatchCount : 0;
    else
        blocks = m_rules.step2Process == Step2Process::Delete ? 0 : m_counts.step2BlockCount;
    m_numberedBlocks = separatorsWanted ? blocks : 0;
    MarkBlockStarts(m_numberedBlocks);
}

void ExtractionPass::RecordStart(std::size_t index, std::uint64_t line) {
    // A start beyond the text (a positive position past the last line) stays recorded but flags no
    // line.
    m_starts.get()[index] = line < m_lineCount ? static_cast<LineNumber>(line) : UINT32_MAX;
}

void ExtractionPass::MarkBlockStarts(std::uint32_t count) {
    Byte* flags = m_flags.get();
    std::memset(flags, 0, m_lineCount);
    for (std::uint32_t k = 0; k < count; ++k) {
        const LineNumber line = m_starts.get()[k];
        if (line < m_lineCount)
            flags[line] = 1;
    }
}

} // namespace nelvix
