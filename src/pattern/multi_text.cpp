// Multi-text patterns: splitting into words, reading the "and" / "or" between them, finding any
// term in a text and testing a text against the whole AND / OR expression.
#include "pattern/multi_text.h"

#include "pattern/multi_text_marks.h"
#include "pattern/term_scanner.h"

namespace nelvix {

namespace {

constexpr char kQuote = '"';

bool EqualsIgnoringAsciiCase(std::string_view word, std::string_view keyword) {
    if (word.size() != keyword.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (AsciiToLower(static_cast<Byte>(word[i])) != static_cast<Byte>(keyword[i]))
            return false;
    }
    return true;
}

} // namespace

std::vector<std::string> SplitMultiText(std::string_view text, std::size_t maxWords) {
    std::vector<std::string> words;
    const auto* bytes = reinterpret_cast<const Byte*>(text.data());
    const std::size_t length = text.size();
    std::size_t i = 0;
    while (words.size() < maxWords) {
        while (i < length && bytes[i] == ' ')
            ++i;
        if (i == length)
            break;
        std::string word;
        bool quoted = false;
        while (i < length && (quoted || bytes[i] != ' ')) {
            if (bytes[i] == kQuote) {
                // Inside quotes a doubled quote is one literal quote; a single one closes.
                if (quoted && i + 1 < length && bytes[i + 1] == kQuote) {
                    word += kQuote;
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
                continue;
            }
            const std::size_t charLength = IsLeadByte(bytes[i]) && i + 1 < length ? 2 : 1;
            word.append(text.substr(i, charLength));
            i += charLength;
            if (word.size() > kMaxMultiTextWordBytes)
                return words;
        }
        if (word.empty())
            break;
        words.push_back(std::move(word));
    }
    return words;
}

MultiTextTerms ParseMultiTextOperators(const std::vector<std::string>& words) {
    MultiTextTerms parsed;
    if (words.empty())
        return parsed;
    parsed.terms.push_back(words[0]);
    // A trailing operator with no term after it is dropped.
    for (std::size_t i = 1; i + 1 < words.size(); i += 2) {
        if (EqualsIgnoringAsciiCase(words[i], "and"))
            parsed.operators.push_back(MultiTextOperator::And);
        else if (EqualsIgnoringAsciiCase(words[i], "or"))
            parsed.operators.push_back(MultiTextOperator::Or);
        else
            break;
        parsed.terms.push_back(words[i + 1]);
    }
    return parsed;
}

std::optional<MultiTextMatch> FindMultiText(const Byte* text, std::size_t length,
                                            std::string_view pattern, bool firstOnly,
                                            bool caseSensitive) {
    const MultiTextTerms parsed =
        ParseMultiTextOperators(SplitMultiText(pattern, kMaxMultiTextWords));
    TermScanner scanner(parsed.terms, caseSensitive);
    scanner.Reset(text, text + length);
    std::optional<MultiTextMatch> found;
    const Byte* from = text;
    while (const auto hit = scanner.Next(from)) {
        found = MultiTextMatch{static_cast<std::size_t>(hit->at - text),
                               parsed.terms[hit->term].size(), hit->term};
        if (firstOnly)
            break;
        from = hit->at + scanner.FirstCharLength(hit->term);
    }
    return found;
}

bool MultiTextTextTest(const Byte* text, std::size_t length, std::string_view pattern,
                       bool caseSensitive) {
    const MultiTextTerms parsed =
        ParseMultiTextOperators(SplitMultiText(pattern, kMaxMultiTextWords));
    if (!NeedsTermMarks(parsed))
        return true;
    MultiTextMarks marks(parsed, caseSensitive);
    marks.Mark(text, text + length);
    return marks.Qualifies();
}

} // namespace nelvix
