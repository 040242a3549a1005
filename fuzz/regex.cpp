// Fuzzes the regular-expression engine on random patterns and texts: no crash, no read outside
// the text, matches inside the text on whole characters, the budget kept, no place skipped where
// a match could begin, a literal pattern found where the rules and the plain search find it, and
// searches from one character past each match giving the same matches with a carry as without.
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "pattern/char_compare.h"
#include "pattern/find_pattern.h"
#include "pattern/regex_matcher.h"

namespace {

using nelvix::fuzz::Check;

using nelvix::Byte;
using nelvix::Match;

bool IsBoundary(const Byte* text, std::size_t offset) {
    std::size_t i = 0;
    while (i < offset)
        i += nelvix::IsLeadByte(text[i]) ? 2 : 1;
    return i == offset;
}

// The literal (non regular-expression) search by the rules alone: at each character, compare
// the folded characters; running out of text ends the search.
std::optional<Match> FindLiteral(const Byte* text, std::size_t length, std::string_view pattern,
                                 bool caseSensitive, bool widthSensitive) {
    const auto* bytes = reinterpret_cast<const Byte*>(pattern.data());
    for (std::size_t m = 0; m < length;
         m += nelvix::IsLeadByte(text[m]) && m + 1 < length ? 2 : 1) {
        std::size_t p = m;
        bool matched = true;
        for (std::size_t i = 0; i < pattern.size() && matched;) {
            if (p >= length)
                return std::nullopt;
            nelvix::CharCode want = bytes[i];
            if (nelvix::IsLeadByte(bytes[i]) && i + 1 < pattern.size()) {
                want = static_cast<nelvix::CharCode>(bytes[i] << 8 | bytes[i + 1]);
                ++i;
            }
            ++i;
            nelvix::CharCode got = text[p];
            std::size_t size = 1;
            if (nelvix::IsLeadByte(text[p])) {
                if (p + 1 >= length) {
                    matched = false;
                    break;
                }
                got = static_cast<nelvix::CharCode>(text[p] << 8 | text[p + 1]);
                size = 2;
            }
            matched = nelvix::FoldForCompare(got, caseSensitive, widthSensitive) ==
                      nelvix::FoldForCompare(want, caseSensitive, widthSensitive);
            p += size;
        }
        if (matched && p - m > 0)
            return Match{m, p - m};
    }
    return std::nullopt;
}

/// Searches without a carry take the square of the text: only a head of it is searched so.
constexpr std::size_t kRepeatedSearchBytes = 512;

// Every match of the global find engine's walk: the leftmost from each start, the next start one
// character past it.
std::vector<Match> EveryMatch(const Byte* text, std::size_t length, std::string_view pattern,
                              const nelvix::SearchOptions& options, nelvix::RegexCarry* carry) {
    std::vector<Match> found;
    for (std::size_t start = 0; start < length;) {
        const auto match = nelvix::FindPattern(text + start, text + length, pattern, options, true,
                                               nullptr, carry);
        if (!match)
            break;
        const std::size_t at = start + match->offset;
        found.push_back({at, match->length});
        start = at + (nelvix::IsLeadByte(text[at]) && at + 1 < length ? 2 : 1);
    }
    return found;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Options, the pattern's length (up to 81, one over the limit), the pattern, the text.
    if (size < 2)
        return 0;
    const Byte flags = data[0];
    const std::size_t patternLength = std::min<std::size_t>(data[1] % 82, size - 2);
    const std::string_view pattern(reinterpret_cast<const char*>(data + 2), patternLength);
    const std::size_t length = size - 2 - patternLength;
    const auto block = std::make_unique<Byte[]>(length);
    std::copy(data + 2 + patternLength, data + size, block.get());
    const Byte* text = block.get();
    const bool caseSensitive = (flags & 1) != 0;
    const bool regularExpression = (flags & 2) != 0;
    const bool widthSensitive = (flags & 4) != 0;

    nelvix::RegexProgram program;
    if (!program.Compile(pattern, regularExpression, caseSensitive, widthSensitive)) {
        Check(pattern.empty() || pattern.size() > nelvix::kMaxPatternBytes);
        return 0;
    }
    // Places skipped before trying a match are places where the first element cannot match.
    for (std::size_t i = 0; i < length; i += nelvix::IsLeadByte(text[i]) ? 2 : 1) {
        if (!program.MayStartAt(text + i, text + length))
            Check(program.ElementCount() > 0 && program.Element(0).once &&
                  program.MatchChar(program.Element(0), text + i, text + length) == 0);
    }
    // Either search keeps the budget and gives a match inside the text on whole characters.
    const auto find = [&](bool leftmost) {
        nelvix::RegexMatcher matcher(program, text, text + length);
        const std::optional<Match> match = matcher.Find(leftmost);
        Check(matcher.Calls() <= nelvix::kMatchCallBudget);
        Check(!match ||
              (match->offset <= length && match->length <= length - match->offset &&
               IsBoundary(text, match->offset) && IsBoundary(text, match->offset + match->length)));
        return match;
    };
    const auto first = find(true);
    const auto last = find(false);
    // The last match is searched the same way up to the first one.
    Check(first.has_value() == last.has_value());
    Check(!first || last->offset >= first->offset);
    Check(nelvix::FindRegex(text, text + length, pattern, true, caseSensitive, regularExpression,
                            widthSensitive) == first);

    const nelvix::SearchOptions options{caseSensitive, widthSensitive, regularExpression};
    if (nelvix::UsesRegexEngine(options)) {
        const std::size_t head = std::min(length, kRepeatedSearchBytes);
        nelvix::RegexCarry carry;
        Check(EveryMatch(text, head, pattern, options, &carry) ==
              EveryMatch(text, head, pattern, options, nullptr));
    }

    if (!regularExpression)
        Check(FindLiteral(text, length, pattern, caseSensitive, widthSensitive) == first);
    if (!regularExpression && widthSensitive) {
        Check(nelvix::FindPattern(text, text + length, pattern,
                                  nelvix::SearchOptions{caseSensitive, true}, true) == first);
    }
    return 0;
}
