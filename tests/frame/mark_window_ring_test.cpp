// The ring of marked windows: marking, the "* " title prefix and its limits, cycling past
// closed windows, and unmarking all.
#include "frame/mark_window_ring.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/fake_frame_windows.h"

namespace nelvix {
namespace {

class MarkWindowRingTest : public ::testing::Test {
protected:
    /// A new untitled document in a window of its own, titled `title`; the window is active.
    WindowId NewWindow(const std::string& title) {
        CKespoDoc* document = windows.CreateUntitledDocument();
        document->SetTitle(title);
        return windows.active;
    }
    std::string TitleOf(WindowId window) { return windows.DocumentOfWindow(window)->Title(); }
    /// Activates each window in turn and toggles it.
    void Mark(const std::vector<WindowId>& marked) {
        for (const WindowId window : marked) {
            windows.ActivateWindow(window);
            ring.Toggle();
        }
    }

    ui::FakePlatform fake;
    DocumentEnvironment environment{fake.platform};
    DocumentList documents{environment};
    test::FakeFrameWindows windows{fake.platform, documents};
    MarkWindowRing ring{windows, fake.platform};
};

TEST_F(MarkWindowRingTest, ToggleAddsAndRemovesThePrefix) {
    const WindowId a = NewWindow("a.txt");
    ring.Toggle();
    EXPECT_EQ(TitleOf(a), "* a.txt");
    ring.Toggle();
    EXPECT_EQ(TitleOf(a), "a.txt");
    EXPECT_TRUE(ring.Windows().empty());
    EXPECT_EQ(windows.retitled, (std::vector<std::string>{"* a.txt", "a.txt"}));
    EXPECT_EQ(fake.beeper.beeps, 0);
}

TEST_F(MarkWindowRingTest, TitleLimits) {
    struct Case {
        const char* name;
        std::string title;
        bool marking;
        std::string after;
        int beeps;
    };
    const std::string t258(258, 't');
    const std::string t259(259, 't');
    const std::string p260 = "* " + std::string(258, 't');
    const std::string p261 = "* " + std::string(259, 't');
    const Case cases[] = {
        {"258 bytes take the prefix", t258, true, "* " + t258, 0},
        {"259 bytes beep", t259, true, t259, 1},
        {"a prefix already there stays", "* x", true, "* x", 0},
        {"260 bytes lose the prefix", p260, false, t258, 0},
        {"261 bytes beep", p261, false, p261, 1},
        {"no prefix to remove beeps", "x", false, "x", 1},
    };
    for (const Case& c : cases) {
        const WindowId window = NewWindow(c.marking ? c.title : "m");
        ring.Toggle(); // marking adds the window whatever its title
        if (!c.marking) {
            windows.DocumentOfWindow(window)->SetTitle(c.title);
            ring.Toggle();
        }
        EXPECT_EQ(TitleOf(window), c.after) << c.name;
        EXPECT_EQ(ring.Contains(window), c.marking) << c.name;
        EXPECT_EQ(fake.beeper.beeps, c.beeps) << c.name;
        ring.UnmarkAll();
        fake.beeper.beeps = 0;
    }
}

TEST_F(MarkWindowRingTest, TheEleventhWindowBeeps) {
    std::vector<WindowId> all;
    for (int i = 0; i < 11; ++i)
        all.push_back(NewWindow("w" + std::to_string(i)));
    Mark(all);
    EXPECT_EQ(ring.Windows().size(), kMaxMarkWindows);
    EXPECT_FALSE(ring.Contains(all.back()));
    EXPECT_EQ(TitleOf(all.back()), "w10");
    EXPECT_EQ(fake.beeper.beeps, 1);
    EXPECT_EQ(ring.CurrentIndex(), 9u);
}

TEST_F(MarkWindowRingTest, CurrentIndexAfterRemoval) {
    struct Case {
        const char* name;
        std::size_t current; ///< before the removal
        std::size_t removed;
        std::size_t expected;
    };
    const Case cases[] = {
        {"before the current one", 2, 0, 2},
        {"the last and current one", 3, 3, 2},
        {"the only one", 0, 0, 0},
    };
    for (const Case& c : cases) {
        std::vector<WindowId> marked;
        const std::size_t count = c.removed == 0 && c.current == 0 ? 1 : 4;
        for (std::size_t i = 0; i < count; ++i)
            marked.push_back(NewWindow("w"));
        Mark(marked);
        while (ring.CurrentIndex() != c.current)
            ring.Next();
        Mark({marked[c.removed]});
        EXPECT_EQ(ring.CurrentIndex(), c.expected) << c.name;
        ring.UnmarkAll();
    }
}

TEST_F(MarkWindowRingTest, CyclingReachesEveryWindowAndDropsClosedOnes) {
    const WindowId a = NewWindow("a");
    const WindowId b = NewWindow("b");
    const WindowId c = NewWindow("c");
    Mark({a, b, c});
    windows.CloseDocument(*windows.DocumentOfWindow(b));
    windows.active = c;

    std::vector<WindowId> reached;
    for (int i = 0; i < 4; ++i) {
        ring.Next();
        reached.push_back(windows.active);
    }
    // a, then b is gone (a beep, a stays active), then c and a again.
    EXPECT_EQ(reached, (std::vector<WindowId>{a, a, c, a}));
    EXPECT_EQ(fake.beeper.beeps, 1);
    EXPECT_EQ(ring.Windows(), (std::vector<WindowId>{a, c}));

    ring.Previous();
    EXPECT_EQ(windows.active, c);
    ring.Previous();
    EXPECT_EQ(windows.active, a);
}

TEST_F(MarkWindowRingTest, PreviousPastAClosedWindowSkipsNothing) {
    const WindowId a = NewWindow("a");
    const WindowId b = NewWindow("b");
    const WindowId c = NewWindow("c");
    Mark({a, b, c});
    windows.CloseDocument(*windows.DocumentOfWindow(b));
    ring.Previous(); // b: gone
    EXPECT_EQ(fake.beeper.beeps, 1);
    ring.Previous();
    EXPECT_EQ(windows.active, a);
}

TEST_F(MarkWindowRingTest, EmptyRingBeeps) {
    ring.Next();
    ring.Previous();
    EXPECT_EQ(fake.beeper.beeps, 2);
}

TEST_F(MarkWindowRingTest, UnmarkAll) {
    const WindowId a = NewWindow("a");
    const WindowId b = NewWindow("b");
    const WindowId second = windows.AddWindow(*windows.DocumentOfWindow(b));
    Mark({a, b, second});
    EXPECT_EQ(TitleOf(b), "* b");
    ring.UnmarkAll();
    EXPECT_EQ(TitleOf(a), "a");
    EXPECT_EQ(TitleOf(b), "b");
    EXPECT_TRUE(ring.Windows().empty());
    EXPECT_EQ(fake.beeper.beeps, 0); // one title for both windows of b

    Mark({a, b});
    windows.DocumentOfWindow(b)->SetTitle("* " + std::string(259, 'b'));
    ring.UnmarkAll();
    EXPECT_EQ(fake.beeper.beeps, 1);
    EXPECT_EQ(TitleOf(a), "* a");
    EXPECT_EQ(ring.Windows().size(), 2u);
}

} // namespace
} // namespace nelvix
