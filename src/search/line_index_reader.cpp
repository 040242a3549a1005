// The line index of one file for global extraction, and reading its lines through a window.
#include "search/line_index_reader.h"

#include "files/posix_file.h"
#include "search/chunk_reading.h"
#include "search/global_find_engine.h"
#include "ui/platform.h"

namespace nelvix {
namespace {

constexpr std::size_t kIndexStepEntries = 10'000;
constexpr std::size_t kMaxIndexEntries = 1'000'000;

} // namespace

LineIndexReader::LineIndexReader(ui::Platform& platform) : m_platform(platform) {}

LineIndexReader::~LineIndexReader() = default;

LineIndexResult LineIndexReader::Build(GlobalFindEngine& engine, std::string_view sjisPath) {
    m_count = 0;
    m_length = 0;
    m_windowFilled = false;
    m_failure = LineIndexResult::Ok;
    ui::Memory& memory = m_platform.memory;
    m_starts.reset(
        static_cast<std::uint64_t*>(memory.Allocate(kIndexStepEntries * sizeof(std::uint64_t))));
    if (!m_window)
        m_window.reset(static_cast<Byte*>(memory.Allocate(kChunkBytes + 1)));
    if (!m_starts || !m_window)
        return LineIndexResult::OutOfMemory;
    m_capacity = kIndexStepEntries;
    m_starts.get()[0] = 0;
    m_count = 1;
    std::optional<OpenedText> text =
        engine.WalkLineStarts(sjisPath, [this](std::uint64_t start) { return Add(start); });
    if (!text)
        m_failure = LineIndexResult::OpenFailed;
    if (m_failure != LineIndexResult::Ok) {
        m_count = 0;
        return m_failure;
    }
    m_nativePath = std::move(text->nativePath);
    m_length = text->length;
    if (m_length == 0)
        m_count = 0;
    return LineIndexResult::Ok;
}

bool LineIndexReader::Add(std::uint64_t start) {
    if (m_count == kMaxIndexEntries) {
        m_failure = LineIndexResult::TooManyLines;
        return false;
    }
    if (m_count == m_capacity) {
        const std::size_t entries = ((m_count + 2) / kIndexStepEntries + 1) * kIndexStepEntries;
        void* grown = m_platform.memory.Reallocate(m_starts.get(), entries * sizeof(std::uint64_t));
        if (grown == nullptr) {
            m_failure = LineIndexResult::OutOfMemory;
            return false;
        }
        static_cast<void>(m_starts.release());
        m_starts.reset(static_cast<std::uint64_t*>(grown));
        m_capacity = entries;
    }
    m_starts.get()[m_count++] = start;
    if (!m_platform.eventPump.PumpEvents()) {
        m_failure = LineIndexResult::Quit;
        return false;
    }
    return true;
}

std::size_t LineIndexReader::LineLength(std::size_t line) const {
    if (line >= m_count)
        return 0;
    const std::uint64_t* starts = m_starts.get();
    const std::uint64_t end = line + 1 < m_count ? starts[line + 1] : m_length;
    return static_cast<std::size_t>(end - starts[line]);
}

bool LineIndexReader::FillWindow(std::uint64_t start) {
    m_windowFilled = false;
    std::size_t length = 0;
    FileDescriptor file = OpenRegularFileForReading(m_nativePath, length);
    if (!file.IsOpen())
        return false;
    std::optional<std::size_t> got = ReadUpToAt(file.Get(), m_window.get(), kChunkBytes, start);
    if (!got)
        return false;
    m_window.get()[*got] = 0;
    m_windowStart = start;
    m_windowBytes = *got;
    m_windowFilled = true;
    return true;
}

std::optional<std::string_view> LineIndexReader::LineText(std::size_t line) {
    if (line >= m_count)
        return std::nullopt;
    const std::uint64_t start = m_starts.get()[line];
    const std::size_t length = LineLength(line);
    const bool inWindow =
        m_windowFilled && start >= m_windowStart && start + length <= m_windowStart + m_windowBytes;
    if (!inWindow && (!FillWindow(start) || length > m_windowBytes))
        return std::nullopt;
    return std::string_view(reinterpret_cast<const char*>(m_window.get() + (start - m_windowStart)),
                            length);
}

} // namespace nelvix
