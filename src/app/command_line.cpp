// Parsing the command line byte by byte; a Shift-JIS lead byte always takes the next byte with
// it, so the second byte of a character is never taken for a blank, a quote or a slash.
#include "app/command_line.h"

#include <climits>

#include "base/sjis.h"

namespace nelvix {
namespace {

class Scanner {
public:
    explicit Scanner(std::string_view text) : m_text(text) {}

    bool AtEnd() const { return m_pos >= m_text.size(); }
    Byte Peek(std::size_t ahead = 0) const {
        return m_pos + ahead < m_text.size() ? static_cast<Byte>(m_text[m_pos + ahead]) : Byte{0};
    }
    void Advance() { m_pos += IsLeadByte(Peek()) && m_pos + 1 < m_text.size() ? 2 : 1; }
    void SkipBlanks() {
        while (!AtEnd() && IsBlank(Peek()))
            Advance();
    }
    /// Everything up to (not including) `stop`, or to a blank when `stop` is 0.
    std::string_view TakeUntil(Byte stop) {
        std::size_t start = m_pos;
        while (!AtEnd() && (stop == 0 ? !IsBlank(Peek()) : Peek() != stop))
            Advance();
        return m_text.substr(start, m_pos - start);
    }
    /// The rest of the current token, without taking it.
    std::string_view TokenAhead() const {
        Scanner copy = *this;
        return copy.TakeUntil(0);
    }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

/// The leading decimal number, as the C library's string-to-integer conversion reads it;
/// numbers beyond the int range are held at its ends instead of overflowing.
int LeadingNumber(std::string_view token) {
    std::size_t i = 0;
    while (i < token.size() && IsBlank(static_cast<Byte>(token[i])))
        ++i;
    bool negative = i < token.size() && token[i] == '-';
    if (i < token.size() && (token[i] == '-' || token[i] == '+'))
        ++i;
    long long value = 0;
    for (; i < token.size() && IsAsciiDigit(static_cast<Byte>(token[i])); ++i)
        if (value <= INT_MAX)
            value = value * 10 + (token[i] - '0');
    if (value > INT_MAX)
        value = negative ? static_cast<long long>(INT_MAX) + 1 : INT_MAX;
    return static_cast<int>(negative ? -value : value);
}

bool StartsOption(const Scanner& scan) {
    Byte first = scan.Peek();
    if (first == '-')
        return true;
    if (first != '/')
        return false;
    std::string_view token = scan.TokenAhead();
    return token.find('/', 1) == std::string_view::npos;
}

void ParseOption(Scanner& scan, CommandLineRequest& request) {
    scan.Advance();
    Byte letter = AsciiToUpper(scan.Peek());
    if (letter == 'T') {
        scan.Advance();
        if (scan.Peek() == '=')
            scan.Advance();
        std::string_view value = scan.TakeUntil(0);
        if (value.size() < kCommandLineTokenLimit)
            request.userTool = LeadingNumber(value);
        return;
    }
    if (letter == 'E')
        request.exitAfterTool = true;
    scan.TakeUntil(0);
}

} // namespace

CommandLineRequest ParseCommandLine(std::string_view sjisText) {
    CommandLineRequest request;
    Scanner scan(sjisText);
    scan.SkipBlanks();
    while (!scan.AtEnd() && StartsOption(scan)) {
        ParseOption(scan, request);
        scan.SkipBlanks();
    }
    if (scan.AtEnd())
        return request;
    std::string_view name;
    if (scan.Peek() == '"') {
        scan.Advance();
        name = scan.TakeUntil('"');
    } else {
        name = scan.TakeUntil(0);
    }
    if (name.size() < kCommandLineTokenLimit)
        request.file = std::string(name);
    return request;
}

std::string JoinCommandLine(const std::vector<std::string>& sjisArguments) {
    std::string line;
    for (const std::string& argument : sjisArguments) {
        if (!line.empty())
            line.push_back(' ');
        bool quote = argument.find_first_of(" \t") != std::string::npos;
        if (quote)
            line.push_back('"');
        line.append(argument);
        if (quote)
            line.push_back('"');
    }
    return line;
}

} // namespace nelvix
