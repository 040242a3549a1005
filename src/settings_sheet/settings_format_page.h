// The format page "書式  " of the settings sheet: document type, characters per line, tab width,
// the marks shown, word wrap and line numbering, over the layout words of the display block.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "settings_sheet/settings_fields.h"
#include "store/display_block.h"

namespace nelvix {

/// Items of "ﾄﾞｷｭﾒﾝﾄﾀｲﾌﾟ": "一般文書", "Ｃ言語", "Ｃ＋＋言語".
inline constexpr int kDocumentTypeItems = 3;

/// The page's controls as the person sets them; number fields hold their text as typed.
struct FormatPageFields {
    int documentTypeItem = 0; ///< -1 with none chosen
    std::string charsPerLine;
    std::string tabWidth;
    bool showLineEnds = false;
    bool showTabs = false;
    bool wordWrap = false;
    int lineNumbering =
        1; ///< the radio button chosen: 0 "折り返し行も１行", 1 "改行マークまでが１行"
    bool operator==(const FormatPageFields&) const = default;
};

class SetFormatPageModel {
public:
    void Open(const DisplayBlock& block);
    FormatPageFields& Fields() { return m_fields; }
    const FormatPageFields& Fields() const { return m_fields; }

    /// "１行文字数" 10..250, then "ﾀﾌﾞｶﾗﾑ数" 2..20: the first refusal shows its message and
    /// names its field; SetField::None when both passed.
    SetField Check(ui::Platform& platform) const;
    /// Writes the page's words into `block` after a passing Check. The words of the hidden
    /// controls (free cursor, automatic indent, keeping marked lines and characters) go back as
    /// they came; a document type outside the list becomes general text.
    void Store(DisplayBlock& block) const;

private:
    /// Words 7, 8, 10 and 11, which the page has no shown control for.
    static constexpr std::array<std::size_t, 4> kHiddenWords{
        kWordFreeCursor, kWordAutoIndent, kWordKeepMarkedLines, kWordKeepMarkedChars};

    FormatPageFields m_fields;
    std::array<std::int32_t, kHiddenWords.size()> m_hidden{};
};

} // namespace nelvix
