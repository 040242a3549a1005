// The prompt the status bar shows while a menu item or a toolbar button of a command is
// highlighted. Prompts are UTF-8: they go only to the front end.
#pragma once

#include <string_view>

namespace nelvix {

/// The prompt of `commandId`: the status text of its toolbar tip when it has a button, else its
/// own; empty for a command with none.
std::string_view CommandPrompt(int commandId);

} // namespace nelvix
