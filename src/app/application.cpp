// The start-up and exit orders of a run.
#include "app/application.h"

#include <algorithm>
#include <cstdio>

#include "app/command_line.h"
#include "record/command_table.h"
#include "search/search_workers.h"

#include "ui/messages.h"

namespace nelvix {

FrameShowPlan PlanFrameShow(const std::optional<ui::WindowPlacement>& stored,
                            std::uint32_t startShowState) {
    if (!stored)
        return {std::nullopt, startShowState == ui::kShowNormal ? std::uint32_t{ui::kShowMaximized}
                                                                : startShowState};
    ui::WindowPlacement placement = *stored;
    if (startShowState != ui::kShowNormal)
        placement.showState = startShowState;
    return {placement, placement.showState};
}

Application::Application(ui::Platform& platform, ApplicationPaths paths)
    : m_platform(platform), m_paths(std::move(paths)),
      m_store(SettingsStore::Locate(platform, m_paths.home, m_paths.systemDirectory)),
      m_cabinetPath(CabinetPath(m_paths.home)), m_session(platform, m_paths.home),
      m_recorder(platform, m_paths.home, m_settings.userTools),
      m_engineEnvironment{.platform = platform, .searchWorkers = SearchWorkersForThisMachine()},
      m_findEngine(m_engineEnvironment), m_extraction(platform),
      m_dataFilePath(DataFilePath(m_paths.home)) {
    m_session.Environment().attributes = &m_attributeFiles;
    m_session.Environment().addToRecentFiles = [this](std::string_view path) {
        AddRecentFile(path);
    };
}

Application::~Application() {
    Exit();
}

void Application::RefreshFindEngineEnvironment() {
    m_engineEnvironment.workFilePath = m_session.WorkFile();
    m_engineEnvironment.codeDecision = m_settings.codeDecision;
    m_engineEnvironment.multiText = m_settings.multiText;
    m_engineEnvironment.findNoneTextFile = m_settings.findNoneTextFile;
}

void Application::LoadStoredState() {
    m_store.Load(m_settings);
    m_session.Environment().codeDecision = m_settings.codeDecision;
    m_recorder.CheckUserTools();
    m_recentFiles = m_store.LoadRecentFiles();
    // Without a usable path the data file is neither read nor written; the defaults stay.
    DataFileContents contents = GatherDataFile();
    if (ReadDataFile(m_platform, m_dataFilePath, contents))
        TakeDataFile(contents);
}

StartResult Application::Start(ui::MainFrameHost& frame, std::string_view sjisCommandLine) {
    LoadStoredState();
    FrameShowPlan plan = PlanFrameShow(m_store.LoadWindowPlacement(), ui::kShowNormal);
    frame.CreateFrame(plan.placement, plan.showState);
    CommandLineRequest request = ParseCommandLine(sjisCommandLine);
    bool cabinetOpened = m_cabinet.OpenAtStart(m_platform, m_cabinetPath, m_paths.systemDirectory);
    m_session.Environment().format = m_cabinet.Format();
    OpenStartFile(frame, request.file, cabinetOpened);
    if (!m_spin.Load(m_paths.spinLibrary)) {
        ui::ShowMessage(m_platform, ui::kMsgSpinLibraryMissing,
                        {ui::MessageButtons::Ok, ui::MessageIcon::Stop});
        frame.DestroyFrame();
        Exit();
        return StartResult::Failed;
    }
    if (request.userTool >= 1 && request.userTool <= static_cast<int>(kUserToolSlots)) {
        frame.RunCommand(kCmdUserTool1 + request.userTool - 1);
        if (!request.exitAfterTool)
            return StartResult::Running;
        frame.Quit();
        return StartResult::Ending;
    }
    if (m_settings.invokeGlobalFind)
        frame.RunCommand(kCmdGlobalFind);
    return StartResult::Running;
}

void Application::OpenStartFile(ui::MainFrameHost& frame, const std::string& sjisPath,
                                bool cabinetOpened) {
    if (!sjisPath.empty())
        frame.OpenDocument(sjisPath);
    else if (cabinetOpened)
        return;
    if (frame.HasActiveDocument())
        frame.MaximizeActiveDocument();
}

void Application::CloseFrame(ui::WindowPlacement placement, bool maximized,
                             const std::vector<CabinetDocument>& documents) {
    placement.flags = maximized ? ui::kRestoreToMaximized : 0;
    m_store.SaveWindowPlacement(placement);
    m_cabinet.Save(m_platform, m_cabinetPath, documents);
}

void Application::Exit() {
    if (m_exited)
        return;
    m_exited = true;
    m_store.Save(m_settings);
    m_store.SaveRecentFiles(m_recentFiles);
    SaveDataFile();
    if (!m_session.WorkFile().empty())
        std::remove(m_session.WorkFile().c_str());
    m_spin.Unload();
}

void Application::RunUserTool(CommandDispatcher& dispatcher, int slot) {
    m_recorder.RunUserTool(dispatcher, slot);
}

void Application::AddRecentFile(std::string_view sjisPath) {
    if (sjisPath.empty())
        return;
    std::erase(m_recentFiles, std::string(sjisPath));
    m_recentFiles.insert(m_recentFiles.begin(), std::string(sjisPath));
    if (m_recentFiles.size() > static_cast<std::size_t>(kRecentFileCount))
        m_recentFiles.resize(kRecentFileCount);
}

} // namespace nelvix
