// The subdirectory list: breadth-first, quoted paths with blanks, links never walked twice, the
// -1 of a full buffer; and a whole tree searched through the list.
#include "search/file_set.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "search/file_tree.h"
#include "support/test_files.h"

namespace nelvix {
namespace {

using Strings = std::vector<std::string>;

constexpr std::size_t kDefaultBufferBytes = 150 * 1024;

/// Depth in the tree: a breadth-first list never goes back to a shallower item.
long Depth(const std::string& item) {
    return std::ranges::count(item, '/');
}

struct ListCase {
    const char* name;
    Strings tree;
    Strings items; // "{T}" stands for the test folder; the walk starts at {T}/top
};

class SubdirectoryListTable : public testing::TestWithParam<ListCase> {};

TEST_P(SubdirectoryListTable, ListsEveryDirectoryOnce) {
    const ListCase& c = GetParam();
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

INSTANTIATE_TEST_SUITE_P(
    Trees, SubdirectoryListTable,
    testing::Values(
        ListCase{"BreadthFirst",
                 {"top/a/x/deep/", "top/b/y/", "top/f.txt"},
                 {"{T}/top/a/", "{T}/top/b/", "{T}/top/a/x/", "{T}/top/b/y/", "{T}/top/a/x/deep/"}},
        ListCase{"EmptyTop", {"top/"}, {}},
        ListCase{"NoFilesFifosOrBrokenLinks", {"top/f.txt", "top/p|", "top/gone -> none"}, {}},
        ListCase{"BlankInQuotes",
                 {"top/My Files/sub/"},
                 {"\"{T}/top/My Files\"/", "\"{T}/top/My Files/sub\"/"}},
        ListCase{"JapaneseName", {"top/漢字/"}, {"{T}/top/\x8A\xBF\x8E\x9A/"}},
        ListCase{"LinkBackToTheTop", {"top/a/loop -> .."}, {"{T}/top/a/"}},
        ListCase{"LinkToItsParent", {"top/a/b/up -> .."}, {"{T}/top/a/", "{T}/top/a/b/"}},
        ListCase{"LinkOutOfTheTreeIsFollowed",
                 {"out/o1/", "top/ext -> ../out"},
                 {"{T}/top/ext/", "{T}/top/ext/o1/"}},
        ListCase{"MissingTop", {}, {}}),
    [](const testing::TestParamInfo<ListCase>& row) { return std::string(row.param.name); });

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

struct OverflowCase {
    const char* name;
    Strings tree;
    bool plusRoot; // the buffer also takes the test folder's path length
    std::size_t bufferBytes;
    long count;
};

class SubdirectoryOverflowTable : public testing::TestWithParam<OverflowCase> {};

TEST_P(SubdirectoryOverflowTable, KeepsAPathBufferFree) {
    const OverflowCase& c = GetParam();
    const test::TempDir dir;
    test::MakeTree(dir.Path(), c.tree);
    SubdirectoryList list(c.bufferBytes + (c.plusRoot ? dir.Path().size() : 0));
    EXPECT_EQ(list.ListSubdirectories(dir.Path() + "/top/*.*"), c.count);
}

// The item "{T}/top/a/" takes the root's length plus 8 bytes with its NUL.
INSTANTIATE_TEST_SUITE_P(
    Buffers, SubdirectoryOverflowTable,
    testing::Values(
        OverflowCase{"ItemReachesTheReserve", {"top/a/"}, true, 8 + kPathBufferBytes, -1},
        OverflowCase{"ItemStopsAByteShort", {"top/a/"}, true, 9 + kPathBufferBytes, 1},
        OverflowCase{"TenKilobytesTooFew", Grid(10, 40), false, 10 * 1024, -1},
        OverflowCase{"TwentyKilobytesEnough", Grid(10, 40), false, 20 * 1024, 110},
        OverflowCase{"ItemLongerThanTheSpaceLeft",
                     {"top/" + std::string(255, 'a') + "/" + std::string(255, 'b') + "/"},
                     true,
                     600,
                     -1}),
    [](const testing::TestParamInfo<OverflowCase>& row) { return std::string(row.param.name); });

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

TEST(SubdirectoryList, WholeTreeThroughTheList) {
    const test::TempDir dir;
    test::MakeTree(dir.Path(), {"top/a.dat", "top/漢字/b.txt", "top/My Files/c.txt",
                                "top/My Files/sub/d.txt", "top/My Files/sub/e.dat"});
    const std::string userSpecification = dir.Path() + "/top/*.txt";
    FileSet files;
    EXPECT_FALSE(files.FirstFile(userSpecification)); // an empty top still has subdirectories
    SubdirectoryList list(kDefaultBufferBytes);
    ASSERT_EQ(list.ListSubdirectories(dir.Path() + "/top/*.*"), 3);
    Strings found;
    for (const std::string_view item : list.Items()) {
        const std::string spec = SubdirectorySpecification(item, userSpecification);
        for (auto file = files.FirstFile(spec); file; file = files.NextFile())
            found.push_back(file->substr(dir.Path().size() + 5));
    }
    std::ranges::sort(found);
    EXPECT_EQ(found, (Strings{"My Files/c.txt", "My Files/sub/d.txt", "\x8A\xBF\x8E\x9A/b.txt"}));
}

} // namespace
} // namespace nelvix
