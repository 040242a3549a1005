// File sets: every file named by a search specification ("/dir/*.c *.h"), the top directory
// first, and the breadth-first list of its subdirectories.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fileset/directory_id_set.h"
#include "fileset/search_specification.h"

namespace nelvix {

class DirectoryListing;
class ListedFiles;

/// Wildcard match of a file name: "*" and "?", ASCII letters without regard to case, and "*.*"
/// matching every name, also one without a dot. Both are Shift-JIS; lead bytes step whole.
bool WildcardMatch(std::string_view pattern, std::string_view name);

/// The files of one search specification, pattern by pattern in the order the directory lists
/// them. Paths are Shift-JIS core paths. Only regular files (and links to them) are returned;
/// devices, FIFOs, sockets and directories never are.
class FileSet {
public:
    FileSet();
    ~FileSet();
    FileSet(const FileSet&) = delete;
    FileSet& operator=(const FileSet&) = delete;

    /// The first file, or nothing when the set is empty (also for an empty specification).
    std::optional<std::string> FirstFile(std::string_view sjisSpecification);
    /// The next file, or nothing at the end of the set and after `EndFiles`.
    std::optional<std::string> NextFile();
    /// Closes the current listing; for callers that stop early.
    void EndFiles();

private:
    struct State;
    State* m_state;
};

/// What `ListSubdirectories` gives when its keep-going test asked it to stop.
inline constexpr long kListingStopped = -2;

/// No ceiling on the subdirectory list's memory but what the system gives.
inline constexpr std::size_t kUnlimitedListBytes = static_cast<std::size_t>(-1);

/// The subdirectory list: NUL-terminated paths ending in '/', one after the other in one buffer
/// that doubles when full; a path holding a blank is stored in quotes with the '/' after the
/// closing quote.
class SubdirectoryList {
public:
    /// `firstBytes` ("SubDirBufSizeKB" x 1024) is the buffer's first allocation; `maxBytes` is
    /// the most memory the buffer may take.
    explicit SubdirectoryList(std::size_t firstBytes, std::size_t maxBytes = kUnlimitedListBytes);

    /// Lists every subdirectory of `sjisTopPattern` ("<top>/*.*") breadth-first: the count, or
    /// -1 when memory ran out (the system's, or `maxBytes`). Symbolic links to directories are
    /// followed, but a directory already listed (same device and inode) is not listed again, so
    /// a cycle ends. Quotes in the pattern are read as in a specification word, so a path
    /// holding a double quote must come as `QuotePathWithSpaces` gives it. Never throws.
    long ListSubdirectories(std::string_view sjisTopPattern);
    /// The two halves of `ListSubdirectories`, for a walk that takes the top directory's files
    /// between them: the top's direct subdirectories (false when memory ran out), then the
    /// rest, as `ListSubdirectories` answers.
    bool ListTop(std::string_view sjisTopPattern);
    long ListBelowTop();
    /// The directory the top listing read, ending in '/'.
    const std::string& TopDirectory() const { return m_top; }
    /// Every directory listed from now on also leaves its regular files in `files` (null: not),
    /// the top first, then the items in order.
    void KeepFiles(ListedFiles* files) { m_files = files; }
    /// Asked after every directory listed; false ends the listing with kListingStopped. A run
    /// lets its events through here, so that a tree of thousands of folders neither freezes the
    /// window nor outlasts "中断".
    void SetKeepGoing(std::function<bool()> keepGoing) { m_keepGoing = std::move(keepGoing); }

    /// The listed paths in order, as stored (quotes kept).
    std::vector<std::string_view> Items() const;
    /// The item at `offset` (the first at 0), or nothing past the last; `offset` moves on to the
    /// next item. Walks the list without allocating.
    std::optional<std::string_view> NextItem(std::size_t& offset) const;

private:
    /// `ListBelowTop` but for running out of the system's memory.
    long ListBelow();
    /// Appends the direct subdirectories of `sjisDirectory` (ending in '/'); false when memory
    /// ran out.
    bool ListDirectSubdirectories(const std::string& sjisDirectory, std::string_view namePattern,
                                  bool isTop);
    /// One entry of such a listing: a file kept, a new directory appended; false when memory
    /// ran out.
    bool TakeEntry(DirectoryListing& listing, const std::string& sjisDirectory,
                   std::string_view namePattern);
    /// Appends one item; false when the buffer cannot grow to take it.
    bool AppendItem(std::string_view sjisDirectory, std::string_view sjisName);
    /// Makes room for `bytes` more; false when that would pass `m_maxBytes` or memory ran out.
    bool Reserve(std::size_t bytes);

    std::size_t m_firstBytes;
    std::size_t m_maxBytes;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_capacity = 0;
    std::size_t m_used = 0;
    long m_count = 0;
    DirectoryIdSet m_walked;
    std::function<bool()> m_keepGoing;
    std::string m_top;
    ListedFiles* m_files = nullptr;
};

} // namespace nelvix
