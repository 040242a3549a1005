// The progress window of a global extraction: the file being read, and per step the blocks
// deleted or extracted so far.
#pragma once

#include <cstdint>
#include <string_view>

#include "extract/extraction_engine.h"
#include "ui/frame_services.h"

namespace nelvix {

/// "抽出中 : " with the file's name; the groups "ｽﾃｯﾌﾟ1" and "ｽﾃｯﾌﾟ2" with "削除ﾌﾞﾛｯｸ数" and
/// "抽出ﾌﾞﾛｯｸ数", of which only the column of the step's process counts (the other is blank).
class GlobalExtractionProgressWindow final : public GlobalExtractionProgress {
public:
    GlobalExtractionProgressWindow(ui::ProgressWindow& window, const ExtractionRules& rules);

    void Open();
    void Close() { m_window.Close(); }

    void ShowFileName(std::string_view sjisName) override;
    void AddCounts(std::uint32_t step1Matches, std::uint32_t step2Blocks) override;
    bool StopRequested() override { return m_window.StopRequested(); }

    std::uint32_t Step1Total() const { return m_step1; }
    std::uint32_t Step2Total() const { return m_step2; }

private:
    void ShowCounts();

    ui::ProgressWindow& m_window;
    bool m_step1Deletes;
    bool m_step2Deletes;
    std::uint32_t m_step1 = 0;
    std::uint32_t m_step2 = 0;
};

/// The four counters of a finished run as the summary dialog shows them: per step the delete
/// and extract columns, blank where the process is the other one.
struct StepColumns {
    std::string deleted;
    std::string extracted;
};
StepColumns ColumnsOf(bool deletes, std::uint32_t count);

/// The summary of a global extraction under the caption "グローバル抽出".
ui::CountsReport GlobalExtractionSummary(const ExtractionRules& rules, std::uint32_t files,
                                         std::uint32_t step1Matches, std::uint32_t step2Blocks);

} // namespace nelvix
