// The rule-set record: round trips, what validation refuses, and the bytes a read consumes.
#include "extract/extraction_rules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/byte_record.h"
#include "base/cp932.h"
#include "extract/extraction_fakes.h"

namespace nelvix {
namespace {

struct RecordEntry {
    std::string text;
    std::int32_t position = 0;
    std::int32_t count = 1;
};

/// A record written field by field, so that it can break the rules the writer keeps.
struct RecordBuilder {
    std::string separator = "***";
    std::vector<RecordEntry> step1 = {{"x", 0, 2}};
    std::vector<RecordEntry> start = {{"s", -1, 1}};
    std::vector<RecordEntry> end = {{"e", -1, 1}};
    std::optional<std::int32_t> endCount; ///< the end list's count field; its size when none

    std::vector<Byte> Build() const {
        std::vector<Byte> out;
        for (const std::int32_t head : {3, 0, 1, 0})
            PutI32(out, head);
        out.insert(out.end(), separator.begin(), separator.end());
        out.push_back(0);
        for (const std::int32_t option : {0, 0, 1, 0, 0})
            PutI32(out, option);
        AppendList(out, step1, std::nullopt);
        AppendList(out, start, std::nullopt);
        AppendList(out, end, endCount);
        return out;
    }
    static void AppendList(std::vector<Byte>& out, const std::vector<RecordEntry>& list,
                           std::optional<std::int32_t> count) {
        PutI32(out, count.value_or(static_cast<std::int32_t>(list.size())));
        for (const RecordEntry& entry : list) {
            out.insert(out.end(), entry.text.begin(), entry.text.end());
            out.push_back(0);
            PutI32(out, entry.position);
            PutI32(out, entry.count);
        }
    }
};

ExtractionRules EditedRules() {
    ExtractionRules rules;
    rules.runMode = RunMode::Step1Only;
    rules.hideWhileExtracting = true;
    rules.showInfo = false;
    rules.addSeparator = true;
    rules.SetSeparator(std::string(80, '='));
    rules.caseSensitive = true;
    rules.useRegex = true;
    rules.widthSensitive = false;
    rules.step1Process = Step1Process::Extract;
    rules.step2Process = Step2Process::Delete;
    for (int i = 0; i < 5; ++i)
        rules.step1Lines.Add(
            MakeRuleEntry(std::string(83, static_cast<char>('a' + i)), -10'000 + i, 10'000 - i));
    rules.startLines.Add(test::Entry("差出人：", 3, 1));
    rules.endLines.Add(test::Entry("ｴﾝﾄﾞ", -2, 1));
    rules.endLines.Add(test::Entry("終了", 0, 1));
    return rules;
}

TEST(RuleSetRecord, ReadsBackWhatWasWritten) {
    struct Case {
        const char* name;
        ExtractionRules rules;
    };
    ExtractionRules emptyLists = DefaultExtractionRules();
    emptyLists.step1Lines = {};
    emptyLists.startLines = {};
    emptyLists.endLines = {};
    const Case cases[] = {
        {"Defaults", DefaultExtractionRules()},
        {"EditedRules", EditedRules()},
        {"EmptyLists", emptyLists},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<Byte> record = SerializeRuleSet(c.rules);
        EXPECT_EQ(ValidateRuleSetRecord(record), record.size());
        ExtractionRules back = EditedRules();
        back.runMode = static_cast<RunMode>(99);
        EXPECT_EQ(DeserializeRuleSet(record, back), record.size());
        EXPECT_EQ(back, c.rules);
        EXPECT_EQ(SerializeRuleSet(back), record);
    }
}

TEST(RuleSetRecord, DefaultsHaveTheirByteLayout) {
    const ExtractionRules rules = DefaultExtractionRules();
    const std::vector<Byte> record = SerializeRuleSet(rules);
    const auto entryBytes = [](const RuleList& list) {
        std::size_t bytes = 4;
        for (const RuleEntry& entry : list.Used())
            bytes += static_cast<std::size_t>(entry.length) + 1 + 8;
        return bytes;
    };
    EXPECT_EQ(record.size(), 16 + 61 + 20 + entryBytes(rules.step1Lines) +
                                 entryBytes(rules.startLines) + entryBytes(rules.endLines));
    EXPECT_EQ(GetU32(record.data()), 3u);          // run mode
    EXPECT_EQ(GetU32(record.data() + 8), 1u);      // showInfo
    EXPECT_EQ(record[16 + 60], 0);                 // the separator's NUL
    EXPECT_EQ(GetU32(record.data() + 77 + 8), 1u); // widthSensitive
    EXPECT_EQ(GetU32(record.data() + 97), 1u);     // one step-1 string
    const std::string step1 = Sjis("続き (改行で表示\u3000E:終了)");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(record.data()) + 101, step1.size()), step1);
}

