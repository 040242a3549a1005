// The viewer's settings as the record and the cabinet give them.
#include "store/viewer_settings.h"

#include <gtest/gtest.h>

#include "store/display_block.h"

namespace nelvix {
namespace {

TEST(ViewerSettings, TakesTheRecordTheCurrentBlockAndTheKeywordTables) {
    Settings settings;
    settings.leftMgnLM = 30;
    settings.displayLineBar = 0;
    settings.colorAreaComment = 1;
    settings.figureRuler = 0;
    settings.lineBackColorref = ui::Rgb(1, 2, 3);
    Cabinet cabinet;
    cabinet.Current()[kWordWordWrap] = 1;
    cabinet.Current()[kWordLineNumbering] = 0;
    cabinet.CurrentKeywords() = {"TODO", "FIXME"};

    ViewSettings view = ViewSettingsOf(settings, cabinet);
    EXPECT_EQ(view.leftMarginTenthsMm, 30);
    EXPECT_TRUE(view.wordWrap);
    EXPECT_EQ(view.lineNumbering, 0);
    EXPECT_TRUE(view.freeCursor);
    EXPECT_FALSE(view.displayLineBar);
    EXPECT_TRUE(view.colorAreaComment);
    ASSERT_EQ(view.keywords.user.size(), 2u);
    EXPECT_EQ(view.keywords.c.size(), 81u);
    EXPECT_EQ(view.keywords.cpp.size(), 15u);

    settings.scrollLineCount = 7;
    settings.plusInvert = 1;
    EXPECT_EQ(CaretSettingsOf(settings).scrollLineCount, 7u);
    EXPECT_TRUE(TextFindSettingsOf(settings).plusInvert);
    EXPECT_FALSE(TextFindSettingsOf(settings).colorFoundLine);

    RulerSettings rulers = RulerSettingsOf(settings);
    EXPECT_FALSE(rulers.figureRuler);
    EXPECT_FALSE(rulers.displayLineBar);
    EXPECT_EQ(rulers.lineBackColorref, ui::Rgb(1, 2, 3));
}

} // namespace
} // namespace nelvix
