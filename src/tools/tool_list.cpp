// The rule by which a confirmed editor or browser page changes its tool list.
#include "tools/tool_list.h"

#include <algorithm>

namespace nelvix {

ToolEditResult EditToolList(std::vector<ToolEntry>& list, const ToolEntry& entry,
                            const std::function<bool(std::string_view sjisPath)>& programExists) {
    if (entry.program.empty())
        return ToolEditResult::EmptyProgram;
    if (entry.program.size() > kMaxPathBytes)
        return ToolEditResult::ProgramTooLong;
    if (!programExists || !programExists(entry.program))
        return ToolEditResult::ProgramMissing;
    if (entry.parameters.size() > kMaxPathBytes)
        return ToolEditResult::ParametersTooLong;
    if (entry.workingDirectory.size() > kMaxPathBytes)
        return ToolEditResult::DirectoryTooLong;
    std::erase(list, entry);
    list.insert(list.begin(), entry);
    if (list.size() > kToolListEntries)
        list.resize(kToolListEntries);
    return ToolEditResult::Added;
}

} // namespace nelvix
