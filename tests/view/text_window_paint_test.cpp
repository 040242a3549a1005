// The text window painting its document: colours by the document type and the cabinet's
// keywords, block comments that follow appended text, and appends told to two views.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/line_bar.h"
#include "text_window_fixture.h"
#include "ui/colour.h"
#include "ui/recording_surface.h"

namespace nelvix {
namespace {

/// A C++ document with block-comment colouring in the test window.
struct CppWindow : test::TextWindow {
    CppWindow() : TextWindow("") {
        settings.colorAreaComment = true;
        settings.keywords = {userKeywords, cKeywords, cppKeywords};
        DisplayFormat format = document->Format();
        format.documentType = DocumentType::Cpp;
        document->SetFormatSettings(format);
    }
    ui::Colour Foreground(int column, int row) { return Paint().At(column, row).foreground; }

    std::vector<std::string> userKeywords{"TODO"}, cKeywords{"int", "return"}, cppKeywords{"class"};
};

const ui::Colour kText = ui::StandardPaletteColor(1);
const ui::Colour kCKeyword = ui::StandardPaletteColor(2);
const ui::Colour kCppKeyword = ui::StandardPaletteColor(6);
const ui::Colour kComment = ui::StandardPaletteColor(11);

TEST(TextWindowPaint, ColoursKeywordsAndCommentsOfTheDocument) {
    CppWindow w;
    w.Load("class A { int x; };\r\n/* int\r\nclass */ int y; // TODO\r\n");
    ui::CellGrid grid = w.Paint();
    EXPECT_EQ(grid.RowText(0).substr(0, 19), "class A { int x; };");
    EXPECT_EQ(grid.At(0, 0).foreground, kCppKeyword);
    EXPECT_EQ(grid.At(6, 0).foreground, kText);
    EXPECT_EQ(grid.At(10, 0).foreground, kCKeyword);
    EXPECT_EQ(grid.At(3, 1).foreground, kComment) << "inside the block comment";
    EXPECT_EQ(grid.At(0, 2).foreground, kComment) << "the block comment's last row";
    EXPECT_EQ(grid.At(9, 2).foreground, kCKeyword) << "after the closer";
    EXPECT_EQ(grid.At(19, 2).foreground, kComment) << "a line comment wins over a keyword";
}

TEST(TextWindowPaint, AppendedCloserEndsTheCommentAndTablesMatchAFreshBuild) {
    CppWindow w;
    w.Load("/* open\r\nint a;\r\n");
    EXPECT_EQ(w.Foreground(0, 1), kComment);
    const std::string tail = "*/ int b;\r\n";
    HintArgument argument{reinterpret_cast<const Byte*>(tail.data()), tail.size()};
    w.document->UpdateAllViews(UpdateHint::AppendLength, argument);
    EXPECT_EQ(w.document->TextView(), "/* open\r\nint a;\r\n*/ int b;\r\n");
    EXPECT_EQ(w.Foreground(3, 2), kCKeyword);

    CommentTables fresh;
    fresh.Build(w.fake.platform, w.document->Text(), w.document->TextLength());
    EXPECT_TRUE(std::ranges::equal(fresh.Openers(), w.window->Comments().Openers()));
    EXPECT_TRUE(std::ranges::equal(fresh.Closers(), w.window->Comments().Closers()));
}

TEST(TextWindowPaint, TwoViewsOfOneDocumentAppendOnce) {
    CppWindow w;
    ui::RecordingSurface secondSurface;
    test::InputHost secondHost;
    CKespoEV second(*w.document, w.fake.platform, secondSurface, secondHost, w.settings);
    second.OnSize(640, 160);
    w.Load("/* a\r\n");
    const std::string tail = "b */\r\n";
    HintArgument argument{reinterpret_cast<const Byte*>(tail.data()), tail.size()};
    w.document->UpdateAllViews(UpdateHint::AppendLength, argument);
    EXPECT_EQ(w.document->TextView(), "/* a\r\nb */\r\n");
    EXPECT_EQ(w.document->Rows().Count(), 2u);
    EXPECT_TRUE(std::ranges::equal(second.Comments().Closers(), w.window->Comments().Closers()));
    EXPECT_GT(secondHost.invalidations, 0);
}

TEST(TextWindowPaint, PlainDocumentKeepsNoCommentTablesAndColoursNoKeywords) {
    CppWindow w;
    DisplayFormat format = w.document->Format();
    format.documentType = DocumentType::Plain;
    w.document->SetFormatSettings(format);
    w.Load("int /* x */\r\n");
    EXPECT_TRUE(w.window->Comments().Openers().empty());
    EXPECT_EQ(w.Foreground(0, 0), kText);
    EXPECT_EQ(w.Foreground(5, 0), kText);
}

TEST(TextWindowPaint, LineRulerNumbersFollowTheWindowsTopRow) {
    CppWindow w;
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "x\r\n";
    w.Load(text);
    w.window->ScrollToRow(100, ScrollMode::Top, true);
    CLineBar ruler;
    RulerSettings settings;
    ui::RecordingSurface rulerSurface;
    ruler.Create(settings, w.window->RulerState(), rulerSurface);
    ruler.SetHeight(160);
    ruler.Paint(rulerSurface, w.window->RulerState());
    bool shows101 = false;
    for (const ui::SurfaceOperation& operation : rulerSurface.operations)
        shows101 = shows101 || (operation.kind == ui::SurfaceOperationKind::DrawText &&
                                operation.text == "101");
    EXPECT_TRUE(shows101);
}

} // namespace
} // namespace nelvix
