// The walk lists each directory once; what it hands over must still be, path for path, what
// the file set gives pattern by pattern over the breadth-first subdirectory list. The
// reference here walks that way, listing every directory again for each pattern.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "fileset/file_set.h"
#include "fileset/file_set_walk.h"
#include "fileset/file_tree.h"
#include "fileset/listed_files.h"
#include "support/test_files.h"

namespace nelvix {
namespace {

using Strings = std::vector<std::string>;

constexpr std::size_t kFirstBytes = 150 * 1024;

void AddFiles(FileSet& files, const std::string& specification, Strings& paths) {
    for (std::optional<std::string> path = files.FirstFile(specification); path;
         path = files.NextFile())
        paths.push_back(*path);
}

Strings ReferenceWalk(const std::string& specification, bool subdirectories) {
    Strings paths;
    FileSet files;
    AddFiles(files, specification, paths);
    const Strings patterns = SpecificationPatterns(specification);
    if (!subdirectories || patterns.empty())
        return paths;
    SubdirectoryList list(kFirstBytes);
    if (list.ListSubdirectories(SplitDirectory(patterns.front()).directory + "*.*") < 0)
        return paths;
    for (const std::string_view item : list.Items())
        AddFiles(files, SubdirectorySpecification(item, specification), paths);
    return paths;
}

/// `visitNow` empty: the files below the top are visited after the whole listing.
Strings Walked(const std::string& specification, bool subdirectories,
               std::function<bool()> visitNow = {}) {
    Strings paths;
    int listedCalls = 0;
    const WalkAhead ahead{visitNow, [&](bool complete) {
                              EXPECT_TRUE(complete);
                              ++listedCalls;
                          }};
    const FileSetWalkEnd end = WalkFileSet(
        specification, subdirectories, kFirstBytes,
        [&](const std::string& path) {
            paths.push_back(path);
            return true;
        },
        {}, kUnlimitedListBytes, visitNow ? &ahead : nullptr);
    EXPECT_EQ(end, FileSetWalkEnd::Done);
    EXPECT_EQ(listedCalls, visitNow && subdirectories ? 1 : 0);
    return paths;
}

struct OrderCase {
    const char* name;
    const char* specification; ///< "{T}" stands for the tree's root
};

TEST(FileSetWalk, SameFilesInSameOrderAsListingPerPattern) {
    const test::TempDir dir;
    // Hidden files, links to files and to folders (one back up the tree), a broken link, a
    // FIFO, blanks and a quote in names, folders several levels deep, files in "inc" folders
    // for the relative pattern, and an absolute pattern's own folder.
    test::MakeTree(
        dir.Path(),
        {"top/a.c",          "top/b.h",          "top/.hidden.c",        "top/README",
         "top/z.txt",        "top/fifo.c|",      "top/link.c -> a.c",    "top/broken.c -> none.c",
         "top/sub/c.c",      "top/sub/d.h",      "top/sub/deep/e.c",     "top/sub/deep/f.txt",
         "top/sub/up -> ..", "top/My Files/g.c", "top/My Files/inc/h.h", "top/q\"uote/i.c",
         "top/inc/j.h",      "top/inc/k.c",      "top/empty/",           "top/dirlink -> sub",
         "other/x.h",        "other/y.c"});
    const OrderCase cases[] = {{"every_name", "{T}/top/*.*"},
                               {"several_patterns", "{T}/top/*.h *.c README"},
                               {"duplicate_pattern", "{T}/top/*.c *.c *.*"},
                               {"relative_folder_pattern", "{T}/top/*.c inc/*.h"},
                               {"absolute_pattern", "{T}/top/*.h {T}/other/*.* *.c"},
                               {"quoted_top", "\"{T}/top/My Files\"/*.* *.h"},
                               {"no_match_at_top", "{T}/top/*.none d.h e.c"}};
    for (const OrderCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string specification = test::WithRoot(c.specification, dir.Path());
        for (const bool subdirectories : {false, true}) {
            SCOPED_TRACE(subdirectories ? "with subdirectories" : "top only");
            const Strings expected = ReferenceWalk(specification, subdirectories);
            EXPECT_TRUE(!subdirectories || !expected.empty());
            EXPECT_EQ(Walked(specification, subdirectories), expected);
            // Files visited while the tree is still listed, where there is room, come in the
            // same order.
            int asked = 0;
            EXPECT_EQ(Walked(specification, subdirectories, [] { return true; }), expected);
            EXPECT_EQ(Walked(specification, subdirectories, [&] { return ++asked % 3 == 0; }),
                      expected);
        }
    }
}

TEST(ListedFiles, NamesPastTheCeilingAreNotKept) {
    ListedFiles files(12);
    const auto list = [&](const Strings& names, bool complete) {
        files.BeginDirectory();
        for (const std::string& name : names)
            files.Add(name);
        files.EndDirectory(complete);
    };
    list({"a.c", "b.c"}, true); // 8 bytes with their NULs
    list({"x"}, false);         // could not be listed
    list({}, true);
    list({"c.c", "d.c"}, true); // passes the 12 bytes: this and every later one
    list({"e"}, true);
    EXPECT_EQ(files.Names(0), std::optional<std::string_view>(std::string_view("a.c\0b.c\0", 8)));
    EXPECT_EQ(files.Names(1), std::nullopt);
    EXPECT_EQ(files.Names(2), std::optional<std::string_view>(""));
    EXPECT_EQ(files.Names(3), std::nullopt);
    EXPECT_EQ(files.Names(4), std::nullopt);
    EXPECT_EQ(files.Names(5), std::nullopt);
}

} // namespace
} // namespace nelvix
