// The font command: the 100-pixel limit at the screen's resolution, what is stored in the
// display format, and when nothing changed.
#include "commands/font_command.h"

#include <gtest/gtest.h>

#include "store/cabinet.h"
#include "ui/fake_frame_services.h"
#include "ui/fake_platform.h"

namespace nelvix {
namespace {

struct SizeCase {
    const char* name;
    std::int32_t tenths;
    int dotsPerInch;
    ScreenFontSize expected;
};

const SizeCase kSizeCases[] = {
    {"tenths are cut to whole points", 105, 96, {10, false}},
    {"75 pt at 96 dpi is exactly 100 pixels and stays", 750, 96, {75, false}},
    {"76 pt at 96 dpi is taller and becomes 75", 760, 96, {75, true}},
    {"60 pt at 120 dpi is 100 pixels and stays", 600, 120, {60, false}},
    {"61 pt at 120 dpi becomes 60", 610, 120, {60, true}},
    {"110 dpi reduces by integer division", 700, 110, {65, true}},
    {"a screen without resolution counts as 96 dpi", 760, 0, {75, true}},
    {"half a point is kept as one point", 5, 96, {1, false}},
};

TEST(FontCommand, SizeIsLimitedTo100PixelsOnTheScreen) {
    for (const SizeCase& c : kSizeCases)
        EXPECT_EQ(PointsForScreen(c.tenths, c.dotsPerInch), c.expected) << c.name;
}

ui::FontChoice Choice(const char* face, std::int32_t tenths, std::int32_t weight = 400,
                      bool italic = false) {
    return {face, tenths, weight, italic};
}

TEST(FontCommand, StoresTheChoiceAsAFixedPitchFont) {
    ui::FakeBeeper beeper;
    FontDescription font = Cabinet().Format().font;
    ASSERT_TRUE(StoreFontChoice(beeper, font, Choice("IPAGothic", 120, 700, true), 96));
    EXPECT_EQ(FontFaceName(font), "IPAGothic");
    EXPECT_EQ(font.height, 12);
    EXPECT_EQ(font.weight, 700);
    EXPECT_EQ(font.italic, 1);
    EXPECT_EQ(font.charSet, kShiftJisCharSet);
    EXPECT_EQ(font.pitchAndFamily, kFixedPitchModern);
    EXPECT_EQ(beeper.beeps, 0);
    EXPECT_EQ(FontChoiceOf(font), Choice("IPAGothic", 120, 700, true)) << "the round trip";
}

TEST(FontCommand, TooTallFontBeepsAndUnchangedChoiceReportsNoChange) {
    ui::FakeBeeper beeper;
    FontDescription font = Cabinet().Format().font;
    ASSERT_TRUE(StoreFontChoice(beeper, font, Choice("Fixedsys", 760), 96));
    EXPECT_EQ(font.height, 75);
    EXPECT_EQ(beeper.beeps, 1);
    EXPECT_FALSE(StoreFontChoice(beeper, font, Choice("Fixedsys", 750), 96));
    EXPECT_EQ(beeper.beeps, 1);
}

TEST(FontCommand, DialogStartsFromTheStoredFontAndCancelChangesNothing) {
    ui::FakeFrameServices services;
    ui::FakeBeeper beeper;
    FontDescription font = Cabinet().Format().font;
    const FontDescription before = font;
    services.fontDialog.answers = {std::nullopt, Choice("IPAGothic", 100)};

    EXPECT_FALSE(RunFontCommand(services.fontDialog, beeper, font, 96));
    EXPECT_EQ(font, before);
    EXPECT_TRUE(RunFontCommand(services.fontDialog, beeper, font, 96));
    ASSERT_EQ(services.fontDialog.asked.size(), 2u);
    EXPECT_EQ(services.fontDialog.asked[0], Choice("Fixedsys", 140));
    EXPECT_EQ(font.height, 10);
}

} // namespace
} // namespace nelvix
