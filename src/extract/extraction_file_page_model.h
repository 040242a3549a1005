// The "ﾌｧｲﾙ" page of the global extraction sheet: the file pattern with the
// extraction file history, and the subdirectory flag.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "extract/extraction_entry_fields.h"
#include "extract/extraction_sheet.h"

namespace nelvix::ui {
class Beeper;
}

namespace nelvix {

class ExtFilePageModel {
public:
    explicit ExtFilePageModel(ui::Beeper& beeper) : m_beeper(beeper) {}

    /// Opening: the pattern the command gives, and the history as the combo's
    /// list.
    void Fill(const ExtractionSheetValues& values, const std::vector<std::string>& history);
    void ReadBack(ExtractionSheetValues& values) const;

    /// Shift-JIS.
    const std::string& Pattern() const { return m_pattern; }
    bool Subdirectories() const { return m_subdirectories; }
    const std::vector<std::string>& History() const { return m_history; }

    /// The combo's text changed, by typing or by choosing from its list.
    void EditPattern(std::string_view sjisPattern);
    /// "参照" chose a file: its full path replaces the text, which is then to be
    /// selected.
    void Browsed(std::string_view sjisPath) { EditPattern(sjisPath); }
    void SetSubdirectories(bool on);

    /// Leaving the page or OK: an empty text beeps, a text over 260 bytes beeps
    /// and is to be selected; either way the page stays.
    ExtCheck Check();

    bool Modified() const { return m_modified; }
    void ClearModified() { m_modified = false; }

private:
    ui::Beeper& m_beeper;
    std::string m_pattern;
    bool m_subdirectories = true;
    std::vector<std::string> m_history;
    bool m_modified = false;
};

} // namespace nelvix
