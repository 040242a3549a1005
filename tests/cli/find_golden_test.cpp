// nelvix-cli find over a copy of the bundled samples, against tests/golden/find/samples/<case>/:
// "arguments" holds the words after "find" (one a line, UTF-8, <SAMPLES> for the copy's path)
// and "expected.txt" the result lines with the copy's path written as <SAMPLES>.
#include "cli/run_cli.h"

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli_run.h"
#include "support/test_files.h"

namespace nelvix::cli {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPlaceholder = "<SAMPLES>";

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The files of one directory come in the order the file system lists them, which differs
// between two copies; the lines of each file keep the engine's order.
std::string GroupedByFile(const std::string& output) {
    std::vector<std::string> lines = Lines(output);
    std::stable_sort(lines.begin(), lines.end(), [](const std::string& a, const std::string& b) {
        return a.substr(0, a.find('(')) < b.substr(0, b.find('('));
    });
    std::string grouped;
    for (const std::string& line : lines)
        grouped += line + "\n";
    return grouped;
}

std::vector<fs::path> Cases() {
    std::vector<fs::path> cases;
    for (const fs::directory_entry& entry :
         fs::directory_iterator(test::TestDataPath("../golden/find/samples")))
        cases.push_back(entry.path());
    std::sort(cases.begin(), cases.end());
    return cases;
}

TEST(CliFindGoldenTest, SamplesGiveTheExpectedResultLines) {
    test::TempDir copy;
    fs::copy(test::TestDataPath("../../samples"), copy.Path());
    const std::vector<fs::path> cases = Cases();
    ASSERT_FALSE(cases.empty());
    for (const fs::path& folder : cases) {
        SCOPED_TRACE(folder.filename().string());
        std::vector<std::string> arguments{"find"};
        for (const std::string& word : Lines(test::ReadFileBytes(folder / "arguments")))
            arguments.push_back(ReplaceAll(word, kPlaceholder, copy.Path()));
        std::ostringstream out;
        std::ostringstream err;
        int status = RunCli(arguments, out, err);
        std::string expected = test::ReadFileBytes(folder / "expected.txt");
        EXPECT_EQ(status, expected.empty() ? 1 : 0) << err.str();
        EXPECT_NE(err.str().find("検索したﾌｧｲﾙの数： 9\n"), std::string::npos) << err.str();
        EXPECT_EQ(GroupedByFile(ReplaceAll(out.str(), copy.Path(), kPlaceholder)),
                  GroupedByFile(expected));
    }
}

} // namespace
} // namespace nelvix::cli
