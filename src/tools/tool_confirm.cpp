// The refusals of a confirmed tool page as the person hears and reads them.
#include "tools/tool_confirm.h"

#include <sys/stat.h>

#include <string>

#include "base/native_path.h"
#include "ui/message_ids.h"
#include "ui/messages.h"
#include "ui/platform.h"

namespace nelvix {

bool ProgramFileExists(std::string_view sjisPath) {
    const std::string native = SjisPathToNative(sjisPath);
    struct stat info {};
    return ::stat(native.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

ToolEditResult
ConfirmToolEntry(ui::Platform& platform, std::vector<ToolEntry>& list, const ToolEntry& entry,
                 const std::function<bool(std::string_view sjisPath)>& programExists) {
    const ToolEditResult result = EditToolList(list, entry, programExists);
    if (result == ToolEditResult::Added || result == ToolEditResult::EmptyProgram)
        return result;
    platform.beeper.Beep();
    if (result == ToolEditResult::ProgramMissing)
        ui::ShowMessage(platform, ui::kMsgFileNotFound);
    return result;
}

} // namespace nelvix
