// The walk over a file set and its subdirectories at scale: trees whose folder list is many times
// the list's first allocation, chains hundreds of folders deep, names of 255 bytes, and the end
// of a walk whose list reaches its ceiling.
#include "fileset/file_set_walk.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "fileset/file_set.h"
#include "fileset/file_tree.h"
#include "support/test_files.h"

namespace nelvix {
namespace {

using Strings = std::vector<std::string>;

constexpr std::size_t kDefaultFirstBytes = 150 * 1024;
constexpr const char* kFileName = "f.txt";

/// The names `opendir` on `directory` (ending in '/') gives, in its order, without "." and
/// "..", split into folders and regular files; nothing when it cannot be opened.
void ListNative(const std::string& directory, Strings& folders, Strings& files) {
    DIR* dir = ::opendir(directory.c_str());
    if (dir == nullptr)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        struct stat st {};
        if (name == "." || name == ".." || ::fstatat(::dirfd(dir), entry->d_name, &st, 0) != 0)
            continue;
        if (S_ISDIR(st.st_mode))
            folders.push_back(directory + name + "/");
        else if (S_ISREG(st.st_mode))
            files.push_back(directory + name);
    }
    ::closedir(dir);
}

/// What a walk of `top` (ending in '/') must give, worked out from the file system alone: every
/// folder below it breadth-first, and every regular file, the top's first, then each folder's.
struct ExpectedWalk {
    Strings folders;
    Strings files;
};

ExpectedWalk BreadthFirst(const std::string& top) {
    ExpectedWalk expected;
    ListNative(top, expected.folders, expected.files);
    for (std::size_t i = 0; i < expected.folders.size(); ++i) {
        Strings below;
        ListNative(expected.folders[i], below, expected.files);
        expected.folders.insert(expected.folders.end(), below.begin(), below.end());
    }
    return expected;
}

/// A folder as the list stores it: quoted when it holds a blank, the '/' after the quote.
std::string StoredItem(const std::string& folder) {
    return QuotePathWithSpaces(folder.substr(0, folder.size() - 1)) + "/";
}

Strings ListedItems(const SubdirectoryList& list) {
    Strings items;
    for (const std::string_view item : list.Items())
        items.emplace_back(item);
    return items;
}

Strings WalkedFiles(const std::string& specification, std::size_t firstBytes,
                    FileSetWalkEnd expectedEnd, std::size_t maxBytes = kUnlimitedListBytes) {
    Strings visited;
    const FileSetWalkEnd end = WalkFileSet(
        specification, true, firstBytes,
        [&](const std::string& path) {
            visited.push_back(path);
            return true;
        },
        {}, maxBytes);
    EXPECT_EQ(end, expectedEnd);
    return visited;
}

/// Checks the list and the walk of `top` (ending in '/') against the file system's own order.
void ExpectWalkedWhole(const std::string& top, const ExpectedWalk& expected) {
    SubdirectoryList list(kDefaultFirstBytes);
    EXPECT_EQ(list.ListSubdirectories(top + "*.*"), static_cast<long>(expected.folders.size()));
    Strings items;
    for (const std::string& folder : expected.folders)
        items.push_back(StoredItem(folder));
    EXPECT_EQ(ListedItems(list), items);
    EXPECT_EQ(WalkedFiles(top + "*.*", kDefaultFirstBytes, FileSetWalkEnd::Done), expected.files);
}

/// A name of `bytes` bytes, some with blanks and parentheses, unique by level and index.
std::string LongFolderName(int level, int index, std::size_t bytes) {
    std::string name = std::to_string(level) + "-" + std::to_string(index);
    if ((level + index) % 3 == 1)
        name += " (copy " + std::to_string(index) + ") ";
    else if ((level + index) % 3 == 2)
        name += "_(old)";
    name.resize(bytes, index % 2 == 0 ? 'y' : 'x');
    return name;
}

/// A tree of `fanOut[level]` folders at each level below `top`, one file in each, and the number
/// of folders made.
std::size_t MakeLevels(const std::string& top, const std::vector<int>& fanOut,
                       std::size_t nameBytes) {
    Strings level = {top};
    std::size_t made = 0;
    for (std::size_t depth = 0; depth < fanOut.size(); ++depth) {
        Strings next;
        for (const std::string& parent : level) {
            for (int i = 0; i < fanOut[depth]; ++i) {
                next.push_back(parent + LongFolderName(static_cast<int>(depth), i, nameBytes) +
                               "/");
                ::mkdir(next.back().c_str(), 0755);
                ::close(::creat((next.back() + kFileName).c_str(), 0644));
                ++made;
            }
        }
        level.swap(next);
    }
    return made;
}

TEST(FileSetWalk, TreeTenTimesTheFirstAllocationIsListedWholeBreadthFirst) {
    const test::TempDir dir;
    const std::string top = dir.Path() + "/top/";
    ::mkdir(top.c_str(), 0755);
    ::close(::creat((top + kFileName).c_str(), 0644));
    // Deep rather than wide, with names of the longest kind: the list passes 1.5 MB with few
    // folders, and paths stay below the system's limit.
    const std::size_t made = MakeLevels(top, {3, 2, 1, 1, 1, 1, 1, 1, 1, 2, 4, 10}, 255);

    const ExpectedWalk expected = BreadthFirst(top);
    ASSERT_EQ(expected.folders.size(), made);
    ASSERT_EQ(expected.files.size(), made + 1);
    std::size_t listBytes = 0;
    for (const std::string& folder : expected.folders)
        listBytes += StoredItem(folder).size() + 1;
    ASSERT_GT(listBytes, 10 * kDefaultFirstBytes);
    ExpectWalkedWhole(top, expected);
}

/// Removes `name` inside `parentFd` with everything below it, through descriptors, so that
/// paths longer than the system allows are removed too.
void RemoveBelow(int parentFd, const std::string& name) {
    const int fd = ::openat(parentFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
    if (fd < 0) {
        ::unlinkat(parentFd, name.c_str(), 0);
        return;
    }
    Strings entries;
    if (DIR* dir = ::fdopendir(::dup(fd))) {
        while (const dirent* entry = ::readdir(dir))
            entries.emplace_back(entry->d_name);
        ::closedir(dir);
    }
    for (const std::string& entry : entries) {
        if (entry != "." && entry != "..")
            RemoveBelow(fd, entry);
    }
    ::close(fd);
    ::unlinkat(parentFd, name.c_str(), AT_REMOVEDIR);
}

/// A chain of `depth` folders of `nameBytes`-byte names below `root`/top, one file in each,
/// made through descriptors; removed with everything in it when the object goes.
class FolderChain {
public:
    FolderChain(const std::string& root, int depth, std::size_t nameBytes) : m_root(root) {
        int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY);
        for (int level = 0; level <= depth; ++level) {
            const std::string name = level == 0 ? "top" : LongFolderName(level, level, nameBytes);
            ::mkdirat(fd, name.c_str(), 0755);
            const int next = ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY);
            ::close(fd);
            fd = next;
            ::close(::openat(fd, kFileName, O_WRONLY | O_CREAT, 0644));
        }
        ::close(fd);
    }
    ~FolderChain() {
        const int fd = ::open(m_root.c_str(), O_RDONLY | O_DIRECTORY);
        RemoveBelow(fd, "top");
        ::close(fd);
    }
    FolderChain(const FolderChain&) = delete;
    FolderChain& operator=(const FolderChain&) = delete;

private:
    std::string m_root;
};

