// The rule set's working state: the arrays of one run.
#include "extract/extraction_engine.h"

namespace nelvix {

struct ExtractionRuleSet::Work {};

ExtractionRuleSet::ExtractionRuleSet(ui::Platform& platform)
    : m_platform(platform), m_rules(DefaultExtractionRules()) {}

ExtractionRuleSet::~ExtractionRuleSet() = default;

} // namespace nelvix
