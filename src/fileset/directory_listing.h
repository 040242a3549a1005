// Reading one directory for the file sets: entries in the file system's own order, each told
// apart as file, directory or other without ever opening it.
#pragma once

#include <dirent.h>
#include <sys/stat.h>

#include <string>
#include <string_view>

namespace nelvix {

enum class EntryKind {
    File,      ///< a regular file, or a symbolic link to one
    Directory, ///< a directory, or a symbolic link to one
    Other,     ///< devices, FIFOs, sockets, broken links, entries gone meanwhile
};

/// An open directory listing, closed when the object goes.
class DirectoryListing {
public:
    DirectoryListing() = default;
    ~DirectoryListing() { Close(); }
    DirectoryListing(const DirectoryListing&) = delete;
    DirectoryListing& operator=(const DirectoryListing&) = delete;

    /// False when the directory cannot be listed (missing, not a directory, no permission).
    bool Open(const std::string& nativePath);
    void Close();
    bool IsOpen() const { return m_dir != nullptr; }

    /// The next entry's name, "." and ".." included, or nullptr at the end or on a read error.
    const char* Next();
    /// The kind of the entry `Next` returned last. `st` is filled when the kind needed a stat
    /// (always for a directory when `statDirectories` is set).
    EntryKind Kind(bool statDirectories, struct stat& st) const;
    /// The name of the entry `Next` returned last, in its core (Shift-JIS) form; valid until
    /// the next call.
    std::string_view SjisName();
    /// The identity of the listed directory itself; false when it cannot be had.
    bool Identify(struct stat& st) const;

private:
    DIR* m_dir = nullptr;
    const dirent* m_entry = nullptr;
    std::string m_sjisName;
};

} // namespace nelvix
