// What the pages of the settings sheet share: the fields a refusal points to, the answer of the
// OK checks, and the number fields' range check.
#pragma once

#include <optional>
#include <string_view>

namespace nelvix::ui {
struct Platform;
}

namespace nelvix {

/// The field a refusal gives the focus to.
enum class SetField {
    None,
    ScrollLineCount,
    TitleViewLength,
    LinkViewLength,
    LinkJumpViewLength,
    CharsPerLine,
    TabWidth,
    Program,
    Parameters,
    Directory,
};

/// The answer of the OK checks: taken, or refused on `page` with the focus on `field`, whose
/// whole text is to be selected when `selectAll` is set.
struct SetCheck {
    bool ok = true;
    int page = 0;
    SetField field = SetField::None;
    bool selectAll = false;
    bool operator==(const SetCheck&) const = default;
};

struct IntegerRange {
    int lowest = 0;
    int highest = 0;
};

inline constexpr IntegerRange kScrollLineCountRange{1, 10};
inline constexpr IntegerRange kViewLengthRange{10, 80};
inline constexpr IntegerRange kCharsPerLineRange{10, 250};
inline constexpr IntegerRange kTabWidthRange{2, 20};

/// The value of a number field when its text is an integer within `range`. Otherwise nothing,
/// after "整数を入力してください。" for a text that is no integer, or after
/// "%1 から %2 までの整数を入力してください。" with the range for one outside it.
std::optional<int> ReadIntegerField(ui::Platform& platform, std::string_view text,
                                    IntegerRange range);
/// The integer a number field holds (limited to the range of int), or `fallback` when its text
/// is no integer; quietly, for values that passed ReadIntegerField.
int IntegerFieldOr(std::string_view text, int fallback);

} // namespace nelvix
