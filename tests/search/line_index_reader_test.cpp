// The line index of a file and reading its lines back through the 30,720-byte window.
#include "search/line_index_reader.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "search/global_find_engine.h"
#include "support/test_files.h"
#include "ui/fake_platform.h"

namespace nelvix {
namespace {

using LineTexts = std::vector<std::optional<std::string>>;

class LineIndex : public testing::Test {
protected:
    LineTexts ReadLines() {
        LineTexts lines;
        for (std::size_t i = 0; i < reader.LineCount(); ++i) {
            std::optional<std::string_view> text = reader.LineText(i);
            lines.push_back(text ? std::optional<std::string>(*text) : std::nullopt);
        }
        return lines;
    }
    test::TempDir dir;
    ui::FakePlatform fake;
    EngineEnvironment environment{fake.platform};
    GlobalFindEngine engine{environment};
    LineIndexReader reader{fake.platform};
};

struct LinesCase {
    const char* name;
    std::string text;
    LineTexts expected;
};

TEST_F(LineIndex, LinesAreReadBackWithTheirLineEnds) {
    const std::string longLine = std::string(kChunkBytes - 1, 'x') + "\r\n";
    const LinesCase cases[] = {
        {"EmptyFile", "", {}},
        {"LastLineWithoutLineEnd", "a\r\nbc", {"a\r\n", "bc"}},
        {"FinalLineEndStartsNoLine", "a\r\n\r\nb\r\n", {"a\r\n", "\r\n", "b\r\n"}},
        {"LineLongerThanTheWindowGivesNothing",
         "a\r\n" + longLine + "b\r\n",
         {"a\r\n", std::nullopt, "b\r\n"}},
    };
    for (const LinesCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(reader.Build(engine, dir.Write("f.txt", c.text)), LineIndexResult::Ok);
        EXPECT_EQ(ReadLines(), c.expected);
        // Read again backwards, so that the window is refilled for each line.
        for (std::size_t i = reader.LineCount(); i-- > 0;)
            EXPECT_EQ(reader.LineText(i).has_value(), c.expected[i].has_value());
    }
    EXPECT_EQ(reader.LineLength(1), longLine.size());
    EXPECT_EQ(reader.LineLength(3), 0u);
}

TEST_F(LineIndex, IndexesTheConvertedCopyAndKeepsTheSearchOptions) {
    environment.workFilePath = dir.PathOf("nelvix.wrk");
    environment.multiText = true;
    engine.Options().regularExpression = true;
    engine.Options().widthSensitive = false;
    ASSERT_EQ(reader.Build(engine, test::TestDataPath("sample.euc.txt")), LineIndexResult::Ok);
    const std::string sjis = test::ReadFileBytes(test::TestDataPath("sample.sjis.txt"));
    std::string joined;
    for (const std::optional<std::string>& line : ReadLines())
        joined += line.value_or("?");
    EXPECT_EQ(joined, sjis);
    EXPECT_TRUE(engine.Options().regularExpression);
    EXPECT_FALSE(engine.Options().widthSensitive);
}

struct CodeCase {
    const char* name;
    std::size_t lines;
    bool missing;
    int failFromAllocation;
    int quitAtPump;
    LineIndexResult expected;
};

TEST_F(LineIndex, FailuresReportTheirCodes) {
    const CodeCase cases[] = {
        {"MissingFile", 3, true, 0, 0, LineIndexResult::OpenFailed},
        {"NoMemoryForTheTable", 3, false, 1, 0, LineIndexResult::OutOfMemory},
        {"TableCannotGrowPastTenThousand", 10'001, false, 3, 0, LineIndexResult::OutOfMemory},
        {"QuitWhileIndexing", 3, false, 0, 2, LineIndexResult::Quit},
        {"MillionLines", 1'000'000, false, 0, 0, LineIndexResult::Ok},
        {"MillionAndOneLines", 1'000'001, false, 0, 0, LineIndexResult::TooManyLines},
    };
    for (const CodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        ui::FakePlatform platform;
        platform.memory.failFromCall = c.failFromAllocation;
        platform.eventPump.quitAtPump = c.quitAtPump;
        EngineEnvironment env{platform.platform};
        GlobalFindEngine local(env);
        LineIndexReader localReader(platform.platform);
        std::string text;
        for (std::size_t i = 0; i < c.lines; ++i)
            text += "\r\n";
        const std::string path = c.missing ? dir.PathOf("missing.txt") : dir.Write("f.txt", text);
        EXPECT_EQ(localReader.Build(local, path), c.expected);
        EXPECT_EQ(localReader.LineCount(), c.expected == LineIndexResult::Ok ? c.lines : 0);
    }
}

} // namespace
} // namespace nelvix
