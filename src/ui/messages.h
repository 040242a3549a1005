// The program's one way to tell a person something: message boxes by id, and the memory check.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string_view>

#include "ui/message_ids.h"
#include "ui/platform.h"

namespace nelvix::ui {

/// Shows message `id` from the string table under the application title, with %1.. replaced
/// by `args` (Shift-JIS). The out-of-memory id shows its fixed system-modal stop box instead.
MessageResult ShowMessage(Platform& platform, int id, MessageStyle style = {},
                          std::initializer_list<std::string_view> args = {});

/// The fixed out-of-memory box; `wholeFileReader` selects the caption of the whole-file reader.
void ShowOutOfMemory(Platform& platform, bool wholeFileReader = false);

/// Block size meaning "the default": 1 MiB.
inline constexpr std::size_t kDefaultMemoryCheck = 1024 * 1024;

/// Obtains and releases a block of `bytes` (0 meaning 1 MiB). When it cannot be had, shows the
/// out-of-memory box and returns false.
bool CheckMemory(Platform& platform, std::size_t bytes = 0);

} // namespace nelvix::ui
