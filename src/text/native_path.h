// File names between the core (Shift-JIS) and the operating system (UTF-8 bytes).
//
// A native name that code page 932 cannot express (invalid UTF-8, or characters it lacks) must
// still be reachable, so each such byte is carried in the core as a character of the
// user-defined area with lead byte 0xF0 or 0xF1, and turned back into the byte on the way out.
// Native characters that would themselves land on those two lead bytes are escaped the same
// way, so the escape is reversible for every native name.
#pragma once

#include <string>
#include <string_view>

namespace nelvix {

std::string NativePathToSjis(std::string_view nativePath);
std::string SjisPathToNative(std::string_view sjisPath);

} // namespace nelvix
