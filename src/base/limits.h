// The program's fixed limits, each in one place. Paths and patterns keep the sizes of the old
// fixed buffers (260 and 80 bytes and a NUL), which stored records and dialogs still follow.
#pragma once

#include <cstddef>
#include <cstdint>

namespace nelvix {

/// A path buffer: 260 bytes and its NUL. A path, file set or stored file name is shorter.
inline constexpr std::size_t kPathBufferBytes = 261;
/// The longest path, file set, tool string or stored file name.
inline constexpr std::size_t kMaxPathBytes = kPathBufferBytes - 1;

/// A pattern buffer: 80 bytes and its NUL.
inline constexpr std::size_t kPatternBufferBytes = 81;
/// The longest search pattern, find string, rule text or history entry.
inline constexpr std::size_t kMaxPatternBytes = kPatternBufferBytes - 1;

/// A result line of a search: its path, line number and quoted text.
inline constexpr std::size_t kResultLineBytes = 512;

/// What one document holds: its text, and its rows as laid out.
inline constexpr std::uint32_t kMaxTextBytes = 4'000'000;
inline constexpr std::uint32_t kMaxRows = 60'000;

} // namespace nelvix
