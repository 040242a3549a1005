// The spin-control library as the program loads it, and its rules.
#include "app/spin_library.h"

#include <gtest/gtest.h>

#include <string>

namespace nelvix {
namespace {

TEST(SpinLibrary, StepsWithinTheRangeAndBeepsOutside) {
    SpinLibrary library;
    ASSERT_TRUE(library.Load(NELVIX_SPIN_LIBRARY_PATH));
    struct Case {
        const char* text;
        int delta;
        const char* expected; ///< nullptr: refused with a beep
    } const cases[] = {
        {"5", 1, "6"},         {"5", -1, "4"}, {"0", -1, nullptr}, {"32767", 1, nullptr},
        {"32766", 1, "32767"}, {"", 1, "1"},   {"12ab", 1, "13"},  {"99999999", -1, nullptr},
    };
    for (const Case& c : cases) {
        char out[16] = "unchanged";
        int result = library.Step()(c.text, c.delta, out, sizeof out);
        if (c.expected == nullptr) {
            EXPECT_EQ(result, 2) << c.text;
            EXPECT_STREQ(out, "unchanged") << c.text;
        } else {
            EXPECT_EQ(result, 1) << c.text;
            EXPECT_STREQ(out, c.expected) << c.text;
        }
    }
    char small[3];
    EXPECT_EQ(library.Step()("99", 1, small, sizeof small), 2) << "no room for 100";
    EXPECT_TRUE(library.Accepts()('7'));
    EXPECT_FALSE(library.Accepts()('a'));
    EXPECT_FALSE(library.Accepts()(0xFF17)); // a full-width digit is not typed into the field
}

} // namespace
} // namespace nelvix
