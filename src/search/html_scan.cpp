// Tags, titles and links found in raw HTML bytes.
#include "search/html_scan.h"

#include <algorithm>

#include "base/native_path.h"
#include "encoding/file_convert.h"
#include "files/posix_file.h"

namespace nelvix {
namespace {

constexpr std::string_view kTitleOpen = "<TITLE>";
constexpr std::string_view kTitleClose = "</TITLE>";
constexpr std::string_view kAnchorOpen = "<A ";
constexpr std::string_view kAnchorClose = "</A>";
constexpr std::string_view kTagEnd = ">";
constexpr std::string_view kHref = "HREF";

const Byte* Bytes(std::string_view text) {
    return reinterpret_cast<const Byte*>(text.data());
}

bool MatchesAt(std::string_view text, std::size_t offset, std::string_view tag) {
    if (text.size() - offset < tag.size())
        return false;
    for (std::size_t i = 0; i < tag.size(); ++i)
        if (AsciiToLower(static_cast<Byte>(text[offset + i])) !=
            AsciiToLower(static_cast<Byte>(tag[i])))
            return false;
    return true;
}

/// Line breaks and tabs inside a title or a link text are dropped, so that it stays one line.
std::string WithoutLineBreaks(std::string_view text) {
    std::string kept;
    kept.reserve(text.size());
    for (const char byte : text)
        if (byte != '\r' && byte != '\n' && byte != '\t')
            kept.push_back(byte);
    return kept;
}

/// A target ends at a blank or a double quote; a line break or tab also ends it, so that a
/// target never carries a line end into a result line.
bool EndsTarget(char byte) {
    return byte == ' ' || byte == '"' || byte == '\t' || byte == '\r' || byte == '\n';
}

bool SkippedBeforeTarget(char byte) {
    return byte == ' ' || byte == '=' || byte == '"' || byte == '\t' || byte == '\r' ||
           byte == '\n';
}

/// The HREF value of the inside of an anchor tag; empty when it has none.
std::string_view HrefTarget(std::string_view tag) {
    const std::optional<std::size_t> href = FindTag(tag, kHref, true);
    if (!href)
        return {};
    std::size_t start = *href + kHref.size();
    while (start < tag.size() && SkippedBeforeTarget(tag[start]))
        ++start;
    std::size_t end = start;
    while (end < tag.size() && !EndsTarget(tag[end]))
        ++end;
    return tag.substr(start, end - start);
}

/// The Shift-JIS form of `raw`: converted under "CodeDecision" when a conversion is needed and
/// its result is not out of proportion, else the raw bytes.
std::string SjisText(const EngineEnvironment& environment, std::string raw) {
    std::optional<ConvertedText> converted =
        ConvertBufferToSjis(environment.platform, Bytes(raw), raw.size(), environment.codeDecision);
    if (!converted || converted->text.size > kHtmlConvertedGrowth * raw.size())
        return raw;
    return std::string(reinterpret_cast<const char*>(converted->text.begin()),
                       converted->text.size);
}

/// Up to `maxBytes` from the start of the file; nothing when it cannot be opened or read, or
/// (with `refuseLarger`) when it is longer than `maxBytes`.
std::optional<std::string> ReadFileHead(std::string_view sjisPath, std::size_t maxBytes,
                                        bool refuseLarger) {
    std::size_t length = 0;
    const FileDescriptor file = OpenRegularFileForReading(SjisPathToNative(sjisPath), length);
    if (!file.IsOpen() || (refuseLarger && length > maxBytes))
        return std::nullopt;
    std::string bytes(std::min(length, maxBytes), '\0');
    const std::optional<std::size_t> got =
        ReadUpTo(file.Get(), reinterpret_cast<Byte*>(bytes.data()), bytes.size());
    if (!got)
        return std::nullopt;
    bytes.resize(*got);
    return bytes;
}

} // namespace

std::optional<std::size_t> FindTag(std::string_view text, std::string_view tag, bool first) {
    if (tag.empty())
        return std::nullopt;
    const Byte* bytes = Bytes(text);
    const Byte firstByte = AsciiToLower(static_cast<Byte>(tag.front()));
    std::optional<std::size_t> found;
    for (std::size_t offset = 0; offset + tag.size() <= text.size();
         offset = NextCharOffset(bytes, text.size(), offset)) {
        if (AsciiToLower(bytes[offset]) != firstByte || !MatchesAt(text, offset, tag))
            continue;
        if (first)
            return offset;
        found = offset;
    }
    return found;
}

std::string FitColumn(std::string_view text, int width) {
    if (width < 1)
        return {};
    const auto columns = static_cast<std::size_t>(width);
    if (text.size() <= columns) {
        std::string fitted(text);
        fitted.resize(columns, ' ');
        return fitted;
    }
    // Walked from the start: a trail byte can look like a lead byte.
    const Byte* bytes = Bytes(text);
    std::size_t kept = 0;
    for (;;) {
        const std::size_t next = NextCharOffset(bytes, text.size(), kept);
        if (next > columns)
            break;
        kept = next;
    }
    std::string fitted(text.substr(0, kept));
    fitted.resize(columns, ' ');
    return fitted;
}

std::string HtmlTitleOfText(std::string_view sjisText) {
    const std::optional<std::size_t> open = FindTag(sjisText, kTitleOpen, true);
    if (!open)
        return {};
    const std::string_view rest = sjisText.substr(*open + kTitleOpen.size());
    const std::optional<std::size_t> close = FindTag(rest, kTitleClose, true);
    if (!close || *close > kHtmlTitleMaxBytes)
        return " ";
    std::string title = WithoutLineBreaks(rest.substr(0, *close));
    return title.empty() ? " " : title;
}

std::string ReadHtmlTitle(const EngineEnvironment& environment, std::string_view sjisPath) {
    std::optional<std::string> head = ReadFileHead(sjisPath, kHtmlHeadBytes, false);
    if (!head)
        return {};
    return HtmlTitleOfText(SjisText(environment, std::move(*head)));
}

std::optional<HtmlLink> HtmlLinkScanner::ReadFirstLink(std::string_view sjisPath) {
    CloseLinks();
    std::optional<std::string> bytes = ReadFileHead(sjisPath, kHtmlLinkFileMaxBytes, true);
    if (!bytes)
        return std::nullopt;
    return ReadFirstLinkOfText(SjisText(m_environment, std::move(*bytes)));
}

std::optional<HtmlLink> HtmlLinkScanner::ReadFirstLinkOfText(std::string sjisText) {
    m_text = std::move(sjisText);
    m_position = 0;
    m_open = true;
    return ReadNextLink();
}

std::optional<HtmlLink> HtmlLinkScanner::ReadNextLink() {
    const std::string_view text = m_text;
    while (m_open && m_position < text.size()) {
        const std::optional<std::size_t> anchor =
            FindTag(text.substr(m_position), kAnchorOpen, true);
        if (!anchor)
            break;
        const std::size_t tagStart = m_position + *anchor + kAnchorOpen.size();
        const std::optional<std::size_t> tagEnd = FindTag(text.substr(tagStart), kTagEnd, true);
        const std::size_t tagLength = tagEnd ? *tagEnd : text.size() - tagStart;
        const std::string_view target = HrefTarget(text.substr(tagStart, tagLength));
        const std::size_t contentStart = std::min(tagStart + tagLength + 1, text.size());
        const std::optional<std::size_t> close =
            FindTag(text.substr(contentStart), kAnchorClose, true);
        const std::size_t contentLength = close ? *close : text.size() - contentStart;
        m_position = close ? contentStart + *close + kAnchorClose.size() : text.size();
        if (target.empty())
            continue;
        std::string linkText = WithoutLineBreaks(text.substr(contentStart, contentLength));
        if (!linkText.empty())
            return HtmlLink{std::move(linkText), std::string(target)};
    }
    CloseLinks();
    return std::nullopt;
}

void HtmlLinkScanner::CloseLinks() {
    m_text.clear();
    m_text.shrink_to_fit();
    m_position = 0;
    m_open = false;
}

} // namespace nelvix
