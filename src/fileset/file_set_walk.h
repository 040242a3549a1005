// The walk over a file set that global find and global extraction share: the files of the top
// directory, then, when asked, those of each directory below it in breadth-first order.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "fileset/file_set.h"

namespace nelvix {

/// How a walk over a file set ended.
enum class FileSetWalkEnd {
    Done,
    Stopped,              ///< a visit asked to stop
    SubdirectoryOverflow, ///< the top directory was walked; memory ran out listing the rest
};

/// For a walk that visits each directory's files as soon as it is listed, where it can.
struct WalkAhead {
    /// Asked after `keepGoing` while the subdirectories are listed: whether the files of the
    /// directories listed so far are to be visited now (they are visited in the same order as
    /// after the whole listing).
    std::function<bool()> visitNow;
    /// The listing below the top directory ended; `complete` unless it stopped or ran out of
    /// memory (the walk then ends, having visited some of their files).
    std::function<void(bool complete)> listed;
};

/// Hands every file of `sjisSpecification` to `visit`, then, with `subdirectories`, every file
/// of each directory below the first pattern's directory with the same file patterns. The
/// subdirectory list starts at `subdirBufferBytes` and grows as the tree needs, up to
/// `subdirMaxBytes`. `visit` returns false to end the walk at once; so does `keepGoing`, asked
/// before the first directory below the top is listed and after each.
FileSetWalkEnd WalkFileSet(std::string_view sjisSpecification, bool subdirectories,
                           std::size_t subdirBufferBytes,
                           const std::function<bool(const std::string& sjisPath)>& visit,
                           const std::function<bool()>& keepGoing = {},
                           std::size_t subdirMaxBytes = kUnlimitedListBytes,
                           const WalkAhead* ahead = nullptr);

} // namespace nelvix
