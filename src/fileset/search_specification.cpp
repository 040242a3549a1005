// File sets as a file box names them: their words, their full path patterns, the paths and quoting
// the subdirectory list stores, and the full form a box resolves to.
#include "fileset/search_specification.h"

#include <unistd.h>

#include <climits>

#include "base/native_path.h"
#include "base/sjis.h"

namespace nelvix {
namespace {

constexpr char kQuote = '"';
constexpr char kSeparator = '/';

/// Reads one word from `offset` (on its first byte) and leaves `offset` after it. Spaces end
/// the word unless `keepSpaces`. A lead byte takes the next byte with it, whatever it is, as the
/// multi-text splitter reads it.
std::string ReadWord(std::string_view text, std::size_t& offset, bool keepSpaces) {
    const auto* bytes = reinterpret_cast<const Byte*>(text.data());
    std::string word;
    bool quoted = false;
    while (offset < text.size() && (quoted || keepSpaces || text[offset] != ' ')) {
        if (text[offset] != kQuote) {
            const std::size_t next = NextCharOffset(bytes, text.size(), offset);
            word.append(text.substr(offset, next - offset));
            offset = next;
        } else if (quoted && offset + 1 < text.size() && text[offset + 1] == kQuote) {
            word += kQuote;
            offset += 2;
        } else {
            quoted = !quoted;
            ++offset;
        }
    }
    return word;
}

bool IsAbsolutePath(std::string_view path) {
    return !path.empty() && path.front() == kSeparator;
}

} // namespace

std::vector<std::string> SplitSpecificationWords(std::string_view specification,
                                                 std::size_t maxWords) {
    std::vector<std::string> words;
    std::size_t offset = 0;
    while (words.size() < maxWords) {
        while (offset < specification.size() && specification[offset] == ' ')
            ++offset;
        if (offset == specification.size())
            break;
        std::string word = ReadWord(specification, offset, false);
        if (word.empty())
            break;
        words.push_back(std::move(word));
    }
    return words;
}

std::string UnquotePath(std::string_view item) {
    std::size_t offset = 0;
    return ReadWord(item, offset, true);
}

SplitPath SplitDirectory(std::string_view path) {
    // A '/' is never a trail byte, so the last one is a real separator.
    const std::size_t last = path.rfind(kSeparator);
    if (last == std::string_view::npos)
        return {};
    return {std::string(path.substr(0, last + 1)), std::string(path.substr(last + 1))};
}

std::string QuotePathWithSpaces(std::string_view path) {
    // A quote in a name (legal here) is doubled, or the splitter would take it for a quoting.
    if (path.find_first_of(" \"") == std::string_view::npos)
        return std::string(path);
    std::string quoted(1, kQuote);
    for (const char c : path) {
        quoted += c;
        if (c == kQuote)
            quoted += kQuote;
    }
    quoted += kQuote;
    return quoted;
}

std::vector<std::string> SpecificationPatterns(std::string_view sjisSpecification) {
    std::vector<std::string> patterns =
        SplitSpecificationWords(sjisSpecification, kMaxFilePatterns);
    if (patterns.empty())
        return patterns;
    const std::string directory = SplitDirectory(patterns.front()).directory;
    for (std::size_t i = 1; i < patterns.size(); ++i) {
        if (!IsAbsolutePath(patterns[i]))
            patterns[i].insert(0, directory);
    }
    return patterns;
}

std::string SubdirectorySpecification(std::string_view item, std::string_view userSpecification) {
    const std::vector<std::string> words =
        SplitSpecificationWords(userSpecification, kMaxFilePatterns);
    if (words.empty())
        return {};
    // Rebuilt from the words rather than cut from the text: a cut after the last '/' would
    // leave a quote open ("/My Files/*.c" *.h) or drop every pattern before a word with a '/'.
    std::string specification(item);
    specification += QuotePathWithSpaces(SplitDirectory(words.front()).name);
    for (std::size_t i = 1; i < words.size(); ++i) {
        // An absolute pattern names one directory of its own, searched with the top directory.
        if (IsAbsolutePath(words[i]))
            continue;
        specification += ' ';
        specification += QuotePathWithSpaces(words[i]);
    }
    return specification;
}

std::optional<std::string> ResolveSearchSpecification(std::string_view sjisCurrentDirectory,
                                                      std::string_view sjisFileBox) {
    std::string specification;
    // As the histories store it, a directory with a blank is quoted before its '/'.
    if (IsAbsolutePath(sjisFileBox) || sjisFileBox.starts_with("\"/")) {
        specification.assign(sjisFileBox);
    } else {
        std::string_view directory = sjisCurrentDirectory;
        if (!directory.empty() && directory.back() == kSeparator)
            directory.remove_suffix(1);
        // The closing quote goes before the final '/': "/my dir"/*.txt.
        specification = QuotePathWithSpaces(directory);
        specification.append(1, kSeparator).append(sjisFileBox);
    }
    if (specification.size() >= kPathBufferBytes)
        return std::nullopt;
    return specification;
}

std::string WorkingDirectory() {
    std::vector<char> buffer(PATH_MAX);
    if (::getcwd(buffer.data(), buffer.size()) == nullptr)
        return "/";
    std::string directory = NativePathToSjis(buffer.data());
    if (!directory.ends_with(kSeparator))
        directory.push_back(kSeparator);
    return directory;
}

} // namespace nelvix
