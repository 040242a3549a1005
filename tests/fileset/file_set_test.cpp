// File sets: the patterns of a specification and of a subdirectory's specification, and the
// files returned pattern by pattern with directories, devices and FIFOs passed over.
#include "fileset/file_set.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>

#include "base/native_path.h"
#include "fileset/file_tree.h"
#include "fileset/search_specification.h"
#include "pattern/multi_text.h"
#include "support/test_files.h"

namespace nelvix {
namespace {

using Strings = std::vector<std::string>;

TEST(SpecificationPatterns, FullPathPatterns) {
    const struct {
        const char* name;
        std::string item; // empty: the search specification itself, else the item's specification
        std::string specification;
        Strings patterns;
    } cases[] = {
        {"RelativeWords", "", "/s/*.c *.h i/*.h", {"/s/*.c", "/s/*.h", "/s/i/*.h"}},
        {"AbsoluteWordAsItIs", "", "/s/*.c /i/*.h", {"/s/*.c", "/i/*.h"}},
        {"QuotedDirectory", "", "\"/M F\"/*.c \"a b\"", {"/M F/*.c", "/M F/a b"}},
        {"AtMostTen",
         "",
         "/a/1 2 3 4 5 6 7 8 9 10 11",
         {"/a/1", "/a/2", "/a/3", "/a/4", "/a/5", "/a/6", "/a/7", "/a/8", "/a/9", "/a/10"}},
        {"DeepPathKeptWhole",
         "",
         "/" + std::string(300, 'd') + "/*.c",
         {"/" + std::string(300, 'd') + "/*.c"}},
        {"Blank", "", "   ", {}},
        {"ItemTakesTheFilePatterns", "/s/l/", "/s/*.c *.h", {"/s/l/*.c", "/s/l/*.h"}},
        {"QuotedItem", "\"/M F/l\"/", "\"/M F\"/*.c *.h", {"/M F/l/*.c", "/M F/l/*.h"}},
        {"WhollyQuotedFirstWord", "/a/", "\"/x y/*.c\" \"m *\"", {"/a/*.c", "/a/m *"}},
        {"ItemKeepsARelativeDirectory", "/s/l/", "/s/*.c i/*.h", {"/s/l/*.c", "/s/l/i/*.h"}},
        {"AbsoluteWordStaysWithTheTop", "/s/l/", "/s/*.c /i/*.h", {"/s/l/*.c"}},
        {"QuoteInTheItem", "\"/t/a\"\"b\"/", "/t/*.c", {"/t/a\"b/*.c"}},
        {"ItemOfAnEmptySpecification", "/s/l/", "", {}}};
    for (const auto& c : cases)
        EXPECT_EQ(SpecificationPatterns(c.item.empty()
                                            ? c.specification
                                            : SubdirectorySpecification(c.item, c.specification)),
                  c.patterns)
            << c.name;
}

// The same words as the multi-text splitter, which the person typing a specification knows.
TEST(SpecificationWords, AsTheMultiTextSplitterReadsThem) {
    for (const std::string_view text : {"/a/*.c  *.h ", "\"/M F\"/*.c \"a\"\"b\"", "a\"b c\"d \"e",
                                        "/a \"\" b", "\x83\" x\"", "\"\"\"\"", "\x83"})
        EXPECT_EQ(SplitSpecificationWords(text, 10), SplitMultiText(text, 10)) << text;
}

TEST(PathParts, SplitAndQuote) {
    const struct {
        std::string_view path, directory, name, quoted;
    } rows[] = {
        {"/src/a.c", "/src/", "a.c", "/src/a.c"},
        {"a.c", "", "", "a.c"},
        {"/src/", "/src/", "", "/src/"},
        {"/My Files/x", "/My Files/", "x", "\"/My Files/x\""},
        {"/a\"b", "/", "a\"b", "\"/a\"\"b\""},
        {"/\x95\x5C/x", "/\x95\x5C/", "x", "/\x95\x5C/x"}, // a trail byte 0x5C is no separator
    };
    for (const auto& row : rows) {
        EXPECT_EQ(SplitDirectory(row.path).directory, row.directory) << row.path;
        EXPECT_EQ(SplitDirectory(row.path).name, row.name) << row.path;
        EXPECT_EQ(QuotePathWithSpaces(row.path), row.quoted);
    }
}

/// Every file of the set, relative to `root`.
Strings AllFiles(FileSet& files, const std::string& specification, const std::string& root) {
    Strings found;
    for (auto file = files.FirstFile(specification); file; file = files.NextFile())
        found.push_back(file->substr(root.size() + 1));
    return found;
}

TEST(FileSet, ListsFilesPatternByPattern) {
    const struct {
        const char* name;
        Strings tree;
        std::string specification; // "{T}" stands for the test folder
        /// Pattern by pattern; within a pattern the file system's order rules.
        std::vector<Strings> patterns;
    } cases[] = {
        {"PatternByPattern",
         {"a.c", "b.c", "a.h", "x.txt"},
         "{T}/*.c *.h",
         {{"a.c", "b.c"}, {"a.h"}}},
        {"FileOfTwoPatternsComesTwice",
         {"a.c", "b.c"},
         "{T}/*.c *.c",
         {{"a.c", "b.c"}, {"a.c", "b.c"}}},
        {"HiddenFileListed", {".hidden", "README"}, "{T}/*.*", {{".hidden", "README"}}},
        {"NoDirectoriesFifosOrBrokenLinks",
         {"d.txt/", "p.txt|", "gone.txt -> none", "ld.txt -> d.txt", "a.txt"},
         "{T}/*.txt",
         {{"a.txt"}}},
        {"LinkToAFileIsAFile", {"a.txt", "l.txt -> a.txt"}, "{T}/*.txt", {{"a.txt", "l.txt"}}},
        {"DirectoryWithASpace", {"M F/a.txt"}, "\"{T}/M F\"/*.txt", {{"M F/a.txt"}}},
        {"JapaneseAndEscapedNames",
         {"漢字.txt", "\xFF.txt", "a\\~.txt"},
         "{T}/?.txt *",
         {{"\xF1\x84.txt"}, {"\x8A\xBF\x8E\x9A.txt", "\xF1\x84.txt", "a\\~.txt"}}},
        {"MissingDirectory", {}, "{T}/none/*.* *.c", {}},
        {"EmptySpecification", {"a.c"}, "", {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const test::TempDir dir;
        test::MakeTree(dir.Path(), c.tree);
        FileSet files;
        Strings found = AllFiles(files, test::WithRoot(c.specification, dir.Path()), dir.Path());
        for (const std::string& file : found)
            EXPECT_EQ(::access(SjisPathToNative(dir.Path() + "/" + file).c_str(), R_OK), 0) << file;
        auto from = found.begin();
        for (Strings expected : c.patterns) {
            ASSERT_LE(expected.size(), static_cast<std::size_t>(found.end() - from));
            std::sort(from, from + static_cast<long>(expected.size()));
            std::ranges::sort(expected);
            EXPECT_EQ(Strings(from, from + static_cast<long>(expected.size())), expected);
            from += static_cast<long>(expected.size());
        }
        EXPECT_EQ(from, found.end());
    }
}

TEST(FileSet, EndsForGoodAndStartsAgain) {
    const test::TempDir dir;
    test::MakeTree(dir.Path(), {"a.c", "b.c"});
    FileSet files;
    ASSERT_TRUE(files.FirstFile(dir.Path() + "/*.c"));
    files.EndFiles();
    EXPECT_FALSE(files.NextFile());
    EXPECT_EQ(AllFiles(files, dir.Path() + "/*.c", dir.Path()).size(), 2u);
    EXPECT_FALSE(files.NextFile());
}

} // namespace
} // namespace nelvix
