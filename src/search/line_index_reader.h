// The line index of one file for global extraction, and reading its lines back by number.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/byte_block.h"

namespace nelvix::ui {
struct Platform;
}

namespace nelvix {

class GlobalFindEngine;

/// Failure codes of LineIndexReader::Build.
enum class LineIndexResult : int {
    Ok = 0,
    OutOfMemory = 1,
    Quit = 2,
    OpenFailed = 3,
    TooManyLines = 4
};

/// The starts of a file's lines, taken by the engine's own search for CR LF (so a file that
/// needs converting is indexed in its converted copy), and its lines read back through a
/// 30,720-byte window: the file is never held whole.
class LineIndexReader {
public:
    explicit LineIndexReader(ui::Platform& platform);
    ~LineIndexReader();
    LineIndexReader(const LineIndexReader&) = delete;
    LineIndexReader& operator=(const LineIndexReader&) = delete;

    /// Indexes the line starts of the file; events are pumped after each line. On any failure
    /// code the previous index is gone and LineCount() is 0.
    LineIndexResult Build(GlobalFindEngine& engine, std::string_view sjisPath);
    std::size_t LineCount() const { return m_count; }
    /// With its CR LF; 0 for a line the index does not hold.
    std::size_t LineLength(std::size_t line) const;
    /// The bytes of a line with its CR LF; nothing for a line longer than the window, a line the
    /// index does not hold, or an open or read error.
    std::optional<std::string_view> LineText(std::size_t line);

private:
    /// Takes the next line start; false (with `m_failure` set) when the walk must stop.
    bool Add(std::uint64_t start);
    bool FillWindow(std::uint64_t start);

    ui::Platform& m_platform;
    /// 64-bit starts, so that a text beyond 4 GiB is still indexed rightly.
    std::unique_ptr<std::uint64_t, FreeDeleter> m_starts;
    std::size_t m_capacity = 0;
    std::size_t m_count = 0;
    LineIndexResult m_failure = LineIndexResult::Ok;
    std::string m_nativePath; ///< the text read: the file, or its converted copy
    std::uint64_t m_length = 0;
    std::unique_ptr<Byte, FreeDeleter> m_window;
    std::uint64_t m_windowStart = 0;
    std::size_t m_windowBytes = 0;
    bool m_windowFilled = false;
};

} // namespace nelvix
