// The double-click decisions of a text window.
#include "find/double_click.h"

#include <algorithm>

#include "search/result_line.h"
#include "ui/platform.h"
#include "ui/shell_open.h"

namespace nelvix {

std::string_view LineAtOffset(const Byte* text, std::uint32_t length, std::uint32_t offset) {
    if (length == 0)
        return {};
    offset = std::min(offset, length);
    const std::size_t start = LineStartBefore(text, offset);
    std::size_t end = offset;
    while (end < length && text[end] != kCr)
        ++end;
    end = std::min<std::size_t>(length, end + 2);
    return {reinterpret_cast<const char*>(text + start), end - start};
}

LeftDoubleClickAction DecideLeftDoubleClick(bool isResultLine, bool ctrl, bool shift) {
    if (ctrl || !isResultLine)
        return LeftDoubleClickAction::SelectWord;
    return shift ? LeftDoubleClickAction::ShellOpen : LeftDoubleClickAction::TagJump;
}

std::optional<int> RightDoubleClickCommand(ui::Platform& platform, int runType,
                                           bool editorConfigured, bool browserConfigured) {
    const bool browser = runType == 1;
    if (browser ? browserConfigured : editorConfigured)
        return browser ? kBrowserCommand : kEditorCommand;
    platform.beeper.Beep();
    return std::nullopt;
}

} // namespace nelvix