TEST(RuleSetRecord, ValidationRefusesBrokenRecords) {
    struct Case {
        const char* name;
        std::vector<Byte> record;
        bool valid;
    };
    const std::vector<Byte> good = RecordBuilder{}.Build();
    RecordBuilder separator80, separator81, sixEntries, text83, text84, fewerEntries, negativeCount;
    separator80.separator = std::string(80, '*');
    separator81.separator = std::string(81, '*');
    sixEntries.start.assign(6, {"s", 0, 1});
    text83.end.front().text = std::string(83, 'e');
    text84.end.front().text = std::string(84, 'e');
    fewerEntries.end = {{"e", 0, 1}, {"f", 0, 1}};
    fewerEntries.endCount = 3;
    negativeCount.endCount = INT32_MIN;
    std::vector<Byte> noNul(16, 0);
    noNul.insert(noNul.end(), {'a', 'b', 'c', 'd'});
    // Records cut short anywhere are refused in EveryCutOfARecordIsRefused.
    const Case cases[] = {
        {"WellFormed", good, true},
        {"NoNulAfterTheHead", noNul, false},
        {"SeparatorOf80Bytes", separator80.Build(), true},
        {"SeparatorOf81Bytes", separator81.Build(), false},
        {"SixEntriesInAList", sixEntries.Build(), false},
        {"TextOf83Bytes", text83.Build(), true},
        {"TextOf84Bytes", text84.Build(), false},
        {"FewerEntriesThanTheCount", fewerEntries.Build(), false},
        {"NegativeCount", negativeCount.Build(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ValidateRuleSetRecord(c.record), c.valid ? c.record.size() : 0u);
        ExtractionRules rules = DefaultExtractionRules();
        EXPECT_EQ(DeserializeRuleSet(c.record, rules), c.valid ? c.record.size() : 0u);
        if (!c.valid) {
            EXPECT_EQ(rules, DefaultExtractionRules());
        }
    }
}

TEST(RuleSetRecord, EveryCutOfARecordIsRefused) {
    const std::vector<Byte> record = SerializeRuleSet(EditedRules());
    for (std::size_t bytes = 0; bytes < record.size(); ++bytes)
        EXPECT_EQ(ValidateRuleSetRecord(std::span<const Byte>(record.data(), bytes)), 0u) << bytes;
}

TEST(RuleSetRecord, ReadingConsumesTheRecordAloneAndRecomputesLengths) {
    std::vector<Byte> bytes = RecordBuilder{}.Build();
    const std::size_t recordBytes = bytes.size();
    bytes.insert(bytes.end(), {1, 0, 0, 0, 'n', 'e', 'x', 't', 0});
    EXPECT_EQ(ValidateRuleSetRecord(bytes), recordBytes);
    ExtractionRules rules;
    ASSERT_EQ(DeserializeRuleSet(bytes, rules), recordBytes);
    EXPECT_EQ(rules.Separator(), "***");
    ASSERT_EQ(rules.step1Lines.count, 1);
    EXPECT_EQ(rules.step1Lines.entries[0].length, 1);
    EXPECT_EQ(rules.step1Lines.entries[0].Text(), "x");
    EXPECT_EQ(rules.step1Lines.entries[0].count, 2);
    EXPECT_EQ(rules.startLines.entries[0].position, -1);
}

} // namespace
} // namespace nelvix
