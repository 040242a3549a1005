// The global find dialog's rules.
#include "commands/global_find_checks.h"

#include "ui/message_ids.h"

namespace nelvix {
namespace {

GlobalFindCheck Refuse(int messageId, GlobalFindField focus) {
    return {false, messageId, messageId == 0, focus};
}

GlobalFindCheck CheckField(std::string_view text, std::size_t limitBytes, int tooLongMessage,
                           GlobalFindField field) {
    if (text.size() >= limitBytes)
        return Refuse(tooLongMessage, field);
    if (text.empty())
        return Refuse(0, field);
    return {};
}

} // namespace

GlobalFindCheck CheckGlobalFindValues(const ui::GlobalFindValues& values) {
    const GlobalFindCheck pattern = CheckField(values.pattern, kPatternBufferBytes,
                                               ui::kMsgPatternTooLong, GlobalFindField::Pattern);
    if (!pattern.ok)
        return pattern;
    return CheckField(values.fileBox, kPathBufferBytes, ui::kMsgBadPathName,
                      GlobalFindField::FileBox);
}

std::string FileBoxAfterDirectoryChange(std::string_view fileBox) {
    const std::string_view unquoted = fileBox.starts_with('"') ? fileBox.substr(1) : fileBox;
    if (unquoted.starts_with('/'))
        return std::string(kAllFilesSpec);
    return std::string(fileBox);
}

} // namespace nelvix
