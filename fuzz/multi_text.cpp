// Fuzzes the multi-text splitter and operator parser on random patterns, and the term search on
// random texts: words within their limits, hits inside the text at the earliest place.
#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "pattern/find_pattern.h"
#include "pattern/multi_text.h"

namespace {

using nelvix::fuzz::Check;

using nelvix::Byte;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Maximum words, the pattern's length, the pattern, the text.
    if (size < 2)
        return 0;
    const std::size_t maxWords = data[0] % 25;
    const std::size_t patternLength = std::min<std::size_t>(data[1], size - 2);
    const std::string_view pattern(reinterpret_cast<const char*>(data + 2), patternLength);
    const std::size_t length = size - 2 - patternLength;
    const auto block = std::make_unique<Byte[]>(length);
    std::copy(data + 2 + patternLength, data + size, block.get());
    const Byte* text = block.get();

    const auto words = nelvix::SplitMultiText(pattern, maxWords);
    Check(words.size() <= maxWords);
    for (const std::string& word : words)
        Check(!word.empty() && word.size() <= nelvix::kMaxMultiTextWordBytes);
    const nelvix::MultiTextTerms parsed = nelvix::ParseMultiTextOperators(words);
    Check(parsed.terms.empty() == words.empty());
    Check(parsed.operators.size() + 1 == std::max<std::size_t>(parsed.terms.size(), 1));
    for (std::size_t k = 0; k < parsed.terms.size(); ++k)
        Check(parsed.terms[k] == words[2 * k]);

    const auto found = nelvix::FindMultiText(text, length, pattern, true, true);
    const auto terms = nelvix::ParseMultiTextOperators(
        nelvix::SplitMultiText(pattern, nelvix::kMaxMultiTextWords));
    // The earliest place at which any term matches on its own.
    std::optional<std::size_t> earliest;
    for (const std::string& term : terms.terms) {
        const auto at = nelvix::FindPattern(text, text + length, term, {true, true}, true);
        if (at && (!earliest || at->offset < *earliest))
            earliest = at->offset;
    }
    Check(found.has_value() == earliest.has_value());
    if (found) {
        Check(found->offset == *earliest && found->term < terms.terms.size());
        const std::string& term = terms.terms[found->term];
        Check(found->length == term.size() && found->offset + term.size() <= length);
        Check(std::memcmp(text + found->offset, term.data(), term.size()) == 0);
    }
    nelvix::MultiTextTextTest(text, length, pattern, false);
    return 0;
}
