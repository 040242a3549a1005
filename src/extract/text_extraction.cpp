// Line extraction of one text into a result: the steps, the output with its separators under the
// "行の抽出" progress window, and the counts dialog.
#include <string>

#include "base/cp932.h"
#include "extract/extraction_pass.h"
#include "ui/frame_services.h"
#include "ui/messages.h"

namespace nelvix {
namespace {

/// The output of one line extraction.
class TextOutput {
public:
    TextOutput(const ExtractionPass& pass, ExtractionText& source, ExtractionResult& result)
        : m_pass(pass), m_source(source), m_result(result),
          m_display(!pass.Rules().hideWhileExtracting), m_separator(pass.Rules().Separator()) {}

    /// Writes every line that survived; false when the output ended early. With `progress`, events
    /// run before each line and the person's stop or the program quitting ends it.
    bool Write(ui::ProgressWindow* progress, ui::EventPump& pump) {
        std::uint32_t separators = 0;
        for (const LineNumber line : m_pass.OutLines()) {
            if (progress != nullptr && (!pump.PumpEvents() || progress->StopRequested()))
                return false;
            if (m_pass.StartsBlock(line) && !WriteSeparator(++separators, m_pass.NumberedBlocks()))
                return false;
            const std::optional<std::string_view> text = m_source.Line(line);
            if (text && !text->empty() && !m_result.Append(*text, m_display))
                return false;
        }
        return true;
    }

private:
    bool WriteSeparator(std::uint32_t index, std::uint32_t total) {
        m_piece.assign(m_separator).append(FormatSeparatorLine(index, total));
        return m_result.Append(m_piece, m_display);
    }

    const ExtractionPass& m_pass;
    ExtractionText& m_source;
    ExtractionResult& m_result;
    const bool m_display;
    const std::string_view m_separator;
    std::string m_piece;
};

} // namespace

int ExtractionRuleSet::ExtractFromText(ExtractionText& source, ExtractionResult& result,
                                       ui::ProgressWindow& progress, ui::CountsDialog& counts) {
    RunScope scope(*this, source);
    ExtractionPass* pass = scope.Pass();
    if (pass == nullptr) {
        m_platform.beeper.Beep();
        return 0;
    }
    m_counts = {};
    if (!CheckPreconditions())
        return 0;
    if (source.LineCount() == 0) {
        m_platform.beeper.Beep();
        return 0;
    }
    if (!pass->Allocate(m_platform.memory)) {
        ui::ShowOutOfMemory(m_platform);
        return 0;
    }
    pass->Run(pass->Rules().addSeparator);
    m_counts = pass->Counts();
    if (m_counts.outCount == 0) {
        m_platform.beeper.Beep();
        return 0;
    }

    TextOutput output(*pass, source, result);
    const bool display = !pass->Rules().hideWhileExtracting;
    if (display)
        progress.Open(Sjis("行の抽出"), {Sjis("抽出中")}, Sjis("中断"));
    const bool finished = output.Write(display ? &progress : nullptr, m_platform.eventPump);
    if (display)
        progress.Close();
    else
        result.Refresh(false);
    if (finished && pass->Rules().showInfo)
        ShowLineExtractionCounts(pass->Rules(), pass->Counts(), counts);
    return 1;
}

} // namespace nelvix
