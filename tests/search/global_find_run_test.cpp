// A global find over a file set and its subdirectories, and the search specification the dialog
// builds.
#include "fileset/search_specification.h"
#include "search/global_find_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "search/search_fakes.h"
#include "support/test_files.h"
#include "ui/fake_platform.h"

namespace nelvix {
namespace {

TEST(GlobalFindRun, SpecificationIsBuiltFromDirectoryAndFileBox) {
    const struct {
        const char* name;
        std::string directory;
        std::string fileBox;
        std::optional<std::string> expected;
    } cases[] = {
        {"AbsoluteFileBoxIsTheSpecification", "/home/u/", "/src/*.c *.h", "/src/*.c *.h"},
        {"QuotedDirectoryIsTheSpecification", "/home/u/", "\"/my dir\"/*.txt", "\"/my dir\"/*.txt"},
        {"RelativeFileBoxJoinsTheDirectory", "/home/u/", "*.c *.h", "/home/u/*.c *.h"},
        {"DirectoryWithBlankQuotedBeforeItsSlash", "/my dir/", "*.txt", "\"/my dir\"/*.txt"},
        {"RootDirectory", "/", "*.*", "/*.*"},
        {"260BytesFit", "/", std::string(259, 'a'), "/" + std::string(259, 'a')},
        {"261BytesFail", "/", std::string(260, 'a'), std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResolveSearchSpecification(c.directory, c.fileBox), c.expected) << c.name;
}

struct RunCase {
    const char* name;
    bool subdirectories;
    int stopAtCheck;
    GlobalFindCounts expected;
    std::vector<std::string> files; ///< of the result lines, sorted
};

TEST(GlobalFindRun, TopDirectoryFirstThenEachSubdirectory) {
    test::TempDir dir;
    const std::string top = dir.Path() + "/top/";
    std::filesystem::create_directories(top + "sub one");
    std::filesystem::create_directories(top + "sub2/deep");
    dir.Write("top/a.txt", "hit\r\n");
    dir.Write("top/b.c", "hit\r\n");
    dir.Write("top/sub one/c.txt", "hit\r\nhit\r\n");
    dir.Write("top/sub2/e.txt", "none\r\n");
    dir.Write("top/sub2/deep/d.txt", "x hit\r\n");
    const std::string a = top + "a.txt", c = top + "sub one/c.txt", d = top + "sub2/deep/d.txt";

    const RunCase cases[] = {
        {"SubdirectoriesAfterTheTop", true, 0, {4, 4, false, false}, {a, c, c, d}},
        {"TopDirectoryOnly", false, 0, {1, 1, false, false}, {a}},
        {"StopEndsTheRunAtOnce", true, 1, {1, 1, false, true}, {a}},
    };
    for (const RunCase& rc : cases) {
        SCOPED_TRACE(rc.name);
        ui::FakePlatform fake;
        EngineEnvironment environment{fake.platform};
        GlobalFindEngine engine(environment);
        engine.SearchSubdirectories() = rc.subdirectories;
        test::RecordingProgress progress;
        progress.stopAtCheck = rc.stopAtCheck;
        test::RecordingSink sink;
        const GlobalFindCounts counts =
            RunGlobalFind(engine, top + "*.txt", "hit", 64 * 1024, sink, progress);
        EXPECT_EQ(counts.filesSearched, rc.expected.filesSearched);
        EXPECT_EQ(counts.hits, rc.expected.hits);
        EXPECT_EQ(counts.subdirectoryOverflow, rc.expected.subdirectoryOverflow);
        EXPECT_EQ(counts.stopped, rc.expected.stopped);
        ASSERT_FALSE(sink.lines.empty());
        EXPECT_TRUE(sink.lines.front().starts_with(a + "(1): "));
        std::vector<std::string> files;
        for (const std::string& line : sink.lines)
            files.push_back(line.substr(0, line.find('(')));
        std::sort(files.begin(), files.end());
        EXPECT_EQ(files, rc.files);
    }
}

} // namespace
} // namespace nelvix
