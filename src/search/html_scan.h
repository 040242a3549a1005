// The HTML search's small scanner over raw file bytes: tags found by case-insensitive text
// search, the title of a page's head, and its links one after the other. It does not parse
// HTML, so any bytes are read without harm.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "search/global_find_engine.h"

namespace nelvix {

/// A title is read from this many bytes at the start of a file only.
inline constexpr std::size_t kHtmlHeadBytes = 4096;
/// A title longer than this reads as a single blank.
inline constexpr std::size_t kHtmlTitleMaxBytes = 80;
/// Links are listed from files of at most this many bytes; larger files give none.
inline constexpr std::size_t kHtmlLinkFileMaxBytes = 0x20000;
/// A converted text is used only when it is at most this many times the raw length.
inline constexpr std::size_t kHtmlConvertedGrowth = 2;

/// Case-insensitive (ASCII letters) search for `tag` in `text`, stepping over Shift-JIS
/// characters whole, so that a match never starts on a trail byte. The offset of the first
/// occurrence (with `first`) or of the last; nothing when there is none or `tag` is empty.
std::optional<std::size_t> FindTag(std::string_view text, std::string_view tag, bool first);

/// `text` cut or padded with blanks to exactly `width` bytes (empty below 1). A double-byte
/// character that the cut would split is left out whole and its place given to a blank.
std::string FitColumn(std::string_view text, int width);

/// The title of a text already read: the bytes between the first "<TITLE>" and the next
/// "</TITLE>" with CR, LF and TAB removed. A single blank when that end tag is missing, the title
/// is longer than 80 bytes or nothing is left of it; empty when there is no "<TITLE>".
std::string HtmlTitleOfText(std::string_view sjisText);

/// The title of a file, read from its first 4096 bytes converted to Shift-JIS under
/// "CodeDecision"; empty when the file cannot be opened or read, or holds no "<TITLE>" there.
std::string ReadHtmlTitle(const EngineEnvironment& environment, std::string_view sjisPath);

/// One link: its text (never empty) and its target (never empty).
struct HtmlLink {
    std::string text;
    std::string target;
    bool operator==(const HtmlLink&) const = default;
};

/// The link scanner: holds one file's text while its links are listed. It releases the text
/// when no link is left, and CloseLinks releases it early.
class HtmlLinkScanner {
public:
    explicit HtmlLinkScanner(const EngineEnvironment& environment) : m_environment(environment) {}

    /// Reads the whole file (at most 131072 bytes, converted to Shift-JIS under "CodeDecision")
    /// and returns its first link; nothing when the file is missing, larger, unreadable or has
    /// no link.
    std::optional<HtmlLink> ReadFirstLink(std::string_view sjisPath);
    /// The same over a text already in memory.
    std::optional<HtmlLink> ReadFirstLinkOfText(std::string sjisText);
    /// The next link of the text; nothing (and the text released) when none is left.
    std::optional<HtmlLink> ReadNextLink();
    void CloseLinks();
    /// True while a file's text is held.
    bool HoldsText() const { return m_open; }

private:
    const EngineEnvironment& m_environment;
    std::string m_text;
    std::size_t m_position = 0;
    bool m_open = false;
};

} // namespace nelvix
