// The walk over a file set that global find and global extraction share: the files of the top
// directory, then, when asked, those of each directory below it in breadth-first order.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace nelvix {

/// How a walk over a file set ended.
enum class FileSetWalkEnd {
    Done,
    Stopped,              ///< a visit asked to stop
    SubdirectoryOverflow, ///< the top directory was walked, its subdirectories did not fit
};

/// Hands every file of `sjisSpecification` to `visit`, then, with `subdirectories`, every file
/// of each directory below the first pattern's directory (listed in a buffer of
/// `subdirBufferBytes`) with the same file patterns. `visit` returns false to end the walk at
/// once.
FileSetWalkEnd WalkFileSet(std::string_view sjisSpecification, bool subdirectories,
                           std::size_t subdirBufferBytes,
                           const std::function<bool(const std::string& sjisPath)>& visit);

} // namespace nelvix
