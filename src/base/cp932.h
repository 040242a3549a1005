// Conversions between Shift-JIS (code page 932) and UTF-8 for the program's edges:
// Qt strings, the clipboard, file names, the settings store and terminal output.
#pragma once

#include <string>
#include <string_view>

namespace nelvix {

/// Code page 932 bytes to UTF-8. A byte sequence that code page 932 does not define becomes
/// U+FFFD, so the result is always valid UTF-8.
std::string Cp932ToUtf8(std::string_view sjis);

/// UTF-8 to code page 932. A character code page 932 cannot express becomes `replacement`
/// (Shift-JIS bytes); `lossy`, when given, is set to whether that happened. Invalid UTF-8
/// sequences are replaced the same way.
std::string Utf8ToCp932(std::string_view utf8, std::string_view replacement, bool* lossy = nullptr);

/// The Shift-JIS bytes of "・", the stand-in for characters code page 932 lacks.
// Views of one named array: a view of a bare literal may see a different copy of the literal
// in each file under AddressSanitizer, so that its begin and end would not belong together.
inline constexpr char kSjisMiddleDotBytes[] = "\x81\x45";
inline constexpr std::string_view kSjisMiddleDot{kSjisMiddleDotBytes,
                                                 sizeof kSjisMiddleDotBytes - 1};

/// A UTF-8 source literal as Shift-JIS, for texts that enter the core from the source code.
inline std::string Sjis(std::string_view utf8Literal) {
    return Utf8ToCp932(utf8Literal, kSjisMiddleDot);
}

} // namespace nelvix
