// What the rule pages of the extraction sheet share: the fields a refusal
// selects, the checks of a new rule entry, and the number fields' text as the
// person typed it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace nelvix {

/// The field a page selects after refusing what it holds.
enum class ExtField { None, Text, Position, Count, FilePattern };

/// The answer of a page check: taken, or refused (after a beep) with `select`
/// to be selected.
struct ExtCheck {
    bool ok = true;
    ExtField select = ExtField::None;
    bool operator==(const ExtCheck&) const = default;
};

inline constexpr ExtCheck kExtCheckOk{};

/// A number field's text: an optional '-' and at least one decimal digit,
/// nothing else. Nothing for any other text; values far beyond the sheet's
/// limits saturate at +-10^12.
std::optional<std::int64_t> ParseFieldNumber(std::string_view text);

/// The longest head of `sjisText` of at most `maxBytes` bytes that ends on a
/// whole character: what an edit limited to `maxBytes` keeps.
std::string_view CutToWholeChars(std::string_view sjisText, std::size_t maxBytes);

/// The checks of "追加", in the order they are made: text 1..80 bytes,
/// |position| <= 10000, and (step 1 only) count 1..10000.
bool RuleTextFits(std::string_view sjisText);
bool RulePositionFits(std::string_view positionText);
bool RuleCountFits(std::string_view countText);

/// One arrow step of the spin library over a digits-only text: the new text, or
/// nothing when the library refuses (it then wants a beep).
using DigitStep = std::function<std::optional<std::string>(const std::string& digits, int delta)>;

/// An arrow step of a field that may hold a negative number. The library knows
/// digits only, so a negative text steps its magnitude the other way ("-5" up
/// gives "-4", "-1" up gives "0"); any other text is the library's.
std::optional<std::string> StepSignedFieldText(std::string_view text, int delta,
                                               const DigitStep& step);

} // namespace nelvix
