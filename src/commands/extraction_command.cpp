// The extraction commands: parameters from the sheet or the replay record, recording, the data
// file, the clipboard, the result document and the run.
#include "commands/extraction_command.h"

#include <algorithm>

#include "app/application.h"
#include "commands/command_scopes.h"
#include "commands/document_placement.h"
#include "commands/extraction_document.h"
#include "commands/frame_windows.h"
#include "commands/global_extraction_progress.h"
#include "commands/global_find_checks.h"
#include "fileset/file_set.h"
#include "fileset/search_specification.h"
#include "record/command_table.h"
#include "store/extraction_record.h"
#include "text/text_document.h"
#include "ui/message_table.h"
#include "ui/messages.h"
#include "view/text_window.h"

namespace nelvix {

ExtractionCommand::ExtractionCommand(Application& application, FrameWindows& windows,
                                     PlacementState& placement, ui::FrameServices& services,
                                     ExtractionSheet& sheet)
    : m_application(application), m_windows(windows), m_placement(placement), m_services(services),
      m_sheet(sheet) {}

std::string ExtractionCommand::InitialPattern() const {
    const std::vector<std::string>& history = m_application.ExtractionFiles().patterns;
    if (!history.empty())
        return history.front();
    const std::string directory = WorkingDirectory();
    if (directory.size() >= kMaxPatternDirectoryBytes)
        return std::string(kAllFilesSpec);
    return directory + std::string(kAllFilesSpec);
}

ExtractionSheetValues ExtractionCommand::SheetValues(std::string pattern) const {
    ExtractionSheetValues values;
    values.rules = m_application.Extraction().Rules();
    values.recordOperation = m_application.GetSettings().recordExtractOperation;
    values.copyToClipboard = m_application.GetSettings().copyToClipboardAfterExtract;
    values.filePattern = std::move(pattern);
    values.subdirectories = m_application.ExtractionFiles().subdirectories;
    return values;
}

std::optional<ExtractionSheetValues> ExtractionCommand::AskSheet(ExtractionSheetKind kind,
                                                                 std::string pattern) {
    if (kind == ExtractionSheetKind::Line && m_page > kExtStep2Page)
        m_page = kExtSetPage;
    const auto apply = [this, kind](const ExtractionSheetValues& values) {
        TakeOver(values, kind);
        m_application.SaveDataFile();
    };
    std::optional<ExtractionSheetValues> values =
        m_sheet.Ask(kind, SheetValues(std::move(pattern)), m_application.ExtractionFiles().patterns,
                    m_page, apply);
    if (values)
        TakeOver(*values, kind);
    return values;
}

void ExtractionCommand::TakeOver(const ExtractionSheetValues& values, ExtractionSheetKind kind) {
    m_application.Extraction().Rules() = values.rules;
    Settings& settings = m_application.GetSettings();
    settings.recordExtractOperation = values.recordOperation ? 1 : 0;
    settings.copyToClipboardAfterExtract = values.copyToClipboard ? 1 : 0;
    if (kind != ExtractionSheetKind::Global)
        return;
    m_application.ExtractionFiles().subdirectories = values.subdirectories;
    PutPatternFirst(values.filePattern);
}

void ExtractionCommand::PutPatternFirst(const std::string& pattern) {
    std::vector<std::string>& history = m_application.ExtractionFiles().patterns;
    std::erase(history, pattern);
    history.insert(history.begin(), pattern);
    if (history.size() > kExtractionHistoryEntries)
        history.resize(kExtractionHistoryEntries);
}

void ExtractionCommand::Record(int commandId, const std::vector<Byte>& record) {
    m_application.Recorder().RecordCommand(m_application.GetSettings().recordExtractOperation,
                                           commandId, record.data(), record.size());
}

void ExtractionCommand::PrepareRun() {
    m_application.SaveDataFile();
    if (m_application.GetSettings().copyToClipboardAfterExtract)
        m_application.Platform().clipboard.Empty();
}

void ExtractionCommand::RunLineExtraction() {
    if (m_running) {
        m_application.Platform().beeper.Beep();
        return;
    }
    RunningScope running(m_running);
    if (m_application.Recorder().IsReplaying()) {
        std::optional<ExtractionRules> rules =
            ParseLineExtractionRecord(m_application.Recorder().CurrentReplayRecord());
        if (!rules) {
            m_application.Platform().beeper.Beep();
            return;
        }
        m_application.Extraction().Rules() = *rules;
    } else if (!AskSheet(ExtractionSheetKind::Line, {})) {
        return;
    }
    Record(kCmdLineExtraction, SerializeLineExtractionRecord(m_application.Extraction().Rules()));
    PrepareRun();

    CKespoEV* active = m_windows.ActiveTextWindow();
    CKespoDoc* result = active != nullptr ? m_windows.CreateUntitledDocument() : nullptr;
    if (result == nullptr) {
        m_application.Platform().beeper.Beep();
        return;
    }
    ExtractText(active->Document(), *result);
}

void ExtractionCommand::ExtractText(CKespoDoc& source, CKespoDoc& result) {
    result.UpdateAllViews(UpdateHint::ResultAboutToFill);
    DocumentLines lines(source);
    DocumentResult output(result, m_application.Documents(), [this](CKespoDoc& document) {
        return m_windows.FirstTextWindow(document);
    });
    const int done = m_application.Extraction().ExtractFromText(
        lines, output, m_services.progressWindow, m_services.countsDialog);
    if (!output.DocumentOpen())
        return;
    if (done == 0) {
        m_windows.CloseDocument(result);
        return;
    }
    if (m_application.GetSettings().copyToClipboardAfterExtract && result.TextLength() > 0)
        CopyToClipboard(result);
}

void ExtractionCommand::CopyToClipboard(CKespoDoc& result) {
    if (CKespoEV* window = m_windows.FirstTextWindow(result)) {
        window->SelectAll();
        window->Copy();
    }
}

void ExtractionCommand::RunGlobalExtraction() {
    if (m_running) {
        m_application.Platform().beeper.Beep();
        return;
    }
    RunningScope running(m_running);
    if (!ui::CheckMemory(m_application.Platform(), kGlobalExtractionMemoryProbeBytes))
        return;
    ExtractionFileHistory& files = m_application.ExtractionFiles();
    if (m_application.Recorder().IsReplaying()) {
        std::optional<ExtractionParameters> parameters =
            ParseGlobalExtractionRecord(m_application.Recorder().CurrentReplayRecord());
        if (!parameters) {
            m_application.Platform().beeper.Beep();
            return;
        }
        m_application.Extraction().Rules() = parameters->rules;
        files.subdirectories = parameters->subdirectories;
        PutPatternFirst(parameters->pattern);
    } else if (!AskSheet(ExtractionSheetKind::Global, InitialPattern())) {
        return;
    }
    const std::string pattern = files.patterns.empty() ? std::string() : files.patterns.front();
    Record(kCmdGlobalExtraction,
           SerializeGlobalExtractionRecord(
               {m_application.Extraction().Rules(), files.subdirectories, pattern}));
    PrepareRun();

    CKespoDoc* result = nullptr;
    {
        RunPlacement placement(m_placement);
        result = m_windows.CreateUntitledDocument();
    }
    if (result == nullptr) {
        m_application.Platform().beeper.Beep();
        return;
    }
    const std::optional<std::string> specification =
        ResolveSearchSpecification(WorkingDirectory(), pattern);
    if (!specification || SpecificationPatterns(*specification).empty()) {
        m_windows.CloseDocument(*result);
        m_application.Platform().beeper.Beep();
        return;
    }
    ExtractFiles(*result, *specification, files.subdirectories);
}

void ExtractionCommand::ExtractFiles(CKespoDoc& result, const std::string& specification,
                                     bool subdirectories) {
    result.UpdateAllViews(UpdateHint::ResultAboutToFill);
    const ExtractionRules& rules = m_application.Extraction().Rules();
    const Settings& settings = m_application.GetSettings();
    DocumentResult output(result, m_application.Documents(), [this](CKespoDoc& document) {
        return m_windows.FirstTextWindow(document);
    });
    GlobalExtractionProgressWindow progress(m_services.progressWindow, rules);
    GlobalExtractionCounts counts;
    {
        // A file's lines are indexed over its bytes as they are.
        TextFilesOnly textFiles(m_application);
        progress.Open();
        counts = nelvix::RunGlobalExtraction(
            m_application.Extraction(), m_application.FindEngine(), specification, subdirectories,
            static_cast<std::size_t>(std::max(settings.subDirBufBytes, 0)), output, progress);
    }
    if (counts.unusableSpecification)
        m_application.Platform().beeper.Beep();
    if (counts.subdirectoryOverflow)
        ui::ShowMessage(m_application.Platform(), ui::kMsgTooManyDirectories);
    if (rules.hideWhileExtracting)
        output.Refresh(true);
    progress.Close();
    if (!output.DocumentOpen())
        return;
    if (result.TextLength() == 0) {
        m_windows.CloseDocument(result);
    } else if (!counts.stopped && settings.copyToClipboardAfterExtract) {
        CopyToClipboard(result);
    }
    if (!counts.stopped && settings.displayGlobalFindResult)
        m_services.countsDialog.Show(GlobalExtractionSummary(
            rules, counts.filesProcessed, counts.step1Matches, counts.step2Blocks));
}

} // namespace nelvix
