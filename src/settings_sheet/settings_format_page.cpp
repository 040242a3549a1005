// The settings sheet's format page.
#include "settings_sheet/settings_format_page.h"

namespace nelvix {

void SetFormatPageModel::Open(const DisplayFormat& format) {
    m_opened = format;
    m_fields.documentTypeItem = static_cast<int>(format.documentType);
    m_fields.charsPerLine = std::to_string(format.charsPerLine);
    m_fields.tabWidth = std::to_string(format.tabColumns);
    m_fields.showLineEnds = format.showLineEnds;
    m_fields.showTabs = format.showTabs;
    m_fields.wordWrap = format.wordWrap;
    m_fields.lineNumbering = format.lineNumbering ? 1 : 0;
}

SetField SetFormatPageModel::Check(ui::Platform& platform) const {
    if (!ReadIntegerField(platform, m_fields.charsPerLine, kCharsPerLineRange))
        return SetField::CharsPerLine;
    if (!ReadIntegerField(platform, m_fields.tabWidth, kTabWidthRange))
        return SetField::TabWidth;
    return SetField::None;
}

void SetFormatPageModel::Store(DisplayFormat& format) const {
    const int type = m_fields.documentTypeItem;
    format.documentType = type >= 0 && type < kDocumentTypeItems ? static_cast<DocumentType>(type)
                                                                 : DocumentType::Plain;
    format.charsPerLine = IntegerFieldOr(m_fields.charsPerLine, format.charsPerLine);
    format.tabColumns = IntegerFieldOr(m_fields.tabWidth, format.tabColumns);
    format.showLineEnds = m_fields.showLineEnds;
    format.showTabs = m_fields.showTabs;
    format.wordWrap = m_fields.wordWrap;
    format.lineNumbering = m_fields.lineNumbering != 0;
    format.freeCursor = m_opened.freeCursor;
    format.autoIndent = m_opened.autoIndent;
    format.keepLineMarks = m_opened.keepLineMarks;
    format.keepStringMarks = m_opened.keepStringMarks;
}

} // namespace nelvix
