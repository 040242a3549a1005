// The "ｽﾃｯﾌﾟ2" page of the extraction sheet: the lists of block start and block
// end rules, the edits of one entry and the process, on a copy of the step-2
// rules.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "extract/extraction_step1_page_model.h"

namespace nelvix {

/// The two lists of the page.
enum class ExtBlockList { Start, End };

/// The one selected entry of the page: at most one list has a selection.
struct ExtBlockSelection {
    ExtBlockList list = ExtBlockList::Start;
    std::size_t index = 0;
    bool operator==(const ExtBlockSelection&) const = default;
};

/// The process button of a step-2 process: "削除" for 1, "抽出" for anything
/// else.
int Step2ProcessIndex(Step2Process step2Process);
Step2Process Step2ProcessFromIndex(int index);

class ExtStep2PageModel {
public:
    explicit ExtStep2PageModel(ui::Beeper& beeper) : m_beeper(beeper) {}

    /// Opening: the first start entry is selected and shown, no end entry.
    void Fill(const ExtractionSheetValues& values);
    void ReadBack(ExtractionSheetValues& values) const;

    const RuleList& List(ExtBlockList list) const {
        return list == ExtBlockList::Start ? m_start : m_end;
    }
    std::optional<ExtBlockSelection> Selection() const { return m_selection; }
    /// The text and the position; the count is not used on this page.
    const ExtEntryEdits& Edits() const { return m_edits; }
    int Process() const { return m_process; }
    /// Labels, Shift-JIS: "抽出開始行" / "抽出終了行", or "削除開始行" /
    /// "削除終了行".
    std::string ListLabel(ExtBlockList list) const;

    /// The person selected an entry of `list`, which clears the other list's
    /// selection; nothing left selected beeps.
    void SelectEntry(ExtBlockList list, std::optional<std::size_t> index);
    /// `list` got the focus: the other list's selection goes; a list with entries
    /// but no selection selects and shows its last entry.
    void FocusList(ExtBlockList list);
    void EditText(std::string_view sjisText) { m_edits.text.assign(sjisText); }
    void EditPosition(std::string_view text) { m_edits.position.assign(text); }

    /// The list "追加" appends to: the one with a selection; else the end list
    /// when only the start list has entries; else the start list.
    ExtBlockList AddTarget() const;
    /// "追加": appends the edits to AddTarget(), selected and shown; refused with
    /// a beep when that list is full or a field breaks its limit (that field to
    /// be selected).
    ExtCheck Add();
    /// "削除": removes the selected entry; false (after a beep) when nothing is
    /// selected. The selection then starts over as on opening.
    bool Delete();
    void SetProcess(int index);

    bool Modified() const { return m_modified; }
    void ClearModified() { m_modified = false; }

private:
    RuleList& MutableList(ExtBlockList list) {
        return list == ExtBlockList::Start ? m_start : m_end;
    }
    void Show(std::optional<ExtBlockSelection> selection);
    void ShowFirstStart();

    ui::Beeper& m_beeper;
    RuleList m_start;
    RuleList m_end;
    std::optional<ExtBlockSelection> m_selection;
    ExtEntryEdits m_edits;
    int m_process = kProcessExtract;
    bool m_modified = false;
};

} // namespace nelvix
