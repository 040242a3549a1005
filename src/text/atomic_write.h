// Replacing a file without ever leaving it half-written.
#pragma once

#include <cstddef>
#include <string>

#include "text/sjis.h"

namespace nelvix {

/// Writes the bytes to a temporary file in the target's directory and renames it over the
/// target, keeping an existing target's permission bits. On failure the target is untouched,
/// the temporary file is removed, and false comes back (errno tells why).
bool WriteFileAtomically(const std::string& nativePath, const Byte* bytes, std::size_t length);

} // namespace nelvix
