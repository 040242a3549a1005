// The "ｽﾃｯﾌﾟ1" page of the extraction sheet.
#include "extract/extraction_step1_page_model.h"

#include <algorithm>

#include "base/cp932.h"
#include "ui/platform.h"

namespace nelvix {
namespace {

/// What the edits show when there is no entry to show.
ExtEntryEdits EmptyEdits() {
    return {std::string(), "0", "1"};
}

std::int32_t ParsedInt(std::string_view text) {
    return static_cast<std::int32_t>(ParseFieldNumber(text).value_or(0));
}

} // namespace

int Step1ProcessIndex(Step1Process step1Process) {
    return step1Process == Step1Process::Extract ? kProcessExtract : kProcessDelete;
}

Step1Process Step1ProcessFromIndex(int index) {
    return index == kProcessExtract ? Step1Process::Extract : Step1Process::Delete;
}

void ExtStep1PageModel::Fill(const ExtractionSheetValues& values) {
    m_list = values.rules.step1Lines;
    m_process = Step1ProcessIndex(values.rules.step1Process);
    Show(m_list.Empty() ? std::nullopt : std::optional<std::size_t>(0));
    m_modified = false;
}

void ExtStep1PageModel::ReadBack(ExtractionSheetValues& values) const {
    values.rules.step1Lines = m_list;
    values.rules.step1Process = Step1ProcessFromIndex(m_process);
}

std::string ExtStep1PageModel::ListLabel() const {
    return Sjis(m_process == kProcessDelete ? "削除行" : "抽出行");
}

void ExtStep1PageModel::SelectEntry(std::optional<std::size_t> index) {
    if (!index || *index >= m_list.Used().size()) {
        m_selection.reset();
        m_beeper.Beep();
        return;
    }
    Show(index);
}

ExtCheck ExtStep1PageModel::Add() {
    ExtCheck check = kExtCheckOk;
    if (m_list.Used().size() >= kRuleListSlots)
        check = {false, ExtField::None};
    else if (!RuleTextFits(m_edits.text))
        check = {false, ExtField::Text};
    else if (!RulePositionFits(m_edits.position))
        check = {false, ExtField::Position};
    else if (!RuleCountFits(m_edits.count))
        check = {false, ExtField::Count};
    if (!check.ok) {
        m_beeper.Beep();
        return check;
    }
    m_list.Add(MakeRuleEntry(m_edits.text, ParsedInt(m_edits.position), ParsedInt(m_edits.count)));
    Show(m_list.Used().size() - 1);
    m_modified = true;
    return check;
}

bool ExtStep1PageModel::Delete() {
    if (!m_selection) {
        m_beeper.Beep();
        return false;
    }
    m_list.Remove(*m_selection);
    const std::size_t left = m_list.Used().size();
    Show(left == 0 ? std::nullopt : std::optional<std::size_t>(std::min(*m_selection, left - 1)));
    m_modified = true;
    return true;
}

void ExtStep1PageModel::SetProcess(int index) {
    m_process = index == kProcessExtract ? kProcessExtract : kProcessDelete;
    m_modified = true;
}

void ExtStep1PageModel::Show(std::optional<std::size_t> index) {
    m_selection = index;
    if (!index) {
        m_edits = EmptyEdits();
        return;
    }
    const RuleEntry& entry = m_list.Used()[*index];
    m_edits = {std::string(entry.Text()), std::to_string(entry.position),
               std::to_string(entry.count)};
}

} // namespace nelvix
