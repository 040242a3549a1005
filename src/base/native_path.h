// File names between the core (Shift-JIS) and the operating system (UTF-8 bytes).
//
// A native name that code page 932 cannot express (invalid UTF-8, or characters it lacks) must
// still be reachable, so each such byte is carried in the core as a character of the
// user-defined area with lead byte 0xF0 or 0xF1, and turned back into the byte on the way out.
// Native characters that would themselves land on those two lead bytes are escaped the same
// way, so the escape is reversible for every native name.
//
// The escape of one native byte b (docs/ENCODINGS.md has the same table):
//   b in 0x40..0x7E or 0x80..0xFC (b is a valid trail byte)  ->  0xF0 b
//   b in 0x00..0x3E                                           ->  0xF1 (b + 0x40)
//   b = 0x3F, 0x7F, 0xFD, 0xFE, 0xFF                          ->  0xF1 0x80, 0x81, 0x82, 0x83, 0x84
// In practice only bytes 0x80..0xFF are ever escaped, so an escape reads "F0 b" in a dump for
// all but 0xFD..0xFF.
//
// A well-formed UTF-8 character travels as its code page 932 code only when that code comes
// back as the same character (glibc's CP932: U+00A5 goes to 0x5C but 0x5C comes back as "\",
// U+301C goes to 0x8160 but 0x8160 comes back as U+FF5E; both are escaped) and its lead byte is
// not 0xF0 or 0xF1 (U+E000..U+E177, the user-defined area's first two rows). Every other byte
// is escaped on its own. So NativePathToSjis followed by SjisPathToNative gives back every byte
// string unchanged. The other way round holds for the core names that come from the native
// side; for other Shift-JIS text (typed by a person) SjisPathToNative is the plain
// code page 932 conversion (undefined codes become U+FFFD), apart from the escape pairs.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace nelvix {

/// Never fails: every byte string has a core form.
std::string NativePathToSjis(std::string_view nativePath);
/// Never fails: escape pairs become their bytes, the rest is converted as Cp932ToUtf8 does.
std::string SjisPathToNative(std::string_view sjisPath);

/// `sjisPath` made absolute against the current folder and lexically normal (no "." parts, no
/// "name/.." pairs, no doubled slashes); symbolic links are not resolved. Works on the core
/// bytes, since no lead or trail byte is '/' or '.'. Empty stays empty; a relative path stays
/// relative only when the current folder cannot be worked out.
std::string AbsoluteSjisPath(std::string_view sjisPath);

/// Appends the core path `sjisPath` to a line of text (a result line, a tag): each byte below
/// 0x20 as its escape pair, since a name may hold a line break and a line may not; every other
/// byte as it is. SjisPathToNative turns the pairs back into the bytes, so a tag read from the
/// line still reaches the file.
void AppendSjisPathForLine(std::string& line, std::string_view sjisPath);
/// The bytes AppendSjisPathForLine appends for `sjisPath`.
std::size_t SjisPathForLineBytes(std::string_view sjisPath);

} // namespace nelvix
