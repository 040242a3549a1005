// Reading tags from text lines.
#include "app/tag_line.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "text/kespo_doc.h"
#include "text/sjis.h"
#include "view/kespo_ev.h"

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

/// The first "(" from `start`, stepping whole characters; only as far as a path may reach,
/// since a "(" further on makes the path too long whatever follows.
std::optional<std::size_t> OpeningParenthesis(std::string_view line, std::size_t start) {
    const auto* bytes = reinterpret_cast<const Byte*>(line.data());
    for (std::size_t offset = start; offset < line.size() && offset - start <= kMaxTagPathBytes;
         offset = NextCharOffset(bytes, line.size(), offset))
        if (bytes[offset] == '(')
            return offset;
    return std::nullopt;
}

/// The decimal number from `first` up to the next ")"; nothing when the ")" is missing, more
/// than five characters away, or anything but digits stands before it.
std::optional<std::uint32_t> TagLineNumber(std::string_view line, std::size_t first) {
    std::uint32_t value = 0;
    for (std::size_t offset = first; offset < line.size(); ++offset) {
        const auto byte = static_cast<Byte>(line[offset]);
        if (byte == ')')
            return value;
        if (offset - first == kMaxTagNumberChars || !IsAsciiDigit(byte))
            return std::nullopt;
        value = value * 10 + static_cast<std::uint32_t>(byte - '0');
    }
    return std::nullopt;
}

} // namespace

std::optional<TagLocation> ReadTag(std::string_view sjisLine, int titleViewLength) {
    const std::optional<std::size_t> start = PathStart(sjisLine, titleViewLength);
    if (!start)
        return std::nullopt;
    const std::optional<std::size_t> parenthesis = OpeningParenthesis(sjisLine, *start);
    if (!parenthesis) {
        const std::string_view path = sjisLine.substr(*start);
        if (path.size() > kMaxTagPathBytes)
            return std::nullopt;
        return TagLocation{std::string(path), 1};
    }
    const std::size_t pathBytes = *parenthesis - *start;
    if (pathBytes < kMinTagPathBytes || pathBytes > kMaxTagPathBytes)
        return std::nullopt;
    const std::optional<std::uint32_t> line = TagLineNumber(sjisLine, *parenthesis + 1);
    if (!line || *line == 0)
        return std::nullopt;
    return TagLocation{std::string(sjisLine.substr(*start, pathBytes)), *line};
}

bool RowBeginsLine(const CKespoDoc& document, std::uint32_t row) {
    return row == 0 || (row < document.RowCount() && document.RowFlags()[row] != 0);
}

std::uint32_t FirstRowOfLine(const CKespoDoc& document, std::uint32_t row) {
    if (row >= document.RowCount())
        return row;
    while (!RowBeginsLine(document, row))
        --row;
    return row;
}

std::string_view RowTagText(const CKespoEV& window, std::uint32_t row) {
    const CKespoDoc& document = window.Document();
    if (row >= document.RowCount())
        return {};
    const std::uint32_t start = document.RowStarts()[FirstRowOfLine(document, row)];
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
