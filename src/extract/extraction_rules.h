// The extraction rule set as the person edits and stores it: three lists of rule strings, the
// two processes, the options, the separator and the run mode; and its byte record, which the
// data file and the operation recorder keep.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "base/limits.h"
#include "base/sjis.h"

namespace nelvix {

/// Slots of one rule list.
inline constexpr std::size_t kRuleListSlots = 5;
/// The text field of a rule entry, NUL included.
inline constexpr std::size_t kRuleTextFieldBytes = 84;
/// The most bytes of the separator text the sheet accepts.
inline constexpr std::size_t kSeparatorMaxBytes = 80;
/// The longest rule text a stored record may hold: the field without its NUL.
inline constexpr std::size_t kRuleTextStoredMaxBytes = kRuleTextFieldBytes - 1;
/// The position and count limits of the sheet.
inline constexpr std::int32_t kRulePositionLimit = 10'000;
inline constexpr std::int32_t kRuleCountLimit = 10'000;

/// Which steps a run takes. A record may hold any other value, which is kept as it is and runs
/// neither step.
enum class RunMode : std::int32_t { Step1Only = 1, Step2Only = 2, BothSteps = 3 };

/// What step 1 does with the lines its rules select; stored 0 and 1.
enum class Step1Process : std::int32_t { Delete = 0, Extract = 1 };
/// What step 2 does with its blocks; stored the other way round from step 1.
enum class Step2Process : std::int32_t { Extract = 0, Delete = 1 };

/// One rule string, stored by value.
struct RuleEntry {
    std::int32_t length = 0; ///< kept equal to the text's length
    std::array<char, kRuleTextFieldBytes> text{};
    std::int32_t position = 0; ///< lines from the matching line to the block
    std::int32_t count = 1;    ///< lines of the block (step 1 only)

    std::string_view Text() const { return {text.data(), static_cast<std::size_t>(length)}; }
    /// Sets text and length; false (and nothing changed) for a text of 84 bytes or more or one
    /// holding a NUL.
    bool SetText(std::string_view sjisText);
    bool operator==(const RuleEntry& other) const;
};

/// A count 0..5 and five slots; only the first `count` are meaningful, in the order of testing.
struct RuleList {
    std::int32_t count = 0;
    std::array<RuleEntry, kRuleListSlots> entries{};

    std::span<const RuleEntry> Used() const {
        return {entries.data(), static_cast<std::size_t>(count)};
    }
    bool Empty() const { return count <= 0; }
    /// Appends; false when the list is full.
    bool Add(const RuleEntry& entry);
    /// Removes entry `index`, the later ones moving up; false for no such entry.
    bool Remove(std::size_t index);
    /// Compares the used entries only.
    bool operator==(const RuleList& other) const;
};

/// A rule entry from its parts; the text must be shorter than 84 bytes.
RuleEntry MakeRuleEntry(std::string_view sjisText, std::int32_t position, std::int32_t count = 1);

/// The editable fields of the rule set, in the order the program has always kept them.
struct ExtractionRules {
    RuleList startLines; ///< step 2: strings that open a block
    RuleList endLines;   ///< step 2: strings that close a block
    RuleList step1Lines; ///< step 1: strings that select lines
    Step2Process step2Process = Step2Process::Extract;
    Step1Process step1Process = Step1Process::Delete;
    bool caseSensitive = false;
    bool useRegex = false;
    bool widthSensitive = true;
    bool hideWhileExtracting = false;
    bool showInfo = true;
    bool addSeparator = false;
    std::array<char, kSeparatorMaxBytes + 1> separatorText{};
    RunMode runMode = RunMode::BothSteps;

    std::string_view Separator() const;
    /// Cuts at 80 bytes (on a whole character) and at a NUL.
    void SetSeparator(std::string_view sjisText);
    bool operator==(const ExtractionRules&) const = default;
};

/// The rules a new program starts with: the mail-log rules, 60 asterisks, both steps.
ExtractionRules DefaultExtractionRules();

/// The record: u32 runMode, hide, showInfo, addSeparator, separator NUL, case, regex, width,
/// step1Process, step2Process, then the step-1, start and end lists, each a u32 count and per
/// entry text NUL, u32 position, u32 count. Integers little-endian.
std::vector<Byte> SerializeRuleSet(const ExtractionRules& rules);
/// Appends the record to `out`.
void AppendRuleSetRecord(const ExtractionRules& rules, std::vector<Byte>& out);
/// Bytes the record at the start of `bytes` occupies; 0 when it is invalid, which includes a
/// list of more than five entries or an entry text of more than 83 bytes.
std::size_t ValidateRuleSetRecord(std::span<const Byte> bytes);
/// Reads a record that ValidateRuleSetRecord accepted; the bytes consumed, 0 (and `rules`
/// unchanged) for an invalid record. Entry lengths are recomputed from their texts.
std::size_t DeserializeRuleSet(std::span<const Byte> bytes, ExtractionRules& rules);

} // namespace nelvix
