// The settings sheet's format page.
#include "settings_sheet/settings_format_page.h"

namespace nelvix {

namespace {

std::int32_t Ticked(bool on) {
    return on ? 1 : 0;
}

} // namespace

void SetFormatPageModel::Open(const DisplayBlock& block) {
    const std::int32_t type = block[kWordDocumentType];
    m_fields.documentTypeItem = type >= 0 && type < kDocumentTypeItems ? type : -1;
    m_fields.charsPerLine = std::to_string(block[kWordCharsPerLine]);
    m_fields.tabWidth = std::to_string(block[kWordTabWidth]);
    m_fields.showLineEnds = block[kWordShowLineEnds] != 0;
    m_fields.showTabs = block[kWordShowTabs] != 0;
    m_fields.wordWrap = block[kWordWordWrap] != 0;
    m_fields.lineNumbering = block[kWordLineNumbering] != 0 ? 1 : 0;
    for (std::size_t i = 0; i < kHiddenWords.size(); ++i)
        m_hidden[i] = block[kHiddenWords[i]];
}

SetField SetFormatPageModel::Check(ui::Platform& platform) const {
    if (!ReadIntegerField(platform, m_fields.charsPerLine, kCharsPerLineRange))
        return SetField::CharsPerLine;
    if (!ReadIntegerField(platform, m_fields.tabWidth, kTabWidthRange))
        return SetField::TabWidth;
    return SetField::None;
}

void SetFormatPageModel::Store(DisplayBlock& block) const {
    const int type = m_fields.documentTypeItem;
    block[kWordDocumentType] = type >= 0 && type < kDocumentTypeItems ? type : 0;
    block[kWordCharsPerLine] = IntegerFieldOr(m_fields.charsPerLine, block[kWordCharsPerLine]);
    block[kWordTabWidth] = IntegerFieldOr(m_fields.tabWidth, block[kWordTabWidth]);
    block[kWordShowLineEnds] = Ticked(m_fields.showLineEnds);
    block[kWordShowTabs] = Ticked(m_fields.showTabs);
    block[kWordWordWrap] = Ticked(m_fields.wordWrap);
    block[kWordLineNumbering] = m_fields.lineNumbering != 0 ? 1 : 0;
    for (std::size_t i = 0; i < kHiddenWords.size(); ++i)
        block[kHiddenWords[i]] = m_hidden[i];
}

} // namespace nelvix
