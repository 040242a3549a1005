// Step 1 over single lines and step 2 over blocks of lines, with their inversions.
#include <algorithm>
#include <cstring>

#include "extract/extraction_pass.h"

namespace nelvix {
namespace {

/// Lines of a step-1 block. A stored record may hold a count below 1, which the sheet never gives:
/// a block of no lines would leave the matching line where it is and test it again without end, so
/// such a block takes the matching line alone, as the sheet's least count does.
std::size_t BlockLines(std::int32_t count) {
    return count < 1 ? 1 : static_cast<std::size_t>(count);
}

/// The mark of a line in which no start entry was found.
constexpr Byte kNoStartEntry = 0xFF;

/// The magnitude of a negative position, without overflow for the least 32-bit value.
std::uint64_t LinesBack(std::int32_t position) {
    return static_cast<std::uint64_t>(-static_cast<std::int64_t>(position));
}

} // namespace

void ExtractionPass::RunStep1(bool useList) {
    LineNumber* kept = m_kept.get();
    m_counts.sourceLineCount = static_cast<std::uint32_t>(m_lineCount);
    m_counts.step1MatchCount = 0;
    if (!useList || m_step1.Empty()) {
        for (std::size_t i = 0; i < m_lineCount; ++i)
            kept[i] = static_cast<LineNumber>(i);
        m_counts.step1Count = static_cast<std::uint32_t>(m_lineCount);
        return;
    }
    m_counts.step1Count = 0;
    const bool step2Follows = m_rules.runMode != RunMode::Step1Only && !m_start.Empty();
    Byte* startMatches = m_startMatches.get();
    std::size_t line = 0;
    while (line < m_lineCount) {
        const std::optional<std::string_view> text = Line(line);
        if (step2Follows) {
            const std::optional<std::size_t> start = m_start.Match(text);
            startMatches[line] = start ? static_cast<Byte>(*start + 1) : kNoStartEntry;
        }
        const std::optional<std::size_t> entry = m_step1.Match(text);
        if (!entry) {
            kept[m_counts.step1Count++] = static_cast<LineNumber>(line++);
            continue;
        }
        line = Step1Block(line, m_step1.Entry(*entry));
    }
    if (m_rules.step1Process == Step1Process::Extract)
        InvertKept();
}

std::size_t ExtractionPass::Step1Block(std::size_t line, const RuleEntry& entry) {
    LineNumber* kept = m_kept.get();
    std::uint32_t& keptCount = m_counts.step1Count;
    const std::size_t match = m_counts.step1MatchCount++;
    const std::size_t blockLines = BlockLines(entry.count);
    if (entry.position == 0) {
        RecordStart(match, line);
        return line + blockLines;
    }
    if (entry.position > 0) {
        // The lines up to the block are kept untested.
        const auto position = static_cast<std::size_t>(entry.position);
        const std::size_t blockStart = line + position;
        for (std::size_t t = line; t < std::min(blockStart, m_lineCount); ++t)
            kept[keptCount++] = static_cast<LineNumber>(t);
        RecordStart(match, blockStart);
        return blockStart + blockLines;
    }
    // The block begins up to -position kept lines back, never before the first kept line.
    const auto back =
        static_cast<std::size_t>(std::min<std::uint64_t>(LinesBack(entry.position), keptCount));
    const std::size_t first = keptCount - back;
    RecordStart(match, back > 0 ? kept[first] : line);
    if (blockLines < back + 1) {
        // The block lies wholly among the kept lines: they close up, the matching line stays.
        std::memmove(kept + first, kept + first + blockLines,
                     (back - blockLines) * sizeof(LineNumber));
        keptCount -= static_cast<std::uint32_t>(blockLines);
        kept[keptCount++] = static_cast<LineNumber>(line);
        return line + 1;
    }
    keptCount -= static_cast<std::uint32_t>(back);
    return line + (blockLines - back);
}

void ExtractionPass::InvertKept() {
    Byte* flags = m_flags.get();
    LineNumber* kept = m_kept.get();
    std::memset(flags, 0, m_lineCount);
    for (std::uint32_t k = 0; k < m_counts.step1Count; ++k)
        flags[kept[k]] = 1;
    std::uint32_t count = 0;
    for (std::size_t line = 0; line < m_lineCount; ++line)
        if (flags[line] == 0)
            kept[count++] = static_cast<LineNumber>(line);
    m_counts.step1Count = count;
}

void ExtractionPass::RunStep2() {
    const LineNumber* kept = m_kept.get();
    const std::uint32_t keptCount = m_counts.step1Count;
    m_counts.step2BlockCount = 0;
    if (m_start.Empty()) {
        // No blocks at all: the process is not applied either.
        std::memcpy(m_out.get(), kept, keptCount * sizeof(LineNumber));
        m_counts.outCount = keptCount;
        return;
    }
    LineNumber* out = m_out.get();
    m_counts.outCount = 0;
    bool inBlock = false;
    std::size_t j = 0;
    while (j < keptCount) {
        const LineNumber line = kept[j];
        if (!inBlock) {
            const std::optional<std::size_t> entry = StartMatch(line);
            if (!entry) {
                ++j;
                continue;
            }
            if (!OpenBlock(j, m_start.Entry(*entry)))
                break;
            inBlock = true;
            continue;
        }
        // A line inside a block is written before it is tested: the end line belongs to it.
        out[m_counts.outCount++] = line;
        const std::optional<std::size_t> entry = m_end.Match(Line(line));
        ++j;
        if (entry) {
            CloseBlock(j, m_end.Entry(*entry));
            inBlock = false;
        }
    }
    if (m_rules.step2Process == Step2Process::Delete)
        InvertOut();
}

std::optional<std::size_t> ExtractionPass::StartMatch(std::size_t line) {
    Byte& known = m_startMatches.get()[line];
    if (known == 0) {
        const std::optional<std::size_t> entry = m_start.Match(Line(line));
        known = entry ? static_cast<Byte>(*entry + 1) : kNoStartEntry;
    }
    if (known == kNoStartEntry)
        return std::nullopt;
    return static_cast<std::size_t>(known - 1);
}

bool ExtractionPass::OpenBlock(std::size_t& j, const RuleEntry& entry) {
    const LineNumber* kept = m_kept.get();
    LineNumber* out = m_out.get();
    std::uint32_t& outCount = m_counts.outCount;
    const std::size_t block = m_counts.step2BlockCount;
    if (entry.position > 0) {
        const std::size_t start = j + static_cast<std::size_t>(entry.position);
        // A block that would begin past the last kept line is not counted and ends the pass.
        if (start >= m_counts.step1Count)
            return false;
        out[outCount++] = kept[start];
        RecordStart(block, kept[start]);
        j = start + 1;
    } else {
        const std::uint32_t first = outCount;
        if (entry.position < 0) {
            // Preceding lines join the block unless an earlier block already wrote them.
            const auto back =
                static_cast<std::size_t>(std::min<std::uint64_t>(LinesBack(entry.position), j));
            for (std::size_t t = j - back; t < j; ++t)
                if (outCount == 0 || kept[t] > out[outCount - 1])
                    out[outCount++] = kept[t];
        }
        out[outCount++] = kept[j];
        RecordStart(block, out[first]);
        ++j;
    }
    ++m_counts.step2BlockCount;
    return true;
}

void ExtractionPass::CloseBlock(std::size_t& j, const RuleEntry& entry) {
    const LineNumber* kept = m_kept.get();
    LineNumber* out = m_out.get();
    std::uint32_t& outCount = m_counts.outCount;
    if (entry.position > 0) {
        const std::size_t stop = std::min<std::size_t>(
            m_counts.step1Count, j + static_cast<std::size_t>(entry.position));
        for (; j < stop; ++j)
            out[outCount++] = kept[j];
    } else if (entry.position < 0) {
        outCount -= static_cast<std::uint32_t>(
            std::min<std::uint64_t>(LinesBack(entry.position), outCount));
    }
}

void ExtractionPass::InvertOut() {
    Byte* flags = m_flags.get();
    const LineNumber* kept = m_kept.get();
    LineNumber* out = m_out.get();
    for (std::uint32_t k = 0; k < m_counts.step1Count; ++k)
        flags[kept[k]] = 0;
    for (std::uint32_t k = 0; k < m_counts.outCount; ++k)
        flags[out[k]] = 1;
    std::uint32_t count = 0;
    for (std::uint32_t k = 0; k < m_counts.step1Count; ++k)
        if (flags[kept[k]] == 0)
            out[count++] = kept[k];
    m_counts.outCount = count;
}

} // namespace nelvix
