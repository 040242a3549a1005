// The command table of recorded operations: a record stores the index of its command here, so
// that macro files stay valid whatever ids the commands have.
#pragma once

#include <cstddef>
#include <cstdint>

namespace nelvix {

inline constexpr int kCmdGlobalFind = 32784;
inline constexpr int kCmdLineExtraction = 32823;
inline constexpr int kCmdGlobalExtraction = 32832;
/// The command every unused slot holds, and what an unknown code turns into on replay.
inline constexpr int kCmdUnusedSlot = 32789;

/// The user-tool commands: tool k (1..kUserToolSlots) is kCmdUserTool1 + k - 1.
inline constexpr std::size_t kUserToolSlots = 5;
inline constexpr int kCmdUserTool1 = 32827;
inline constexpr int kCmdUserToolLast = kCmdUserTool1 + static_cast<int>(kUserToolSlots) - 1;

inline constexpr std::int32_t kCommandSlots = 59;
/// The code recorded for a command the table does not hold.
inline constexpr std::int32_t kUnknownCommandCode = kCommandSlots;

/// The first slot that holds `commandId`, else kUnknownCommandCode.
std::int32_t CommandCode(int commandId);
/// The command of slot `code`; codes outside the table give kCmdUnusedSlot.
int CommandOfCode(std::int32_t code);

} // namespace nelvix
