// Jump to a line.
#include "find/line_jump.h"

#include "base/sjis.h"
#include "render/row_layout.h"
#include "text/text_document.h"
#include "ui/platform.h"

namespace nelvix {

std::optional<std::uint32_t> ParseLineNumber(std::string_view field) {
    if (field.empty() || field.size() > kMaxLineNumberDigits)
        return std::nullopt;
    std::uint32_t number = 0;
    for (const char c : field) {
        const auto b = static_cast<Byte>(c);
        if (!IsAsciiDigit(b))
            return std::nullopt;
        number = number * 10 + static_cast<std::uint32_t>(b - '0');
    }
    if (number == 0)
        return std::nullopt;
    return number;
}

LineJumpResult JumpToLine(ui::Platform& platform, const CKespoDoc& document, int numberingMode,
                          std::string_view field, FindTarget& target) {
    const auto number = ParseLineNumber(field);
    if (!number) {
        platform.beeper.Beep();
        return LineJumpResult::KeepOpen;
    }
    const auto row = RowOfTypedNumber(document, *number, numberingMode);
    if (!row) {
        platform.beeper.Beep();
        return LineJumpResult::Refused;
    }
    target.JumpToRow(*row);
    return LineJumpResult::Jumped;
}

} // namespace nelvix
