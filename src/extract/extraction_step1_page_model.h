// The "ｽﾃｯﾌﾟ1" page of the extraction sheet: the list of line rules, the edits
// of one entry and the process, on a copy of the step-1 rules.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "extract/extraction_entry_fields.h"
#include "extract/extraction_sheet.h"

namespace nelvix::ui {
class Beeper;
}

namespace nelvix {

/// Process buttons of both rule pages: "抽出" and "削除".
inline constexpr int kProcessExtract = 0;
inline constexpr int kProcessDelete = 1;

/// The edits of one entry as typed: Shift-JIS text and the number fields'
/// texts.
struct ExtEntryEdits {
    std::string text;
    std::string position;
    std::string count;
    bool operator==(const ExtEntryEdits&) const = default;
};

/// The process button of a step-1 process: "抽出" for 1, "削除" for anything
/// else.
int Step1ProcessIndex(Step1Process step1Process);
Step1Process Step1ProcessFromIndex(int index);

class ExtStep1PageModel {
public:
    explicit ExtStep1PageModel(ui::Beeper& beeper) : m_beeper(beeper) {}

    /// Opening: the first entry is selected and shown.
    void Fill(const ExtractionSheetValues& values);
    void ReadBack(ExtractionSheetValues& values) const;

    const RuleList& List() const { return m_list; }
    std::optional<std::size_t> Selection() const { return m_selection; }
    const ExtEntryEdits& Edits() const { return m_edits; }
    int Process() const { return m_process; }
    /// The list's label, Shift-JIS: "削除行" or "抽出行".
    std::string ListLabel() const;

    /// The person selected an entry, or left nothing selected (a beep).
    void SelectEntry(std::optional<std::size_t> index);
    void EditText(std::string_view sjisText) { m_edits.text.assign(sjisText); }
    void EditPosition(std::string_view text) { m_edits.position.assign(text); }
    void EditCount(std::string_view text) { m_edits.count.assign(text); }

    /// "追加": appends the edits as a new entry, selected and shown; refused with
    /// a beep when the list is full or a field breaks its limit (that field to be
    /// selected).
    ExtCheck Add();
    /// "削除": removes the selected entry; false (after a beep) when nothing is
    /// selected.
    bool Delete();
    /// "抽出" or "削除".
    void SetProcess(int index);

    bool Modified() const { return m_modified; }
    void ClearModified() { m_modified = false; }

private:
    void Show(std::optional<std::size_t> index);

    ui::Beeper& m_beeper;
    RuleList m_list;
    std::optional<std::size_t> m_selection;
    ExtEntryEdits m_edits;
    int m_process = kProcessDelete;
    bool m_modified = false;
};

} // namespace nelvix
