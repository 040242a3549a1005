// Texts, results and progress windows for the extraction tests, recording what the engine did.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/cp932.h"
#include "extract/extraction_engine.h"

namespace nelvix::test {

/// A text of whole lines; each line is given without its line end and gets CR LF. A line
/// listed in `missing` cannot be had, as a file line longer than the window.
class VectorText final : public ExtractionText {
public:
    explicit VectorText(const std::vector<std::string>& lines,
                        std::vector<std::size_t> missing = {})
        : m_missing(std::move(missing)) {
        for (const std::string& line : lines)
            m_lines.push_back(line + "\r\n");
    }
    std::size_t LineCount() const override { return m_lines.size(); }
    std::optional<std::string_view> Line(std::size_t line) override {
        ++reads;
        for (const std::size_t missing : m_missing)
            if (missing == line)
                return std::nullopt;
        return m_lines.at(line);
    }
    int reads = 0;

private:
    std::vector<std::string> m_lines;
    std::vector<std::size_t> m_missing;
};

/// Keeps every appended piece with the way it was appended.
class RecordingResult final : public ExtractionResult {
public:
    bool Append(std::string_view piece, bool display) override {
        pieces.emplace_back(piece);
        displayed.push_back(display);
        return pieces.size() != refusePiece;
    }
    bool Fits(std::size_t /*lineBytes*/) const override {
        return fitLines == 0 || pieces.size() < fitLines;
    }
    void Refresh(bool scrollToEnd) override { refreshes.push_back(scrollToEnd); }

    /// The pieces without their CR LF.
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        for (const std::string& piece : pieces)
            lines.push_back(piece.ends_with("\r\n") ? piece.substr(0, piece.size() - 2) : piece);
        return lines;
    }

    std::vector<std::string> pieces;
    std::vector<bool> displayed;
    std::vector<bool> refreshes;
    std::size_t refusePiece = 0; ///< Append returns false for this piece (1-based); never when 0
    std::size_t fitLines = 0;    ///< Fits answers false once this many pieces are in; never when 0
};

class RecordingExtractionProgress final : public GlobalExtractionProgress {
public:
    void ShowFileName(std::string_view name) override { names.emplace_back(name); }
    void AddCounts(std::uint32_t step1Matches, std::uint32_t step2Blocks) override {
        added.push_back({step1Matches, step2Blocks});
    }
    bool StopRequested() override { return stopAtCheck != 0 && ++checks >= stopAtCheck; }

    std::vector<std::string> names;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> added;
    int checks = 0;
    int stopAtCheck = 0; ///< "中断" is pressed from this check on (1-based); never when 0
};

/// A rule entry from UTF-8 text.
inline RuleEntry Entry(std::string_view utf8Text, std::int32_t position, std::int32_t count = 1) {
    return MakeRuleEntry(Sjis(utf8Text), position, count);
}

inline RuleList List(std::initializer_list<RuleEntry> entries) {
    RuleList list;
    for (const RuleEntry& entry : entries)
        list.Add(entry);
    return list;
}

/// Rules for the step tests: no separators, no counts dialog, appended silently.
inline ExtractionRules QuietRules(RunMode runMode, RuleList step1, RuleList start = {},
                                  RuleList end = {}) {
    ExtractionRules rules = DefaultExtractionRules();
    rules.runMode = runMode;
    rules.step1Lines = step1;
    rules.startLines = start;
    rules.endLines = end;
    rules.hideWhileExtracting = true;
    rules.showInfo = false;
    return rules;
}

/// The UTF-8 lines as Shift-JIS.
inline std::vector<std::string> SjisLines(const std::vector<std::string>& utf8Lines) {
    std::vector<std::string> lines;
    for (const std::string& line : utf8Lines)
        lines.push_back(Sjis(line));
    return lines;
}

} // namespace nelvix::test
