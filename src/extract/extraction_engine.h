// The extraction engine: step 1 over single lines, step 2 over blocks of lines, and the output
// of the surviving lines into a result document, for one document (line extraction) or one
// file at a time (global extraction).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "extract/extraction_rules.h"

namespace nelvix::ui {
struct Platform;
class ProgressWindow;
class CountsDialog;
} // namespace nelvix::ui

namespace nelvix {

class GlobalFindEngine;

/// The scratch buffer for one output line of global extraction.
inline constexpr std::size_t kOutputLineBytes = 30'721;
/// A header (tag) line is at most this long.
inline constexpr std::size_t kHeaderLineBytes = 512;

/// The lines the engine reads: a document's text, or a file through the windowed line access.
class ExtractionText {
public:
    virtual ~ExtractionText() = default;
    virtual std::size_t LineCount() const = 0;
    /// The line's bytes with its line end as stored; nothing when the line cannot be had (a
    /// file line longer than the window): such a line never matches.
    virtual std::optional<std::string_view> Line(std::size_t line) = 0;
};

/// Where the result goes: a result document, or the command line's output.
class ExtractionResult {
public:
    virtual ~ExtractionResult() = default;
    /// Appends a piece of text (whole lines); `display` shows it at once, else it is appended
    /// silently until Refresh. False when the result can take nothing more (it was closed, or
    /// its text limit was reached): the run stops.
    virtual bool Append(std::string_view sjisPiece, bool display) = 0;
    /// Whether one more line of `lineBytes` keeps the result below nine tenths of its line and
    /// byte limits.
    virtual bool Fits(std::size_t lineBytes) const = 0;
    /// Shows what was appended silently; `scrollToEnd` also brings the last line into view.
    virtual void Refresh(bool scrollToEnd) = 0;
};

/// The progress window of a global extraction as the engine drives it.
class GlobalExtractionProgress {
public:
    virtual ~GlobalExtractionProgress() = default;
    virtual void ShowFileName(std::string_view sjisName) = 0;
    /// After each file: the step-1 matches and step-2 blocks of that file.
    virtual void AddCounts(std::uint32_t step1Matches, std::uint32_t step2Blocks) = 0;
    /// True once the person pressed "中断".
    virtual bool StopRequested() = 0;
};

/// The counts of the last run, kept for the counts dialogs.
struct ExtractionCounts {
    std::uint32_t sourceLineCount = 0;
    std::uint32_t step1Count = 0;      ///< lines kept by step 1
    std::uint32_t step1MatchCount = 0; ///< lines that matched a step-1 string
    std::uint32_t outCount = 0;        ///< lines written
    std::uint32_t step2BlockCount = 0;
};

/// The counts of a whole global extraction.
struct GlobalExtractionCounts {
    std::uint32_t filesProcessed = 0;
    std::uint32_t step1Matches = 0;
    std::uint32_t step2Blocks = 0;
    bool subdirectoryOverflow = false; ///< "ディレクトリ数が多すぎて..." is due: memory ran out
    bool stopped = false;              ///< a file asked the whole run to stop
    bool unusableSpecification = false;
};

/// "   %d/%d" or, with a running number, "   %d/%d   %d", followed by CR LF.
std::string FormatSeparatorLine(std::uint32_t blockIndex, std::uint32_t blockTotal,
                                std::optional<std::uint32_t> runningNumber = std::nullopt);
/// Decimal with a comma before every group of three digits from the right: 1,234,567.
std::string FormatCount(std::uint64_t n);
/// A line for the result: NUL becomes a blank, a CR without LF is dropped, a CR LF pair stays,
/// a lead byte keeps its trail byte, a lead byte or CR as the very last byte is dropped.
/// Writes into `out` (cleared first); at most kOutputLineBytes - 1 bytes are written.
void SanitizeOutputLine(std::string_view line, std::string& out);

/// The one rule set of the program with the working state of a run.
class ExtractionRuleSet {
public:
    explicit ExtractionRuleSet(ui::Platform& platform);
    ~ExtractionRuleSet();
    ExtractionRuleSet(const ExtractionRuleSet&) = delete;
    ExtractionRuleSet& operator=(const ExtractionRuleSet&) = delete;

    ExtractionRules& Rules() { return m_rules; }
    const ExtractionRules& Rules() const { return m_rules; }
    const ExtractionCounts& Counts() const { return m_counts; }

    /// Line extraction of one text: 1 done, 0 nothing done (after a beep, or after
    /// "メモリ不足です。"). Shows the "行の抽出" progress window unless the result is appended
    /// silently, and the counts dialog when showInfo is on and the person did not stop.
    int ExtractFromText(ExtractionText& source, ExtractionResult& result,
                        ui::ProgressWindow& progress, ui::CountsDialog& counts);
    /// Global extraction of one file into the shared result: 1 go on with the next file, 0 stop
    /// the whole run. `blocksBefore` is the number of blocks written for earlier files of the
    /// run and grows by this file's.
    int ExtractFromFile(GlobalFindEngine& engine, std::string_view sjisPath,
                        ExtractionResult& result, GlobalExtractionProgress& progress,
                        std::uint32_t& blocksBefore);
    /// Whether the run mode's preconditions hold.
    bool PreconditionsHold() const;
    /// PreconditionsHold, with a beep when they fail.
    bool CheckPreconditions();

private:
    struct Work;
    class RunScope;
    ui::Platform& m_platform;
    ExtractionRules m_rules;
    ExtractionCounts m_counts;
    std::unique_ptr<Work> m_work;
};

/// The counts dialog of a line extraction: the counts of the last run under "ｽﾃｯﾌﾟ1" and
/// "ｽﾃｯﾌﾟ2".
void ShowLineExtractionCounts(const ExtractionRules& rules, const ExtractionCounts& counts,
                              ui::CountsDialog& dialog);

/// Extracts every file of `sjisSpecification` and, with `subdirectories`, of every directory
/// below it (listed in a list whose first allocation is `subdirBufferBytes`) into `result`. Stops
/// at once when the preconditions fail (after a beep) or a file asks to stop.
GlobalExtractionCounts RunGlobalExtraction(ExtractionRuleSet& ruleSet, GlobalFindEngine& engine,
                                           std::string_view sjisSpecification, bool subdirectories,
                                           std::size_t subdirBufferBytes, ExtractionResult& result,
                                           GlobalExtractionProgress& progress);

} // namespace nelvix
