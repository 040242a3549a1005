// Reading tags from text lines.
#include "commands/tag_line.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "base/native_path.h"
#include "base/sjis.h"
#include "text/text_document.h"
#include "view/text_window.h"

namespace nelvix {
namespace {

/// The test that a path starts at a column: '/' with at least four bytes from there. A '/'
/// that is the second byte of a character does not count.
bool PathStartsAt(std::string_view line, std::int64_t column) {
    if (column < 0 || static_cast<std::uint64_t>(column) + kMinTagPathBytes > line.size())
        return false;
    const auto offset = static_cast<std::size_t>(column);
    const auto* bytes = reinterpret_cast<const Byte*>(line.data());
    return bytes[offset] == '/' && IsCharBoundary(bytes, 0, offset);
}

/// Column 0, then an HTML match line (five blanks before its path), then the title column of an
/// HTML title line, which always has a blank before it, then column 5. The match line comes
/// first because its title column often falls on a '/' inside the path or the matched text.
std::optional<std::size_t> PathStart(std::string_view line, int titleViewLength) {
    constexpr std::int64_t kIndentColumn = 5;
    if (PathStartsAt(line, 0))
        return 0;
    if (line.starts_with("     /") && PathStartsAt(line, kIndentColumn))
        return kIndentColumn;
    const std::int64_t title = std::int64_t{titleViewLength} + 1;
    if (title >= 1 && static_cast<std::uint64_t>(title) <= line.size() &&
        line[static_cast<std::size_t>(title - 1)] == ' ' && PathStartsAt(line, title))
        return static_cast<std::size_t>(title);
    if (PathStartsAt(line, kIndentColumn))
        return kIndentColumn;
    return std::nullopt;
}

/// What a "(" after the path start opens.
enum class FieldKind {
    PathText, ///< a part of the path: "(ja)", "(x86)", "(2).txt", "(2023)/"
    Number,   ///< a line number: "(digits):" as result lines hold it, or "(digits)" at the end
    Broken,   ///< written like a line number but not one: 0, six digits, a letter, no ")"
};

struct Field {
    FieldKind kind = FieldKind::PathText;
    std::uint32_t line = 0;
    bool atLineEnd = false;
};

/// Whether the ")" that closes the text from `first` stands where a line number's would: before
/// ":" or at the line end, or is missing.
bool ClosesLikeANumber(std::string_view line, std::size_t first) {
    const std::size_t close = line.find(')', first);
    return close == std::string_view::npos || close + 1 == line.size() || line[close + 1] == ':';
}

/// The field opened by the "(" at `open`; `start` is where the path begins.
Field ReadField(std::string_view line, std::size_t start, std::size_t open) {
    const std::size_t first = open + 1;
    std::uint32_t value = 0;
    std::size_t digits = 0;
    // One digit beyond the limit is read so that six digits are told from five.
    while (first + digits < line.size() && digits <= kMaxTagNumberChars &&
           IsAsciiDigit(static_cast<Byte>(line[first + digits]))) {
        value = value * 10 + static_cast<std::uint32_t>(line[first + digits] - '0');
        ++digits;
    }
    const std::size_t close = first + digits;
    if (digits >= 1 && digits <= kMaxTagNumberChars && close < line.size() && line[close] == ')') {
        const bool atLineEnd = close + 1 == line.size();
        if (!atLineEnd && line[close + 1] != ':')
            return {};
        const std::size_t pathBytes = open - start;
        if (value == 0 || pathBytes < kMinTagPathBytes || pathBytes > kMaxTagPathBytes)
            return {FieldKind::Broken};
        return {FieldKind::Number, value, atLineEnd};
    }
    // Empty, or beginning with a digit or a blank: a line number that was meant but is unreadable.
    const bool numberLike =
        first >= line.size() || digits > 0 || line[first] == ')' || line[first] == ' ';
    return numberLike && ClosesLikeANumber(line, first) ? Field{FieldKind::Broken} : Field{};
}

/// The readings of one line: the line numbers written as result lines write them, the one at
/// the line end, and whether a broken one was seen.
struct Readings {
    std::vector<TagLocation> written;
    std::optional<TagLocation> atLineEnd;
    bool broken = false;
};

/// Every "(" from `start`, stepping whole characters; only as far as a path may reach, since a
/// "(" further on makes the path too long whatever follows.
Readings ReadFields(std::string_view line, std::size_t start) {
    Readings readings;
    const auto* bytes = reinterpret_cast<const Byte*>(line.data());
    for (std::size_t offset = start; offset < line.size() && offset - start <= kMaxTagPathBytes;
         offset = NextCharOffset(bytes, line.size(), offset)) {
        if (bytes[offset] != '(')
            continue;
        const Field field = ReadField(line, start, offset);
        if (field.kind == FieldKind::Broken)
            readings.broken = true;
        if (field.kind != FieldKind::Number)
            continue;
        TagLocation tag{std::string(line.substr(start, offset - start)), field.line};
        if (field.atLineEnd)
            readings.atLineEnd = std::move(tag);
        else
            readings.written.push_back(std::move(tag));
    }
    return readings;
}

/// The first choice whose file exists, else the first; the file system is asked only when
/// there is a choice to make.
TagLocation FirstExisting(std::vector<TagLocation>& choices,
                          const std::function<bool(std::string_view)>& exists) {
    if (choices.size() > 1)
        for (TagLocation& choice : choices)
            if (exists(choice.sjisPath))
                return std::move(choice);
    return std::move(choices.front());
}

/// A line whose path runs to the line end, or stops at a number there: "b(2)" may be a file's
/// whole name. Nothing after a broken number or for a path too long.
std::optional<TagLocation>
TagWithoutWrittenNumber(std::string_view rest, Readings& readings,
                        const std::function<bool(std::string_view)>& exists) {
    std::vector<TagLocation> choices;
    if (readings.atLineEnd)
        choices.push_back(std::move(*readings.atLineEnd));
    else if (readings.broken)
        return std::nullopt;
    if (rest.size() <= kMaxTagPathBytes)
        choices.push_back(TagLocation{std::string(rest), 1});
    if (choices.empty())
        return std::nullopt;
    return FirstExisting(choices, exists);
}

} // namespace

bool TagFileExists(std::string_view sjisPath) {
    const std::string native = SjisPathToNative(sjisPath);
    struct stat info {};
    return ::stat(native.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

std::optional<TagLocation> ReadTag(std::string_view sjisLine, int titleViewLength,
                                   const std::function<bool(std::string_view)>& exists) {
    const std::optional<std::size_t> start = PathStart(sjisLine, titleViewLength);
    if (!start)
        return std::nullopt;
    Readings readings = ReadFields(sjisLine, *start);
    if (!readings.written.empty())
        return FirstExisting(readings.written, exists);
    return TagWithoutWrittenNumber(sjisLine.substr(*start), readings, exists);
}

bool RowBeginsLine(const CKespoDoc& document, std::uint32_t row) {
    return row == 0 || (row < document.Rows().Count() && document.Rows().BeginsLine(row));
}

std::uint32_t FirstRowOfLine(const CKespoDoc& document, std::uint32_t row) {
    if (row >= document.Rows().Count())
        return row;
    while (!RowBeginsLine(document, row))
        --row;
    return row;
}

std::string_view RowTagText(const CKespoEV& window, std::uint32_t row) {
    const CKespoDoc& document = window.Document();
    if (row >= document.Rows().Count())
        return {};
    const std::uint32_t start = document.Rows().Start(FirstRowOfLine(document, row));
    const auto* text = reinterpret_cast<const char*>(document.Text());
    const std::size_t available =
        std::min<std::size_t>(document.TextLength() - start, kTagLineScanBytes);
    const std::string_view rest(text + start, available);
    // A lone CR belongs to the line; only CR LF ends it.
    for (std::size_t cr = rest.find('\r'); cr != std::string_view::npos;
         cr = rest.find('\r', cr + 1))
        if (cr + 1 < document.TextLength() - start && text[start + cr + 1] == '\n')
            return rest.substr(0, cr);
    return rest;
}

} // namespace nelvix
