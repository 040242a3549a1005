// Expansion of an external tool's parameter template.
#include "tools/tool_parameters.h"

#include <clocale>
#include <locale.h>

#include <array>

#include "base/cp932.h"
#include "base/sjis.h"

namespace nelvix {
namespace {

/// Room for any one strftime conversion; a longer one gives nothing.
inline constexpr std::size_t kTimeTextBytes = kToolParametersMaxBytes;
/// Letters passed to strftime as they are ("$D" becomes "%c").
inline constexpr std::string_view kTimeLetters = "aAbBdHIjmMpSUwWxXyYz";

/// The program sets no locale for its tools: time texts are those of the "C" locale whatever
/// the windowing library chose, so they are plain ASCII inside a Shift-JIS command line.
locale_t ClassicLocale() {
    static const locale_t locale = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

std::string FormatTime(char letter, const LocalTimeSource& clock) {
    const std::tm now = clock ? clock() : CurrentLocalTime();
    const std::array<char, 3> format{'%', letter, '\0'};
    std::array<char, kTimeTextBytes> text{};
    const locale_t locale = ClassicLocale();
    const std::size_t length =
        locale != static_cast<locale_t>(nullptr)
            ? ::strftime_l(text.data(), text.size(), format.data(), &now, locale)
            : std::strftime(text.data(), text.size(), format.data(), &now);
    return std::string(text.data(), length);
}

std::string DayName(const LocalTimeSource& clock) {
    static constexpr std::array<const char*, 7> kDays{"日", "月", "火", "水", "木", "金", "土"};
    const std::tm now = clock ? clock() : CurrentLocalTime();
    if (now.tm_wday < 0 || now.tm_wday >= static_cast<int>(kDays.size()))
        return {};
    return Sjis(kDays[static_cast<std::size_t>(now.tm_wday)]);
}

std::string_view FileName(std::string_view sjisPath) {
    // '/' is never a trail byte, so the last one always ends the directory.
    const std::size_t slash = sjisPath.rfind('/');
    return slash == std::string_view::npos ? sjisPath : sjisPath.substr(slash + 1);
}

struct Target {
    std::optional<std::string_view> path;
    std::uint32_t line;
    int column;
    const LocalTimeSource& clock;
};

/// The text of code `code`; nothing for a character that stands for itself.
std::optional<std::string> CodeText(char code, const Target& target) {
    switch (code) {
    case '$':
        return std::string(1, '$');
    case 'c':
        return std::to_string(target.column);
    case 'l':
        return std::to_string(target.line);
    case 'n':
        return std::string(target.path ? FileName(*target.path) : std::string_view{});
    case 'f':
        return std::string(target.path ? *target.path : std::string_view{});
    case 'e':
        return DayName(target.clock);
    case 'D':
        return FormatTime('c', target.clock);
    default:
        break;
    }
    if (kTimeLetters.find(code) != std::string_view::npos)
        return FormatTime(code, target.clock);
    return std::nullopt;
}

} // namespace

std::tm CurrentLocalTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    return local;
}

std::string ExpandParameters(std::string_view sjisTemplate,
                             std::optional<std::string_view> sjisPath, std::uint32_t line,
                             int column, const LocalTimeSource& clock) {
    const Target target{sjisPath, line, column, clock};
    std::string output;
    output.reserve(kToolParametersMaxBytes);
    std::size_t at = 0;
    while (at < sjisTemplate.size() && output.size() < kToolParametersMaxBytes) {
        if (sjisTemplate[at] == '$') {
            if (at + 1 >= sjisTemplate.size())
                break;
            // "$" before a double-byte character stands for that whole character, so that
            // it is never split.
            if (!IsLeadByte(static_cast<Byte>(sjisTemplate[at + 1]))) {
                const char code = sjisTemplate[at + 1];
                at += 2;
                const std::optional<std::string> text = CodeText(code, target);
                if (!text) {
                    output.push_back(code);
                    continue;
                }
                if (output.size() + text->size() > kToolCodeTextLimit)
                    break;
                output += *text;
                continue;
            }
            ++at;
        }
        if (IsLeadByte(static_cast<Byte>(sjisTemplate[at]))) {
            if (at + 1 >= sjisTemplate.size() || output.size() + 1 >= kToolParametersMaxBytes)
                break;
            output.append(sjisTemplate.substr(at, 2));
            at += 2;
            continue;
        }
        output.push_back(sjisTemplate[at]);
        ++at;
    }
    return output;
}

} // namespace nelvix
