// File sets: every file named by a search specification ("/dir/*.c *.h"), the top directory
// first, and the breadth-first list of its subdirectories.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

/// The path in double quotes when it holds a blank, else unchanged.
std::string QuotePathWithSpaces(std::string_view path);

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
    /// -1 when the buffer is too small. A directory already walked (a symbolic-link cycle) is
    /// not walked again.
    long ListSubdirectories(std::string_view sjisTopPattern);

    /// The listed paths in order, as stored (quotes kept).
    std::vector<std::string_view> Items() const;

private:
    std::vector<char> m_buffer;
    std::size_t m_used = 0;
    long m_count = 0;
};

} // namespace nelvix
