// The parameter template of an external tool: "$" codes replaced by the target's file, line and
// column and by the date and time, into a command-line tail of at most 256 bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace nelvix {

/// The expanded parameters never hold more bytes than this.
inline constexpr std::size_t kToolParametersMaxBytes = 256;
/// A code's text is added only when the output then holds at most this many bytes.
inline constexpr std::size_t kToolCodeTextLimit = kToolParametersMaxBytes - 1;

/// The local time, asked once for every time code.
using LocalTimeSource = std::function<std::tm()>;
/// The clock of the running system.
std::tm CurrentLocalTime();

/// Expands `sjisTemplate` for the file `sjisPath` (none: "$n" and "$f" give nothing), the
/// 1-based `line` and `column`. Time codes format `clock()` with strftime in the "C" locale.
/// A code's text is never cut: the expansion ends before a code that does not fit, and before
/// a double-byte character that does not fit whole.
std::string ExpandParameters(std::string_view sjisTemplate,
                             std::optional<std::string_view> sjisPath, std::uint32_t line,
                             int column, const LocalTimeSource& clock = CurrentLocalTime);

} // namespace nelvix
