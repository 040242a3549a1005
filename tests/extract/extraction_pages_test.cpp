// The extraction sheet's pages without a screen: the mappings to the rule set,
// the checks of "追加" at their limits, the selections after "追加" and "削除",
// the step-2 target list, the file page's pattern limits, page changes, OK and
// apply.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/cp932.h"
#include "extract/extraction_entry_fields.h"
#include "extract/extraction_sheet_model.h"
#include "ui/fake_platform.h"

namespace nelvix {
namespace {

RuleList ListOf(std::initializer_list<const char*> texts) {
    RuleList list;
    std::int32_t position = 0;
    for (const char* text : texts)
        list.Add(MakeRuleEntry(text, position++, 1));
    return list;
}

std::vector<std::string> Texts(const RuleList& list) {
    std::vector<std::string> texts;
    for (const RuleEntry& entry : list.Used())
        texts.emplace_back(entry.Text());
    return texts;
}

ExtractionSheetValues ValuesWith(RuleList step1, RuleList start = {}, RuleList end = {}) {
    ExtractionSheetValues values;
    values.rules = DefaultExtractionRules();
    values.rules.step1Lines = step1;
    values.rules.startLines = start;
    values.rules.endLines = end;
    values.filePattern = "/data/*.txt";
    return values;
}

// --- mappings
// ---------------------------------------------------------------------------

struct RunModeCase {
    std::int32_t runMode;
    int index;
};

TEST(ExtSetPage, RunModeShowsItsButtonAndAnyOtherModeShowsStep2) {
    const RunModeCase cases[] = {{3, 0}, {1, 1}, {2, 2}, {7, 2}, {0, 2}, {-1, 2}};
    for (const RunModeCase& c : cases)
        EXPECT_EQ(RunStepIndexFromMode(static_cast<RunMode>(c.runMode)), c.index)
            << "runMode " << c.runMode;
}

TEST(ExtSetPage, EveryCheckReadsBackIntoItsOwnField) {
    ExtractionSheetValues values = ValuesWith({});
    ExtSetPageModel page;
    page.Fill(values);
    // "Display while extracting" shows the inverse of hiding.
    EXPECT_EQ(page.Check(ExtSetCheck::DisplayWhileExtracting), !values.rules.hideWhileExtracting);
    for (int i = 0; i < kExtSetCheckCount; ++i) {
        const auto check = static_cast<ExtSetCheck>(i);
        page.SetCheck(check, !page.Check(check));
    }
    ExtractionSheetValues read = values;
    page.ReadBack(read);
    EXPECT_EQ(read.rules.hideWhileExtracting, !values.rules.hideWhileExtracting);
    EXPECT_EQ(read.rules.showInfo, !values.rules.showInfo);
    EXPECT_EQ(read.rules.addSeparator, !values.rules.addSeparator);
    EXPECT_EQ(read.rules.caseSensitive, !values.rules.caseSensitive);
    EXPECT_EQ(read.rules.useRegex, !values.rules.useRegex);
    EXPECT_EQ(read.rules.widthSensitive, !values.rules.widthSensitive);
    EXPECT_EQ(read.recordOperation, !values.recordOperation);
    EXPECT_EQ(read.copyToClipboard, !values.copyToClipboard);
}

TEST(ExtSetPage, SeparatorKeepsAtMost80BytesOfWholeCharacters) {
    ExtSetPageModel page;
    page.Fill(ValuesWith({}));
    EXPECT_FALSE(page.Modified());
    page.SetSeparator(std::string(79, '-') + Sjis("＝"));
    EXPECT_EQ(page.Separator(), std::string(79, '-'));
    EXPECT_TRUE(page.Modified());
    page.SetSeparator(std::string(78, '-') + Sjis("＝"));
    EXPECT_EQ(page.Separator().size(), 80u);
}

// --- step 1
// ------------------------------------------------------------------------------

TEST(ExtStep1Page, OpensOnTheFirstEntryOrEmptyWithPositionZeroAndCountOne) {
    ui::FakeBeeper beeper;
    ExtStep1PageModel page(beeper);
    page.Fill(ValuesWith({}));
    EXPECT_EQ(page.Selection(), std::nullopt);
    EXPECT_EQ(page.Edits(), (ExtEntryEdits{"", "0", "1"}));
    ExtractionSheetValues values = ValuesWith({});
    values.rules.step1Lines.Add(MakeRuleEntry("first", -3, 7));
    values.rules.step1Lines.Add(MakeRuleEntry("second", 1, 1));
    page.Fill(values);
    EXPECT_EQ(page.Selection(), std::optional<std::size_t>(0));
    EXPECT_EQ(page.Edits(), (ExtEntryEdits{"first", "-3", "7"}));
    EXPECT_FALSE(page.Modified());
}

TEST(ExtStep1Page, SelectingShowsTheEntryAndSelectingNothingBeeps) {
    ui::FakeBeeper beeper;
    ExtStep1PageModel page(beeper);
    page.Fill(ValuesWith(ListOf({"a", "b", "c"})));
    page.SelectEntry(2);
    EXPECT_EQ(page.Edits(), (ExtEntryEdits{"c", "2", "1"}));
    EXPECT_EQ(beeper.beeps, 0);
    page.SelectEntry(std::nullopt);
    EXPECT_EQ(beeper.beeps, 1);
    EXPECT_EQ(page.Selection(), std::nullopt);
    EXPECT_EQ(page.Edits().text, "c"); // the edits keep what they showed
}

struct Step1AddCase {
    const char* name;
    std::string text;
    const char* position;
    const char* count;
    ExtCheck expected;
};

const Step1AddCase kStep1AddCases[] = {
    {"plain entry", "abc", "0", "1", kExtCheckOk},
    {"empty text", "", "0", "1", {false, ExtField::Text}},
    {"text of 80 bytes", std::string(80, 't'), "0", "1", kExtCheckOk},
    {"text of 81 bytes", std::string(81, 't'), "0", "1", {false, ExtField::Text}},
    {"40 double-byte characters", std::string(80, '\x82'), "0", "1", kExtCheckOk},
    {"position -10000", "abc", "-10000", "1", kExtCheckOk},
    {"position -10001", "abc", "-10001", "1", {false, ExtField::Position}},
    {"position 10000", "abc", "10000", "1", kExtCheckOk},
    {"position 10001", "abc", "10001", "1", {false, ExtField::Position}},
    {"position empty", "abc", "", "1", {false, ExtField::Position}},
    {"position lone minus", "abc", "-", "1", {false, ExtField::Position}},
    {"position not a number", "abc", "1a", "1", {false, ExtField::Position}},
    {"position of twenty digits", "abc", "99999999999999999999", "1", {false, ExtField::Position}},
    {"count 0", "abc", "0", "0", {false, ExtField::Count}},
    {"count 1", "abc", "0", "1", kExtCheckOk},
    {"count 10000", "abc", "0", "10000", kExtCheckOk},
    {"count 10001", "abc", "0", "10001", {false, ExtField::Count}},
    {"count -1", "abc", "0", "-1", {false, ExtField::Count}},
    {"text is checked before position", "", "x", "0", {false, ExtField::Text}},
    {"position is checked before count", "abc", "x", "0", {false, ExtField::Position}},
};

TEST(ExtStep1Page, AddChecksEachFieldAtItsLimits) {
    for (const Step1AddCase& c : kStep1AddCases) {
        ui::FakeBeeper beeper;
        ExtStep1PageModel page(beeper);
        page.Fill(ValuesWith(ListOf({"old"})));
        page.EditText(c.text);
        page.EditPosition(c.position);
        page.EditCount(c.count);
        EXPECT_EQ(page.Add(), c.expected) << c.name;
        EXPECT_EQ(beeper.beeps, c.expected.ok ? 0 : 1) << c.name;
        EXPECT_EQ(page.List().count, c.expected.ok ? 2 : 1) << c.name;
        EXPECT_EQ(page.Modified(), c.expected.ok) << c.name;
    }
}

TEST(ExtStep1Page, AddAppendsSelectsAndShowsTheNewEntry) {
    ui::FakeBeeper beeper;
    ExtStep1PageModel page(beeper);
    page.Fill(ValuesWith(ListOf({"a"})));
    page.EditText("new");
    page.EditPosition("-007");
    page.EditCount("12");
    ASSERT_TRUE(page.Add().ok);
    EXPECT_EQ(Texts(page.List()), (std::vector<std::string>{"a", "new"}));
    const RuleEntry& added = page.List().Used()[1];
    EXPECT_EQ(added.length, 3);
    EXPECT_EQ(added.position, -7);
    EXPECT_EQ(added.count, 12);
    EXPECT_EQ(page.Selection(), std::optional<std::size_t>(1));
    EXPECT_EQ(page.Edits(), (ExtEntryEdits{"new", "-7", "12"}));
}

TEST(ExtStep1Page, SixthAddBeepsAndChangesNothing) {
    ui::FakeBeeper beeper;
    ExtStep1PageModel page(beeper);
    page.Fill(ValuesWith(ListOf({"a", "b", "c", "d", "e"})));
    page.SelectEntry(1);
    page.EditText("sixth");
    const RuleList before = page.List();
    EXPECT_EQ(page.Add(), (ExtCheck{false, ExtField::None}));
    EXPECT_EQ(beeper.beeps, 1);
    EXPECT_EQ(page.List(), before);
    EXPECT_EQ(page.Selection(), std::optional<std::size_t>(1));
    EXPECT_EQ(page.Edits().text, "sixth");
    EXPECT_FALSE(page.Modified());
}

struct DeleteCase {
    const char* name;
    std::optional<std::size_t> selected;
    std::vector<std::string> left;
    std::optional<std::size_t> selectedAfter;
    ExtEntryEdits editsAfter;
    int beeps;
};

TEST(ExtStep1Page, DeleteSelectsTheEntryNowInPlaceOrTheLast) {
    const DeleteCase cases[] = {
        {"middle entry", 1, {"a", "c"}, 1, {"c", "2", "1"}, 0},
        {"first entry", 0, {"b", "c"}, 0, {"b", "1", "1"}, 0},
        {"last entry", 2, {"a", "b"}, 1, {"b", "1", "1"}, 0},
        {"nothing selected", std::nullopt, {"a", "b", "c"}, std::nullopt, {"c", "2", "1"}, 1},
    };
    for (const DeleteCase& c : cases) {
        ui::FakeBeeper beeper;
        ExtStep1PageModel page(beeper);
        page.Fill(ValuesWith(ListOf({"a", "b", "c"})));
        page.SelectEntry(c.selected ? *c.selected : 2);
        if (!c.selected) {
            page.SelectEntry(std::nullopt);
            beeper.beeps = 0;
        }
        EXPECT_EQ(page.Delete(), c.beeps == 0) << c.name;
        EXPECT_EQ(Texts(page.List()), c.left) << c.name;
        EXPECT_EQ(page.Selection(), c.selectedAfter) << c.name;
        EXPECT_EQ(page.Edits(), c.editsAfter) << c.name;
        EXPECT_EQ(beeper.beeps, c.beeps) << c.name;
        EXPECT_EQ(page.Modified(), c.beeps == 0) << c.name;
    }
}

TEST(ExtStep1Page, DeletingTheOnlyEntryClearsTheEdits) {
    ui::FakeBeeper beeper;
    ExtStep1PageModel page(beeper);
    ExtractionSheetValues values = ValuesWith({});
    values.rules.step1Lines.Add(MakeRuleEntry("only", 5, 9));
    page.Fill(values);
    EXPECT_TRUE(page.Delete());
    EXPECT_TRUE(page.List().Empty());
    EXPECT_EQ(page.Selection(), std::nullopt);
    EXPECT_EQ(page.Edits(), (ExtEntryEdits{"", "0", "1"}));
}

// --- step 2
// ------------------------------------------------------------------------------

struct TargetCase {
    const char* name;
    int startEntries;
    int endEntries;
    std::optional<ExtBlockSelection> selection;
    ExtBlockList expected;
};

RuleList Numbered(int entries, const char* prefix) {
    RuleList list;
    for (int i = 0; i < entries; ++i)
        list.Add(MakeRuleEntry(prefix + std::to_string(i), 0, 1));
    return list;
}

TEST(ExtStep2Page, AddChoosesTheTargetList) {
    const TargetCase cases[] = {
        {"no selection, two starts, no ends: the end list", 2, 0, std::nullopt, ExtBlockList::End},
        {"both lists empty: the start list", 0, 0, std::nullopt, ExtBlockList::Start},
        {"selection in the start list", 2, 2, ExtBlockSelection{ExtBlockList::Start, 1},
         ExtBlockList::Start},
        {"selection in the end list", 2, 2, ExtBlockSelection{ExtBlockList::End, 0},
         ExtBlockList::End},
        {"selection in the end list, start list empty", 0, 2,
         ExtBlockSelection{ExtBlockList::End, 1}, ExtBlockList::End},
        {"no selection, both lists filled: the start list", 2, 2, std::nullopt,
         ExtBlockList::Start},
        {"no selection, only ends: the start list", 0, 2, std::nullopt, ExtBlockList::Start},
    };
    for (const TargetCase& c : cases) {
        ui::FakeBeeper beeper;
        ExtStep2PageModel page(beeper);
        page.Fill(ValuesWith({}, Numbered(c.startEntries, "s"), Numbered(c.endEntries, "e")));
        if (c.selection)
            page.SelectEntry(c.selection->list, c.selection->index);
        else if (page.Selection())
            page.SelectEntry(ExtBlockList::Start, std::nullopt);
        ASSERT_EQ(page.Selection(), c.selection) << c.name;
        EXPECT_EQ(page.AddTarget(), c.expected) << c.name;

        page.EditText("new");
        page.EditPosition("-2");
        ASSERT_TRUE(page.Add().ok) << c.name;
        const RuleList& target = page.List(c.expected);
        EXPECT_EQ(Texts(target).back(), "new") << c.name;
        EXPECT_EQ(target.Used().back().position, -2) << c.name;
        EXPECT_EQ(target.Used().back().count, 1) << c.name;
        EXPECT_EQ(page.Selection(),
                  (ExtBlockSelection{c.expected, static_cast<std::size_t>(target.count - 1)}))
            << c.name;
    }
}

TEST(ExtStep2Page, OpensOnTheFirstStartEntryWithNoEndSelected) {
    ui::FakeBeeper beeper;
    ExtStep2PageModel page(beeper);
    ExtractionSheetValues values = ValuesWith({});
    values.rules.startLines.Add(MakeRuleEntry("begin", -1, 1));
    values.rules.endLines.Add(MakeRuleEntry("end", 3, 1));
    page.Fill(values);
    EXPECT_EQ(page.Selection(), (ExtBlockSelection{ExtBlockList::Start, 0}));
    EXPECT_EQ(page.Edits().text, "begin");
    EXPECT_EQ(page.Edits().position, "-1");
}

TEST(ExtStep2Page, SelectionAndFocusKeepToOneListAndSelectingNothingBeeps) {
    ui::FakeBeeper beeper;
    ExtStep2PageModel page(beeper);
    page.Fill(ValuesWith({}, ListOf({"s0", "s1"}), ListOf({"e0", "e1", "e2"})));
    page.FocusList(ExtBlockList::End);
    EXPECT_EQ(page.Selection(), (ExtBlockSelection{ExtBlockList::End, 2}));
    EXPECT_EQ(page.Edits().text, "e2");
    page.SelectEntry(ExtBlockList::End, 0);
    EXPECT_EQ(page.Edits().text, "e0");
    page.FocusList(ExtBlockList::End); // a selection of its own stays
    EXPECT_EQ(page.Selection(), (ExtBlockSelection{ExtBlockList::End, 0}));
    page.FocusList(ExtBlockList::Start);
    EXPECT_EQ(page.Selection(), (ExtBlockSelection{ExtBlockList::Start, 1}));
    EXPECT_EQ(beeper.beeps, 0);
    page.SelectEntry(ExtBlockList::Start, std::nullopt);
    EXPECT_EQ(beeper.beeps, 1);
    EXPECT_EQ(page.Selection(), std::nullopt);
}

TEST(ExtStep2Page, AddRefusesAFullListAndFieldsBeyondTheirLimits) {
    struct Case {
        const char* name;
        int startEntries;
        std::string text;
        const char* position;
        ExtCheck expected;
    };
    const Case cases[] = {
        {"full target list", 5, "x", "0", {false, ExtField::None}},
        {"empty text", 1, "", "0", {false, ExtField::Text}},
        {"position -10001", 1, "x", "-10001", {false, ExtField::Position}},
        {"count is not checked", 1, "x", "10000", kExtCheckOk},
    };
    for (const Case& c : cases) {
        ui::FakeBeeper beeper;
        ExtStep2PageModel page(beeper);
        page.Fill(ValuesWith({}, Numbered(c.startEntries, "s"), ListOf({"e"})));
        page.EditText(c.text);
        page.EditPosition(c.position);
        EXPECT_EQ(page.Add(), c.expected) << c.name;
        EXPECT_EQ(beeper.beeps, c.expected.ok ? 0 : 1) << c.name;
        EXPECT_EQ(page.List(ExtBlockList::Start).count, c.startEntries + (c.expected.ok ? 1 : 0))
            << c.name;
    }
}

TEST(ExtStep2Page, DeleteRemovesTheSelectedEntryAndStartsOverOnTheFirstStart) {
    ui::FakeBeeper beeper;
    ExtStep2PageModel page(beeper);
    page.Fill(ValuesWith({}, ListOf({"s0", "s1"}), ListOf({"e0", "e1"})));
    page.SelectEntry(ExtBlockList::End, 0);
    EXPECT_TRUE(page.Delete());
    EXPECT_EQ(Texts(page.List(ExtBlockList::End)), (std::vector<std::string>{"e1"}));
    EXPECT_EQ(page.Selection(), (ExtBlockSelection{ExtBlockList::Start, 0}));
    EXPECT_EQ(page.Edits().text, "s0");

    page.SelectEntry(ExtBlockList::Start, 1);
    EXPECT_TRUE(page.Delete());
    EXPECT_EQ(Texts(page.List(ExtBlockList::Start)), (std::vector<std::string>{"s0"}));
    EXPECT_TRUE(page.Delete());
    EXPECT_TRUE(page.List(ExtBlockList::Start).Empty());
    EXPECT_EQ(page.Selection(), std::nullopt);
    EXPECT_EQ(page.Edits().text, "");
    EXPECT_EQ(page.Edits().position, "0");

    EXPECT_EQ(beeper.beeps, 0);
    EXPECT_FALSE(page.Delete());
    EXPECT_EQ(beeper.beeps, 1);
    EXPECT_EQ(Texts(page.List(ExtBlockList::End)), (std::vector<std::string>{"e1"}));
}

// --- file page and sheet
// -----------------------------------------------------------------

TEST(ExtFilePage, BrowsedPathReplacesThePattern) {
    ui::FakeBeeper beeper;
    ExtFilePageModel page(beeper);
    page.Fill(ValuesWith({}), {"/a/*.txt", "/b/*.c"});
    EXPECT_EQ(page.History(), (std::vector<std::string>{"/a/*.txt", "/b/*.c"}));
    EXPECT_FALSE(page.Modified());
    page.Browsed("/home/me/mail.log");
    EXPECT_EQ(page.Pattern(), "/home/me/mail.log");
    EXPECT_TRUE(page.Modified());
}

struct OpenCase {
    ExtractionSheetKind kind;
    int page;
    int expected;
};

TEST(ExtSheet, OpensOnTheRememberedPageWhenTheSheetHasIt) {
    const OpenCase cases[] = {
        {ExtractionSheetKind::Line, 2, 2},    {ExtractionSheetKind::Line, 3, 0},
        {ExtractionSheetKind::Global, 3, 3},  {ExtractionSheetKind::Global, 4, 0},
        {ExtractionSheetKind::Global, -1, 0},
    };
    for (const OpenCase& c : cases) {
        ui::FakeBeeper beeper;
        ExtSheetModel sheet(beeper);
        sheet.Open(c.kind, ValuesWith({}), {}, c.page);
        EXPECT_EQ(sheet.ActivePage(), c.expected) << c.page;
    }
}

TEST(ExtSheet, RunStep2IsStoredAndShown) {
    ui::FakeBeeper beeper;
    ExtSheetModel sheet(beeper);
    sheet.Open(ExtractionSheetKind::Line, ValuesWith({}), {}, 0);
    sheet.SetPage().SetRunStep(kRunStep2);
    ExtractionSheetValues values = sheet.Values();
    EXPECT_EQ(values.rules.runMode, RunMode::Step2Only);
    sheet.Open(ExtractionSheetKind::Line, values, {}, 0);
    EXPECT_EQ(sheet.SetPage().RunStep(), kRunStep2);
}

TEST(ExtSheet, UntouchedSheetGivesBackWhatItWasOpenedWith) {
    ui::FakeBeeper beeper;
    ExtSheetModel sheet(beeper);
    ExtractionSheetValues values = ValuesWith(ListOf({"a", "b"}), ListOf({"s"}), ListOf({"e"}));
    values.rules.step1Process = Step1Process::Extract;
    values.rules.step2Process = Step2Process::Delete;
    values.rules.runMode = RunMode::Step1Only;
    values.recordOperation = true;
    values.subdirectories = false;
    for (ExtractionSheetKind kind : {ExtractionSheetKind::Line, ExtractionSheetKind::Global}) {
        sheet.Open(kind, values, {"/x/*.txt"}, 1);
        EXPECT_FALSE(sheet.Modified());
        EXPECT_EQ(sheet.Values(), values);
    }
}

TEST(ExtSheet, LeavingTheFilePageWithABadPatternStaysOnIt) {
    ui::FakeBeeper beeper;
    ExtSheetModel sheet(beeper);
    sheet.Open(ExtractionSheetKind::Global, ValuesWith({}), {}, kExtFilePage);
    sheet.FilePage().EditPattern(std::string(261, 'p'));
    EXPECT_EQ(sheet.ChangePage(kExtStep1Page), (ExtCheck{false, ExtField::FilePattern}));
    EXPECT_EQ(sheet.ActivePage(), kExtFilePage);
    sheet.FilePage().EditPattern("");
    EXPECT_EQ(sheet.ChangePage(kExtSetPage), (ExtCheck{false, ExtField::None}));
    EXPECT_EQ(beeper.beeps, 2);
    sheet.FilePage().EditPattern(std::string(260, 'p'));
    EXPECT_TRUE(sheet.ChangePage(kExtSetPage).ok);
    EXPECT_EQ(sheet.ActivePage(), kExtSetPage);
}

TEST(ExtSheet, OkChecksTheFilePageFromAnyPage) {
    ui::FakeBeeper beeper;
    ExtSheetModel sheet(beeper);
    ExtractionSheetValues values = ValuesWith({});
    values.filePattern.clear();
    sheet.Open(ExtractionSheetKind::Global, values, {}, kExtStep2Page);
    EXPECT_FALSE(sheet.Ok().ok);
    EXPECT_EQ(sheet.ActivePage(), kExtFilePage);
    EXPECT_EQ(beeper.beeps, 1);
    sheet.Open(ExtractionSheetKind::Line, values, {}, kExtStep2Page);
    EXPECT_TRUE(sheet.Ok().ok);
}

TEST(ExtSheet, ApplyHandsOverEveryPageAndClearsModified) {
    ui::FakeBeeper beeper;
    ExtSheetModel sheet(beeper);
    sheet.Open(ExtractionSheetKind::Global, ValuesWith({}), {}, kExtStep1Page);
    EXPECT_FALSE(sheet.Modified());
    sheet.Step1Page().SetProcess(kProcessExtract);
    sheet.Step2Page().SetProcess(kProcessDelete);
    sheet.FilePage().SetSubdirectories(false);
    EXPECT_TRUE(sheet.Modified());

    std::vector<ExtractionSheetValues> applied;
    EXPECT_TRUE(sheet.Apply([&](const ExtractionSheetValues& v) { applied.push_back(v); }).ok);
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied[0].rules.step1Process, Step1Process::Extract);
    EXPECT_EQ(applied[0].rules.step2Process, Step2Process::Delete);
    EXPECT_FALSE(applied[0].subdirectories);
    EXPECT_FALSE(sheet.Modified());

