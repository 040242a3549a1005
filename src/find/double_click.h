// What a double-click in a text window does: a tag jump or a shell open on a result line, a
// word selection otherwise; the editor or the browser on a right double-click.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/sjis.h"

namespace nelvix::ui {
struct Platform;
} // namespace nelvix::ui

namespace nelvix {

inline constexpr int kEditorCommand = 32820;
inline constexpr int kBrowserCommand = 32834;

/// The file and 1-based line a result line names.
struct TagLocation {
    std::string sjisPath;
    std::uint32_t line = 0;
    bool operator==(const TagLocation&) const = default;
};

/// The line holding `offset`, from its start through its CR LF (or the text end).
std::string_view LineAtOffset(const Byte* text, std::uint32_t length, std::uint32_t offset);

enum class LeftDoubleClickAction { TagJump, ShellOpen, SelectWord };

/// Ctrl always selects a word; Shift alone opens a result line's file with the shell.
LeftDoubleClickAction DecideLeftDoubleClick(bool isResultLine, bool ctrl, bool shift);

/// The command for a right double-click: the browser with "RunType" 1, else the editor;
/// nothing (after a beep) when that tool is not configured.
std::optional<int> RightDoubleClickCommand(ui::Platform& platform, int runType,
                                           bool editorConfigured, bool browserConfigured);

} // namespace nelvix
