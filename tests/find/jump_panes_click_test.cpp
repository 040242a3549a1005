// Jump to a line, the status bar's position panes and the double-click decisions.
#include "find/double_click.h"
#include "find/line_jump.h"
#include "render/status_panes.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "find/fake_find_target.h"
#include "text/text_document.h"
#include "ui/fake_platform.h"
#include "ui/shell_open.h"

namespace nelvix {
namespace {

/// A document laid out in rows of `rules`, without a window.
struct LaidDocument {
    LaidDocument(const std::string& text, LayoutRules layoutRules) : rules(layoutRules) {
        document = CKespoDoc::Create(environment);
        document->LoadBytes(reinterpret_cast<const Byte*>(text.data()), text.size());
        RebuildRows(fake.platform, LayoutTextOf(*document), rules, document->Rows(), 0,
                    document->TextLength(), 0, 0);
    }
    ui::FakePlatform fake;
    DocumentEnvironment environment{fake.platform};
    LayoutRules rules;
    std::unique_ptr<CKespoDoc> document;
};

TEST(LineJump, TakesOneToFiveDigitsNotZero) {
    // Rows of 10 cells: "0123456789abcdef\r\n" takes two rows, so line 2 starts at row 2.
    LaidDocument laid("0123456789abcdef\r\nsecond\r\nthird\r\n", {10, 4, false});
    struct Case {
        const char* field;
        int mode;
        LineJumpResult result;
        std::optional<std::uint32_t> row;
    };
    const std::vector<Case> cases = {
        {"0", 0, LineJumpResult::KeepOpen, {}},      {"00000", 1, LineJumpResult::KeepOpen, {}},
        {"123456", 0, LineJumpResult::KeepOpen, {}}, {"", 0, LineJumpResult::KeepOpen, {}},
        {"1a", 0, LineJumpResult::KeepOpen, {}},     {"99999", 0, LineJumpResult::Refused, {}},
        {"2", 0, LineJumpResult::Jumped, 1u},        {"2", 1, LineJumpResult::Jumped, 2u},
        {"3", 1, LineJumpResult::Jumped, 3u},        {"4", 1, LineJumpResult::Refused, {}},
    };
    for (const Case& c : cases) {
        test::FakeFindTarget target("");
        laid.fake.beeper.beeps = 0;
        EXPECT_EQ(JumpToLine(laid.fake.platform, *laid.document, c.mode, c.field, target), c.result)
            << c.field << " mode " << c.mode;
        EXPECT_EQ(laid.fake.beeper.beeps, c.result == LineJumpResult::Jumped ? 0 : 1) << c.field;
        EXPECT_EQ(target.jumpedRows.empty() ? std::nullopt : std::optional(target.jumpedRows[0]),
                  c.row)
            << c.field;
    }
    LaidDocument empty("", {10, 4, false});
    test::FakeFindTarget target("");
    EXPECT_EQ(JumpToLine(empty.fake.platform, *empty.document, 0, "1", target),
              LineJumpResult::Refused);
}

TEST(StatusPanes, LineAndColumnTexts) {
    struct Case {
        std::uint32_t line;
        std::uint32_t column;
        PositionPanes expected;
    };
    const std::vector<Case> cases = {
        {1, 0, {"00001", "001", " "}},
        {234, 998, {"00234", "999", " "}},
        {234, 999, {"00234", "001", "000"}},
        {1, 1233, {"00001", "001", "234"}},
        {123456, 1'234'566, {"123456", "234", "567"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatPositionPanes(c.line, c.column), c.expected) << c.column;
}

TEST(StatusPanes, WrappedLineInModeOneKeepsItsNumberAndCounts) {
    // Rows of 10 cells; the first line runs over three rows. Its tab takes two cells on its row
    // but four counted from the line start.
    LaidDocument laid("0123456789ab\tcdefgh0123\r\nnext\r\n", {10, 4, false});
    ASSERT_GE(laid.document->Rows().Count(), 4);
    struct Case {
        int mode;
        std::uint32_t column;
        std::uint32_t row;
        PositionPanes expected;
    };
    const std::vector<Case> cases = {
        {1, 0, 0, {"00001", "001", " "}}, {1, 2, 1, {"00001", "013", " "}},
        {1, 0, 2, {"00001", "023", " "}}, {1, 0, 3, {"00002", "001", " "}},
        {0, 2, 1, {"00002", "003", " "}}, {0, 0, 99, {"00005", "001", " "}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CaretPositionPanes(*laid.document, laid.rules, c.mode, c.column, c.row),
                  c.expected)
            << "mode " << c.mode << " row " << c.row;
}

struct FakeShell final : ui::ShellOpener {
    bool OpenWithShell(std::string_view sjisPath) override {
        opened.emplace_back(sjisPath);
        return true;
    }
    std::vector<std::string> opened;
};

TEST(DoubleClick, LeftChoosesTagJumpShellOrWord) {
    struct Case {
        const char* name;
        bool resultLine;
        bool ctrl;
        bool shift;
        LeftDoubleClickAction expected;
    };
    const Case cases[] = {
        {"result line", true, false, false, LeftDoubleClickAction::TagJump},
        {"Shift opens with the shell", true, false, true, LeftDoubleClickAction::ShellOpen},
        {"Ctrl selects a word", true, true, false, LeftDoubleClickAction::SelectWord},
        {"Ctrl+Shift selects a word", true, true, true, LeftDoubleClickAction::SelectWord},
        {"plain line", false, false, true, LeftDoubleClickAction::SelectWord},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecideLeftDoubleClick(c.resultLine, c.ctrl, c.shift), c.expected) << c.name;
}

TEST(DoubleClick, CaretLineAndRightDoubleClick) {
    const std::string text = "first\r\nsecond\r\nlast";
    const auto* bytes = reinterpret_cast<const Byte*>(text.data());
    const auto length = static_cast<std::uint32_t>(text.size());
    EXPECT_EQ(LineAtOffset(bytes, length, 9), "second\r\n");
    EXPECT_EQ(LineAtOffset(bytes, length, 7), "second\r\n");
    EXPECT_EQ(LineAtOffset(bytes, length, 99), "last");
    EXPECT_EQ(LineAtOffset(bytes, 0, 0), "");

    struct Case {
        int runType;
        bool editor;
        bool browser;
        std::optional<int> command;
    };
    const std::vector<Case> cases = {
        {0, true, false, kEditorCommand},
        {1, false, true, kBrowserCommand},
        {0, false, true, std::nullopt},
        {1, true, false, std::nullopt},
    };
    for (const Case& c : cases) {
        ui::FakePlatform fake;
        EXPECT_EQ(RightDoubleClickCommand(fake.platform, c.runType, c.editor, c.browser),
                  c.command);
        EXPECT_EQ(fake.beeper.beeps, c.command ? 0 : 1);
    }
}

} // namespace
} // namespace nelvix
