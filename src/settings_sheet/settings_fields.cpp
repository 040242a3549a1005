// The settings sheet's number fields.
#include "settings_sheet/settings_fields.h"

#include <algorithm>
#include <limits>
#include <string>

#include "extract/extraction_entry_fields.h"
#include "ui/messages.h"

namespace nelvix {

std::optional<int> ReadIntegerField(ui::Platform& platform, std::string_view text,
                                    IntegerRange range) {
    const std::optional<std::int64_t> value = ParseFieldNumber(text);
    if (!value) {
        ui::ShowMessage(platform, ui::kMsgIntegerExpected);
        return std::nullopt;
    }
    if (*value < range.lowest || *value > range.highest) {
        ui::ShowMessage(platform, ui::kMsgIntegerRange, {},
                        {std::to_string(range.lowest), std::to_string(range.highest)});
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

int IntegerFieldOr(std::string_view text, int fallback) {
    const std::optional<std::int64_t> value = ParseFieldNumber(text);
    if (!value)
        return fallback;
    return static_cast<int>(std::clamp<std::int64_t>(*value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

} // namespace nelvix
