// The main frame's external tools: "ｴﾃﾞｨﾀ" (32820) and "ﾌﾞﾗｳｻﾞ" (32834) start the first entry
// of their list on the tag under the caret or on the active document, at its caret.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/tool_entry.h"
#include "tools/tool_parameters.h"
#include "ui/process_launcher.h"

namespace nelvix {

class Application;
class FrameWindows;

enum class ExternalTool { Editor, Browser };

/// The tool a command starts (kEditorCommand, kBrowserCommand of view/double_click.h); nothing
/// for any other command.
std::optional<ExternalTool> ExternalToolOfCommand(int commandId);

/// What a tool is started on: a Shift-JIS path (empty for none) and a 1-based line and column.
struct ToolTarget {
    std::string sjisPath;
    std::uint32_t line = 1;
    int column = 1;
    bool operator==(const ToolTarget&) const = default;
};

class ExternalToolCommand {
public:
    ExternalToolCommand(Application& application, FrameWindows& windows,
                        ui::ProcessLauncher& launcher, LocalTimeSource clock = CurrentLocalTime);

    /// Starts entry 0 of the tool's list on Target(ctrlHeld). A beep when the list is empty or
    /// the program could not be started; false then.
    bool Start(ExternalTool tool, bool ctrlHeld);
    /// Enabled while the tool's list has an entry.
    bool IsEnabled(ExternalTool tool) const;

    /// Without Ctrl, the tag on the caret's line of the active text window (line as the tag
    /// names it, column 1); else, or when that line is no tag, the active document's path with
    /// the caret's line and its column from the line start; without an active window, no file
    /// at line 1, column 1.
    ToolTarget Target(bool ctrlHeld) const;

private:
    std::vector<ToolEntry>& List(ExternalTool tool) const;

    Application& m_application;
    FrameWindows& m_windows;
    ui::ProcessLauncher& m_launcher;
    LocalTimeSource m_clock;
};

} // namespace nelvix
