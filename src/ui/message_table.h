// The program's string table: message texts by id.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace nelvix::ui {

/// The UTF-8 text of a message id, or an empty view for an id the table lacks.
std::string_view MessageTextUtf8(int id);

/// The Shift-JIS text of a message id (converted once per id), or an empty string.
const std::string& MessageText(int id);

/// Replaces %1, %2, ... in a Shift-JIS template; `args` are Shift-JIS. Lead bytes are stepped
/// over whole so that a trail byte 0x25 is never read as a placeholder.
std::string FormatMessage(std::string_view sjisTemplate,
                          std::initializer_list<std::string_view> args);

} // namespace nelvix::ui