    sheet.FilePage().EditPattern("");
    EXPECT_TRUE(sheet.Modified());
    EXPECT_FALSE(sheet.Apply([&](const ExtractionSheetValues& v) { applied.push_back(v); }).ok);
    EXPECT_EQ(applied.size(), 1u);
    EXPECT_TRUE(sheet.Modified());
}

// --- number fields
// -----------------------------------------------------------------------

TEST(ExtNumberFields, ParseTakesAnOptionalMinusAndDigitsOnly) {
    struct Case {
        const char* text;
        std::optional<std::int64_t> expected;
    };
    const Case cases[] = {
        {"0", 0},
        {"-0", 0},
        {"10000", 10000},
        {"-10001", -10001},
        {"007", 7},
        {"", std::nullopt},
        {"-", std::nullopt},
        {" 1", std::nullopt},
        {"1 ", std::nullopt},
        {"+1", std::nullopt},
        {"--1", std::nullopt},
        {"1-", std::nullopt},
        {"99999999999999999999999", 1'000'000'000'000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseFieldNumber(c.text), c.expected) << '"' << c.text << '"';
}

/// The library's rule: leading digits, one step, 0..32767.
std::optional<std::string> LibraryStep(const std::string& digits, int delta) {
    long value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
    }
    value += delta;
    if (value < 0 || value > 32767)
        return std::nullopt;
    return std::to_string(value);
}

TEST(ExtNumberFields, ANegativeTextStepsItsMagnitudeTheOtherWay) {
    struct Case {
        const char* text;
        int delta;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"5", 1, "6"},  {"0", -1, std::nullopt},      {"-5", 1, "-4"}, {"-5", -1, "-6"},
        {"-1", 1, "0"}, {"-32767", -1, std::nullopt}, {"-", 1, "1"},   {"", 1, "1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StepSignedFieldText(c.text, c.delta, LibraryStep), c.expected)
            << '"' << c.text << "\" by " << c.delta;
}

} // namespace
} // namespace nelvix
