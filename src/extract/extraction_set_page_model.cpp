// The "ﾊﾟﾗﾒｰﾀ" page of the extraction sheet.
#include "extract/extraction_set_page_model.h"

#include "extract/extraction_entry_fields.h"

namespace nelvix {

int RunStepIndexFromMode(RunMode runMode) {
    if (runMode == RunMode::BothSteps)
        return kRunStepBoth;
    if (runMode == RunMode::Step1Only)
        return kRunStep1;
    return kRunStep2;
}

RunMode RunModeFromStepIndex(int index) {
    if (index == kRunStepBoth)
        return RunMode::BothSteps;
    if (index == kRunStep1)
        return RunMode::Step1Only;
    return RunMode::Step2Only;
}

void ExtSetPageModel::Fill(const ExtractionSheetValues& values) {
    const ExtractionRules& rules = values.rules;
    m_runStep = RunStepIndexFromMode(rules.runMode);
    m_checks[Index(ExtSetCheck::DisplayWhileExtracting)] = !rules.hideWhileExtracting;
    m_checks[Index(ExtSetCheck::ShowInfo)] = rules.showInfo;
    m_checks[Index(ExtSetCheck::AddSeparator)] = rules.addSeparator;
    m_checks[Index(ExtSetCheck::CaseSensitive)] = rules.caseSensitive;
    m_checks[Index(ExtSetCheck::UseRegex)] = rules.useRegex;
    m_checks[Index(ExtSetCheck::WidthSensitive)] = rules.widthSensitive;
    m_checks[Index(ExtSetCheck::RecordOperation)] = values.recordOperation;
    m_checks[Index(ExtSetCheck::CopyToClipboard)] = values.copyToClipboard;
    m_separator.assign(rules.Separator());
    m_modified = false;
}

void ExtSetPageModel::ReadBack(ExtractionSheetValues& values) const {
    ExtractionRules& rules = values.rules;
    rules.runMode = RunModeFromStepIndex(m_runStep);
    rules.hideWhileExtracting = !Check(ExtSetCheck::DisplayWhileExtracting);
    rules.showInfo = Check(ExtSetCheck::ShowInfo);
    rules.addSeparator = Check(ExtSetCheck::AddSeparator);
    rules.caseSensitive = Check(ExtSetCheck::CaseSensitive);
    rules.useRegex = Check(ExtSetCheck::UseRegex);
    rules.widthSensitive = Check(ExtSetCheck::WidthSensitive);
    rules.SetSeparator(m_separator);
    values.recordOperation = Check(ExtSetCheck::RecordOperation);
    values.copyToClipboard = Check(ExtSetCheck::CopyToClipboard);
}

void ExtSetPageModel::SetRunStep(int index) {
    m_runStep = RunStepIndexFromMode(RunModeFromStepIndex(index));
    m_modified = true;
}

void ExtSetPageModel::SetCheck(ExtSetCheck check, bool on) {
    m_checks[Index(check)] = on;
    m_modified = true;
}

void ExtSetPageModel::SetSeparator(std::string_view sjisText) {
    sjisText = sjisText.substr(0, sjisText.find('\0'));
    m_separator.assign(CutToWholeChars(sjisText, kSeparatorMaxBytes));
    m_modified = true;
}

} // namespace nelvix
