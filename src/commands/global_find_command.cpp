// The global find command: parameters, histories and options, the recording hand-over, the
// result document and the run with its progress window.
#include "commands/global_find_command.h"

#include "find/find_history.h"

#include <algorithm>
#include <optional>
#include <string>
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
#include "record/command_table.h"
#include "ui/messages.h"

namespace nelvix {
namespace {

/// The dialog checks its fields before it closes; fields that get past it anyway start no run.
bool AcceptableFields(const ui::GlobalFindValues& values) {
    return !values.pattern.empty() && values.pattern.size() <= kMaxPatternBytes &&
           !values.fileBox.empty();
}

std::string MostRecent(const std::vector<std::string>& history, std::string_view empty = {}) {
    return history.empty() ? std::string(empty) : history.front();
}

} // namespace

GlobalFindCommand::GlobalFindCommand(Application& application, FrameWindows& windows,
                                     PlacementState& placement, ui::FrameServices& services)
    : m_application(application), m_windows(windows), m_placement(placement), m_services(services) {
    m_lastValues.currentDirectory = WorkingDirectory();
}

ui::GlobalFindValues GlobalFindCommand::InitialValues() const {
    GlobalFindEngine& engine = m_application.FindEngine();
    const Settings& settings = m_application.GetSettings();
    ui::GlobalFindValues values;
    values.pattern = MostRecent(m_application.Histories().patterns);
    values.fileBox = MostRecent(m_application.Histories().specifications, kAllFilesSpec);
    values.currentDirectory = m_lastValues.currentDirectory;
    values.caseSensitive = engine.Options().caseSensitive;
    values.regularExpression = engine.Options().regularExpression;
    values.widthSensitive = engine.Options().widthSensitive;
    values.nonTextFiles = settings.findNoneTextFile;
    values.subdirectories = engine.SearchSubdirectories();
    values.record = settings.recordGlobalFindOperation;
    return values;
}

void GlobalFindCommand::Run() {
    // Events run during a search; the command given again then would search into a second
    // document under the same progress window.
    if (m_running) {
        m_application.Platform().beeper.Beep();
        return;
    }
    RunningScope running(m_running);
    if (!ui::CheckMemory(m_application.Platform(), kGlobalFindMemoryProbeBytes))
        return;
    const std::optional<Request> request =
        m_application.Recorder().IsReplaying() ? RequestFromRecord() : RequestFromDialog();
    if (!request)
        return;
    TakeOver(*request);
    m_windows.RefreshFindBox();
    m_windows.RepaintFrame();
    if (CKespoDoc* result = CreateResultDocument(m_windows, m_placement))
        Search(*result, request->parameters);
}

std::optional<GlobalFindCommand::Request> GlobalFindCommand::RequestFromDialog() {
    const SearchHistories& histories = m_application.Histories();
    std::optional<ui::GlobalFindValues> values = m_services.globalFindDialog.Ask(
        InitialValues(), histories.patterns, histories.specifications);
    if (!values)
        return std::nullopt;
    m_lastValues = *values;
    std::optional<std::string> specification =
        ResolveSearchSpecification(values->currentDirectory, values->fileBox);
    if (!specification || !AcceptableFields(*values)) {
        m_application.Platform().beeper.Beep();
        return std::nullopt;
    }
    Request request;
    request.parameters = {values->subdirectories, values->caseSensitive,
                          values->pattern,        std::move(*specification),
                          values->widthSensitive, values->regularExpression};
    request.nonTextFiles = values->nonTextFiles;
    request.record = values->record;
    return request;
}

std::optional<GlobalFindCommand::Request> GlobalFindCommand::RequestFromRecord() {
    std::optional<GlobalFindParameters> parameters =
        ParseGlobalFindRecord(m_application.Recorder().CurrentReplayRecord());
    if (!parameters) {
        m_application.Platform().beeper.Beep();
        return std::nullopt;
    }
    // The record holds no check boxes of its own: the settings stay as they are.
    const Settings& settings = m_application.GetSettings();
    return Request{std::move(*parameters), settings.findNoneTextFile,
                   settings.recordGlobalFindOperation};
}

void GlobalFindCommand::TakeOver(const Request& request) {
    const GlobalFindParameters& parameters = request.parameters;
    GlobalFindEngine& engine = m_application.FindEngine();
    AddToHistory(m_application.Histories().specifications, parameters.specification,
                 kPathBufferBytes);
    engine.Options().caseSensitive = parameters.caseSensitive;
    engine.Options().widthSensitive = parameters.widthSensitive;
    engine.Options().regularExpression = parameters.regularExpression;
    engine.SearchSubdirectories() = parameters.subdirectories;
    Settings& settings = m_application.GetSettings();
    settings.findNoneTextFile = request.nonTextFiles ? 1 : 0;
    settings.recordGlobalFindOperation = request.record ? 1 : 0;
    AddToHistory(m_application.Histories().patterns, parameters.pattern, kPatternBufferBytes);

    const std::vector<Byte> record = SerializeGlobalFindRecord(parameters);
    m_application.Recorder().RecordCommand(request.record, kCmdGlobalFind, record.data(),
                                           record.size());
}

void GlobalFindCommand::Search(CKespoDoc& result, const GlobalFindParameters& parameters) {
    SearchIntoResult(
        m_application, m_windows, m_services.progressWindow, result, ui::kMsgGlobalFindTitle,
        [this, &parameters](ResultDocumentSink& sink, GlobalFindProgress& progress) {
            m_application.RefreshFindEngineEnvironment();
            const Settings& settings = m_application.GetSettings();
            return RunGlobalFind(
                m_application.FindEngine(), parameters.specification, parameters.pattern,
                static_cast<std::size_t>(std::max(settings.subDirBufBytes, 0)), sink, progress);
        });
}

} // namespace nelvix
