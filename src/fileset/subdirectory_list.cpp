// The subdirectory list of a file set: every directory below the top one, breadth-first, in one
// buffer that grows as the tree needs; the same pass may keep each directory's file names.
#include "fileset/file_set.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <new>

#include "base/native_path.h"
#include "fileset/directory_listing.h"
#include "fileset/listed_files.h"
#include "fileset/search_specification.h"

namespace nelvix {
namespace {

constexpr std::string_view kEveryName = "*.*";

bool IsDotOrDotDot(const char* name) {
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

} // namespace

SubdirectoryList::SubdirectoryList(std::size_t firstBytes, std::size_t maxBytes)
    : m_firstBytes(std::max<std::size_t>(firstBytes, 1)), m_maxBytes(maxBytes) {}

long SubdirectoryList::ListSubdirectories(std::string_view sjisTopPattern) {
    if (!ListTop(sjisTopPattern))
        return -1;
    return ListBelowTop();
}

bool SubdirectoryList::ListTop(std::string_view sjisTopPattern) {
    m_used = 0;
    m_count = 0;
    m_walked.Clear();
    if (m_files != nullptr)
        m_files->Clear();
    // Paths, listings and the set of walked directories allocate too: running out of memory
    // anywhere in the walk ends it the same way.
    try {
        const SplitPath top = SplitDirectory(UnquotePath(sjisTopPattern));
        m_top = top.directory;
        return ListDirectSubdirectories(m_top, top.name, true);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

long SubdirectoryList::ListBelowTop() {
    try {
        return ListBelow();
    } catch (const std::bad_alloc&) {
        return -1;
    }
}

long SubdirectoryList::ListBelow() {
    if (m_keepGoing && !m_keepGoing())
        return kListingStopped;
    // The items appended while walking are walked too, which makes the order breadth-first.
    // Every append may move the buffer: the walk keeps an offset and copies the item out.
    std::size_t offset = 0;
    while (const std::optional<std::string_view> item = NextItem(offset)) {
        const std::string directory = UnquotePath(*item);
        if (!ListDirectSubdirectories(directory, kEveryName, false))
            return -1;
        if (m_keepGoing && !m_keepGoing())
            return kListingStopped;
    }
    return m_count;
}

std::vector<std::string_view> SubdirectoryList::Items() const {
    std::vector<std::string_view> items;
    items.reserve(static_cast<std::size_t>(m_count));
    std::size_t offset = 0;
    while (const std::optional<std::string_view> item = NextItem(offset))
        items.push_back(*item);
    return items;
}

std::optional<std::string_view> SubdirectoryList::NextItem(std::size_t& offset) const {
    if (offset >= m_used)
        return std::nullopt;
    const std::string_view item(m_buffer.get() + offset);
    offset += item.size() + 1;
    return item;
}

bool SubdirectoryList::ListDirectSubdirectories(const std::string& sjisDirectory,
                                                std::string_view namePattern, bool isTop) {
    DirectoryListing listing;
    if (m_files != nullptr)
        m_files->BeginDirectory();
    if (!listing.Open(SjisPathToNative(sjisDirectory))) {
        if (m_files != nullptr)
            m_files->EndDirectory(false);
        return true; // a directory that cannot be listed contributes nothing
    }
    struct stat st {};
    // A subdirectory went into the set when it was found; only the top comes in here unknown.
    if (isTop && listing.Identify(st))
        m_walked.Insert({st.st_dev, st.st_ino});
    while (const char* name = listing.Next()) {
        if (!IsDotOrDotDot(name) && !TakeEntry(listing, sjisDirectory, namePattern))
            return false;
    }
    if (m_files != nullptr)
        m_files->EndDirectory(true);
    return true;
}

bool SubdirectoryList::TakeEntry(DirectoryListing& listing, const std::string& sjisDirectory,
                                 std::string_view namePattern) {
    struct stat st {};
    // The listing's type field tells files and directories apart; a stat only for directories
    // (their identity) and for links and unknown types.
    const EntryKind kind = listing.Kind(true, st);
    if (kind == EntryKind::File) {
        if (m_files != nullptr)
            m_files->Add(listing.SjisName());
        return true;
    }
    if (kind != EntryKind::Directory)
        return true;
    // A directory reached a second time (a link back into the tree) is not listed again, so
    // that neither it nor its files are searched twice and a cycle ends here.
    const std::string_view sjisName = listing.SjisName();
    return !WildcardMatch(namePattern, sjisName) || !m_walked.Insert({st.st_dev, st.st_ino}) ||
           AppendItem(sjisDirectory, sjisName);
}

bool SubdirectoryList::AppendItem(std::string_view sjisDirectory, std::string_view sjisName) {
    std::string path(sjisDirectory);
    path += sjisName;
    const std::string quoted = QuotePathWithSpaces(path);
    const std::size_t itemBytes = quoted.size() + 2;
    if (!Reserve(itemBytes))
        return false;
    char* item = m_buffer.get() + m_used;
    std::memcpy(item, quoted.data(), quoted.size());
    item[quoted.size()] = '/';
    item[quoted.size() + 1] = '\0';
    m_used += itemBytes;
    ++m_count;
    return true;
}

bool SubdirectoryList::Reserve(std::size_t bytes) {
    if (bytes <= m_capacity - m_used)
        return true;
    if (bytes > m_maxBytes - m_used)
        return false;
    const std::size_t needed = m_used + bytes;
    // Doubling: a list of n bytes is copied about log2(n / first) times, never once per item.
    std::size_t capacity = std::min(m_capacity != 0 ? m_capacity : m_firstBytes, m_maxBytes);
    while (capacity < needed)
        capacity = capacity > m_maxBytes / 2 ? m_maxBytes : capacity * 2;
    std::unique_ptr<char[]> grown(new (std::nothrow) char[capacity]);
    if (!grown)
        return false;
    if (m_used != 0)
        std::memcpy(grown.get(), m_buffer.get(), m_used);
    m_buffer = std::move(grown);
    m_capacity = capacity;
    return true;
}

} // namespace nelvix