TEST(FileSetWalk, DeepChainsAndLongNamesAreWalkedWithoutError) {
    struct Case {
        const char* name;
        int depth;
        std::size_t nameBytes;
        bool pastThePathLimit; // the deeper folders cannot be opened by their path
    };
    const Case cases[] = {
        {"ChainThreeHundredDeep", 300, 8, false},
        {"NamesOf255Bytes", 12, 255, false},
        {"ThreeHundredNamesOf255Bytes", 300, 255, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const test::TempDir dir;
        const FolderChain chain(dir.Path(), c.depth, c.nameBytes);
        const std::string top = dir.Path() + "/top/";
        const ExpectedWalk expected = BreadthFirst(top);
        if (c.pastThePathLimit) {
            ASSERT_GT(expected.folders.size(), 1u);
            ASSERT_LT(expected.folders.size(), static_cast<std::size_t>(c.depth));
        } else {
            ASSERT_EQ(expected.folders.size(), static_cast<std::size_t>(c.depth));
            ASSERT_EQ(expected.files.size(), static_cast<std::size_t>(c.depth) + 1);
        }
        ExpectWalkedWhole(top, expected);
    }
}

TEST(FileSetWalk, OnlyTheCeilingStopsTheSubdirectories) {
    struct Case {
        const char* name;
        std::size_t firstBytes;
        std::size_t maxBytes;
        FileSetWalkEnd end;
        Strings files; // below the test folder
    };
    const Case cases[] = {
        {"FirstAllocationOfFourBytesGrows",
         4,
         kUnlimitedListBytes,
         FileSetWalkEnd::Done,
         {"/top/a.txt", "/top/sub/b.txt", "/top/sub/deep/c.txt"}},
        {"CeilingKeepsTheTopDirectorysFiles",
         4,
         8,
         FileSetWalkEnd::SubdirectoryOverflow,
         {"/top/a.txt"}},
    };
    const test::TempDir dir;
    test::MakeTree(dir.Path(), {"top/a.txt", "top/sub/b.txt", "top/sub/deep/c.txt"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Strings files;
        for (const std::string& file : c.files)
            files.push_back(dir.Path() + file);
        EXPECT_EQ(WalkedFiles(dir.Path() + "/top/*.txt", c.firstBytes, c.end, c.maxBytes), files);
    }
}

TEST(FileSetWalk, ListingAskedAfterEachFolderStopsWhenTold) {
    // A run lets its events through while a big tree is listed, and "中断" ends the listing.
    const test::TempDir dir;
    test::MakeTree(dir.Path(), {"top/a.txt", "top/s1/b.txt", "top/s2/c.txt", "top/s1/d/e.txt"});
    for (const int answersTrue : {100, 1, 0}) {
        SCOPED_TRACE(answersTrue);
        int asked = 0;
        Strings visited;
        const FileSetWalkEnd end = WalkFileSet(
            dir.Path() + "/top/*.txt", true, kDefaultFirstBytes,
            [&](const std::string& path) {
                visited.push_back(path);
                return true;
            },
            [&] { return asked++ < answersTrue; });
        if (answersTrue == 100) {
            EXPECT_EQ(end, FileSetWalkEnd::Done);
            EXPECT_EQ(asked, 4); // once for the top's own folders, once per folder below
            EXPECT_EQ(visited.size(), 4u);
        } else {
            EXPECT_EQ(end, FileSetWalkEnd::Stopped);
            EXPECT_EQ(asked, answersTrue + 1);
            EXPECT_EQ(visited, Strings{dir.Path() + "/top/a.txt"});
        }
    }
}

} // namespace
} // namespace nelvix
