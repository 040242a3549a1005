// Global extraction of one file: its line index, the steps over its lines, and the output with
// header (tag) lines, numbered separators and the result's limits.
#include <string>

#include "extract/extraction_pass.h"
#include "search/global_find_engine.h"
#include "search/line_index_reader.h"
#include "search/result_line.h"
#include "ui/messages.h"
#include "ui/platform.h"

namespace nelvix {
namespace {

/// A file's lines through the reader's window. A line longer than the window cannot be had: it
/// never matches, and the output leaves it out (its header, if it has one, still names it).
class FileLines final : public ExtractionText {
public:
    explicit FileLines(ui::Platform& platform) : m_reader(platform) {}
    LineIndexResult Build(GlobalFindEngine& engine, std::string_view sjisPath) {
        return m_reader.Build(engine, sjisPath);
    }
    std::size_t LineCount() const override { return m_reader.LineCount(); }
    std::optional<std::string_view> Line(std::size_t line) override {
        return m_reader.LineText(line);
    }

private:
    LineIndexReader m_reader;
};

/// The output of one file into the run's shared result.
class FileOutput {
public:
    FileOutput(const ExtractionPass& pass, FileLines& lines, std::string_view sjisPath,
               ExtractionResult& result, ui::Platform& platform, std::uint32_t blocksBefore)
        : m_pass(pass), m_lines(lines), m_path(sjisPath), m_result(result), m_platform(platform),
          m_display(!pass.Rules().hideWhileExtracting), m_blocksBefore(blocksBefore) {
        m_line.reserve(kOutputLineBytes);
    }

    /// Writes every line that survived; false when the whole run must stop: the person's stop, the
    /// program quitting, or the result full.
    bool Write(GlobalExtractionProgress& progress) {
        bool first = true;
        for (const LineNumber line : m_pass.OutLines()) {
            if (!m_platform.eventPump.PumpEvents() || progress.StopRequested())
                return false;
            if (!WriteHead(line, first) || !WriteLine(line))
                return false;
            first = false;
        }
        return true;
    }
    std::uint32_t BlocksWritten() const { return m_blocks; }
    bool AppendedSilently() const { return m_appended && !m_display; }

private:
    /// The separator and header that go before a line, if any.
    bool WriteHead(LineNumber line, bool first) {
        const bool separators = m_pass.Rules().addSeparator;
        if (m_pass.StartsBlock(line)) {
            const std::uint32_t total = m_pass.NumberedBlocks();
            ++m_blocks;
            if (separators && !Append(SeparatorPiece(
                                  FormatSeparatorLine(m_blocks, total, m_blocksBefore + m_blocks))))
                return false;
            return WriteHeader(line);
        }
        if (!first)
            return true;
        if (separators && m_pass.NumberedBlocks() == 0 && !Append(SeparatorPiece("\r\n")))
            return false;
        return WriteHeader(line);
    }

    bool WriteHeader(LineNumber line) {
        static constexpr Byte kNoText = 0;
        BuildResultLine(m_piece, m_path, std::uint64_t{line} + 1,
                        QuotedMatch{&kNoText, 0, 0, 0, 0});
        return Append(m_piece);
    }

    bool WriteLine(LineNumber line) {
        const std::optional<std::string_view> text = m_lines.Line(line);
        if (!text)
            return true;
        SanitizeOutputLine(*text, m_line);
        if (m_line.empty())
            return true;
        if (!m_result.Fits(m_line.size())) {
            ui::ShowMessage(m_platform, ui::kMsgNearLimit);
            return false;
        }
        return Append(m_line);
    }

    const std::string& SeparatorPiece(std::string_view numbers) {
        m_piece.assign(m_pass.Rules().Separator()).append(numbers);
        return m_piece;
    }

    bool Append(std::string_view piece) {
        m_appended = true;
        return m_result.Append(piece, m_display);
    }

    const ExtractionPass& m_pass;
    FileLines& m_lines;
    const std::string_view m_path;
    ExtractionResult& m_result;
    ui::Platform& m_platform;
    const bool m_display;
    const std::uint32_t m_blocksBefore;
    std::uint32_t m_blocks = 0;
    bool m_appended = false;
    std::string m_piece;
    std::string m_line;
};

} // namespace

int ExtractionRuleSet::ExtractFromFile(GlobalFindEngine& engine, std::string_view sjisPath,
                                       ExtractionResult& result, GlobalExtractionProgress& progress,
                                       std::uint32_t& blocksBefore) {
    FileLines lines(m_platform);
    RunScope scope(*this, lines);
    ExtractionPass* pass = scope.Pass();
    if (pass == nullptr) {
        m_platform.beeper.Beep();
        return 0;
    }
    m_counts = {};
    if (!CheckPreconditions())
        return 0;
    switch (lines.Build(engine, sjisPath)) {
    case LineIndexResult::Ok:
        break;
    case LineIndexResult::OutOfMemory:
        ui::ShowOutOfMemory(m_platform);
        return 0;
    case LineIndexResult::Quit:
        return 0;
    default:
        m_platform.beeper.Beep();
        return 1;
    }
    if (lines.LineCount() == 0)
        return 1;
    if (!pass->Allocate(m_platform.memory)) {
        ui::ShowOutOfMemory(m_platform);
        return 0;
    }
    pass->Run(true);
    m_counts = pass->Counts();
    if (m_counts.outCount == 0)
        return 1;

    FileOutput output(*pass, lines, sjisPath, result, m_platform, blocksBefore);
    const bool finished = output.Write(progress);
    // The running number goes on from the blocks this file really numbered.
    blocksBefore += output.BlocksWritten();
    if (output.AppendedSilently())
        result.Refresh(true);
    return finished ? 1 : 0;
}

} // namespace nelvix
