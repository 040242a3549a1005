// A tool entry and its expanded parameters as a process to start.
#include "app/tool_start.h"

#include "app/tool_arguments.h"
#include "text/native_path.h"

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
    start.workingDirectory = entry.workingDirectory.empty()
                                 ? ProgramDirectory(start.program)
                                 : SjisPathToNative(entry.workingDirectory);
    return start;
}

} // namespace nelvix
