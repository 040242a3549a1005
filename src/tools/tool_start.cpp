// A tool entry and its expanded parameters as a process to start.
#include "tools/tool_start.h"

#include <utility>

#include "base/native_path.h"
#include "tools/tool_arguments.h"

namespace nelvix {

std::string ProgramDirectory(std::string_view nativeProgram) {
    const std::size_t slash = nativeProgram.rfind('/');
    if (slash == std::string_view::npos)
        return {};
    return std::string(nativeProgram.substr(0, slash == 0 ? 1 : slash));
}

ui::ProcessStart ToolProcessStart(const ToolEntry& entry, std::string_view sjisExpandedParameters) {
    ui::ProcessStart start;
    start.program = SjisPathToNative(entry.program);
    for (const std::string& argument : SplitToolArguments(sjisExpandedParameters))
        start.arguments.push_back(SjisPathToNative(argument));
    // The program's directory is where a tool starts, so a relative directory is taken from it.
    const std::string own = ProgramDirectory(start.program);
    std::string directory = SjisPathToNative(entry.workingDirectory);
    if (directory.empty())
        directory = own;
    else if (directory.front() != '/' && !own.empty())
        directory = (own == "/" ? own : own + "/") + directory;
    start.workingDirectory = std::move(directory);
    return start;
}

} // namespace nelvix
