// The HTML search command: the dialog, histories and options, the result
// document and the run with its progress window, and the counts at the end.
#include "commands/html_search_command.h"

#include "find/find_history.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "app/application.h"
#include "commands/command_scopes.h"
#include "commands/frame_windows.h"
#include "commands/global_find_checks.h"
#include "commands/global_find_progress.h"
#include "commands/result_document_sink.h"
#include "commands/result_search_run.h"
#include "fileset/search_specification.h"
#include "ui/messages.h"

namespace nelvix {
namespace {

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
    values.pattern = MostRecent(m_application.Histories().patterns);
    values.fileBox = MostRecent(m_application.Histories().specifications, kAllFilesSpec);
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
    // A file is searched only up to a NUL byte.
    TextFilesOnly textFilesOnly(m_application);
    if (!ProbeMemory(m_application.Platform()))
        return;
    HtmlSearchValues values;
    const std::optional<std::string> specification = AskSpecification(values);
    if (!specification)
        return;
    const SearchOptions saved = TakeOver(values, *specification);
    if (CKespoDoc* result = CreateResultDocument(m_windows, m_placement))
        Search(*result, values, *specification);
    else
        m_application.Platform().beeper.Beep();
    if (values.target != HtmlTarget::String)
        m_application.FindEngine().Options() = saved;
}

std::optional<std::string> HtmlSearchCommand::AskSpecification(HtmlSearchValues& values) {
    const SearchHistories& histories = m_application.Histories();
    std::optional<HtmlSearchValues> answer =
        m_dialog.Ask(InitialValues(), histories.patterns, histories.specifications);
    if (!answer)
        return std::nullopt;
    values = std::move(*answer);
    m_lastValues = values;
    std::optional<std::string> specification =
        ResolveSearchSpecification(values.currentDirectory, values.fileBox);
    if (!specification || !AcceptableFields(values)) {
        m_application.Platform().beeper.Beep();
        return std::nullopt;
    }
    return specification;
}

SearchOptions HtmlSearchCommand::TakeOver(const HtmlSearchValues& values,
                                          const std::string& specification) {
    GlobalFindEngine& engine = m_application.FindEngine();
    AddToHistory(m_application.Histories().specifications, specification, kPathBufferBytes);
    engine.SearchSubdirectories() = values.subdirectories;
    const SearchOptions saved = engine.Options();
    if (values.target == HtmlTarget::String) {
        AddToHistory(m_application.Histories().patterns, values.pattern, kPatternBufferBytes);
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

void HtmlSearchCommand::Search(CKespoDoc& result, const HtmlSearchValues& values,
                               const std::string& specification) {
    SearchIntoResult(
        m_application, m_windows, m_services.progressWindow, result, ui::kMsgHtmlSearchTitle,
        [&](ResultDocumentSink& sink, GlobalFindProgress& progress) {
            const Settings& settings = m_application.GetSettings();
            return RunHtmlSearch(m_application.FindEngine(), values.target, specification,
                                 values.pattern, ColumnsOf(settings),
                                 static_cast<std::size_t>(std::max(settings.subDirBufBytes, 0)),
                                 sink, progress);
        });
}

} // namespace nelvix
