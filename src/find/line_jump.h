// Jump to a line ("行番号の指定"): the dialog's field check and the jump itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "find/find_target.h"

namespace nelvix::ui {
struct Platform;
}

namespace nelvix {

class CKespoDoc;

inline constexpr int kLineJumpCommand = 32788;
inline constexpr int kLineJumpDialogId = 109;
inline constexpr std::size_t kMaxLineNumberDigits = 5;

/// The number in the "行番号" field: 1 to 5 decimal digits, not 0; nothing otherwise.
std::optional<std::uint32_t> ParseLineNumber(std::string_view field);

enum class LineJumpResult {
    KeepOpen, ///< the field is not a number the dialog takes; beeped, focus stays in the field
    Refused,  ///< closed, but there is no such row (or no text); beeped
    Jumped
};

/// OK in the dialog: the row of the typed number in `numberingMode` (0: rows, 1: lines), then
/// the jump through the target.
LineJumpResult JumpToLine(ui::Platform& platform, const CKespoDoc& document, int numberingMode,
                          std::string_view field, FindTarget& target);

} // namespace nelvix
