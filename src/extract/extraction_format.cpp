// The texts the extraction writes and shows: separator numbers, counts with thousands separators,
// and output lines made safe for the result.
#include <algorithm>
#include <charconv>

#include "extract/extraction_engine.h"

namespace nelvix {
namespace {

void AppendNumber(std::string& text, std::uint64_t n) {
    char digits[24];
    const char* end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    text.append(digits, static_cast<std::size_t>(end - digits));
}

} // namespace

std::string FormatSeparatorLine(std::uint32_t blockIndex, std::uint32_t blockTotal,
                                std::optional<std::uint32_t> runningNumber) {
    std::string line = "   ";
    AppendNumber(line, blockIndex);
    line.push_back('/');
    AppendNumber(line, blockTotal);
    if (runningNumber) {
        line.append("   ");
        AppendNumber(line, *runningNumber);
    }
    line.append("\r\n");
    return line;
}

std::string FormatCount(std::uint64_t n) {
    std::string digits;
    AppendNumber(digits, n);
    std::string text;
    text.reserve(digits.size() + digits.size() / 3);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text.push_back(',');
        text.push_back(digits[i]);
    }
    return text;
}

void SanitizeOutputLine(std::string_view line, std::string& out) {
    out.clear();
    const std::size_t limit = std::min(line.size(), kOutputLineBytes - 1);
    for (std::size_t i = 0; i < limit; ++i) {
        const auto b = static_cast<Byte>(line[i]);
        const bool last = i + 1 == limit;
        if (b == 0) {
            out.push_back(' ');
        } else if (b == kCr) {
            // Only a CR that ends the line together with its LF stays.
            if (!last && static_cast<Byte>(line[i + 1]) == kLf) {
                out.append("\r\n", 2);
                ++i;
            }
        } else if (IsLeadByte(b)) {
            // A lead byte without its trail would swallow whatever is appended after it.
            if (!last)
                out.append(line.substr(i, 2));
            ++i;
        } else {
            out.push_back(line[i]);
        }
    }
}

} // namespace nelvix
