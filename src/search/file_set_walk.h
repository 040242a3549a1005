// The walk over a file set that global find and global extraction share: the files of the top
// directory, then, when asked, those of each directory below it in breadth-first order.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "search/file_set.h"

namespace nelvix {

/// How a walk over a file set ended.
enum class FileSetWalkEnd {
    Done,
    Stopped,              ///< a visit asked to stop
    SubdirectoryOverflow, ///< the top directory was walked; memory ran out listing the rest
};

/// Hands every file of `sjisSpecification` to `visit`, then, with `subdirectories`, every file
/// of each directory below the first pattern's directory with the same file patterns. The
/// subdirectory list starts at `subdirBufferBytes` and grows as the tree needs, up to
/// `subdirMaxBytes`. `visit` returns false to end the walk at once; so does `keepGoing`, asked
/// after each directory while the subdirectories are listed.
FileSetWalkEnd WalkFileSet(std::string_view sjisSpecification, bool subdirectories,
                           std::size_t subdirBufferBytes,
                           const std::function<bool(const std::string& sjisPath)>& visit,
                           const std::function<bool()>& keepGoing = {},
                           std::size_t subdirMaxBytes = kUnlimitedListBytes);

} // namespace nelvix
