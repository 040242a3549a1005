// The application object: the settings record, the cabinet, the operation recorder and the
// documents of one run, with the start-up and exit orders that read and write them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/program_session.h"
#include "app/spin_library.h"
#include "extract/extraction_engine.h"
#include "extract/extraction_sheet.h"
#include "record/operation_recorder.h"
#include "search/global_find_engine.h"
#include "store/cabinet.h"
#include "store/data_file.h"
#include "store/search_histories.h"
#include "store/settings.h"
#include "store/settings_store.h"
#include "store/tool_entry.h"
#include "text/attribute_file.h"
#include "ui/main_frame_host.h"

namespace nelvix {

/// Where the run finds its files.
struct ApplicationPaths {
    std::string home;            ///< native program home
    std::string systemDirectory; ///< where a missing settings store and cabinet are copied from
    std::string spinLibrary = kSpinLibraryName;
};

enum class StartResult {
    Running, ///< the frame is up; run the event loop
    Ending,  ///< a user tool ran with the exit flag: the frame's close is on its way
    Failed,  ///< the start-up failed; the exit order has run and the program ends
};

class Application {
public:
    Application(ui::Platform& platform, ApplicationPaths paths);
    /// Runs the exit order when it has not run yet.
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    /// The start-up order over the command line's text (Shift-JIS).
    StartResult Start(ui::MainFrameHost& frame, std::string_view sjisCommandLine);
    /// The close steps of the main frame: stores its placement (flags 2 when maximised) and
    /// saves the cabinet with the open documents.
    void CloseFrame(ui::WindowPlacement placement, bool maximized,
                    const std::vector<CabinetDocument>& documents);
    /// The exit order: settings, recent files, the data file, the work file, the spin library.
    /// Runs once.
    void Exit();

    /// Runs user tool `slot` (1..5) as its menu command does.
    void RunUserTool(CommandDispatcher& dispatcher, int slot);
    /// Puts a path at the top of the recent-file list.
    void AddRecentFile(std::string_view sjisPath);

    ui::Platform& Platform() { return m_platform; }
    Settings& GetSettings() { return m_settings; }
    Cabinet& GetCabinet() { return m_cabinet; }
    const std::string& CabinetFile() const { return m_cabinetPath; }
    OperationRecorder& Recorder() { return m_recorder; }
    /// The global find engine with its options; FindEngineEnvironment() takes the settings it
    /// reads afresh.
    GlobalFindEngine& FindEngine() { return m_findEngine; }
    /// The find and file boxes' histories, saved with the data file.
    SearchHistories& Histories() { return m_histories; }
    /// Copies "CodeDecision", "MultiText", "FindNoneTextFile" and the work file into the
    /// engine's environment; every run calls it first.
    void RefreshFindEngineEnvironment();
    /// The extraction rule set of the program, with the working state of a run.
    ExtractionRuleSet& Extraction() { return m_extraction; }
    ExtractionFileHistory& ExtractionFiles() { return m_extractionFiles; }
    std::vector<ToolEntry>& Editors() { return m_editors; }
    std::vector<ToolEntry>& Browsers() { return m_browsers; }
    /// The data file's contents from the engines' current state, and back.
    DataFileContents GatherDataFile();
    void TakeDataFile(const DataFileContents& contents);
    /// Writes the data file of the program home; false after its message.
    bool SaveDataFile();
    /// The native path of the data file.
    const std::string& DataFile() const { return m_dataFilePath; }
    DocumentList& Documents() { return m_session.Documents(); }
    /// What every document is made with: its format copy, the work file, the window-bar hook.
    DocumentEnvironment& DocumentsEnvironment() { return m_session.Environment(); }
    const SpinLibrary& Spin() const { return m_spin; }
    const std::vector<std::string>& RecentFiles() const { return m_recentFiles; }
    const SettingsStore& Store() const { return m_store; }
    /// Native path of this run's work file; empty when there is none.
    const std::string& WorkFile() const { return m_session.WorkFile(); }

private:
    void LoadStoredState();
    void OpenStartFile(ui::MainFrameHost& frame, const std::string& sjisPath, bool cabinetOpened);

    ui::Platform& m_platform;
    ApplicationPaths m_paths;
    SettingsStore m_store;
    Settings m_settings;
    Cabinet m_cabinet;
    std::string m_cabinetPath;
    AttributeFiles m_attributeFiles;
    ProgramSession m_session;
    OperationRecorder m_recorder;
    SpinLibrary m_spin;
    EngineEnvironment m_engineEnvironment;
    GlobalFindEngine m_findEngine;
    SearchHistories m_histories;
    ExtractionRuleSet m_extraction;
    ExtractionFileHistory m_extractionFiles;
    std::vector<ToolEntry> m_editors;
    std::vector<ToolEntry> m_browsers;
    std::string m_dataFilePath;
    std::vector<std::string> m_recentFiles;
    bool m_exited = false;
};

/// How the frame is first shown: a stored placement in its own show state (unless the program
/// was started in another state than normal), else maximised from a normal start.
struct FrameShowPlan {
    std::optional<ui::WindowPlacement> placement;
    std::uint32_t showState = ui::kShowMaximized;
};
FrameShowPlan PlanFrameShow(const std::optional<ui::WindowPlacement>& stored,
                            std::uint32_t startShowState);

} // namespace nelvix
