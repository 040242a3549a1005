// The progress window and the summary of a global extraction.
#include "commands/global_extraction_progress.h"

#include <string>
#include <vector>

#include "base/cp932.h"

namespace nelvix {
namespace {

constexpr std::size_t kFileLine = 0;
constexpr std::size_t kStep1FirstLine = 1;
constexpr std::size_t kStep2FirstLine = 3;
constexpr std::size_t kLinesPerStep = 2;

const std::string& DeletedLabel() {
    static const std::string label = Sjis("削除ﾌﾞﾛｯｸ数");
    return label;
}
const std::string& ExtractedLabel() {
    static const std::string label = Sjis("抽出ﾌﾞﾛｯｸ数");
    return label;
}

ui::CountGroup StepGroup(std::string_view utf8Title, bool deletes, std::uint32_t count) {
    const StepColumns columns = ColumnsOf(deletes, count);
    return {Sjis(utf8Title),
            {{DeletedLabel(), columns.deleted}, {ExtractedLabel(), columns.extracted}}};
}

} // namespace

StepColumns ColumnsOf(bool deletes, std::uint32_t count) {
    if (deletes)
        return {FormatCount(count), {}};
    return {{}, FormatCount(count)};
}

GlobalExtractionProgressWindow::GlobalExtractionProgressWindow(ui::ProgressWindow& window,
                                                               const ExtractionRules& rules)
    : m_window(window), m_step1Deletes(rules.step1Process == Step1Process::Delete),
      m_step2Deletes(rules.step2Process == Step2Process::Delete) {}

void GlobalExtractionProgressWindow::Open() {
    const std::vector<std::string> labels{Sjis("抽出中 : "), DeletedLabel(), ExtractedLabel(),
                                          DeletedLabel(), ExtractedLabel()};
    const std::vector<ui::ProgressGroup> groups{{Sjis("ｽﾃｯﾌﾟ1"), kStep1FirstLine, kLinesPerStep},
                                                {Sjis("ｽﾃｯﾌﾟ2"), kStep2FirstLine, kLinesPerStep}};
    m_window.OpenGroups(Sjis("グローバル抽出"), labels, groups, Sjis("中断"));
    m_step1 = 0;
    m_step2 = 0;
    ShowCounts();
}

void GlobalExtractionProgressWindow::ShowFileName(std::string_view sjisName) {
    m_window.SetValue(kFileLine, sjisName);
}

void GlobalExtractionProgressWindow::AddCounts(std::uint32_t step1Matches,
                                               std::uint32_t step2Blocks) {
    m_step1 += step1Matches;
    m_step2 += step2Blocks;
    ShowCounts();
}

void GlobalExtractionProgressWindow::ShowCounts() {
    const StepColumns step1 = ColumnsOf(m_step1Deletes, m_step1);
    const StepColumns step2 = ColumnsOf(m_step2Deletes, m_step2);
    m_window.SetValue(kStep1FirstLine, step1.deleted);
    m_window.SetValue(kStep1FirstLine + 1, step1.extracted);
    m_window.SetValue(kStep2FirstLine, step2.deleted);
    m_window.SetValue(kStep2FirstLine + 1, step2.extracted);
}

ui::CountsReport GlobalExtractionSummary(const ExtractionRules& rules, std::uint32_t files,
                                         std::uint32_t step1Matches, std::uint32_t step2Blocks) {
    ui::CountsReport report;
    report.caption = Sjis("グローバル抽出");
    report.lines.push_back({Sjis("検索したﾌｧｲﾙ数 : "), FormatCount(files)});
    report.groups.push_back(
        StepGroup("ｽﾃｯﾌﾟ1", rules.step1Process == Step1Process::Delete, step1Matches));
    report.groups.push_back(
        StepGroup("ｽﾃｯﾌﾟ2", rules.step2Process == Step2Process::Delete, step2Blocks));
    return report;
}

} // namespace nelvix
