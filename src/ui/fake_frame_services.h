// Scripted dialogs and windows of the main frame's commands for tests: queued answers, and a
// record of what each was asked.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/frame_services.h"

namespace nelvix::ui {

class FakeGlobalFindDialog final : public GlobalFindDialog {
public:
    struct Asked {
        GlobalFindValues initial;
        std::vector<std::string> patternHistory;
        std::vector<std::string> specHistory;
    };
    std::optional<GlobalFindValues> Ask(const GlobalFindValues& initial,
                                        const std::vector<std::string>& patternHistory,
                                        const std::vector<std::string>& specHistory) override;
    /// Answers given in order; a cancel once they run out.
    std::deque<std::optional<GlobalFindValues>> answers;
    std::vector<Asked> asked;
};

class FakeProgressWindow final : public ProgressWindow {
public:
    void OpenGroups(std::string_view caption, const std::vector<std::string>& labels,
                    const std::vector<ProgressGroup>& groups, std::string_view stopButton) override;
    void SetValue(std::size_t line, std::string_view text) override;
    bool StopRequested() override;
    void Close() override { open = false; }

    std::string caption;
    std::vector<std::string> labels;
    std::vector<ProgressGroup> groups;
    std::string stopButton;
    std::vector<std::string> values; ///< the last value of each line
    int opens = 0;
    int setValueCalls = 0;
    int stopChecks = 0;
    bool open = false;
    /// StopRequested answers true from this call on (1-based, counted since Open); never when 0.
    int stopAtCheck = 0;
    /// Called at each StopRequested, as events the person causes while a run goes on.
    std::function<void()> onStopCheck;
};

class FakeFontDialog final : public FontDialog {
public:
    std::optional<FontChoice> AskFixedPitchFont(const FontChoice& current) override;
    /// Answers given in order; a cancel once they run out.
    std::deque<std::optional<FontChoice>> answers;
    std::vector<FontChoice> asked;
};

class FakeHelpViewer final : public HelpViewer {
public:
    void ShowTopic(int helpId) override { topics.push_back(helpId); }
    std::vector<int> topics;
};

class FakeShellOpener final : public ShellOpener {
public:
    bool OpenWithShell(std::string_view sjisPath) override;
    std::vector<std::string> opened;
    bool result = true;
};

class FakeCountsDialog final : public CountsDialog {
public:
    void Show(const CountsReport& report) override { shown.push_back(report); }
    std::vector<CountsReport> shown;
};

/// All fakes together, and the FrameServices that refers to them.
struct FakeFrameServices {
    FakeGlobalFindDialog globalFindDialog;
    FakeProgressWindow progressWindow;
    FakeFontDialog fontDialog;
    FakeHelpViewer helpViewer;
    FakeShellOpener shellOpener;
    FakeCountsDialog countsDialog;
    FrameServices services{globalFindDialog, progressWindow, fontDialog,
                           helpViewer,       shellOpener,    countsDialog};

    FakeFrameServices() = default;
    FakeFrameServices(const FakeFrameServices&) = delete;
    FakeFrameServices& operator=(const FakeFrameServices&) = delete;
};

} // namespace nelvix::ui
