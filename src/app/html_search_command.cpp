// The HTML search command: the dialog, histories and options, the result
// document and the run with its progress window, and the counts at the end.
#include "app/html_search_command.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "app/application.h"
#include "app/document_placement.h"
#include "app/file_specification.h"
#include "app/frame_windows.h"
#include "app/global_find_progress.h"
#include "app/result_document_sink.h"
#include "text/kespo_doc.h"
#include "ui/message_table.h"
#include "ui/messages.h"

namespace nelvix {
namespace {

inline constexpr char kAllFilesBytes[] = "*.*";
inline constexpr std::string_view kAllFiles{kAllFilesBytes, sizeof kAllFilesBytes - 1};

/// Titles and links are found without the matcher; for their runs its options
/// are set to those of a tag search all the same, and put back afterwards.
constexpr SearchOptions kTagSearchOptions{
    .caseSensitive = false, .widthSensitive = true, .regularExpression = false};

std::string MostRecent(const std::vector<std::string>& history, std::string_view empty = {}) {
    return history.empty() ? std::string(empty) : history.front();
}

/// The dialog checks its fields before it closes; fields that get past it
/// anyway start no run.
bool AcceptableFields(const HtmlSearchValues& values) {
    return CheckHtmlSearchValues(values).ok;
}

/// The command marked as running for as long as it lives.
struct RunningScope {
    explicit RunningScope(bool& running) : m_running(running) { m_running = true; }
    ~RunningScope() { m_running = false; }
    RunningScope(const RunningScope&) = delete;
    RunningScope& operator=(const RunningScope&) = delete;
    bool& m_running;
};

/// "FindNoneTextFile" is 0 for the whole command, so that a file is searched
/// only up to a NUL byte; the setting comes back when the command ends.
class TextFilesOnly {
public:
    explicit TextFilesOnly(Application& application)
        : m_application(application), m_saved(application.GetSettings().findNoneTextFile) {
        m_application.GetSettings().findNoneTextFile = 0;
        m_application.RefreshFindEngineEnvironment();
    }
    ~TextFilesOnly() {
        m_application.GetSettings().findNoneTextFile = m_saved;
        m_application.RefreshFindEngineEnvironment();
    }
    TextFilesOnly(const TextFilesOnly&) = delete;
    TextFilesOnly& operator=(const TextFilesOnly&) = delete;

private:
    Application& m_application;
    int m_saved;
};

/// The memory probe: "メモリ不足です。" when the block cannot be had.
bool ProbeMemory(ui::Platform& platform) {
    void* block = platform.memory.Allocate(kHtmlSearchMemoryProbeBytes);
    if (block == nullptr) {
        ui::ShowMessage(platform, ui::kMsgShortOfMemory);
        return false;
    }
    std::free(block);
    return true;
}

HtmlColumns ColumnsOf(const Settings& settings) {
    return {settings.titleViewLength, settings.linkViewLength, settings.linkJumpViewLength};
}

} // namespace

HtmlSearchCommand::HtmlSearchCommand(Application& application, FrameWindows& windows,
                                     PlacementState& placement, ui::FrameServices& services,
                                     HtmlSearchDialog& dialog)
    : m_application(application), m_windows(windows), m_placement(placement), m_services(services),
      m_dialog(dialog) {
    m_lastValues.currentDirectory = WorkingDirectory();
}

HtmlSearchValues HtmlSearchCommand::InitialValues() const {
    GlobalFindEngine& engine = m_application.FindEngine();
    HtmlSearchValues values;
    values.pattern = MostRecent(engine.PatternHistory());
    values.fileBox = MostRecent(engine.SpecHistory(), kAllFiles);
    values.currentDirectory = m_lastValues.currentDirectory;
    values.caseSensitive = engine.Options().caseSensitive;
    values.regularExpression = engine.Options().regularExpression;
    values.widthSensitive = engine.Options().widthSensitive;
    values.subdirectories = engine.SearchSubdirectories();
    values.target = m_lastValues.target;
    return values;
}

void HtmlSearchCommand::Run() {
    // Events run during a search; the command given again then would search into
    // a second document under the same progress window.
    if (m_running) {
        m_application.Platform().beeper.Beep();
        return;
    }
    RunningScope running(m_running);
    TextFilesOnly textFilesOnly(m_application);
    if (!ProbeMemory(m_application.Platform()))
        return;
    HtmlSearchValues values;
    const std::optional<std::string> specification = AskSpecification(values);
    if (!specification)
        return;
    const SearchOptions saved = TakeOver(values, *specification);
    if (CKespoDoc* result = CreateResultDocument())
        Search(*result, values, *specification);
    else
        m_application.Platform().beeper.Beep();
    if (values.target != HtmlTarget::String)
        m_application.FindEngine().Options() = saved;
}

std::optional<std::string> HtmlSearchCommand::AskSpecification(HtmlSearchValues& values) {
    GlobalFindEngine& engine = m_application.FindEngine();
    std::optional<HtmlSearchValues> answer =
        m_dialog.Ask(InitialValues(), engine.PatternHistory(), engine.SpecHistory());
    if (!answer)
        return std::nullopt;
    values = std::move(*answer);
    m_lastValues = values;
    std::optional<std::string> specification =
        ResolveFileSpecification(values.currentDirectory, values.fileBox);
    if (!specification || !AcceptableFields(values)) {
        m_application.Platform().beeper.Beep();
        return std::nullopt;
    }
    return specification;
}

SearchOptions HtmlSearchCommand::TakeOver(const HtmlSearchValues& values,
                                          const std::string& specification) {
    GlobalFindEngine& engine = m_application.FindEngine();
    GlobalFindEngine::AddToHistory(engine.SpecHistory(), specification, kSpecHistoryBytes);
    engine.SearchSubdirectories() = values.subdirectories;
    const SearchOptions saved = engine.Options();
    if (values.target == HtmlTarget::String) {
        GlobalFindEngine::AddToHistory(engine.PatternHistory(), values.pattern,
                                       kPatternHistoryBytes);
        engine.Options().caseSensitive = values.caseSensitive;
        engine.Options().widthSensitive = values.widthSensitive;
        engine.Options().regularExpression = values.regularExpression;
        // The toolbar's find box lists the pattern history, which has just changed.
        m_windows.RefreshFindBox();
    } else {
        engine.Options().caseSensitive = kTagSearchOptions.caseSensitive;
        engine.Options().widthSensitive = kTagSearchOptions.widthSensitive;
        engine.Options().regularExpression = kTagSearchOptions.regularExpression;
    }
    return saved;
}

CKespoDoc* HtmlSearchCommand::CreateResultDocument() {
    CKespoDoc* result = nullptr;
    {
        RunPlacement placement(m_placement);
        result = m_windows.CreateUntitledDocument();
    }
    if (result != nullptr)
        result->UpdateAllViews(UpdateHint::ResultAboutToFill);
    return result;
}

void HtmlSearchCommand::Search(CKespoDoc& result, const HtmlSearchValues& values,
                               const std::string& specification) {
    GlobalFindProgress progress(m_services.progressWindow);
    progress.Open(ui::MessageText(ui::kMsgHtmlSearchTitle));
    ResultDocumentSink sink(result, m_application.Documents());
    const Settings& settings = m_application.GetSettings();
    const GlobalFindCounts counts = RunHtmlSearch(
        m_application.FindEngine(), values.target, specification, values.pattern,
        ColumnsOf(settings), static_cast<std::size_t>(std::max(settings.subDirBufBytes, 0)), sink,
        progress);
    if (counts.subdirectoryOverflow)
        ui::ShowMessage(m_application.Platform(), ui::kMsgTooManyDirectories);
    if (counts.hits == 0 && sink.DocumentOpen())
        m_windows.CloseDocument(result);
    progress.Close();
    if (settings.displayGlobalFindResult != 0)
        ShowCounts(counts.filesSearched, counts.hits);
}

void HtmlSearchCommand::ShowCounts(std::uint32_t filesSearched, std::uint32_t hits) {
    ui::MessageRequest request;
    request.id = ui::kMsgGlobalFindCounts;
    request.text = ui::FormatMessage(ui::MessageText(ui::kMsgGlobalFindCounts),
                                     {std::to_string(filesSearched), std::to_string(hits)});
    request.caption = ui::MessageText(ui::kMsgHtmlSearchTitle);
    request.style = {ui::MessageButtons::Ok, ui::MessageIcon::None, false};
    m_application.Platform().messageBox.Show(request);
}

} // namespace nelvix
