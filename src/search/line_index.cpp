// The line index of one file for global extraction, and reading its lines through a window.
#include <cstdlib>

#include "files/posix_file.h"
#include "search/chunk_reading.h"
#include "search/global_find_engine.h"
#include "search/global_find_state.h"
#include "ui/platform.h"

namespace nelvix {
namespace {

constexpr std::size_t kIndexStepEntries = 10'000;
constexpr std::size_t kMaxIndexEntries = 1'000'000;
constexpr std::string_view kCrLf = "\r\n";

/// Makes room for `entries` starts; false (the table unchanged) when memory ran out.
bool GrowStarts(ui::Memory& memory, std::unique_ptr<std::uint64_t, FreeDeleter>& starts,
                std::size_t& capacity, std::size_t entries) {
    void* grown = memory.Reallocate(starts.get(), entries * sizeof(std::uint64_t));
    if (grown == nullptr)
        return false;
    static_cast<void>(starts.release());
    starts.reset(static_cast<std::uint64_t*>(grown));
    capacity = entries;
    return true;
}

} // namespace

LineIndexResult GlobalFindEngine::BuildLineIndex(std::string_view sjisPath) {
    m_index.reset();
    ui::Memory& memory = m_environment.platform.memory;
    auto index = std::make_unique<LineIndex>();
    index->starts.reset(
        static_cast<std::uint64_t*>(memory.Allocate(kIndexStepEntries * sizeof(std::uint64_t))));
    index->window.reset(static_cast<Byte*>(memory.Allocate(kChunkBytes + 1)));
    if (!index->starts || !index->window)
        return LineIndexResult::OutOfMemory;
    index->capacity = kIndexStepEntries;

    // The person's options stay as they are: the line ends are found by a plain search of its
    // own, which takes only the case option from them.
    SearchOptions options = m_options;
    options.regularExpression = false;
    options.widthSensitive = true;
    options.multiText = false;
    std::optional<OpenedText> text = OpenFile(sjisPath, kCrLf, options, true);
    if (!text)
        return LineIndexResult::OpenFailed;
    index->text = std::move(*text);
    const LineIndexResult result = FillLineIndex(*index);
    EndFile();
    if (result == LineIndexResult::Ok)
        m_index = std::move(index);
    return result;
}

LineIndexResult GlobalFindEngine::FillLineIndex(LineIndex& index) {
    if (index.text.length == 0)
        return LineIndexResult::Ok;
    index.starts.get()[0] = 0;
    index.count = 1;
    while (std::optional<std::size_t> match = NextMatch(kCrLf)) {
        const std::uint64_t next = m_file->chunkPosition + *match + kCrLf.size();
        // The CR LF that ends the text starts no line.
        if (next >= index.text.length)
            break;
        if (index.count == kMaxIndexEntries)
            return LineIndexResult::TooManyLines;
        if (index.count == index.capacity &&
            !GrowStarts(m_environment.platform.memory, index.starts, index.capacity,
                        ((index.count + 2) / kIndexStepEntries + 1) * kIndexStepEntries))
            return LineIndexResult::OutOfMemory;
        index.starts.get()[index.count++] = next;
        if (!m_environment.platform.eventPump.PumpEvents())
            return LineIndexResult::Quit;
    }
    return LineIndexResult::Ok;
}

std::size_t GlobalFindEngine::LineCount() const {
    return m_index ? m_index->count : 0;
}

std::size_t GlobalFindEngine::LineLength(std::size_t line) const {
    if (!m_index || line >= m_index->count)
        return 0;
    const std::uint64_t* starts = m_index->starts.get();
    const std::uint64_t end = line + 1 < m_index->count ? starts[line + 1] : m_index->text.length;
    return static_cast<std::size_t>(end - starts[line]);
}

bool GlobalFindEngine::FillWindow(LineIndex& index, std::uint64_t start) {
    index.windowFilled = false;
    std::size_t length = 0;
    FileDescriptor file = OpenRegularFileForReading(index.text.nativePath, length);
    if (!file.IsOpen())
        return false;
    std::optional<std::size_t> got = ReadUpToAt(file.Get(), index.window.get(), kChunkBytes, start);
    if (!got)
        return false;
    index.window.get()[*got] = 0;
    index.windowStart = start;
    index.windowBytes = *got;
    index.windowFilled = true;
    return true;
}

std::optional<std::string_view> GlobalFindEngine::LineText(std::size_t line) {
    if (!m_index || line >= m_index->count)
        return std::nullopt;
    LineIndex& index = *m_index;
    const std::uint64_t start = index.starts.get()[line];
    const std::size_t length = LineLength(line);
    const bool inWindow = index.windowFilled && start >= index.windowStart &&
                          start + length <= index.windowStart + index.windowBytes;
    if (!inWindow && (!FillWindow(index, start) || length > index.windowBytes))
        return std::nullopt;
    return std::string_view(
        reinterpret_cast<const char*>(index.window.get() + (start - index.windowStart)), length);
}

} // namespace nelvix
