// The format page "書式  " of the settings sheet: document type, characters per line, tab width,
// the marks shown, word wrap and line numbering, over the display format.
#pragma once

#include <string>

#include "settings_sheet/settings_fields.h"
#include "text/display_format.h"

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
    void Open(const DisplayFormat& format);
    FormatPageFields& Fields() { return m_fields; }
    const FormatPageFields& Fields() const { return m_fields; }

    /// "１行文字数" 10..250, then "ﾀﾌﾞｶﾗﾑ数" 2..20: the first refusal shows its message and
    /// names its field; SetField::None when both passed.
    SetField Check(ui::Platform& platform) const;
    /// Writes the page's settings into `format` after a passing Check. The settings of the
    /// hidden controls (free cursor, automatic indent, keeping marked lines and strings) go back
    /// as they came; no document type chosen becomes general text.
    void Store(DisplayFormat& format) const;

private:
    FormatPageFields m_fields;
    DisplayFormat m_opened;
};

} // namespace nelvix
