// Fuzzes the rule-set record: validation and reading agree, reads stay inside the record and
// inside the rule set's slots, what reads back is written to the same rules, and a line
// extraction with whatever rules a record gives stays inside its arrays. The bytes after the
// record are the lines of the text.
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "extract/extraction_engine.h"
#include "extract/extraction_rules.h"
#include "fuzz_check.h"
#include "ui/fake_frame_services.h"
#include "ui/fake_platform.h"

namespace {

using nelvix::fuzz::Check;

void CheckList(const nelvix::RuleList& list) {
    Check(list.count >= 0 && list.count <= static_cast<std::int32_t>(nelvix::kRuleListSlots));
    for (const nelvix::RuleEntry& entry : list.Used()) {
        Check(entry.length >= 0 &&
              static_cast<std::size_t>(entry.length) <= nelvix::kRuleTextStoredMaxBytes);
        Check(std::strlen(entry.text.data()) == static_cast<std::size_t>(entry.length));
    }
}

class Lines final : public nelvix::ExtractionText {
public:
    explicit Lines(std::string_view bytes) {
        while (!bytes.empty() && m_lines.size() < 64) {
            const std::size_t end = bytes.find('\n');
            m_lines.emplace_back(bytes.substr(0, end));
            m_lines.back() += "\r\n";
            bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        }
    }
    std::size_t LineCount() const override { return m_lines.size(); }
    std::optional<std::string_view> Line(std::size_t line) override {
        Check(line < m_lines.size());
        return m_lines[line];
    }

private:
    std::vector<std::string> m_lines;
};

class Result final : public nelvix::ExtractionResult {
public:
    bool Append(std::string_view piece, bool) override {
        ++pieces;
        return !piece.empty();
    }
    bool Fits(std::size_t) const override { return true; }
    void Refresh(bool) override {}
    std::size_t pieces = 0;
};

void Extract(const nelvix::ExtractionRules& rules, std::span<const std::uint8_t> rest) {
    nelvix::ui::FakePlatform fake;
    nelvix::ui::FakeFrameServices services;
    nelvix::ExtractionRuleSet ruleSet(fake.platform);
    ruleSet.Rules() = rules;
    Lines text(std::string_view(reinterpret_cast<const char*>(rest.data()), rest.size()));
    Result result;
    const int done =
        ruleSet.ExtractFromText(text, result, services.progressWindow, services.countsDialog);
    const nelvix::ExtractionCounts& counts = ruleSet.Counts();
    Check(counts.step1Count <= counts.sourceLineCount);
    Check(counts.outCount <= counts.step1Count);
    Check(done == 0 || counts.outCount > 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const nelvix::Byte> bytes(data, size);
    const std::size_t valid = nelvix::ValidateRuleSetRecord(bytes);
    nelvix::ExtractionRules rules;
    const std::size_t read = nelvix::DeserializeRuleSet(bytes, rules);
    Check(valid == read && valid <= size);
    if (valid == 0)
        return 0;
    Check(rules.Separator().size() <= nelvix::kSeparatorMaxBytes);
    CheckList(rules.step1Lines);
    CheckList(rules.startLines);
    CheckList(rules.endLines);

    const std::vector<nelvix::Byte> record = nelvix::SerializeRuleSet(rules);
    Check(record.size() <= valid);
    Check(nelvix::ValidateRuleSetRecord(record) == record.size());
    nelvix::ExtractionRules back = nelvix::DefaultExtractionRules();
    Check(nelvix::DeserializeRuleSet(record, back) == record.size());
    Check(back == rules);

    Extract(rules, bytes.subspan(valid));
    return 0;
}
