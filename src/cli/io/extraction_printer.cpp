// Writing an extraction's result through one large buffer, within a result document's limits.
#include "cli/io/extraction_printer.h"

#include "base/cp932.h"
#include "cli/io/terminal_path.h"
#include "render/row_layout.h"
#include "text/text_document.h"
#include "ui/messages.h"

namespace nelvix::cli {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kHeaderEnd = "): ";

bool IsDigit(char byte) {
    return byte >= '0' && byte <= '9';
}

} // namespace

std::uint64_t DisplayRowsOf(std::string_view sjisLines) {
    const LayoutText text{reinterpret_cast<const Byte*>(sjisLines.data()),
                          static_cast<std::uint32_t>(sjisLines.size()), 0};
    const LayoutRules rules;
    std::uint64_t rows = 0;
    for (std::optional<std::uint32_t> start = 0; start && *start < text.length;
         start = NextRowStart(text, rules, *start))
        ++rows;
    return rows;
}

std::size_t HeaderPathLength(std::string_view line) {
    if (!line.ends_with(kHeaderEnd))
        return 0;
    std::size_t open = line.size() - kHeaderEnd.size();
    std::size_t digits = 0;
    while (open > 0 && IsDigit(line[open - 1])) {
        --open;
        ++digits;
    }
    if (digits == 0 || open < 2 || line[open - 1] != '(')
        return 0;
    return open - 1;
}

ExtractionPrinter::ExtractionPrinter(std::ostream& out, bool utf8, bool tagLines,
                                     ui::Platform& platform)
    : m_output(out, kOutputLineBytes + kHeaderLineBytes), m_utf8(utf8), m_tagLines(tagLines),
      m_platform(platform) {}

bool ExtractionPrinter::Fits(std::size_t lineBytes) const {
    return m_rows + 1 <= kNearLimitRows && m_bytes + lineBytes <= kNearLimitBytes;
}

bool ExtractionPrinter::Append(std::string_view sjisPiece, bool) {
    if (m_output.Failed() || m_full)
        return false;
    // The document's text block needs two bytes beyond the text.
    if (m_bytes + sjisPiece.size() + 2 >= kMaxTextBytes) {
        ui::ShowMessage(m_platform, ui::kMsgTextTooLong);
        m_full = true;
        return false;
    }
    std::uint64_t rows = DisplayRowsOf(sjisPiece);
    if (m_rows + rows > kMaxRows) {
        ui::ShowMessage(m_platform, ui::kMsgTooManyRows);
        m_full = true;
        return false;
    }
    m_bytes += sjisPiece.size();
    m_rows += rows;
    if (!m_utf8) {
        m_output.Buffer().append(sjisPiece);
    } else {
        for (std::size_t start = 0; start < sjisPiece.size();) {
            std::size_t end = sjisPiece.find(kCrLf, start);
            end = end == std::string_view::npos ? sjisPiece.size() : end + kCrLf.size();
            AppendUtf8Line(sjisPiece.substr(start, end - start));
            start = end;
        }
    }
    m_output.WriteWhenFull();
    return !m_output.Failed();
}

// A header line's path goes back to the file's native name (so that it can be opened from the
// terminal); everything else is converted as text. A line without its line end (the last line
// of a text) stays without one.
void ExtractionPrinter::AppendUtf8Line(std::string_view line) {
    bool lineEnd = line.ends_with(kCrLf);
    if (lineEnd)
        line.remove_suffix(kCrLf.size());
    std::size_t pathLength = m_tagLines ? HeaderPathLength(line) : 0;
    std::string& buffer = m_output.Buffer();
    buffer.append(TerminalPath(line.substr(0, pathLength)));
    buffer.append(Cp932ToUtf8(line.substr(pathLength)));
    if (lineEnd)
        buffer.push_back('\n');
}

} // namespace nelvix::cli
