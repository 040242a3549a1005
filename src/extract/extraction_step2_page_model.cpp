// The "ｽﾃｯﾌﾟ2" page of the extraction sheet.
#include "extract/extraction_step2_page_model.h"

#include "base/cp932.h"
#include "ui/platform.h"

namespace nelvix {
namespace {

/// Step-2 entries carry a count of 1 that nothing reads.
constexpr std::int32_t kBlockEntryCount = 1;

ExtBlockList Other(ExtBlockList list) {
    return list == ExtBlockList::Start ? ExtBlockList::End : ExtBlockList::Start;
}

} // namespace

int Step2ProcessIndex(Step2Process step2Process) {
    return step2Process == Step2Process::Delete ? kProcessDelete : kProcessExtract;
}

Step2Process Step2ProcessFromIndex(int index) {
    return index == kProcessDelete ? Step2Process::Delete : Step2Process::Extract;
}

void ExtStep2PageModel::Fill(const ExtractionSheetValues& values) {
    m_start = values.rules.startLines;
    m_end = values.rules.endLines;
    m_process = Step2ProcessIndex(values.rules.step2Process);
    ShowFirstStart();
    m_modified = false;
}

void ExtStep2PageModel::ReadBack(ExtractionSheetValues& values) const {
    values.rules.startLines = m_start;
    values.rules.endLines = m_end;
    values.rules.step2Process = Step2ProcessFromIndex(m_process);
}

std::string ExtStep2PageModel::ListLabel(ExtBlockList list) const {
    const bool start = list == ExtBlockList::Start;
    if (m_process == kProcessDelete)
        return Sjis(start ? "削除開始行" : "削除終了行");
    return Sjis(start ? "抽出開始行" : "抽出終了行");
}

void ExtStep2PageModel::SelectEntry(ExtBlockList list, std::optional<std::size_t> index) {
    if (!index || *index >= List(list).Used().size()) {
        if (m_selection && m_selection->list == list)
            m_selection.reset();
        m_beeper.Beep();
        return;
    }
    Show(ExtBlockSelection{list, *index});
}

void ExtStep2PageModel::FocusList(ExtBlockList list) {
    if (m_selection && m_selection->list == Other(list))
        m_selection.reset();
    const std::size_t count = List(list).Used().size();
    if (count > 0 && !m_selection)
        Show(ExtBlockSelection{list, count - 1});
}

ExtBlockList ExtStep2PageModel::AddTarget() const {
    if (m_selection)
        return m_selection->list;
    if (!m_start.Empty() && m_end.Empty())
        return ExtBlockList::End;
    return ExtBlockList::Start;
}

ExtCheck ExtStep2PageModel::Add() {
    const ExtBlockList target = AddTarget();
    ExtCheck check = kExtCheckOk;
    if (List(target).Used().size() >= kRuleListSlots)
        check = {false, ExtField::None};
    else if (!RuleTextFits(m_edits.text))
        check = {false, ExtField::Text};
    else if (!RulePositionFits(m_edits.position))
        check = {false, ExtField::Position};
    if (!check.ok) {
        m_beeper.Beep();
        return check;
    }
    const auto position = static_cast<std::int32_t>(ParseFieldNumber(m_edits.position).value_or(0));
    RuleList& list = MutableList(target);
    list.Add(MakeRuleEntry(m_edits.text, position, kBlockEntryCount));
    Show(ExtBlockSelection{target, list.Used().size() - 1});
    m_modified = true;
    return check;
}

bool ExtStep2PageModel::Delete() {
    if (!m_selection) {
        m_beeper.Beep();
        return false;
    }
    MutableList(m_selection->list).Remove(m_selection->index);
    ShowFirstStart();
    m_modified = true;
    return true;
}

void ExtStep2PageModel::SetProcess(int index) {
    m_process = index == kProcessDelete ? kProcessDelete : kProcessExtract;
    m_modified = true;
}

void ExtStep2PageModel::Show(std::optional<ExtBlockSelection> selection) {
    m_selection = selection;
    if (!selection) {
        m_edits = {std::string(), "0", "1"};
        return;
    }
    const RuleEntry& entry = List(selection->list).Used()[selection->index];
    m_edits = {std::string(entry.Text()), std::to_string(entry.position),
               std::to_string(entry.count)};
}

void ExtStep2PageModel::ShowFirstStart() {
    Show(m_start.Empty()
             ? std::nullopt
             : std::optional<ExtBlockSelection>(ExtBlockSelection{ExtBlockList::Start, 0}));
}

} // namespace nelvix
