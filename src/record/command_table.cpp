// The command table's slots.
#include "record/command_table.h"

namespace nelvix {
namespace {

int SlotCommand(std::int32_t code) {
    switch (code) {
    case 5:
    case 58:
        return kCmdGlobalFind;
    case 56:
        return kCmdLineExtraction;
    case 57:
        return kCmdGlobalExtraction;
    default:
        return kCmdUnusedSlot;
    }
}

} // namespace

std::int32_t CommandCode(int commandId) {
    for (std::int32_t code = 0; code < kCommandSlots; ++code)
        if (SlotCommand(code) == commandId)
            return code;
    return kUnknownCommandCode;
}

int CommandOfCode(std::int32_t code) {
    return code >= 0 && code < kCommandSlots ? SlotCommand(code) : kCmdUnusedSlot;
}

} // namespace nelvix
