// The regular files of each directory a walk has listed, kept from the one pass over the
// directory that also gave its subdirectories, so that its files need no second listing.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nelvix {

/// The most bytes of names kept for one walk: past it, the directories still to come are
/// listed again when their files are due, so memory stays bounded on any tree.
inline constexpr std::size_t kMaxListedNameBytes = 64u << 20;

class ListedFiles {
public:
    explicit ListedFiles(std::size_t maxBytes = kMaxListedNameBytes) : m_maxBytes(maxBytes) {}

    void Clear();
    /// Starts the names of the next directory: the first is 0, then 1, 2, ...
    void BeginDirectory();
    /// A regular file (or a link to one) of the directory begun last, in listing order.
    void Add(std::string_view sjisName);
    /// `complete` false: the directory could not be listed, so that its files are looked for
    /// again when they are due.
    void EndDirectory(bool complete);

    /// The names of directory `index`, each followed by a NUL, or nothing when they were not
    /// kept. Walk them with NextListedName.
    std::optional<std::string_view> Names(std::size_t index) const;

private:
    std::size_t m_maxBytes;
    std::string m_names;
    std::vector<std::size_t> m_ends; ///< where each directory's names end
    std::vector<bool> m_kept;
    std::size_t m_begun = 0; ///< where the names of the directory begun last start
    bool m_full = false;     ///< no more names are kept in this walk
};

/// The first name of `names` (as ListedFiles::Names gives them), which moves on past it;
/// nothing at the end.
std::optional<std::string_view> NextListedName(std::string_view& names);

/// Lists the regular files (and links to them) of `sjisDirectory` into `files` as one
/// directory; not kept when it cannot be listed.
void ListFileNames(const std::string& sjisDirectory, ListedFiles& files);

} // namespace nelvix
