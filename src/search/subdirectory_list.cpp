// The subdirectory list of a file set: every directory below the top one, breadth-first, in one
// buffer allocated once.
#include "search/file_set.h"

#include <sys/stat.h>

#include <cstring>

#include "search/directory_listing.h"
#include "search/search_specification.h"
#include "text/native_path.h"

namespace nelvix {
namespace {

constexpr std::string_view kEveryName = "*.*";

bool IsDotOrDotDot(const char* name) {
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

} // namespace

SubdirectoryList::SubdirectoryList(std::size_t bufferBytes) : m_buffer(bufferBytes) {}

long SubdirectoryList::ListSubdirectories(std::string_view sjisTopPattern) {
    m_used = 0;
    m_count = 0;
    m_walked.Clear();
    const SplitPath top = SplitDirectory(UnquotePath(sjisTopPattern));
    if (!ListDirectSubdirectories(top.directory, top.name))
        return -1;
    // The items appended while walking are walked too, which makes the order breadth-first.
    std::size_t itemOffset = 0;
    for (long i = 0; i < m_count; ++i) {
        const std::string_view item(m_buffer.data() + itemOffset);
        itemOffset += item.size() + 1;
        if (!ListDirectSubdirectories(UnquotePath(item), kEveryName))
            return -1;
    }
    return m_count;
}

std::vector<std::string_view> SubdirectoryList::Items() const {
    std::vector<std::string_view> items;
    items.reserve(static_cast<std::size_t>(m_count));
    for (std::size_t offset = 0; offset < m_used;) {
        const std::string_view item(m_buffer.data() + offset);
        items.push_back(item);
        offset += item.size() + 1;
    }
    return items;
}

bool SubdirectoryList::ListDirectSubdirectories(const std::string& sjisDirectory,
                                                std::string_view namePattern) {
    DirectoryListing listing;
    if (!listing.Open(SjisPathToNative(sjisDirectory)))
        return true; // a directory that cannot be listed contributes nothing
    struct stat st {};
    if (listing.Identify(st))
        m_walked.Insert({st.st_dev, st.st_ino});
    while (const char* name = listing.Next()) {
        // A directory reached a second time (a link back into the tree) is not listed again, so
        // that neither it nor its files are searched twice and a cycle ends here.
        if (!IsDotOrDotDot(name) && listing.Kind(true, st) == EntryKind::Directory) {
            const std::string_view sjisName = listing.SjisName();
            if (WildcardMatch(namePattern, sjisName) && m_walked.Insert({st.st_dev, st.st_ino}) &&
                !AppendItem(sjisDirectory, sjisName))
                return false;
        }
        // Counted after every entry, files included, so a full buffer is reported even when
        // the directory has nothing more to give.
        if (m_used + kPathBufferBytes >= m_buffer.size())
            return false;
    }
    return true;
}

bool SubdirectoryList::AppendItem(std::string_view sjisDirectory, std::string_view sjisName) {
    std::string path(sjisDirectory);
    path += sjisName;
    const std::string quoted = QuotePathWithSpaces(path);
    // Paths here may be longer than the 261 bytes kept free: such an item is an overflow too,
    // never a write past the buffer.
    const std::size_t itemBytes = quoted.size() + 2;
    if (itemBytes > m_buffer.size() - m_used)
        return false;
    char* item = m_buffer.data() + m_used;
    std::memcpy(item, quoted.data(), quoted.size());
    item[quoted.size()] = '/';
    item[quoted.size() + 1] = '\0';
    m_used += itemBytes;
    ++m_count;
    return true;
}

} // namespace nelvix
