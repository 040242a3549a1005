// The rule set of the program: its construction and the run modes' preconditions.
#include "extract/extraction_pass.h"
#include "ui/platform.h"

namespace nelvix {

ExtractionRuleSet::ExtractionRuleSet(ui::Platform& platform)
    : m_platform(platform), m_rules(DefaultExtractionRules()) {}

ExtractionRuleSet::~ExtractionRuleSet() = default;

// A run mode other than the three (only a stored record can hold one) runs nothing.
bool ExtractionRuleSet::PreconditionsHold() const {
    const bool step1 = !m_rules.step1Lines.Empty();
    const bool step2 = !m_rules.startLines.Empty();
    switch (m_rules.runMode) {
    case RunMode::Step1Only:
        return step1;
    case RunMode::Step2Only:
        return step2;
    case RunMode::BothSteps:
        return step1 || step2;
    default:
        return false;
    }
}

bool ExtractionRuleSet::CheckPreconditions() {
    if (PreconditionsHold())
        return true;
    m_platform.beeper.Beep();
    return false;
}

} // namespace nelvix
