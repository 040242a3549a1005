// Starting the external editor or browser.
#include "tools/external_tool_command.h"

#include <algorithm>
#include <limits>

#include "app/application.h"
#include "commands/frame_windows.h"
#include "commands/tag_line.h"
#include "find/double_click.h"
#include "render/status_panes.h"
#include "text/text_document.h"
#include "tools/tool_start.h"
#include "view/text_window.h"

namespace nelvix {
namespace {

/// The column from the line start, as the status bar counts it with line numbers.
inline constexpr int kLineNumbering = 1;

} // namespace

std::optional<ExternalTool> ExternalToolOfCommand(int commandId) {
    if (commandId == kEditorCommand)
        return ExternalTool::Editor;
    if (commandId == kBrowserCommand)
        return ExternalTool::Browser;
    return std::nullopt;
}

ExternalToolCommand::ExternalToolCommand(Application& application, FrameWindows& windows,
                                         ui::ProcessLauncher& launcher, LocalTimeSource clock)
    : m_application(application), m_windows(windows), m_launcher(launcher),
      m_clock(std::move(clock)) {}

std::vector<ToolEntry>& ExternalToolCommand::List(ExternalTool tool) const {
    return tool == ExternalTool::Editor ? m_application.Editors() : m_application.Browsers();
}

bool ExternalToolCommand::IsEnabled(ExternalTool tool) const {
    return !List(tool).empty();
}

ToolTarget ExternalToolCommand::Target(bool ctrlHeld) const {
    const CKespoEV* window = m_windows.ActiveTextWindow();
    if (window == nullptr)
        return {};
    if (!ctrlHeld) {
        const std::optional<TagLocation> tag = ReadTag(RowTagText(*window, window->CaretRow()),
                                                       m_application.GetSettings().titleViewLength);
        if (tag)
            return {tag->sjisPath, tag->line, 1};
    }
    // A wrapped line is one line for the tool, whose lines are the file's.
    const CKespoDoc& document = window->Document();
    const std::uint32_t row = window->CaretRow();
    const std::uint32_t column =
        ShownColumn(document, window->Rules(), kLineNumbering, window->CaretColumn(), row);
    const auto columnNumber =
        static_cast<int>(std::min<std::uint32_t>(column, std::numeric_limits<int>::max() - 1) + 1);
    return {document.PathName(), document.LineOfRow(row) + 1, columnNumber};
}

bool ExternalToolCommand::Start(ExternalTool tool, bool ctrlHeld) {
    const std::vector<ToolEntry>& list = List(tool);
    if (list.empty()) {
        m_application.Platform().beeper.Beep();
        return false;
    }
    const ToolTarget target = Target(ctrlHeld);
    const ToolEntry& entry = list.front();
    const std::string parameters =
        ExpandParameters(entry.parameters, target.sjisPath, target.line, target.column, m_clock);
    if (!m_launcher.StartDetached(ToolProcessStart(entry, parameters))) {
        m_application.Platform().beeper.Beep();
        return false;
    }
    return true;
}

} // namespace nelvix
