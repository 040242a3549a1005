// The result line (tag) of one match: "path(line): quoted text" CR LF.
#include "search/result_line.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "base/native_path.h"
#include "search/global_find_engine.h"

namespace nelvix {
namespace {

/// "(", ")", ": " and CR LF around the path, the number and the quote.
constexpr std::size_t kFrameBytes = 6;
/// The quote's room of 512 - (path + 13) bytes leaves space for line numbers of up to seven
/// digits; a longer number takes its extra digits from the quote, so a line never outgrows
/// the 512 bytes that its readers expect.
constexpr std::size_t kRoomyNumberDigits = 7;

std::size_t QuoteLimit(std::size_t pathBytes, std::size_t numberDigits) {
    const std::size_t digits =
        numberDigits > kRoomyNumberDigits ? numberDigits : kRoomyNumberDigits;
    const std::size_t frame = pathBytes + kFrameBytes + digits;
    return frame >= kResultLineBytes ? 0 : kResultLineBytes - frame;
}

} // namespace

std::size_t LineStartBefore(const Byte* text, std::size_t match) {
    const void* cr = match == 0 ? nullptr : ::memrchr(text, kCr, match);
    if (cr == nullptr)
        return 0;
    std::size_t start = static_cast<std::size_t>(static_cast<const Byte*>(cr) - text) + 1;
    // The LF belongs to the line end before, not to the quoted line.
    if (start < match && text[start] == kLf)
        ++start;
    return start;
}

std::size_t WholeCharacterBytes(const Byte* text, std::size_t maxBytes) {
    // Counted backwards, without walking the whole text: the byte before a run of lead-range
    // bytes ends a character, so the run pairs up from its start, and an odd run ends with a
    // lead byte whose trail is missing.
    std::size_t run = 0;
    while (run < maxBytes && IsLeadByte(text[maxBytes - 1 - run]))
        ++run;
    return run % 2 == 1 ? maxBytes - 1 : maxBytes;
}

void BuildResultLine(std::string& line, std::string_view sjisPath, std::uint64_t lineNumber,
                     const QuotedMatch& quoted) {
    const bool fromMatch =
        quoted.match - quoted.lineStart + quoted.patternLength > kQuoteFromMatchBeyond;
    const std::size_t quoteStart = fromMatch ? quoted.match : quoted.lineStart;
    const Byte* begin = quoted.text + quoteStart;
    char number[24];
    const std::size_t digits = static_cast<std::size_t>(
        std::to_chars(number, number + sizeof number, lineNumber).ptr - number);
    // The path goes into the line with its line breaks escaped, which lengthens it.
    const std::size_t limit = QuoteLimit(SjisPathForLineBytes(sjisPath), digits);
    // The CR is looked for only as far as the quote can reach: a line may be 30,720 bytes long.
    const std::size_t rest = std::min(quoted.textLength - quoteStart, limit);
    const void* cr = std::memchr(begin, kCr, rest);
    const std::size_t available =
        cr == nullptr ? rest : static_cast<std::size_t>(static_cast<const Byte*>(cr) - begin);
    // A cut inside a character would leave a lead byte that swallows the CR of the line end.
    const std::size_t quoteBytes = WholeCharacterBytes(begin, available);

    line.clear();
    AppendSjisPathForLine(line, sjisPath);
    line.append(1, '(').append(number, digits).append("): ");
    line.append(reinterpret_cast<const char*>(begin), quoteBytes).append("\r\n");
}

} // namespace nelvix
