// Find and jump through the real text window: hits selected and shown, the found line drawn,
// a selection as the search range, and jumps by typed numbers.
#include "view/text_window_find_target.h"

#include <gtest/gtest.h>

#include "find/line_jump.h"
#include "find/text_find.h"
#include "text_window_fixture.h"
#include "ui/message_ids.h"

namespace nelvix {
namespace {

struct FindSession {
    explicit FindSession(const std::string& text) : window(text), target(*window.window) {}
    bool Next(std::string_view pattern) { return find.FindNext(target, pattern, true, false); }
    test::TextWindow window;
    TextWindowFindTarget target;
    SearchOptions options;
    bool down = true;
    std::vector<std::string> entries;
    FindHistory history{entries};
    TextFindSettings settings;
    TextFind find{window.fake.platform, {options, down, history}, settings, [] {}};
};

std::string NumberedLines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "line " + std::to_string(i) + " apple\r\n";
    return text;
}

TEST(TextWindowFind, FindsSelectsAndScrollsThroughHitsAndWraps) {
    FindSession s(NumberedLines(40));
    ASSERT_TRUE(s.Next("apple"));
    auto first = s.target.StreamSelection();
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->first, 7u);
    EXPECT_EQ(s.window.window->CaretRow(), 0u);

    for (int i = 2; i <= 40; ++i)
        ASSERT_TRUE(s.Next("apple")) << i;
    EXPECT_EQ(s.window.window->CaretRow(), 39u);
    EXPECT_GE(s.window.window->TopRow() + s.window.window->VisibleRows(), 40u)
        << "the last hit is scrolled into view";
    ASSERT_TRUE(s.Next("apple")) << "wraps to the first hit";
    EXPECT_EQ(s.target.StreamSelection()->first, 7u);
    EXPECT_FALSE(s.Next("pear"));
    EXPECT_EQ(s.window.fake.beeper.beeps, 1);
}

TEST(TextWindowFind, ColorFoundLineMarksTheHitsLine) {
    FindSession s(NumberedLines(5));
    s.settings.colorFoundLine = true;
    ASSERT_TRUE(s.Next("line 3"));
    EXPECT_TRUE(s.target.CaretInFoundLine());
    EXPECT_EQ(s.window.window->TagTargetLine(), 2 * 14 - 2) << "the CR ending line 2";
}

TEST(TextWindowFind, SelectionOfSeveralLinesLimitsTheSearch) {
    FindSession s(NumberedLines(6));
    s.target.SetSearchRange(ByteRange{15, 60});
    // Lines are 14 bytes: the hits inside 15..60 are those of lines 2, 3 and 4.
    for (std::uint32_t hit : {21u, 35u, 49u, 21u}) {
        ASSERT_TRUE(s.Next("apple"));
        EXPECT_EQ(s.target.StreamSelection()->first, hit);
    }
}

TEST(TextWindowFind, JumpsToTypedLinesAndRefusesBadNumbers) {
    FindSession s(NumberedLines(40));
    EXPECT_EQ(JumpToLine(s.window.fake.platform, *s.window.document, 0, "30", s.target),
              LineJumpResult::Jumped);
    EXPECT_EQ(s.window.window->CaretRow(), 29u);
    EXPECT_EQ(s.window.window->CaretColumn(), 0u);
    EXPECT_NE(JumpToLine(s.window.fake.platform, *s.window.document, 0, "0", s.target),
              LineJumpResult::Jumped);
    EXPECT_NE(JumpToLine(s.window.fake.platform, *s.window.document, 0, "123456", s.target),
              LineJumpResult::Jumped);
    EXPECT_EQ(s.window.window->CaretRow(), 29u);
}

} // namespace
} // namespace nelvix
