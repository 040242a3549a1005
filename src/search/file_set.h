// File sets: every file named by a search specification ("/dir/*.c *.h"), the top directory
// first, and the breadth-first list of its subdirectories.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "search/directory_id_set.h"

namespace nelvix {

inline constexpr std::size_t kMaxFilePatterns = 10;
/// A path buffer of the old 260 + NUL bytes; listing stops this far before the buffer's end.
inline constexpr std::size_t kPathBufferBytes = 261;

/// Wildcard match of a file name: "*" and "?", ASCII letters without regard to case, and "*.*"
/// matching every name, also one without a dot. Both are Shift-JIS; lead bytes step whole.
bool WildcardMatch(std::string_view pattern, std::string_view name);

struct SplitPath {
    std::string directory; ///< up to and including the last '/'
    std::string name;
};

/// Without a '/', both parts are empty; a path ending in '/' is all directory.
SplitPath SplitDirectory(std::string_view path);

/// The path in double quotes when it holds a space or a double quote (a quote inside is
/// doubled), else unchanged.
std::string QuotePathWithSpaces(std::string_view path);

/// The full path patterns of a specification: at most 10; the first word as it is, each further
/// word with the first word's directory in front unless it is absolute (leading '/'). Empty for
/// an empty specification.
std::vector<std::string> SpecificationPatterns(std::string_view sjisSpecification);

/// The search specification for one item of the subdirectory list: the item, the first pattern's file
/// name, and the further patterns that are not absolute. Empty for an empty `userSpecification`.
std::string SubdirectorySpecification(std::string_view item, std::string_view userSpecification);

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

/// The subdirectory list: NUL-terminated paths ending in '/', one after the other in a buffer
/// allocated once; a path holding a blank is stored in quotes with the '/' after the closing
/// quote.
class SubdirectoryList {
public:
    /// `bufferBytes` is "SubDirBufSizeKB" x 1024.
    explicit SubdirectoryList(std::size_t bufferBytes);

    /// Lists every subdirectory of `sjisTopPattern` ("<top>/*.*") breadth-first: the count, or
    /// -1 when the buffer is too small. Symbolic links to directories are followed, but a
    /// directory already listed (same device and inode) is not listed again, so a cycle ends.
    /// Quotes in the pattern are read as in a specification word, so a path holding a double
    /// quote must come as `QuotePathWithSpaces` gives it.
    long ListSubdirectories(std::string_view sjisTopPattern);

    /// The listed paths in order, as stored (quotes kept).
    std::vector<std::string_view> Items() const;

private:
    /// Appends the direct subdirectories of `sjisDirectory` (ending in '/'); false on overflow.
    bool ListDirectSubdirectories(const std::string& sjisDirectory, std::string_view namePattern);
    /// Appends one item; false when it does not fit.
    bool AppendItem(std::string_view sjisDirectory, std::string_view sjisName);

    std::vector<char> m_buffer;
    std::size_t m_used = 0;
    long m_count = 0;
    DirectoryIdSet m_walked;
};

} // namespace nelvix
