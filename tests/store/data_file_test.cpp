// The data file: which images are taken, what a cut file restores and what it leaves, round
// trips of every state, the size limit, and reading and writing with their messages.
#include "store/data_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "base/byte_record.h"
#include "base/cp932.h"
#include "support/test_files.h"
#include "ui/fake_platform.h"
#include "ui/message_ids.h"

namespace nelvix {
namespace {

using Image = std::vector<Byte>;

constexpr std::uint32_t kBitCase = 1;
constexpr std::uint32_t kBitWidthInsensitive = 2;
constexpr std::uint32_t kBitRegex = 4;

/// A header with the total length left for Finish(), then whatever a case appends.
struct ImageWriter {
    Image image;

    explicit ImageWriter(std::uint32_t searchCount = 0, std::uint32_t replacementCount = 0,
                         std::uint32_t patternCount = 0, std::uint32_t options = 0) {
        PutU32(image, 0);
        PutU32(image, searchCount);
        PutU32(image, replacementCount);
        PutU32(image, patternCount);
        PutU32(image, options);
        PutU32(image, 1);
        PutU32(image, 1);
        image.resize(kDataFileHeaderBytes, 0);
    }
    ImageWriter& U32(std::uint32_t value) {
        PutU32(image, value);
        return *this;
    }
    ImageWriter& Str(std::string_view text) {
        PutCString(image, text);
        return *this;
    }
    ImageWriter& Strs(int count, std::string_view text) {
        for (int i = 0; i < count; ++i)
            Str(text);
        return *this;
    }
    /// Bytes without a NUL: a last string that ends at the file's end.
    ImageWriter& Raw(std::string_view bytes) {
        image.insert(image.end(), bytes.begin(), bytes.end());
        return *this;
    }
    ImageWriter& Rules(const ExtractionRules& rules = DefaultExtractionRules()) {
        AppendRuleSetRecord(rules, image);
        return *this;
    }
    /// Empty editor list, default rules, empty extraction history, empty browser list.
    ImageWriter& EmptySections() { return U32(0).Rules().U32(1).U32(0).U32(0); }
    /// Sets the total length to the size, plus `lengthError`.
    Image Finish(std::int64_t lengthError = 0) const {
        Image done = image;
        const auto total =
            static_cast<std::uint32_t>(static_cast<std::int64_t>(done.size()) + lengthError);
        for (std::size_t i = 0; i < 4; ++i)
            done[i] = static_cast<Byte>(total >> (8 * i));
        return done;
    }
};

Image Padded(std::size_t size) {
    ImageWriter writer;
    writer.EmptySections();
    writer.image.resize(size, 0);
    return writer.Finish();
}

struct ValidityCase {
    const char* name;
    Image image;
    bool valid;
};

std::vector<ValidityCase> ValidityCases() {
    const std::string s80(80, 's');
    const std::string p260(260, 'p');
    const std::string t260(260, 't');
    const Image rules = SerializeRuleSet(DefaultExtractionRules());
    const Image cutRules(rules.begin(), rules.end() - 2);
    Image header79 = ImageWriter().Finish();
    header79.pop_back();
    return {
        {"HeaderOnlyWithZeroCounts", ImageWriter().Finish(), true},
        {"Shorter than the header", header79, false},
        {"TotalSaysOneMore", ImageWriter().Str("x").Finish(1), false},
        {"TotalSaysOneLess", ImageWriter().Str("x").Finish(-1), false},
        {"TwentyOfEach", ImageWriter(20, 20, 20).Strs(60, "e").Finish(), true},
        {"TwentyOneSearchStrings", ImageWriter(21).Finish(), false},
        {"TwentyOneReplacements", ImageWriter(0, 21).Finish(), false},
        {"TwentyOneFilePatterns", ImageWriter(0, 0, 21).Finish(), false},
        {"SearchStringOf80", ImageWriter(1).Str(s80).Finish(), true},
        {"SearchStringOf81", ImageWriter(1).Str(s80 + "s").Finish(), false},
        {"ReplacementOf81", ImageWriter(0, 1).Str(s80 + "s").Finish(), false},
        {"FilePatternOf260", ImageWriter(0, 0, 1).Str(p260).Finish(), true},
        {"FilePatternOf261", ImageWriter(0, 0, 1).Str(p260 + "p").Finish(), false},
        {"LastStringEndsAtTheEnd", ImageWriter(1, 0, 1).Str("a").Raw("*.txt").Finish(), true},
        {"AnnouncedStringAtTheEnd", ImageWriter(1, 1).Str("a").Finish(), false},
        {"AnnouncedPatternAfterAnUnendedString", ImageWriter(1, 0, 1).Raw("a").Finish(), false},
        {"EditorsOnly", ImageWriter().U32(1).Str("/bin/vi").Str("+$l $f").Str("").Finish(), true},
        {"EditorDirectoryEndsAtTheEnd",
         ImageWriter().U32(1).Str("vi").Str("$f").Raw("/tmp").Finish(), true},
        {"EditorWithoutDirectory", ImageWriter().U32(1).Str("vi").Str("$f").Finish(), false},
        {"EditorCountCut", ImageWriter().Raw("\x01").Finish(), false},
        {"TwentyOneEditors", ImageWriter().U32(21).Strs(3 * 21, "p").Finish(), false},
        {"ToolStringsOf260", ImageWriter().U32(1).Str(t260).Str(t260).Str(t260).Finish(), true},
        {"ToolProgramOf261", ImageWriter().U32(1).Str(t260 + "t").Str("").Str("").Finish(), false},
        {"ToolDirectoryOf261", ImageWriter().U32(1).Str("").Str("").Str(t260 + "t").Finish(),
         false},
        {"RulesAfterEditors", ImageWriter().U32(0).Rules().Finish(), true},
        {"RulesCut",
         ImageWriter().U32(0).Raw(std::string(cutRules.begin(), cutRules.end())).Finish(), false},
        {"ExtractionHistoryOf4Bytes", ImageWriter().U32(0).Rules().U32(1).Finish(), false},
        {"ExtractionHistoryEmpty", ImageWriter().U32(0).Rules().U32(1).U32(0).Finish(), true},
        {"ExtractionPatternAtTheEnd", ImageWriter().U32(0).Rules().U32(1).U32(1).Finish(), false},
        {"ExtractionPatternEndsAtTheEnd",
         ImageWriter().U32(0).Rules().U32(1).U32(1).Raw("*.log").Finish(), true},
        {"TwentyOneExtractionPatterns",
         ImageWriter().U32(0).Rules().U32(0).U32(21).Strs(21, "*.t").Finish(), false},
        {"ExtractionPatternOf261",
         ImageWriter().U32(0).Rules().U32(1).U32(1).Str(p260 + "p").Finish(), false},
        {"AllSections", ImageWriter().EmptySections().Finish(), true},
        {"TwentyOneBrowsers", ImageWriter().U32(0).Rules().U32(1).U32(0).U32(21).Finish(), false},
        {"BrowserCut", ImageWriter().U32(0).Rules().U32(1).U32(0).U32(1).Str("b").Finish(), false},
        {"BytesAfterTheLastSection", ImageWriter().EmptySections().Raw("junk").Finish(), true},
        {"JustBelowTheBuffer", Padded(kDataFileBufferBytes - 1), true},
        {"FillsTheBuffer", Padded(kDataFileBufferBytes), false},
    };
}

TEST(ValidateDataFile, Cases) {
    for (const ValidityCase& c : ValidityCases())
        EXPECT_EQ(ValidateDataFile(c.image), c.valid) << c.name;
}

TEST(ParseDataFile, RefusedImagesLeaveTheContentsAlone) {
    DataFileContents start;
    start.searchStrings = {"keep"};
    start.editors = {{"ed", "", ""}};
    for (const ValidityCase& c : ValidityCases()) {
        if (c.valid)
            continue;
        DataFileContents contents = start;
        EXPECT_FALSE(ParseDataFile(c.image, contents)) << c.name;
        EXPECT_EQ(contents, start) << c.name;
    }
}

/// Values unlike the defaults in every section, to see what a read replaces.
DataFileContents Changed() {
    DataFileContents contents;
    contents.searchStrings = {"old"};
    contents.replacementStrings = {"old replacement"};
    contents.filePatterns = {"/old/*.c"};
    contents.caseSensitive = true;
    contents.widthSensitive = false;
    contents.regularExpression = true;
    contents.subdirectories = false;
    contents.findDirection = 0;
    contents.editors = {{"/usr/bin/vi", "+$l $f", ""}};
    contents.rules.runMode = RunMode::Step1Only;
    contents.rules.step1Lines.Remove(0);
    contents.extractionFiles = {false, {"*.log"}};
    contents.browsers = {{"/usr/bin/firefox", "$f", "/tmp"}};
    return contents;
}

TEST(ParseDataFile, HeaderOnlyTakesTheHeaderAndEmptyHistories) {
    DataFileContents contents = Changed();
    ASSERT_TRUE(ParseDataFile(ImageWriter(0, 0, 0, kBitCase).Finish(), contents));
    DataFileContents expected = Changed();
    expected.searchStrings.clear();
    expected.replacementStrings.clear();
    expected.filePatterns.clear();
    expected.caseSensitive = true;
    expected.widthSensitive = true;
    expected.regularExpression = false;
    expected.subdirectories = true;
    expected.findDirection = 1;
    EXPECT_EQ(contents, expected);
}

TEST(ParseDataFile, OptionBits) {
    struct Case {
        std::uint32_t bits;
        bool caseSensitive, widthSensitive, regex;
    };
    for (const Case& c : std::vector<Case>{{0, false, true, false},
                                           {kBitCase, true, true, false},
                                           {kBitWidthInsensitive, false, false, false},
                                           {kBitRegex, false, true, true},
                                           {0xFFFFFFFF, true, false, true}}) {
        DataFileContents contents;
        ASSERT_TRUE(ParseDataFile(ImageWriter(0, 0, 0, c.bits).Finish(), contents)) << c.bits;
        EXPECT_EQ(contents.caseSensitive, c.caseSensitive) << c.bits;
        EXPECT_EQ(contents.widthSensitive, c.widthSensitive) << c.bits;
        EXPECT_EQ(contents.regularExpression, c.regex) << c.bits;
    }
}

TEST(ParseDataFile, EndingAfterTheFilePatternsKeepsTheOptionalSections) {
    DataFileContents contents = Changed();
    const Image image =
        ImageWriter(2, 1, 1).Str(Sjis("検索")).Str("b").Str("r").Str("*.txt").Finish();
    ASSERT_TRUE(ParseDataFile(image, contents));
    EXPECT_EQ(contents.searchStrings, (std::vector<std::string>{Sjis("検索"), "b"}));
    EXPECT_EQ(contents.replacementStrings, std::vector<std::string>{"r"});
    EXPECT_EQ(contents.filePatterns, std::vector<std::string>{"*.txt"});
    const DataFileContents before = Changed();
    EXPECT_EQ(contents.editors, before.editors);
    EXPECT_EQ(contents.rules, before.rules);
    EXPECT_EQ(contents.extractionFiles, before.extractionFiles);
    EXPECT_EQ(contents.browsers, before.browsers);
}

/// Every list full, Shift-JIS text, the rules edited away from the defaults.
DataFileContents FullState() {
    DataFileContents contents;
    for (int i = 0; i < 20; ++i) {
        const std::string n = std::to_string(i);
        contents.searchStrings.push_back(Sjis("検索") + std::string(76 - n.size(), 's') + n);
        contents.replacementStrings.push_back("r" + n);
        contents.filePatterns.push_back("/home/u/" + std::string(240, 'd') + "/*." + n);
        contents.editors.push_back({"/usr/bin/ed" + n, "+$l \"$f\"", "/work/" + n});
        contents.browsers.push_back({Sjis("/opt/閲覧") + n, "$f", ""});
        contents.extractionFiles.patterns.push_back(Sjis("/メール/*.") + n);
    }
    contents.caseSensitive = true;
    contents.widthSensitive = false;
    contents.regularExpression = true;
    contents.subdirectories = false;
    contents.findDirection = 0;
    contents.extractionFiles.subdirectories = false;
    ExtractionRules& rules = contents.rules;
    rules.runMode = RunMode::Step2Only;
    rules.step1Process = Step1Process::Extract;
    rules.step2Process = Step2Process::Delete;
    rules.caseSensitive = true;
    rules.useRegex = true;
    rules.widthSensitive = false;
    rules.hideWhileExtracting = true;
    rules.showInfo = false;
    rules.addSeparator = true;
    rules.SetSeparator(Sjis("――区切り――"));
    while (rules.step1Lines.count < 5)
        rules.step1Lines.Add(MakeRuleEntry("line" + std::to_string(rules.step1Lines.count), -3, 7));
    rules.startLines.Add(MakeRuleEntry(std::string(83, 'x'), 10'000, 1));
    rules.endLines.Remove(0);
    return contents;
}

TEST(BuildDataFile, EveryStateReadsBackEqual) {
    for (const DataFileContents& state : {DataFileContents{}, Changed(), FullState()}) {
        const std::optional<Image> image = BuildDataFile(state);
        ASSERT_TRUE(image.has_value());
        EXPECT_EQ(GetU32(image->data()), image->size());
        EXPECT_TRUE(ValidateDataFile(*image));
        DataFileContents back = Changed();
        if (state == back)
            back = DataFileContents{};
        ASSERT_TRUE(ParseDataFile(*image, back));
        EXPECT_EQ(back, state);
    }
}

TEST(BuildDataFile, HeaderFields) {
    const Image image = *BuildDataFile(FullState());
    const Image header = ImageWriter(20, 20, 20, kBitCase | kBitWidthInsensitive | kBitRegex).image;
    // The counts and the options; the words after them are written as 0.
    EXPECT_EQ(Image(image.begin() + 4, image.begin() + 20),
              Image(header.begin() + 4, header.begin() + 20));
    EXPECT_EQ(Image(image.begin() + 20, image.begin() + 80), Image(60, 0));
}

TEST(BuildDataFile, ListsAndStringsAreCutToWhatReadsBack) {
    DataFileContents contents;
    for (int i = 0; i < 25; ++i) {
        contents.searchStrings.push_back("s" + std::to_string(i));
        contents.editors.push_back({"e" + std::to_string(i), "", ""});
    }
    // 79 single bytes and a double-byte character: cut before the character.
    contents.filePatterns = {std::string(259, 'p') + Sjis("表")};
    contents.replacementStrings = {std::string(79, 'r') + Sjis("表")};
    contents.browsers = {{std::string(300, 'b'), "", ""}};
    DataFileContents back;
    ASSERT_TRUE(ParseDataFile(*BuildDataFile(contents), back));
    EXPECT_EQ(back.searchStrings.size(), 20u);
    EXPECT_EQ(back.searchStrings.back(), "s19");
    EXPECT_EQ(back.editors.size(), 20u);
    EXPECT_EQ(back.filePatterns, std::vector<std::string>{std::string(259, 'p')});
    EXPECT_EQ(back.replacementStrings, std::vector<std::string>{std::string(79, 'r')});
    EXPECT_EQ(back.browsers.at(0).program, std::string(260, 'b'));
}

/// Headers, histories and rules as the defaults, tool lists filled so that the image is
/// `bytes` long.
DataFileContents ContentsOfImageSize(std::size_t bytes) {
    constexpr std::size_t kEntryMax = 3 * (kMaxPathBytes + 1);
    DataFileContents contents;
    const std::size_t base = BuildDataFile(contents)->size();
    const std::size_t fill = bytes - base;
    const std::size_t entries = (fill + kEntryMax - 1) / kEntryMax;
    for (std::size_t i = 0; i < entries; ++i) {
        std::size_t text = fill / entries + (i < fill % entries ? 1 : 0) - 3;
        std::string strings[3];
        for (std::string& s : strings) {
            s.assign(std::min(text, kMaxPathBytes), 'x');
            text -= s.size();
        }
        (i < kToolListEntries ? contents.editors : contents.browsers)
            .push_back({strings[0], strings[1], strings[2]});
    }
    return contents;
}

TEST(BuildDataFile, RefusesWhatWouldFillTheBuffer) {
    const DataFileContents largest = ContentsOfImageSize(kDataFileBufferBytes - 1);
    const std::optional<Image> image = BuildDataFile(largest);
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->size(), kDataFileBufferBytes - 1);
    DataFileContents back;
    ASSERT_TRUE(ParseDataFile(*image, back));
    EXPECT_EQ(back, largest);
    EXPECT_FALSE(BuildDataFile(ContentsOfImageSize(kDataFileBufferBytes)).has_value());
}

/// A data file with each optional section cut off in turn.
TEST(ParseDataFile, CutAfterEachOptionalSection) {
    const DataFileContents full = FullState();
    const Image image = *BuildDataFile(full);
    std::size_t offset = kDataFileHeaderBytes;
    for (const auto* history : {&full.searchStrings, &full.replacementStrings, &full.filePatterns})
        for (const std::string& text : *history)
            offset += text.size() + 1;
    std::vector<std::size_t> ends{offset};
    offset += 4;
    for (const ToolEntry& tool : full.editors)
        offset += tool.program.size() + tool.parameters.size() + tool.workingDirectory.size() + 3;
    ends.push_back(offset);
    offset += SerializeRuleSet(full.rules).size();
    ends.push_back(offset);
    offset += 8;
    for (const std::string& pattern : full.extractionFiles.patterns)
        offset += pattern.size() + 1;
    ends.push_back(offset);

    for (std::size_t sections = 0; sections < ends.size(); ++sections) {
        Image cut(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(ends[sections]));
        const auto total = static_cast<std::uint32_t>(cut.size());
        for (std::size_t i = 0; i < 4; ++i)
            cut[i] = static_cast<Byte>(total >> (8 * i));
        DataFileContents contents = Changed();
        ASSERT_TRUE(ParseDataFile(cut, contents)) << sections;
        // The header and the sections read come from the file, the rest stays.
        const DataFileContents old = Changed();
        DataFileContents expected = full;
        expected.editors = sections >= 1 ? full.editors : old.editors;
        expected.rules = sections >= 2 ? full.rules : old.rules;
        expected.extractionFiles = sections >= 3 ? full.extractionFiles : old.extractionFiles;
        expected.browsers = old.browsers;
        EXPECT_EQ(contents, expected) << sections;

        // The rule set ends in an integer: one byte less cuts it, and the file is refused.
        if (sections == 2) {
            cut.pop_back();
            for (std::size_t i = 0; i < 4; ++i)
                cut[i] = static_cast<Byte>((total - 1) >> (8 * i));
            EXPECT_FALSE(ValidateDataFile(cut)) << sections;
        }
    }
}

TEST(DataFilePath, InTheHomeAndShorterThan261Bytes) {
    EXPECT_EQ(DataFilePath(""), "");
    EXPECT_EQ(DataFilePath("/home/u/.config/nelvix"), "/home/u/.config/nelvix/nelvix.DAT");
    EXPECT_EQ(DataFilePath("/h/"), "/h/nelvix.DAT");
    const std::string name = "/nelvix.DAT";
    const std::string home260 = "/" + std::string(260 - name.size() - 1, 'h');
    EXPECT_EQ(DataFilePath(home260).size(), 260u);
    EXPECT_EQ(DataFilePath(home260 + "h"), "");
}

struct DataFileFixture : ::testing::Test {
    test::TempDir dir;
    ui::FakePlatform fake;
    std::string path = dir.PathOf("home/nelvix.DAT");
};

TEST_F(DataFileFixture, WrittenFileReadsBackWithoutMessages) {
    ASSERT_TRUE(WriteDataFile(fake.platform, path, FullState()));
    DataFileContents contents;
    ASSERT_TRUE(ReadDataFile(fake.platform, path, contents));
    EXPECT_EQ(contents, FullState());
    EXPECT_TRUE(fake.messageBox.shown.empty());
}

TEST(ReadDataFile, AFileThatCannotBeTakenLeavesTheContentsAlone) {
    struct Case {
        const char* name;
        std::function<std::string(test::TempDir&)> place; ///< gives the path read
        std::vector<int> messages;
    };
    const auto write = [](const Image& image) {
        return [image](test::TempDir& dir) {
            std::filesystem::create_directories(dir.PathOf("home"));
            return dir.Write("home/nelvix.DAT", std::string(image.begin(), image.end()));
        };
    };
    // The first field says 100, the file is 99 bytes long.
    const Image oneShort = ImageWriter(1).Str(std::string(18, 'a')).Finish(1);
    const std::vector<Case> cases = {
        {"missing", [](test::TempDir& dir) { return dir.PathOf("home/nelvix.DAT"); }, {}},
        {"below a file",
         [](test::TempDir& dir) { return dir.Write("file", "x") + "/nelvix.DAT"; },
         {}},
        {"a folder at its name",
         [](test::TempDir& dir) {
             std::filesystem::create_directories(dir.PathOf("home/nelvix.DAT"));
             return dir.PathOf("home/nelvix.DAT");
         },
         {ui::kMsgDataReadError}},
        {"total one more than the file", write(oneShort), {ui::kMsgDataInvalid}},
        {"filling the buffer", write(Padded(kDataFileBufferBytes + 100)), {ui::kMsgDataInvalid}},
    };
    for (const Case& c : cases) {
        test::TempDir place;
        ui::FakePlatform quiet;
        DataFileContents contents = Changed();
        EXPECT_FALSE(ReadDataFile(quiet.platform, c.place(place), contents)) << c.name;
        EXPECT_EQ(contents, Changed()) << c.name;
        EXPECT_EQ(quiet.messageBox.ShownIds(), c.messages) << c.name;
    }
}

TEST_F(DataFileFixture, RefusedWriteKeepsTheOldFile) {
    ASSERT_TRUE(WriteDataFile(fake.platform, path, Changed()));
    const std::string old = test::ReadFileBytes(path);
    EXPECT_FALSE(WriteDataFile(fake.platform, path, ContentsOfImageSize(kDataFileBufferBytes)));
    EXPECT_EQ(fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgDataWriteError});
    EXPECT_EQ(test::ReadFileBytes(path), old);
}

TEST_F(DataFileFixture, UnwritablePlaceShowsTheWriteMessage) {
    const std::string underFile = dir.Write("file", "x") + "/nelvix.DAT";
    EXPECT_FALSE(WriteDataFile(fake.platform, underFile, DataFileContents{}));
    EXPECT_FALSE(WriteDataFile(fake.platform, "", DataFileContents{}));
    EXPECT_EQ(fake.messageBox.ShownIds(),
              (std::vector<int>{ui::kMsgDataWriteError, ui::kMsgDataWriteError}));
}

} // namespace
} // namespace nelvix
