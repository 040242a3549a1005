// Writing result lines of nelvix-cli find through one large buffer.
#include "cli/io/result_printer.h"

#include "base/cp932.h"
#include "base/native_path.h"
#include "cli/io/terminal_path.h"

namespace nelvix::cli {
namespace {

constexpr std::string_view kCrLf = "\r\n";

bool IsDigit(char byte) {
    return byte >= '0' && byte <= '9';
}

// Whether "(DIGITS): " starts at `at`.
bool LineNumberAt(std::string_view line, std::size_t at) {
    if (at >= line.size() || line[at] != '(')
        return false;
    std::size_t end = at + 1;
    while (end < line.size() && IsDigit(line[end]))
        ++end;
    return end > at + 1 && line.substr(end, 3) == "): ";
}

} // namespace

std::size_t ResultPathLength(std::string_view resultLine, std::string_view sjisFileName) {
    if (sjisFileName.empty())
        return 0;
    std::string tail = "/" + std::string(sjisFileName);
    // The leftmost place, because the quoted text may itself hold a result line (a saved
    // result list searched again), while a directory name holding "NAME(1): " is far rarer.
    for (std::size_t at = resultLine.find(tail); at != std::string_view::npos;
         at = resultLine.find(tail, at + 1)) {
        std::size_t pathEnd = at + tail.size();
        if (LineNumberAt(resultLine, pathEnd))
            return pathEnd;
    }
    return 0;
}

ResultPrinter::ResultPrinter(std::ostream& out, bool utf8)
    : m_output(out, kResultLineBytes + 1), m_utf8(utf8) {}

void ResultPrinter::ShowFileName(std::string_view sjisNameAndExtension) {
    // As the result lines write it.
    m_fileName.clear();
    AppendSjisPathForLine(m_fileName, sjisNameAndExtension);
}

bool ResultPrinter::Add(std::string_view line) {
    if (m_utf8)
        AppendUtf8(line);
    else
        m_output.Buffer().append(line);
    m_output.WriteWhenFull();
    return !m_output.Failed();
}

// The path goes back to the file's native name (so that it can be opened from the terminal);
// the line number and the quoted text are converted as text.
void ResultPrinter::AppendUtf8(std::string_view line) {
    if (line.ends_with(kCrLf))
        line.remove_suffix(kCrLf.size());
    std::size_t pathLength = ResultPathLength(line, m_fileName);
    std::string& buffer = m_output.Buffer();
    buffer.append(TerminalPath(line.substr(0, pathLength)));
    buffer.append(Cp932ToUtf8(line.substr(pathLength)));
    buffer.push_back('\n');
}

} // namespace nelvix::cli
