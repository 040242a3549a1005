// Writing the lines of nelvix-cli html through one large buffer.
#include "cli/io/html_printer.h"

#include <algorithm>

#include "base/cp932.h"
#include "base/native_path.h"
#include "cli/io/result_printer.h"
#include "cli/io/terminal_path.h"

namespace nelvix::cli {
namespace {

constexpr std::string_view kCrLf = "\r\n";

} // namespace

HtmlPrinter::HtmlPrinter(std::ostream& out, bool utf8, HtmlTarget target,
                         const HtmlColumns& columns)
    : m_output(out, kResultLineBytes + 1), m_utf8(utf8), m_target(target), m_columns(columns) {}

void HtmlPrinter::ShowFileName(std::string_view sjisNameAndExtension) {
    // As the lines write it.
    m_fileName.clear();
    AppendSjisPathForLine(m_fileName, sjisNameAndExtension);
    m_titleLineNext = true;
}

bool HtmlPrinter::Add(std::string_view line) {
    if (m_utf8)
        AppendUtf8(line);
    else
        m_output.Buffer().append(line);
    m_titleLineNext = false;
    m_output.WriteWhenFull();
    return !m_output.Failed();
}

// Paths go back to the files' native names (so that they can be opened from the terminal);
// titles, link texts, targets and quoted text are converted as text.
void HtmlPrinter::AppendUtf8(std::string_view line) {
    if (line.ends_with(kCrLf))
        line.remove_suffix(kCrLf.size());
    std::size_t pathStart = 0;
    std::size_t pathLength = 0;
    if (m_titleLineNext) {
        pathStart = std::min(line.size(), static_cast<std::size_t>(m_columns.title) + 1);
        pathLength = line.size() - pathStart;
    } else if (m_target == HtmlTarget::String) {
        pathStart = std::min(line.size(), kHtmlIndentBytes);
        pathLength = ResultPathLength(line.substr(pathStart), m_fileName);
    }
    std::string& buffer = m_output.Buffer();
    buffer.append(Cp932ToUtf8(line.substr(0, pathStart)));
    buffer.append(TerminalPath(line.substr(pathStart, pathLength)));
    buffer.append(Cp932ToUtf8(line.substr(pathStart + pathLength)));
    buffer.push_back('\n');
}

} // namespace nelvix::cli
