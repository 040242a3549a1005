// The file names a walk keeps from its one listing of each directory.
#include "fileset/listed_files.h"

#include <sys/stat.h>

#include <new>

#include "base/native_path.h"
#include "fileset/directory_listing.h"

namespace nelvix {

void ListedFiles::Clear() {
    m_names.clear();
    m_ends.clear();
    m_kept.clear();
    m_begun = 0;
    m_full = false;
}

void ListedFiles::BeginDirectory() {
    m_begun = m_names.size();
}

void ListedFiles::Add(std::string_view sjisName) {
    if (m_full)
        return;
    if (sjisName.size() + 1 > m_maxBytes - m_names.size()) {
        m_full = true;
        return;
    }
    try {
        m_names.append(sjisName).push_back('\0');
    } catch (const std::bad_alloc&) {
        // Not an end of the walk: the directories from here on are simply listed again.
        m_full = true;
    }
}

void ListedFiles::EndDirectory(bool complete) {
    const bool kept = complete && !m_full;
    if (!kept)
        m_names.resize(m_begun);
    m_ends.push_back(m_names.size());
    m_kept.push_back(kept);
}

std::optional<std::string_view> ListedFiles::Names(std::size_t index) const {
    if (index >= m_ends.size() || !m_kept[index])
        return std::nullopt;
    const std::size_t start = index > 0 ? m_ends[index - 1] : 0;
    return std::string_view(m_names).substr(start, m_ends[index] - start);
}

std::optional<std::string_view> NextListedName(std::string_view& names) {
    if (names.empty())
        return std::nullopt;
    const std::size_t nul = names.find('\0');
    const std::string_view name = names.substr(0, nul);
    names.remove_prefix(nul + 1);
    return name;
}

void ListFileNames(const std::string& sjisDirectory, ListedFiles& files) {
    files.BeginDirectory();
    DirectoryListing listing;
    if (!listing.Open(SjisPathToNative(sjisDirectory))) {
        files.EndDirectory(false);
        return;
    }
    struct stat st {};
    while (listing.Next() != nullptr) {
        // Directories and devices, FIFOs and sockets are passed over unopened.
        if (listing.Kind(false, st) == EntryKind::File)
            files.Add(listing.SjisName());
    }
    files.EndDirectory(true);
}

} // namespace nelvix
