// The output of nelvix-cli extract: the result document's text as it grows, gathered into large
// writes, and kept within the limits of a result document so that the text is the window's.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/io/gathered_output.h"
#include "extract/extraction_engine.h"
#include "text/text_document.h"

namespace nelvix::ui {
struct Platform;
}

namespace nelvix::cli {

/// A result document holds at most kMaxTextBytes - 2 bytes (its block needs two more) and
/// kMaxRows display rows; a global extraction stops at nine tenths of either.
inline constexpr std::uint64_t kNearLimitRows = kMaxRows / 10 * 9;
inline constexpr std::uint64_t kNearLimitBytes = kMaxTextBytes / 10 * 9;

/// The display rows of whole lines as a result window with the display block's default layout
/// lays them out (200 cells to a row, tab stops every 4 cells, no word wrap).
std::uint64_t DisplayRowsOf(std::string_view sjisLines);

/// Writes the result to `out` as the engine appends it, in Shift-JIS with CR LF or in UTF-8
/// with LF. It is also the progress window of a global extraction: a failed output stops it.
class ExtractionPrinter final : public ExtractionResult, public GlobalExtractionProgress {
public:
    /// `tagLines`: the result holds header lines "PATH(LINE): ", whose path the UTF-8 form
    /// turns back into the file's native name.
    ExtractionPrinter(std::ostream& out, bool utf8, bool tagLines, ui::Platform& platform);

    /// Refuses a piece that would pass the result document's limits, after the document's
    /// message, and everything once the output failed.
    bool Append(std::string_view sjisPiece, bool display) override;
    bool Fits(std::size_t lineBytes) const override;
    void Refresh(bool) override {}

    void ShowFileName(std::string_view) override {}
    void AddCounts(std::uint32_t, std::uint32_t) override {}
    bool StopRequested() override { return m_output.Failed(); }

    /// Writes what is gathered; false when any write failed.
    bool Flush() { return m_output.Flush(); }
    bool Empty() const { return m_bytes == 0; }
    /// True once a piece was refused for the limits.
    bool Full() const { return m_full; }

private:
    void AppendUtf8Line(std::string_view line);

    GatheredOutput m_output;
    bool m_utf8;
    bool m_tagLines;
    ui::Platform& m_platform;
    bool m_full = false;
    std::uint64_t m_bytes = 0;
    std::uint64_t m_rows = 0;
};

/// The length of the path of a header line "PATH(LINE): " (its line end removed): the place
/// of the last "(" that only digits and "): " follow. Zero for any other line.
std::size_t HeaderPathLength(std::string_view line);

} // namespace nelvix::cli
