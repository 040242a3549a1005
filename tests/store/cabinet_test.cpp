// The cabinet file: which images are taken, what is written, and the cabinet object's reads
// and saves with their messages.
#include "store/cabinet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "store/cabinet_image.h"
#include "store/display_block.h"
#include "support/test_files.h"
#include "ui/fake_platform.h"
#include "ui/message_ids.h"

namespace nelvix {
namespace {

using Image = std::vector<Byte>;

std::int32_t GetWord(const Image& image, std::size_t offset) {
    return static_cast<std::int32_t>(image[offset] | image[offset + 1] << 8 |
                                     image[offset + 2] << 16 |
                                     static_cast<std::uint32_t>(image[offset + 3]) << 24);
}

void SetWord(Image& image, std::size_t offset, std::int32_t value) {
    const auto word = static_cast<std::uint32_t>(value);
    for (std::size_t b = 0; b < 4; ++b)
        image[offset + b] = static_cast<Byte>(word >> (8 * b));
}

std::size_t BlockOffset(const Image& image) {
    return static_cast<std::size_t>(GetWord(image, 4));
}

void SetBlockWord(Image& image, std::size_t word, std::int32_t value) {
    SetWord(image, BlockOffset(image) + word * 4, value);
}

CabinetDocument Document(std::string path) {
    CabinetDocument document;
    document.path = std::move(path);
    document.placement = {44, 0, 1, -1, -1, -4, -30, 10, 20, 610, 420};
    document.viewState = {7, 3, 12};
    return document;
}

std::optional<CabinetContents> Parse(const Image& image) {
    return ParseCabinetImage(image.data(), image.size());
}

/// One record and two keywords: every rule has something to break.
Image ValidImage() {
    return BuildCabinetImage(DefaultDisplayBlock(), {"if", "then"}, {Document("/t/a.txt")});
}

/// A valid image of exactly `length` bytes, its record's path making up the length.
Image ImageOfLength(std::size_t length) {
    const std::size_t fixed = BuildCabinetImage(DefaultDisplayBlock(), {}, {}).size();
    // The builder never makes an image too long to be read back: lengthen the path by hand.
    const std::size_t built = std::min(length, kCabinetReadLimit - 1);
    const std::string path(built - fixed - kDocumentRecordFixedBytes, 'p');
    Image image = BuildCabinetImage(DefaultDisplayBlock(), {}, {Document(path)});
    const std::size_t extra = length - image.size();
    image.insert(image.begin() + 8, extra, 'p');
    SetWord(image, 4, GetWord(image, 4) + static_cast<std::int32_t>(extra));
    return image;
}

TEST(CabinetImage, TakesOnlyImagesThatKeepEveryRule) {
    struct Case {
        const char* name;
        std::function<void(Image&)> change;
        bool accepted;
    };
    const auto block = [](std::size_t word, std::int32_t value) {
        return [=](Image& image) { SetBlockWord(image, word, value); };
    };
    const std::vector<Case> cases{
        {"Unchanged", [](Image&) {}, true},
        {"CharsPerLine10", block(kWordCharsPerLine, 10), true},
        {"CharsPerLine250", block(kWordCharsPerLine, 250), true},
        {"CharsPerLine9", block(kWordCharsPerLine, 9), false},
        {"CharsPerLine251", block(kWordCharsPerLine, 251), false},
        {"LineNumbering2", block(kWordLineNumbering, 2), false},
        {"DocumentType2", block(kWordDocumentType, 2), true},
        {"DocumentType3", block(kWordDocumentType, 3), false},
        {"DocumentTypeNegative", block(kWordDocumentType, -1), false},
        {"TabWidthZero", block(kWordTabWidth, 0), false},
        {"MarkedLineWithoutBit15", block(kWordMarkedLineBackColour, 11), false},
        {"MarkedCharIndex16", block(kWordMarkedCharBackColour, 0x8000 + 16), true},
        {"MarkedCharIndex17", block(kWordMarkedCharBackColour, 0x8000 + 17), false},
        {"TagLineIndexZero", block(kWordTagLineBackColour, 0x8000), false},
        {"TagLineBitsAbove15", block(kWordTagLineBackColour, 0x18004), false},
        {"CKeywordColourZero", block(kWordCKeywordColour, 0), false},
        {"TextBackColour17", block(kWordTextBackColour, 17), false},
        {"KeywordCountNotWord24", block(kWordKeywordCount, 3), false},
        {"KeywordCount201",
         [](Image& image) {
             SetBlockWord(image, kWordKeywordCount, 201);
             SetWord(image, BlockOffset(image) + 164, 201);
         },
         false},
        {"LastKeywordUnterminated", [](Image& image) { image.back() = 'x'; }, false},
        {"DocumentCount31", [](Image& image) { SetWord(image, 0, 31); }, false},
        {"DocumentCountNegative", [](Image& image) { SetWord(image, 0, -1); }, false},
        {"RecordWalkPassesS", [](Image& image) { SetWord(image, 0, 2); }, false},
        {"RecordWalkShortOfS", [](Image& image) { SetWord(image, 0, 0); }, false},
        {"BlockOffsetNegative", [](Image& image) { SetWord(image, 4, -8); }, false},
        {"BlockOffsetLeavesNoKeywordCount",
         [](Image& image) { SetWord(image, 4, static_cast<std::int32_t>(image.size() - 167)); },
         false},
        {"BlockOffsetHuge", [](Image& image) { SetWord(image, 4, 0x7FFFFFFF); }, false},
        {"TooShort", [](Image& image) { image.resize(kCabinetMinBytes - 1); }, false},
        {"Length30719", [](Image& image) { image = ImageOfLength(30719); }, true},
        {"Length30720", [](Image& image) { image = ImageOfLength(30720); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Image image = ValidImage();
        c.change(image);
        EXPECT_EQ(Parse(image).has_value(), c.accepted);
    }
}

TEST(CabinetImage, BuildLeavesOutWhatCannotBeReadBack) {
    std::vector<CabinetDocument> documents;
    documents.push_back(Document(""));
    for (int i = 0; i < 31; ++i)
        documents.push_back(Document("/t/" + std::to_string(i)));
    std::vector<std::string> keywords{std::string(31, 'x'), std::string("a\0b", 3)};
    for (int i = 0; i < 201; ++i)
        keywords.push_back("k" + std::to_string(i));

    const std::optional<CabinetContents> contents =
        Parse(BuildCabinetImage(DefaultDisplayBlock(), keywords, documents));
    ASSERT_TRUE(contents);
    ASSERT_EQ(contents->documents.size(), kMaxCabinetDocuments);
    EXPECT_EQ(contents->documents.front().path, "/t/0");
    EXPECT_EQ(contents->documents.back().path, "/t/29");
    ASSERT_EQ(contents->keywords.size(), kMaxUserKeywords);
    EXPECT_EQ(contents->keywords.front(), "k0");
    EXPECT_EQ(contents->block[kWordKeywordCount], 200);

    // Paths long enough to pass the read limit give way; the block and keywords stay.
    const std::vector<CabinetDocument> longPaths(3, Document(std::string(15000, 'p')));
    const Image image = BuildCabinetImage(DefaultDisplayBlock(), keywords, longPaths);
    EXPECT_LT(image.size(), kCabinetReadLimit);
    ASSERT_TRUE(Parse(image));
    EXPECT_EQ(Parse(image)->documents.size(), 1u);
}

TEST(CabinetImage, RoundTripKeepsEverything) {
    CabinetContents contents;
    contents.block = DefaultDisplayBlock();
    contents.block[kWordCharsPerLine] = 80;
    contents.block[kWordTagLineBackColour] = 0x8000 + 16;
    FontDescription font = FontOf(contents.block);
    SetFontFaceName(font, "\x82\x6c\x82\x72 Gothic"); // "ＭＳ Gothic"
    SetFont(contents.block, font);
    contents.keywords = {"", "TODO", std::string(30, 'z')};
    contents.block[kWordKeywordCount] = 3;
    CabinetDocument first = Document("/t/\x93\xfa\x96\x7b.txt");
    first.active = true;
    CabinetDocument second = Document("/t/b");
    second.readOnly = true;
    second.viewState = {65535, -1, 0x7FFFFFFF};
    contents.documents = {first, second};

    const Image image = BuildCabinetImage(contents.block, contents.keywords, contents.documents);
    EXPECT_EQ(image.size(), 8 + 2 * 65 + first.path.size() + second.path.size() + 168 + 1 + 5 + 31);
    EXPECT_EQ(Parse(image), contents);
}

TEST(DisplayBlock, DefaultFontIsPackedAsTheFileStoresIt) {
    const DisplayBlock block = DefaultDisplayBlock();
    EXPECT_EQ(FontOf(block).height, 14);
    EXPECT_EQ(FontFaceName(FontOf(block)), "Fixedsys");
    // Italic, underline, strike-out, character set; then the precisions, quality and pitch.
    EXPECT_EQ(static_cast<std::uint32_t>(block[kWordFontFirst + 5]), 0x80000000u);
    EXPECT_EQ(block[kWordFontFirst + 6], 0x31010201);
    EXPECT_EQ(block[kWordFontFirst + 7], 0x65786946); // "Fixe"
    EXPECT_TRUE(IsValidDisplayBlock(block));

    FontDescription font = FontOf(block);
    // 32 bytes of two-byte characters: only fifteen whole ones fit before the 0.
    SetFontFaceName(font, std::string(32, '\x82'));
    EXPECT_EQ(FontFaceName(font), std::string(30, '\x82'));
    EXPECT_EQ(font.charSet, 128);
}

TEST(DisplayBlock, TheTypedFormatRoundTripsThroughTheBlock) {
    // A block as another program may have left it: the unused word 9, the keyword count, flags
    // other than 1 and a colour in every word, which a read and write without a change keep.
    DisplayBlock odd = DefaultDisplayBlock();
    odd[9] = 7;
    odd[kWordKeywordCount] = 3;
    odd[kWordShowLineEnds] = 2;
    odd[kWordKeepMarkedChars] = 5;
    for (std::size_t word = kWordMarkedLineBackColour; word <= kWordTagLineBackColour; ++word)
        odd[word] = static_cast<std::int32_t>(word - kWordMarkedLineBackColour + 1);
    for (const DisplayBlock& block : {DefaultDisplayBlock(), odd}) {
        DisplayBlock written = block;
        StoreFormat(written, FormatOf(block));
        EXPECT_EQ(written, block);
    }

    DisplayFormat changed;
    changed.charsPerLine = 80;
    changed.tabColumns = 8;
    changed.lineNumbering = false;
    changed.lineSpacing = 3;
    changed.charSpacing = 2;
    changed.showLineEnds = false;
    changed.showTabs = true;
    changed.freeCursor = false;
    changed.autoIndent = false;
    changed.keepLineMarks = false;
    changed.keepStringMarks = false;
    changed.documentType = DocumentType::C;
    changed.colours.markedTextBackground = kBackgroundFlag + 2;
    changed.colours.tab = 5;
    changed.colours.tagTargetBackground = kBackgroundFlag + 9;
    changed.wordWrap = true;
    changed.font.height = 11;
    SetFontFaceName(changed.font, "IPAGothic");
    DisplayBlock block = odd;
    StoreFormat(block, changed);
    EXPECT_EQ(FormatOf(block), changed);
    EXPECT_EQ(block[9], 7) << "a word the format does not hold stays";
    EXPECT_EQ(block[kWordKeywordCount], 3);
    EXPECT_EQ(block[kWordDocumentType], 1);
    EXPECT_EQ(block[kWordWordWrap], 1);
    EXPECT_EQ(block[kWordMarkedCharBackColour], kBackColourFlag + 2);
}

TEST(Cabinet, PathInTheHomeAndShorterThan250Bytes) {
    EXPECT_EQ(CabinetPath("/h/nelvix"), "/h/nelvix/nelvix.cab");
    EXPECT_EQ(CabinetPath(""), "");
    EXPECT_EQ(CabinetPath(std::string(238, 'h')).size(), 249u);
    EXPECT_EQ(CabinetPath(std::string(239, 'h')), "");
}

TEST(Cabinet, OpenTakesAnAcceptedFileIntoBothCopies) {
    test::TempDir dir;
    DisplayBlock block = DefaultDisplayBlock();
    block[kWordCharsPerLine] = 72;
    Image image = BuildCabinetImage(block, {"if", "then"}, {Document("/t/a")});
    // A third keyword, 40 bytes long, between the two: the builder would leave it out.
    const std::string longKeyword(40, 'k');
    image.insert(image.begin() + static_cast<std::ptrdiff_t>(BlockOffset(image) + 168 + 3),
                 longKeyword.c_str(), longKeyword.c_str() + longKeyword.size() + 1);
    SetBlockWord(image, kWordKeywordCount, 3);
    SetWord(image, BlockOffset(image) + 164, 3);
    const std::string path = dir.Write("nelvix.cab", std::string(image.begin(), image.end()));

    ui::FakePlatform fake;
    Cabinet cabinet;
    ASSERT_TRUE(cabinet.Open(fake.platform, path));
    EXPECT_TRUE(fake.messageBox.ShownIds().empty());
    EXPECT_EQ(cabinet.Current()[kWordCharsPerLine], 72);
    EXPECT_EQ(cabinet.Saved(), cabinet.Current());
    EXPECT_EQ(cabinet.Saved()[kWordKeywordCount], 2);
    EXPECT_EQ(cabinet.SavedKeywords(), (std::vector<std::string>{"if", "then"}));
    EXPECT_EQ(cabinet.CurrentKeywords(), cabinet.SavedKeywords());

    // Save writes the saved copy, not the current one, and the shorter keyword list.
    cabinet.Current()[kWordCharsPerLine] = 100;
    ASSERT_TRUE(cabinet.Save(fake.platform, path, {Document("/t/b"), Document("")}));
    const std::string saved = test::ReadFileBytes(path);
    const Image savedImage(saved.begin(), saved.end());
    EXPECT_EQ(GetWord(savedImage, BlockOffset(savedImage) + 164), 2);
    const std::optional<CabinetContents> written = Parse(savedImage);
    ASSERT_TRUE(written);
    EXPECT_EQ(written->block[kWordCharsPerLine], 72);
    ASSERT_EQ(written->documents.size(), 1u);
    EXPECT_EQ(written->documents[0].path, "/t/b");

    ASSERT_TRUE(cabinet.ConfirmSettings(fake.platform, path, {}));
    EXPECT_EQ(cabinet.Saved()[kWordCharsPerLine], 100);
    Cabinet reread;
    ASSERT_TRUE(reread.Open(fake.platform, path));
    EXPECT_EQ(reread.Saved()[kWordCharsPerLine], 100);
    EXPECT_TRUE(fake.messageBox.ShownIds().empty());
}

TEST(Cabinet, UnreadableOrRefusedFileKeepsDefaultsAndIsReplacedBySave) {
    struct Case {
        const char* name;
        std::string bytes; ///< empty: no file at all
        int message;
    };
    const Image valid = ValidImage();
    Image big = ImageOfLength(30720);
    const std::vector<Case> cases{
        {"Missing", "", ui::kMsgFileReadError},
        {"Truncated", std::string(valid.begin(), valid.end() - 20), ui::kMsgCabinetInvalid},
        {"Length30720", std::string(big.begin(), big.end()), ui::kMsgCabinetInvalid},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        const std::string path =
            c.bytes.empty() ? dir.PathOf("nelvix.cab") : dir.Write("nelvix.cab", c.bytes);
        ui::FakePlatform fake;
        Cabinet cabinet;
        EXPECT_FALSE(cabinet.Open(fake.platform, path));
        EXPECT_EQ(fake.messageBox.ShownIds(), std::vector<int>{c.message});
        EXPECT_EQ(cabinet.Saved(), DefaultDisplayBlock());
        EXPECT_EQ(cabinet.Current(), DefaultDisplayBlock());
        EXPECT_TRUE(cabinet.SavedKeywords().empty());

        ASSERT_TRUE(cabinet.Save(fake.platform, path, {}));
        Cabinet reread;
        EXPECT_TRUE(reread.Open(fake.platform, path));
        EXPECT_EQ(fake.messageBox.ShownIds().size(), 1u);
    }
}

TEST(Cabinet, OpenAtStartTreatsAFirstStartAsNormal) {
    enum class Entry { None, Valid, Damaged, Folder };
    struct Case {
        const char* name;
        Entry home;
        Entry system;
        bool taken;
        int message; ///< 0: none
    };
    const int invalid = ui::kMsgCabinetInvalid, unreadable = ui::kMsgFileReadError;
    const std::vector<Case> cases{
        {"FreshHomeStartsWithoutMessage", Entry::None, Entry::None, false, 0},
        {"FreshHomeTakesTheSystemCabinet", Entry::None, Entry::Valid, true, 0},
        {"DamagedSystemCabinetIsReported", Entry::None, Entry::Damaged, false, invalid},
        {"UnreadableCabinetIsStillReported", Entry::Folder, Entry::Valid, false, unreadable},
        {"DamagedCabinetIsStillReported", Entry::Damaged, Entry::Valid, false, invalid},
        {"OwnCabinetWinsOverTheSystemOne", Entry::Valid, Entry::Damaged, true, 0},
    };
    DisplayBlock block = DefaultDisplayBlock();
    block[kWordCharsPerLine] = 72;
    const Image valid = BuildCabinetImage(block, {"if"}, {});
    const std::string validBytes(valid.begin(), valid.end());
    const auto place = [&](const test::TempDir& dir, const std::string& folder, Entry entry) {
        const std::string name = folder + "/nelvix.cab";
        if (entry != Entry::None)
            std::filesystem::create_directories(dir.PathOf(folder));
        if (entry == Entry::Valid)
            dir.Write(name, validBytes);
        else if (entry == Entry::Damaged)
            dir.Write(name, validBytes.substr(0, validBytes.size() - 20));
        else if (entry == Entry::Folder)
            std::filesystem::create_directories(dir.PathOf(name));
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        place(dir, "home", c.home);
        place(dir, "etc", c.system);
        ui::FakePlatform fake;
        Cabinet cabinet;
        const std::string path = CabinetPath(dir.PathOf("home"));
        EXPECT_EQ(cabinet.OpenAtStart(fake.platform, path, dir.PathOf("etc")), c.taken);
        EXPECT_EQ(fake.messageBox.ShownIds(),
                  c.message == 0 ? std::vector<int>{} : std::vector<int>{c.message});
        EXPECT_EQ(cabinet.Current()[kWordCharsPerLine], c.taken ? 72 : 200);
        if (c.home == Entry::None && c.system == Entry::None) {
            EXPECT_FALSE(std::filesystem::exists(path)) << "created only by the first save";
        }
        if (c.home == Entry::None && c.system == Entry::Valid) {
            EXPECT_EQ(test::ReadFileBytes(path), validBytes);
        }
    }
}

TEST(Cabinet, SaveCreatesTheHomeOrReportsTheFailure) {
    test::TempDir dir;
    ui::FakePlatform fake;
    Cabinet cabinet;
    EXPECT_FALSE(cabinet.Open(fake.platform, ""));
    EXPECT_EQ(fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgFileReadError});

    const std::string path = CabinetPath(dir.PathOf("new/home"));
    ASSERT_TRUE(cabinet.Save(fake.platform, path, {}));
    EXPECT_TRUE(cabinet.Open(fake.platform, path));

    // A folder that is a file: nothing can be written below it.
    const std::string notAFolder = dir.Write("plain", "x");
    cabinet.Current()[kWordTabWidth] = 8;
    EXPECT_FALSE(cabinet.ConfirmSettings(fake.platform, notAFolder + "/nelvix.cab", {}));
    EXPECT_FALSE(cabinet.Save(fake.platform, "", {}));
    EXPECT_EQ(
        fake.messageBox.ShownIds(),
        (std::vector<int>{ui::kMsgFileReadError, ui::kMsgFileWriteError, ui::kMsgFileWriteError}));
    EXPECT_EQ(test::ReadFileBytes(notAFolder), "x");
}

} // namespace
} // namespace nelvix
