// The double-click decisions of a text window.
#include "view/double_click.h"

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

LeftDoubleClickAction OnLeftDoubleClick(std::string_view caretLine, bool ctrl, bool shift,
                                        const LeftDoubleClickServices& services) {
    std::optional<TagLocation> tag;
    if (!ctrl && services.readTag)
        tag = services.readTag(caretLine);
    const LeftDoubleClickAction action = DecideLeftDoubleClick(tag.has_value(), ctrl, shift);
    switch (action) {
    case LeftDoubleClickAction::TagJump:
        if (services.tagJump)
            services.tagJump(*tag);
        break;
    case LeftDoubleClickAction::ShellOpen:
        services.shell.OpenWithShell(tag->sjisPath);
        break;
    case LeftDoubleClickAction::SelectWord:
        if (services.selectWord)
            services.selectWord();
        break;
    }
    return action;
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
