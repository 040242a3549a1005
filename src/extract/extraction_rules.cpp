// Rule entries, rule lists, the default rule set and the rule-set record.
#include "extract/extraction_rules.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "base/byte_record.h"
#include "base/cp932.h"

namespace nelvix {
namespace {

/// Bytes of the record before the separator text: run mode and three flags.
constexpr std::size_t kRecordHeadBytes = 4 * kRecordIntBytes;

void AppendList(const RuleList& list, std::vector<Byte>& out) {
    PutI32(out, list.count);
    for (const RuleEntry& entry : list.Used()) {
        PutCString(out, entry.Text());
        PutI32(out, entry.position);
        PutI32(out, entry.count);
    }
}

/// Reads one list; nothing when it is cut short or breaks the slot or text limits.
std::optional<RuleList> ReadList(ByteReader& reader) {
    const std::optional<std::int32_t> count = reader.I32();
    if (!count || *count < 0 || *count > static_cast<std::int32_t>(kRuleListSlots))
        return std::nullopt;
    RuleList list;
    for (std::int32_t i = 0; i < *count; ++i) {
        const std::optional<std::string_view> text = reader.CString(kRuleTextStoredMaxBytes);
        const std::optional<std::int32_t> position = text ? reader.I32() : std::nullopt;
        const std::optional<std::int32_t> lines = position ? reader.I32() : std::nullopt;
        if (!lines)
            return std::nullopt;
        list.Add(MakeRuleEntry(*text, *position, *lines));
    }
    return list;
}

/// Reads the whole record; nothing when any field breaks the layout or its limits.
std::optional<ExtractionRules> ReadRecord(ByteReader& reader) {
    ExtractionRules rules;
    const std::optional<std::int32_t> runMode = reader.I32();
    const std::optional<std::uint32_t> hide = reader.U32();
    const std::optional<std::uint32_t> showInfo = reader.U32();
    const std::optional<std::uint32_t> addSeparator = reader.U32();
    const std::optional<std::string_view> separator =
        addSeparator ? reader.CString(kSeparatorMaxBytes) : std::nullopt;
    if (!separator)
        return std::nullopt;
    const std::optional<std::uint32_t> caseSensitive = reader.U32();
    const std::optional<std::uint32_t> useRegex = reader.U32();
    const std::optional<std::uint32_t> widthSensitive = reader.U32();
    const std::optional<std::int32_t> step1Process = reader.I32();
    const std::optional<std::int32_t> step2Process = reader.I32();
    if (!step2Process)
        return std::nullopt;
    std::optional<RuleList> step1 = ReadList(reader);
    std::optional<RuleList> start = step1 ? ReadList(reader) : std::nullopt;
    std::optional<RuleList> end = start ? ReadList(reader) : std::nullopt;
    if (!end)
        return std::nullopt;
    rules.runMode = static_cast<RunMode>(*runMode);
    rules.hideWhileExtracting = *hide != 0;
    rules.showInfo = *showInfo != 0;
    rules.addSeparator = *addSeparator != 0;
    rules.SetSeparator(*separator);
    rules.caseSensitive = *caseSensitive != 0;
    rules.useRegex = *useRegex != 0;
    rules.widthSensitive = *widthSensitive != 0;
    rules.step1Process = static_cast<Step1Process>(*step1Process);
    rules.step2Process = static_cast<Step2Process>(*step2Process);
    rules.step1Lines = *step1;
    rules.startLines = *start;
    rules.endLines = *end;
    return rules;
}

} // namespace

bool RuleEntry::SetText(std::string_view sjisText) {
    if (sjisText.size() >= kRuleTextFieldBytes || sjisText.find('\0') != std::string_view::npos)
        return false;
    text.fill('\0');
    std::copy(sjisText.begin(), sjisText.end(), text.begin());
    length = static_cast<std::int32_t>(sjisText.size());
    return true;
}

bool RuleEntry::operator==(const RuleEntry& other) const {
    return Text() == other.Text() && position == other.position && count == other.count;
}

bool RuleList::Add(const RuleEntry& entry) {
    if (count < 0 || count >= static_cast<std::int32_t>(kRuleListSlots))
        return false;
    entries[static_cast<std::size_t>(count++)] = entry;
    return true;
}

bool RuleList::Remove(std::size_t index) {
    if (index >= static_cast<std::size_t>(std::max(count, 0)))
        return false;
    std::move(entries.begin() + static_cast<std::ptrdiff_t>(index) + 1, entries.begin() + count,
              entries.begin() + static_cast<std::ptrdiff_t>(index));
    --count;
    entries[static_cast<std::size_t>(count)] = RuleEntry{};
    return true;
}

bool RuleList::operator==(const RuleList& other) const {
    const std::span<const RuleEntry> mine = Used();
    const std::span<const RuleEntry> theirs = other.Used();
    return std::equal(mine.begin(), mine.end(), theirs.begin(), theirs.end());
}

RuleEntry MakeRuleEntry(std::string_view sjisText, std::int32_t position, std::int32_t count) {
    RuleEntry entry;
    entry.SetText(sjisText.substr(0, kRuleTextStoredMaxBytes));
    entry.position = position;
    entry.count = count;
    return entry;
}

std::string_view ExtractionRules::Separator() const {
    return {separatorText.data(), ::strnlen(separatorText.data(), separatorText.size())};
}

void ExtractionRules::SetSeparator(std::string_view sjisText) {
    sjisText = sjisText.substr(0, sjisText.find('\0'));
    std::size_t length = 0;
    const auto* bytes = reinterpret_cast<const Byte*>(sjisText.data());
    while (length < sjisText.size()) {
        const std::size_t next = NextCharOffset(bytes, sjisText.size(), length);
        if (next > kSeparatorMaxBytes)
            break;
        length = next;
    }
    separatorText.fill('\0');
    std::copy_n(sjisText.begin(), length, separatorText.begin());
}

ExtractionRules DefaultExtractionRules() {
    ExtractionRules rules;
    rules.startLines.Add(MakeRuleEntry(Sjis("    題名："), -1, 1));
    rules.endLines.Add(MakeRuleEntry(
        Sjis("受信後 (1:削除  2:保存  3:返信  4:返信＋削除  5:転送  6:転送＋削除  E:終了)"), -1,
        1));
    rules.endLines.Add(MakeRuleEntry(
        Sjis("電子メール（1:受信\u30002:送信\u30003:送信簿\u30000:その他\u3000E:終了）"), -1, 1));
    rules.step1Lines.Add(MakeRuleEntry(Sjis("続き (改行で表示\u3000E:終了)"), 0, 2));
    rules.SetSeparator(std::string(60, '*'));
    return rules;
}

void AppendRuleSetRecord(const ExtractionRules& rules, std::vector<Byte>& out) {
    PutI32(out, static_cast<std::int32_t>(rules.runMode));
    PutU32(out, rules.hideWhileExtracting ? 1 : 0);
    PutU32(out, rules.showInfo ? 1 : 0);
    PutU32(out, rules.addSeparator ? 1 : 0);
    PutCString(out, rules.Separator());
    PutU32(out, rules.caseSensitive ? 1 : 0);
    PutU32(out, rules.useRegex ? 1 : 0);
    PutU32(out, rules.widthSensitive ? 1 : 0);
    PutI32(out, static_cast<std::int32_t>(rules.step1Process));
    PutI32(out, static_cast<std::int32_t>(rules.step2Process));
    AppendList(rules.step1Lines, out);
    AppendList(rules.startLines, out);
    AppendList(rules.endLines, out);
}

std::vector<Byte> SerializeRuleSet(const ExtractionRules& rules) {
    std::vector<Byte> out;
    AppendRuleSetRecord(rules, out);
    return out;
}

// Every field must lie wholly inside the bytes given: a record cut inside a count or a position
// is refused rather than read past its end.
std::size_t ValidateRuleSetRecord(std::span<const Byte> bytes) {
    if (bytes.size() < kRecordHeadBytes + 1)
        return 0;
    ByteReader reader(bytes);
    return ReadRecord(reader) ? reader.Offset() : 0;
}

std::size_t DeserializeRuleSet(std::span<const Byte> bytes, ExtractionRules& rules) {
    ByteReader reader(bytes);
    std::optional<ExtractionRules> read = ReadRecord(reader);
    if (!read)
        return 0;
    rules = *read;
    return reader.Offset();
}

} // namespace nelvix
