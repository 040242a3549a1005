// The operation records of the extraction commands: round trips, and records that a replay
// must refuse rather than read past.
#include "store/extraction_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nelvix {
namespace {

ExtractionParameters Edited() {
    ExtractionParameters parameters;
    parameters.rules = DefaultExtractionRules();
    parameters.rules.addSeparator = true;
    parameters.rules.runMode = RunMode::Step2Only;
    parameters.rules.step1Lines.Add(MakeRuleEntry("second", -3, 7));
    parameters.subdirectories = false;
    parameters.pattern = "/logs/*.txt";
    return parameters;
}

TEST(ExtractionRecordTest, RecordsReadBackAsWritten) {
    const ExtractionParameters parameters = Edited();
    EXPECT_EQ(ParseGlobalExtractionRecord(SerializeGlobalExtractionRecord(parameters)), parameters);
    EXPECT_EQ(ParseLineExtractionRecord(SerializeLineExtractionRecord(parameters.rules)),
              parameters.rules);
    ExtractionParameters noPattern = parameters;
    noPattern.pattern.clear();
    EXPECT_EQ(ParseGlobalExtractionRecord(SerializeGlobalExtractionRecord(noPattern)), noPattern);
}

TEST(ExtractionRecordTest, CutOrOverlongRecordsAreRefused) {
    const std::vector<Byte> whole = SerializeGlobalExtractionRecord(Edited());
    const std::size_t rulesEnd = SerializeLineExtractionRecord(Edited().rules).size();
    struct Case {
        const char* what;
        std::vector<Byte> record;
    };
    std::vector<Byte> longPattern = SerializeLineExtractionRecord(Edited().rules);
    longPattern.insert(longPattern.end(), {1, 0, 0, 0});
    longPattern.insert(longPattern.end(), 261, 'a');
    longPattern.push_back(0);
    const Case cases[] = {
        {"empty", {}},
        {"rule set cut", {whole.begin(), whole.begin() + 20}},
        {"flag cut", {whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(rulesEnd) + 3}},
        {"pattern without NUL", {whole.begin(), whole.end() - 1}},
        {"pattern of 261 bytes", longPattern},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(ParseGlobalExtractionRecord(c.record).has_value()) << c.what;
    // The line record is the rule set alone; what follows it is not read.
    EXPECT_TRUE(ParseLineExtractionRecord(whole).has_value());
}

} // namespace
} // namespace nelvix
