// Checks of new rule entries and the number fields' text.
#include "extract/extraction_entry_fields.h"

#include "base/sjis.h"
#include "extract/extraction_rules.h"

namespace nelvix {
namespace {

/// Where a typed number stops growing: far beyond every limit, far below
/// overflow.
constexpr std::int64_t kSaturatedNumber = 1'000'000'000'000;

} // namespace

std::optional<std::int64_t> ParseFieldNumber(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        const Byte b = static_cast<Byte>(c);
        if (!IsAsciiDigit(b))
            return std::nullopt;
        value = value * 10 + (b - '0');
        if (value > kSaturatedNumber)
            value = kSaturatedNumber;
    }
    return negative ? -value : value;
}

std::string_view CutToWholeChars(std::string_view sjisText, std::size_t maxBytes) {
    const auto* bytes = reinterpret_cast<const Byte*>(sjisText.data());
    std::size_t length = 0;
    while (length < sjisText.size()) {
        const std::size_t next = NextCharOffset(bytes, sjisText.size(), length);
        if (next > maxBytes)
            break;
        length = next;
    }
    return sjisText.substr(0, length);
}

bool RuleTextFits(std::string_view sjisText) {
    return !sjisText.empty() && sjisText.size() <= kMaxPatternBytes &&
           sjisText.find('\0') == std::string_view::npos;
}

bool RulePositionFits(std::string_view positionText) {
    const std::optional<std::int64_t> position = ParseFieldNumber(positionText);
    return position && *position >= -kRulePositionLimit && *position <= kRulePositionLimit;
}

bool RuleCountFits(std::string_view countText) {
    const std::optional<std::int64_t> count = ParseFieldNumber(countText);
    return count && *count >= 1 && *count <= kRuleCountLimit;
}

std::optional<std::string> StepSignedFieldText(std::string_view text, int delta,
                                               const DigitStep& step) {
    const bool negative =
        text.size() > 1 && text.front() == '-' && IsAsciiDigit(static_cast<Byte>(text[1]));
    if (!negative)
        return step(std::string(text), delta);
    std::optional<std::string> magnitude = step(std::string(text.substr(1)), -delta);
    if (!magnitude || *magnitude == "0")
        return magnitude;
    return "-" + *magnitude;
}

} // namespace nelvix
