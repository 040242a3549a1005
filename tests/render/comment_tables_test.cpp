#include "render/comment_tables.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "ui/fake_platform.h"
#include "ui/message_ids.h"

namespace nelvix {
namespace {

const Byte* Bytes(const std::string& text) {
    return reinterpret_cast<const Byte*>(text.data());
}
std::uint32_t Length(const std::string& text) {
    return static_cast<std::uint32_t>(text.size());
}
std::vector<std::uint32_t> Vec(std::span<const std::uint32_t> entries) {
    return {entries.begin(), entries.end()};
}

// Random texts rich in "/" and "*", inserted piece by piece at the end or anywhere, must give
// the tables of one build over the final text, also once the tables overflow.
TEST(CommentTablesTest, PropertyRandomPiecesGiveTheTablesOfOneBuild) {
    for (const unsigned seed : {1u, 7u, 42u, 2024u, 31337u}) {
        std::mt19937 random(seed);
        const std::string alphabet = "//**ab\r\n";
        const bool anywhere = seed % 2 == 0;
        ui::FakePlatform fake;
        CommentTables incremental;
        std::string text;
        for (int piece = 0; piece < 300; ++piece) {
            std::string inserted(random() % 12, ' ');
            for (char& ch : inserted)
                ch = alphabet[random() % alphabet.size()];
            const auto offset =
                anywhere ? static_cast<std::uint32_t>(random() % (text.size() + 1)) : Length(text);
            text.insert(offset, inserted);
            incremental.UpdateCommentTables(fake.platform, Bytes(text), Length(text), offset,
                                            Length(inserted));
        }
        CommentTables whole;
        whole.Build(fake.platform, Bytes(text), Length(text));
        ASSERT_EQ(Vec(incremental.Openers()), Vec(whole.Openers())) << "seed " << seed;
        ASSERT_EQ(Vec(incremental.Closers()), Vec(whole.Closers())) << "seed " << seed;
    }
}

TEST(CommentTablesTest, The513thOpenerShowsTheMessageOnceAndClosersStillMove) {
    ui::FakePlatform fake;
    CommentTables tables;
    std::string text;
    for (int i = 0; i < 512; ++i)
        text += "/**/\r\n";
    EXPECT_TRUE(tables.Build(fake.platform, Bytes(text), Length(text)));
    EXPECT_TRUE(fake.messageBox.ShownIds().empty());

    const std::string more = "/* */ /*";
    const std::uint32_t at = Length(text);
    text += more;
    EXPECT_FALSE(
        tables.UpdateCommentTables(fake.platform, Bytes(text), Length(text), at, Length(more)));
    EXPECT_EQ(fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgTooManyComments});
    EXPECT_EQ(tables.Openers().size(), kMaxCommentEntries);

    // An insertion at the front still moves every closer that is kept.
    const std::uint32_t lastCloser = tables.Closers().back();
    text.insert(0, "xy");
    tables.UpdateCommentTables(fake.platform, Bytes(text), Length(text), 0, 2);
    EXPECT_EQ(tables.Closers().back(), lastCloser + 2);
}

TEST(CommentTablesTest, BlockCommentsAndLineComments) {
    struct Case {
        const char* name;
        std::string text;
        std::uint32_t offset;
        bool inside;
    };
    const Case cases[] = {
        {"inside", "a /* b */ c", 5, true},
        {"closing slash belongs", "a /* b */ c", 8, true},
        {"after", "a /* b */ c", 9, false},
        {"opener after // opens nothing", "x // /* a\r\nb */", 12, false},
        {"opener of //* is in a line comment", "//* a\r\nb */", 7, false},
        {"closer after // does not close", "/* a\r\n// */ b\r\n*/ c", 13, true},
        {"*/ after a // inside a block comment does not close", "/* // */ x", 9, true},
        {"/* inside a comment opens nothing", "/* /* */ x */", 9, false},
        {"unclosed runs to the end", "a /* b\r\nc", 8, true},
        {"/*/ does not close itself", "/*/ a */", 4, true},
    };
    for (const Case& c : cases) {
        ui::FakePlatform fake;
        CommentTables tables;
        tables.Build(fake.platform, Bytes(c.text), Length(c.text));
        EXPECT_EQ(BlockCommentAt(tables, Bytes(c.text), Length(c.text), c.offset).has_value(),
                  c.inside)
            << c.name;
    }
}

TEST(CommentTablesTest, TouchesComment) {
    struct Case {
        const char* name;
        std::string before;
        std::uint32_t offset;
        std::string inserted;
        bool touches;
    };
    const Case cases[] = {
        {"plain text", "abc\r\n", 1, "xy", false},
        {"holds an opener", "abc\r\n", 1, "/*", true},
        {"forms a closer at the edge", "a*c\r\n", 2, "/", true},
        {"// before a closer on its line", "a */\r\nb", 1, "//", true},
        {"// on a short line", "ab\r\ncd", 1, "//", false},
        {"// on a line running out of sight", "abcdefgh", 1, "//", true},
    };
    for (const Case& c : cases) {
        std::string after = c.before;
        after.insert(c.offset, c.inserted);
        EXPECT_EQ(TouchesComment(Bytes(after), Length(after), c.offset, Length(c.inserted), 7),
                  c.touches)
            << c.name;
    }
}

} // namespace
} // namespace nelvix
