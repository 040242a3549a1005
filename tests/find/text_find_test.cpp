// Find in a text: the search with wrap-around, the start position rules, the find box and the
// find dialog.
#include "find/text_find.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "find/fake_find_target.h"
#include "find/find_dialog_model.h"
#include "ui/fake_platform.h"

namespace nelvix {
namespace {

using namespace std::string_literals;
using test::FakeFindTarget;

const std::string kKatakanaA = "\x83\x41"s; // its second byte is 'A'

SearchOptions Plain(bool caseSensitive = true) {
    return SearchOptions{caseSensitive, true, false, false};
}
SearchOptions Regex() {
    return SearchOptions{true, true, true, false};
}
SearchOptions WidthFolding() {
    return SearchOptions{true, false, false, false};
}

TEST(SearchText, FindsWrapsAndStaysOnCharacters) {
    const std::string longText = "x" + [] {
        std::string s;
        for (int i = 0; i < 30; ++i)
            s += kKatakanaA;
        return s;
    }() + std::string(40, 'y');
    const std::string a100(100, 'a'), a80(80, 'a'), a81(81, 'a');
    struct Case {
        const char* name;
        std::string text;
        std::string pattern;
        std::uint32_t start;
        bool down;
        SearchOptions options;
        std::optional<TextHit> expected;
        std::optional<ByteRange> range = {}; // whole text when empty
    };
    const std::vector<Case> cases = {
        {"down finds the next", "ab ab ab", "ab", 1, true, Plain(), TextHit{3, 2}},
        {"down wraps to the first", "ab ab ab", "ab", 7, true, Plain(), TextHit{0, 2}},
        {"up finds the last before", "ab ab ab", "ab", 6, false, Plain(), TextHit{3, 2}},
        {"up near the end finds a hit ending there", "ab ab", "ab", 4, false, Plain(), {{3, 2}}},
        {"up wraps to the last", "ab ab ab", "ab", 0, false, Plain(), TextHit{6, 2}},
        {"never on a second byte", kKatakanaA + "A", "A", 0, true, Plain(), TextHit{2, 1}},
        // The text steps over a CR LF as one character: a hit never starts on its LF.
        {"line feed pattern up skips the LF of a CR LF", "a\nb\r\n", "\n", 0, false, Plain(),
         TextHit{1, 1}},
        {"line feed pattern down skips the LF of a CR LF", "a\r\nb\n", "\n", 0, true, Plain(),
         TextHit{4, 1}},
        {"line feed pattern inside a CR LF only", "a\r\nb", "\n", 0, true, Plain(), std::nullopt},
        {"case folded", "xABC", "abc", 0, true, Plain(false), TextHit{1, 3}},
        {"full-width case folded", "x\x82\x60", "\x82\x81", 0, true, Plain(false), {{1, 2}}},
        {"case kept", "xABC", "abc", 0, true, Plain(true), std::nullopt},
        {"empty pattern", "abc", "", 0, true, Plain(), std::nullopt},
        {"81-byte pattern", a100, a81, 0, true, Plain(), std::nullopt},
        {"80-byte pattern", a100, a80, 0, true, Plain(), TextHit{0, 80}},
        {"outside the range", "ab ab ab", "ab", 0, true, Plain(), TextHit{3, 2}, {{1, 5}}},
        {"range too short", "ab ab ab", "ab", 0, true, Plain(), std::nullopt, {{1, 2}}},
        {"matcher wrap reaches across the start", "abcdef", "bcd", 2, true, WidthFolding(),
         TextHit{1, 3}},
        {"matcher up", "ab ab ab", "ab", 6, false, Regex(), TextHit{3, 2}},
        {"matcher up wrap is aligned to a character", longText, "A", 82, false, Regex(),
         std::nullopt},
    };
    for (const Case& c : cases) {
        const ByteRange range = c.range ? *c.range : ByteRange{0, std::uint32_t(c.text.size())};
        EXPECT_EQ(SearchText(reinterpret_cast<const Byte*>(c.text.data()), range, c.start,
                             c.pattern, c.down, c.options),
                  c.expected)
            << c.name;
    }
}

struct FindFixture {
    explicit FindFixture(std::string text, TextFindSettings findSettings = {})
        : target(std::move(text)), settings(findSettings) {}
    ui::FakePlatform fake;
    FakeFindTarget target;
    TextFindSettings settings;
    SearchOptions options = Plain();
    bool down = true;
    std::vector<std::string> entries;
    FindHistory history{entries};
    int refreshes = 0;
    TextFind find{fake.platform, {options, down, history}, settings, [this] { ++refreshes; }};
};

TEST(TextFind, ShowsTheNextHit) {
    using Selection = std::optional<std::pair<std::uint32_t, std::uint32_t>>;
    struct Case {
        const char* name;
        std::string text;
        TextFindSettings settings;
        bool matchCase;
        std::uint32_t caret;
        Selection selectionBefore;
        std::uint32_t expectedCaret;
        Selection expectedSelection = {};
        int beeps = 0;
        std::optional<ByteRange> range = {};
    };
    const std::string lines = "ab\r\nab\r\nab\r\nab\r\nab\r\n";
    const Selection at0{std::pair{0u, 1u}}, at3{std::pair{3u, 4u}}, at4{std::pair{4u, 5u}};
    const Selection none = std::nullopt, at1{std::pair{1u, 1u}};
    const TextFindSettings foundLine{true, false}, plusInvert{true, true};
    const std::optional<ByteRange> range4{{4, 16}}, range9{{9, 12}};
    const std::vector<Case> cases = {
        {"the selected hit is skipped", "ab ab ab", {}, true, 0, at0, 3, at3},
        {"a selection of other case is skipped too", "AB ab", {}, false, 0, at0, 3, at3},
        {"found line without selection steps past the caret", "ab ab ab", foundLine, true, 0, none,
         3},
        {"found line with PlusInvert selects", "ab ab ab", plusInvert, true, 0, {}, 3, at3},
        {"wraps to the first hit", "ab ab ab", {}, true, 7, {}, 0, at0},
        {"a range of three lines keeps to it", lines, {}, true, 13, {}, 4, at4, 0, range4},
        {"a range past the text is dropped", "ab ab", {}, true, 1, {}, 3, at3, 0, range9},
        {"nothing found keeps caret and selection", "xy xy", {}, true, 1, at0, 1, at0, 1},
        {"a double-byte last character is selected whole",
         "x" + kKatakanaA,
         {},
         true,
         0,
         none,
         1,
         at1},
    };
    for (const Case& c : cases) {
        FindFixture f(c.text, c.settings);
        f.target.caret = c.caret;
        f.target.selection = c.selectionBefore;
        f.target.range = c.range;
        if (c.settings.colorFoundLine)
            f.target.foundLine = c.caret;
        const std::string pattern = c.text.starts_with("x\x83") ? kKatakanaA : "ab";
        f.find.FindNext(f.target, pattern, true, c.matchCase);
        EXPECT_EQ(f.target.caret, c.expectedCaret) << c.name;
        EXPECT_EQ(f.target.selection, c.expectedSelection) << c.name;
        EXPECT_EQ(f.fake.beeper.beeps, c.beeps) << c.name;
    }
}

TEST(TextFind, FindBoxCommands) {
    const std::string longSelectionText = "ab\r\nab\r\nab\r\nab\r\n";
    struct Case {
        const char* name;
        std::string box;
        FindBoxCommand command;
        bool ctrl;
        std::optional<ByteRange> rangeBefore;
        std::optional<ByteRange> expectedRange;
        std::uint32_t expectedCaret;
        int beeps;
    };
    const auto next = FindBoxCommand::FindNext, button = FindBoxCommand::FindNextButton;
    const std::vector<Case> cases = {
        {"empty box beeps", "", next, false, {}, {}, 2, 1},
        {"81 bytes beep", std::string(81, 'a'), next, false, {}, {}, 2, 1},
        {"next", "ab", next, false, {}, {}, 4, 0},
        {"previous", "ab", FindBoxCommand::FindPrevious, false, {}, {}, 0, 0},
        {"button without Ctrl clears the range", "ab", button, false, ByteRange{0, 4}, {}, 4, 0},
        {"button with Ctrl takes a multi-line selection", "ab", button, true, {}, {{0, 8}}, 0, 0},
    };
    for (const Case& c : cases) {
        FindFixture f(longSelectionText, {false, false, false, true});
        f.target.caret = 2;
        f.target.range = c.rangeBefore;
        if (c.ctrl)
            f.target.selection = std::pair{0u, 6u};
        f.find.FindWithBox(f.target, c.box, c.command, c.ctrl, false);
        EXPECT_EQ(f.target.range, c.expectedRange) << c.name;
        EXPECT_EQ(f.fake.beeper.beeps, c.beeps) << c.name;
        if (c.beeps == 0) {
            EXPECT_EQ(f.target.caret, c.expectedCaret) << c.name;
            EXPECT_EQ(f.entries, std::vector<std::string>{c.box}) << c.name;
            EXPECT_EQ(f.refreshes, 1) << c.name;
            EXPECT_TRUE(f.down) << c.name; // the stored direction stays
        }
    }
}

// The busy pointer stands from before the search until the hit is shown or the beep has
// sounded, and is taken down again either way.
TEST(TextFind, FindingInATextShowsTheBusyPointer) {
    struct Case {
        const char* name;
        std::string pattern;
        std::uint32_t caretAfter;
        int beeps;
    };
    const std::vector<Case> cases = {{"a hit", "cd", 3, 0}, {"no hit", "zz", 0, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FindFixture f("ab cd");
        std::vector<std::string> log;
        f.find.SetBusyPointer([&](bool busy) {
            log.push_back((busy ? "busy caret " : "idle caret ") + std::to_string(f.target.caret) +
                          " beeps " + std::to_string(f.fake.beeper.beeps));
        });
        f.find.FindNext(f.target, c.pattern, true, true);
        const std::string after =
            std::to_string(c.caretAfter) + " beeps " + std::to_string(c.beeps);
        EXPECT_EQ(log, (std::vector<std::string>{"busy caret 0 beeps 0", "idle caret " + after}));
    }
}

TEST(FindDialogModel, ProposesLimitsAndForgets) {
    FindFixture f("ab\r\nab\r\nab\r\nab\r\nab\r\n");
    f.history.Add("older");
    FindDialogModel dialog(f.find);

    f.target.selection = std::pair{0u, 1u};
    auto fields = dialog.Open(f.target);
    ASSERT_TRUE(fields);
    EXPECT_EQ(fields->findString, "ab");
    EXPECT_FALSE(f.target.range);
    EXPECT_FALSE(dialog.Open(f.target)) << "one dialog at a time";
    dialog.OnClose(f.target);

    // Three lines selected: they become the range and the history proposes the string.
    f.target.selection = std::pair{4u, 14u};
    fields = dialog.Open(f.target);
    ASSERT_TRUE(fields);
    EXPECT_EQ(fields->findString, "older");
    EXPECT_EQ(f.target.range, (ByteRange{4, 16}));

    fields->findString = "ab";
    fields->down = false;
    fields->matchCase = true;
    f.target.selection.reset();
    f.target.caret = 12;
    EXPECT_TRUE(dialog.OnFindNext(f.target, *fields));
    EXPECT_EQ(f.target.caret, 8u);
    f.target.selection.reset();
    f.target.caret = 4;
    EXPECT_TRUE(dialog.OnFindNext(f.target, *fields));
    EXPECT_EQ(f.target.caret, 12u) << "wraps within the range, never to lines outside it";
    EXPECT_EQ(f.entries.front(), "ab");
    EXPECT_FALSE(f.down);
    EXPECT_TRUE(f.options.caseSensitive);

    dialog.OnClose(f.target);
    EXPECT_FALSE(f.target.range);
    EXPECT_FALSE(dialog.IsOpen());
}

TEST(FindHistory, KeepsTwentyWholeCharacterEntries) {
    std::vector<std::string> entries;
    FindHistory history(entries);
    for (int i = 0; i < 25; ++i)
        history.Add("w" + std::to_string(i));
    history.Add("w20");
    history.Add(std::string(79, 'a') + kKatakanaA);
    history.Add("");
    EXPECT_EQ(entries.size(), kFindHistoryEntries);
    EXPECT_EQ(entries[0], std::string(79, 'a')) << "a lead byte is not kept without its trail";
    EXPECT_EQ(entries[1], "w20");
    EXPECT_EQ(entries[2], "w24");
}

} // namespace
} // namespace nelvix
