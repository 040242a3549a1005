// Reading one directory for the file sets, telling entries apart by the listing's own type
// field and a stat at most: an entry is never opened, so a FIFO cannot block the walk.
#include "fileset/directory_listing.h"

#include <fcntl.h>

#include "base/native_path.h"

namespace nelvix {
namespace {

EntryKind KindOfMode(mode_t mode) {
    if (S_ISREG(mode))
        return EntryKind::File;
    if (S_ISDIR(mode))
        return EntryKind::Directory;
    return EntryKind::Other;
}

} // namespace

bool DirectoryListing::Open(const std::string& nativePath) {
    Close();
    m_dir = ::opendir(nativePath.c_str());
    return m_dir != nullptr;
}

void DirectoryListing::Close() {
    if (m_dir != nullptr)
        ::closedir(m_dir);
    m_dir = nullptr;
    m_entry = nullptr;
}

const char* DirectoryListing::Next() {
    if (m_dir == nullptr)
        return nullptr;
    // The file system's order: no sorting, so that a listing costs no memory of its own.
    m_entry = ::readdir(m_dir);
    return m_entry != nullptr ? m_entry->d_name : nullptr;
}

EntryKind DirectoryListing::Kind(bool statDirectories, struct stat& st) const {
    if (m_entry == nullptr)
        return EntryKind::Other;
    switch (m_entry->d_type) {
    case DT_REG:
        return EntryKind::File;
    case DT_DIR:
        if (!statDirectories)
            return EntryKind::Directory;
        break;
    case DT_LNK:
    case DT_UNKNOWN:
        break;
    default:
        return EntryKind::Other;
    }
    // Follows a symbolic link: what it leads to decides, and a broken link is no file.
    if (::fstatat(::dirfd(m_dir), m_entry->d_name, &st, 0) != 0)
        return EntryKind::Other;
    return KindOfMode(st.st_mode);
}

std::string_view DirectoryListing::SjisName() {
    if (m_entry == nullptr)
        return {};
    const std::string_view native(m_entry->d_name);
    // Printable ASCII is the same in both forms: most names cost no conversion.
    bool printableAscii = true;
    for (const char c : native)
        printableAscii = printableAscii && c >= 0x20 && c < 0x7F;
    if (printableAscii)
        return native;
    m_sjisName = NativePathToSjis(native);
    return m_sjisName;
}

bool DirectoryListing::Identify(struct stat& st) const {
    return m_dir != nullptr && ::fstat(::dirfd(m_dir), &st) == 0;
}

} // namespace nelvix
