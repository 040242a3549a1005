// File names holding a line break (or any byte below 0x20): each result and title line stays
// one line, and a tag read from it reaches the file again, as a tag jump does.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "base/native_path.h"
#include "cli_run.h"
#include "commands/tag_line.h"
#include "search/html_search_run.h"
#include "support/test_files.h"
#include "text/text_document.h"
#include "ui/fake_platform.h"

namespace nelvix::cli {
namespace {

std::vector<std::string> CrLfLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = text.find("\r\n"); end != std::string::npos;
         end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(start, text.size()) << "output not ended by CR LF";
    return lines;
}

// The text line `line` (1-based) of the file the tag names, opened as a tag jump opens it.
std::string LineOfTaggedFile(const TagLocation& tag) {
    ui::FakePlatform fake;
    DocumentEnvironment environment{.platform = fake.platform};
    std::unique_ptr<CKespoDoc> document = CKespoDoc::Create(environment);
    if (document == nullptr || !document->OnOpenDocument(tag.sjisPath))
        return "(cannot be opened)";
    std::string_view text = document->TextView();
    for (std::uint32_t line = 1; line < tag.line; ++line) {
        const std::size_t end = text.find("\r\n");
        if (end == std::string_view::npos)
            return "(no such line)";
        text.remove_prefix(end + 2);
    }
    return std::string(text.substr(0, text.find("\r\n")));
}

struct NameRow {
    const char* situation;
    std::string name;
};

const std::vector<NameRow> kNames = {
    {"a line feed", "first\nsecond.txt"},
    {"a carriage return", "first\rsecond.txt"},
    {"CR LF at the end", "name.txt\r\n"},
    {"a tab and a bell", "tab\there\a.txt"},
};

TEST(CliLineBreakNamesTest, ResultLinesStayWholeAndTheirTagsReachTheFile) {
    for (const NameRow& row : kNames) {
        SCOPED_TRACE(row.situation);
        test::TempDir dir;
        dir.Write(row.name, "other\r\nthe needle\r\n");
        const CliRun run = RunWith({"find", "needle", dir.Path()});
        ASSERT_EQ(run.status, 0) << run.err;
        const std::vector<std::string> lines = CrLfLines(run.out);
        ASSERT_EQ(lines.size(), 1u) << run.out;
        const std::optional<TagLocation> tag = ReadTag(lines[0], HtmlColumns{}.title);
        ASSERT_TRUE(tag.has_value()) << lines[0];
        EXPECT_EQ(SjisPathToNative(tag->sjisPath), dir.PathOf(row.name));
        EXPECT_EQ(tag->line, 2u);
        EXPECT_EQ(LineOfTaggedFile(*tag), "the needle");

        const CliRun utf8 = RunWith({"find", "--utf8", "needle", dir.Path()});
        std::string shown = dir.PathOf(row.name);
        for (char& c : shown)
            c = static_cast<unsigned char>(c) < 0x20 ? '?' : c;
        EXPECT_EQ(utf8.out, shown + "(2): the needle\n");
    }
}

TEST(CliLineBreakNamesTest, HtmlTitleAndMatchLinesStayWholeAndTheirTagsReachTheFile) {
    for (const NameRow& row : kNames) {
        SCOPED_TRACE(row.situation);
        test::TempDir dir;
        dir.Write(row.name + ".html", "<title>Page</title>\r\nthe needle\r\n");
        const CliRun run = RunWith({"html", "--string", "needle", dir.Path() + "/*.html"});
        ASSERT_EQ(run.status, 0) << run.err;
        const std::vector<std::string> lines = CrLfLines(run.out);
        ASSERT_EQ(lines.size(), 2u) << run.out;
        for (const std::string& line : lines) {
            const std::optional<TagLocation> tag = ReadTag(line, HtmlColumns{}.title);
            ASSERT_TRUE(tag.has_value()) << line;
            EXPECT_EQ(SjisPathToNative(tag->sjisPath), dir.PathOf(row.name + ".html"));
            EXPECT_NE(LineOfTaggedFile(*tag), "(cannot be opened)");
        }
    }
}

} // namespace
} // namespace nelvix::cli
