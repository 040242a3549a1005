// The "ﾌｧｲﾙ" page of the global extraction sheet.
#include "extract/extraction_file_page_model.h"

#include "ui/platform.h"

namespace nelvix {

void ExtFilePageModel::Fill(const ExtractionSheetValues& values,
                            const std::vector<std::string>& history) {
    m_pattern = values.filePattern;
    m_subdirectories = values.subdirectories;
    m_history = history;
    m_modified = false;
}

void ExtFilePageModel::ReadBack(ExtractionSheetValues& values) const {
    values.filePattern = m_pattern;
    values.subdirectories = m_subdirectories;
}

void ExtFilePageModel::EditPattern(std::string_view sjisPattern) {
    m_pattern.assign(sjisPattern);
    m_modified = true;
}

void ExtFilePageModel::SetSubdirectories(bool on) {
    m_subdirectories = on;
    m_modified = true;
}

ExtCheck ExtFilePageModel::Check() {
    ExtCheck check = kExtCheckOk;
    if (m_pattern.empty())
        check = {false, ExtField::None};
    else if (m_pattern.size() > kMaxPathBytes)
        check = {false, ExtField::FilePattern};
    if (!check.ok)
        m_beeper.Beep();
    return check;
}

} // namespace nelvix
