// The subdirectory list: breadth-first, quoted paths with blanks, links never walked twice, a
// buffer that grows past its first allocation and the -1 of a ceiling reached.
#include "fileset/file_set.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "fileset/file_tree.h"
#include "support/test_files.h"

namespace nelvix {
namespace {

using Strings = std::vector<std::string>;

constexpr std::size_t kDefaultBufferBytes = 150 * 1024;

/// Depth in the tree: a breadth-first list never goes back to a shallower item.
long Depth(const std::string& item) {
    return std::ranges::count(item, '/');
}

TEST(SubdirectoryList, ListsEveryDirectoryOnce) {
    const struct {
        const char* name;
        Strings tree;
        Strings items; // "{T}" stands for the test folder; the walk starts at {T}/top
    } cases[] = {
        {"BreadthFirst",
         {"top/a/x/deep/", "top/b/y/", "top/f.txt"},
         {"{T}/top/a/", "{T}/top/b/", "{T}/top/a/x/", "{T}/top/b/y/", "{T}/top/a/x/deep/"}},
        {"EmptyTop", {"top/"}, {}},
        {"NoFilesFifosOrBrokenLinks", {"top/f.txt", "top/p|", "top/gone -> none"}, {}},
        {"BlankInQuotes",
         {"top/My Files/sub/"},
         {"\"{T}/top/My Files\"/", "\"{T}/top/My Files/sub\"/"}},
        {"JapaneseName", {"top/漢字/"}, {"{T}/top/\x8A\xBF\x8E\x9A/"}},
        {"LinkBackToTheTop", {"top/a/loop -> .."}, {"{T}/top/a/"}},
        {"LinkToItsParent", {"top/a/b/up -> .."}, {"{T}/top/a/", "{T}/top/a/b/"}},
        {"LinkOutOfTheTreeIsFollowed",
         {"out/o1/", "top/ext -> ../out"},
         {"{T}/top/ext/", "{T}/top/ext/o1/"}},
        {"MissingTop", {}, {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const test::TempDir dir;
        test::MakeTree(dir.Path(), c.tree);
        SubdirectoryList list(kDefaultBufferBytes);
        const long count = list.ListSubdirectories(dir.Path() + "/top/*.*");
        Strings items;
        for (const std::string_view item : list.Items())
            items.emplace_back(item);
        EXPECT_TRUE(std::ranges::is_sorted(items, {}, Depth));
        Strings expected;
        for (const std::string& item : c.items)
            expected.push_back(test::WithRoot(item, dir.Path()));
        std::ranges::sort(items);
        std::ranges::sort(expected);
        EXPECT_EQ(items, expected);
        EXPECT_EQ(count, static_cast<long>(expected.size()));
    }
}

/// `width` directories of `nameBytes`-byte names under top, each with `width` more.
Strings Grid(int width, std::size_t nameBytes) {
    Strings tree;
    for (int i = 0; i < width; ++i) {
        const std::string outer = "top/" + std::to_string(i) + std::string(nameBytes - 1, 'o');
        for (int j = 0; j < width; ++j)
            tree.push_back(outer + "/" + std::to_string(j) + std::string(nameBytes - 1, 'i') + "/");
    }
    return tree;
}

constexpr std::size_t kNoCeiling = kUnlimitedListBytes;

struct GrowthCase {
    const char* name;
    Strings tree;
    std::size_t firstBytes;
    bool plusRoot; // the ceiling also takes the test folder's path length
    std::size_t maxBytes;
    long count;
};

// The item "{T}/top/a/" takes the root's length plus 8 bytes with its NUL.
TEST(SubdirectoryList, GrowsUpToTheCeilingOnly) {
    const GrowthCase cases[] = {
        {"FirstAllocationOfFourBytesGrows", Grid(10, 40), 4, false, kNoCeiling, 110},
        {"FirstAllocationOfNothingGrows", Grid(3, 200), 0, false, kNoCeiling, 12},
        {"LastItemFillsTheCeilingExactly", {"top/a/"}, 4, true, 8, 1},
        {"LastItemOneBytePastTheCeiling", {"top/a/"}, 4, true, 7, -1},
        {"CeilingBelowTheFirstAllocation", {"top/a/"}, 150 * 1024, true, 7, -1},
        {"CeilingReachedDeepInTheTree", Grid(10, 40), 4, false, 10 * 1024, -1},
        {"ItemLongerThanTheCeiling",
         {"top/" + std::string(255, 'a') + "/" + std::string(255, 'b') + "/"},
         64,
         true,
         600,
         -1}};
    for (const GrowthCase& c : cases) {
        SCOPED_TRACE(c.name);
        const test::TempDir dir;
        test::MakeTree(dir.Path(), c.tree);
        const std::size_t maxBytes = c.maxBytes + (c.plusRoot ? dir.Path().size() : 0);
        SubdirectoryList list(c.firstBytes, maxBytes);
        const long count = list.ListSubdirectories(dir.Path() + "/top/*.*");
        EXPECT_EQ(count, c.count);
        if (count < 0)
            continue;
        // What was listed after growing is whole: every item once, none torn by a move.
        Strings items;
        for (const std::string_view item : list.Items())
            items.emplace_back(item);
        EXPECT_TRUE(std::ranges::is_sorted(items, {}, Depth));
        EXPECT_EQ(static_cast<long>(items.size()), count);
        std::ranges::sort(items);
        EXPECT_EQ(std::ranges::adjacent_find(items), items.end());
        for (const std::string& item : items)
            EXPECT_TRUE(item.starts_with(dir.Path() + "/top/") && item.ends_with('/')) << item;
    }
}

TEST(SubdirectoryList, SecondListingAfterGrowingStartsAfresh) {
    const test::TempDir dir;
    test::MakeTree(dir.Path(), Grid(4, 100));
    SubdirectoryList list(4);
    ASSERT_EQ(list.ListSubdirectories(dir.Path() + "/top/*.*"), 20);
    const std::string outer = dir.Path() + "/top/0" + std::string(99, 'o') + "/";
    ASSERT_EQ(list.ListSubdirectories(outer + "*.*"), 4);
    const std::vector<std::string_view> items = list.Items();
    ASSERT_EQ(items.size(), 4u);
    for (const std::string_view item : items)
        EXPECT_TRUE(item.starts_with(outer)) << item;
}

TEST(SubdirectoryList, UnreadableDirectoryContributesNothing) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permission bits do not stop root from reading";
    const test::TempDir dir;
    test::MakeTree(dir.Path(), {"top/a/x/", "top/a/f.txt", "top/b/"});
    ::chmod((dir.Path() + "/top/a").c_str(), 0);
    SubdirectoryList list(kDefaultBufferBytes);
    EXPECT_EQ(list.ListSubdirectories(dir.Path() + "/top/*.*"), 2);
    FileSet files;
    EXPECT_FALSE(files.FirstFile(dir.Path() + "/top/a/*.*"));
    ::chmod((dir.Path() + "/top/a").c_str(), 0755);
}

} // namespace
} // namespace nelvix
