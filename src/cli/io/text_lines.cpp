// Splitting a text into the lines of a line extraction.
#include "cli/io/text_lines.h"

namespace nelvix::cli {
namespace {

constexpr std::string_view kCrLf = "\r\n";

} // namespace

TextLines::TextLines(std::string_view sjisText) : m_text(sjisText) {
    for (std::size_t start = 0; start < m_text.size();) {
        m_starts.push_back(start);
        std::size_t end = m_text.find(kCrLf, start);
        start = end == std::string_view::npos ? m_text.size() : end + kCrLf.size();
    }
}

std::optional<std::string_view> TextLines::Line(std::size_t line) {
    if (line >= m_starts.size())
        return std::nullopt;
    std::size_t end = line + 1 < m_starts.size() ? m_starts[line + 1] : m_text.size();
    return m_text.substr(m_starts[line], end - m_starts[line]);
}

} // namespace nelvix::cli
