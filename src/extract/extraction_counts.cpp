// The counts dialog of a line extraction.
#include "base/cp932.h"
#include "extract/extraction_engine.h"
#include "ui/frame_services.h"

namespace nelvix {
namespace {

/// The five values of one step: lines before, deleted, kept, and the blocks under the column of the
/// process that ran (the other column stays blank).
ui::CountGroup StepGroup(std::string_view utf8Title, std::uint32_t before, std::uint32_t after,
                         std::uint32_t blocks, bool extracted) {
    ui::CountGroup group;
    group.title = Sjis(utf8Title);
    group.lines = {
        {Sjis("元の行数"), FormatCount(before)},
        {Sjis("削除行数"), FormatCount(before >= after ? before - after : 0)},
        {Sjis("抽出行数"), FormatCount(after)},
        {Sjis("削除ﾌﾞﾛｯｸ数"), extracted ? std::string() : FormatCount(blocks)},
        {Sjis("抽出ﾌﾞﾛｯｸ数"), extracted ? FormatCount(blocks) : std::string()},
    };
    return group;
}

} // namespace

void ShowLineExtractionCounts(const ExtractionRules& rules, const ExtractionCounts& counts,
                              ui::CountsDialog& dialog) {
    ui::CountsReport report;
    report.caption = Sjis("行の抽出");
    report.groups.push_back(StepGroup("ｽﾃｯﾌﾟ1", counts.sourceLineCount, counts.step1Count,
                                      counts.step1MatchCount,
                                      rules.step1Process == Step1Process::Extract));
    report.groups.push_back(StepGroup("ｽﾃｯﾌﾟ2", counts.step1Count, counts.outCount,
                                      counts.step2BlockCount,
                                      rules.step2Process != Step2Process::Delete));
    dialog.Show(report);
}

} // namespace nelvix
