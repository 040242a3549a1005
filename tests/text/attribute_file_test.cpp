// The attribute file: its name, its image, and reading and writing it through a document.
#include "text/attribute_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/cp932.h"
#include "support/non_regular_files.h"
#include "support/test_files.h"
#include "ui/fake_platform.h"
#include "ui/message_ids.h"

namespace nelvix {
namespace {

const std::string kText = "ab\r\ncd\r\nef"; // CRs at 2 and 6

std::string U16(std::uint16_t value) {
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

std::string U32(std::uint32_t value) {
    return U16(static_cast<std::uint16_t>(value & 0xFFFF)) +
           U16(static_cast<std::uint16_t>(value >> 16));
}

std::string Image(const std::string& afterMagic) {
    return "KAV Mirol Attribute File 100\r\n" + afterMagic;
}

const std::string kFirstLineOnly = Image(U16(1) + U32(kFirstLineMark) + U16(0));

TEST(AttributeFileName, ExtensionAmongTheLastFourCharacters) {
    struct Row {
        std::string path;
        std::optional<std::string> name;
    };
    const std::vector<Row> rows = {
        {"a.txt", "a.ATR"},
        {"readme", "readme.ATR"},
        {"page.html", "page.html.ATR"},
        {"a.b.c", "a.b.ATR"},
        // A folder's dot would name a file outside the text's folder.
        {"/a.b/c", "/a.b/c.ATR"},
        {"x.ATR", std::nullopt},
        {"x.atr", std::nullopt},
        {Sjis("/d/表.txt"), Sjis("/d/表.ATR")},
        // Counted in characters: the dot is the third character from the end, the fifth byte.
        {Sjis("a.表示"), "a.ATR"},
        {Sjis("a.表示字x"), Sjis("a.表示字x.ATR")},
    };
    for (const Row& row : rows)
        EXPECT_EQ(AttributeFileName(row.path), row.name) << row.path;
}

TEST(ParseAttributeImage, ViolationsAndWhatIsKept) {
    struct Row {
        const char* situation;
        std::string bytes;
        AttributeParse result;
        std::vector<std::uint32_t> lineMarks = {};
        std::size_t stringMarks = 0;
    };
    const AttributeParse invalid = AttributeParse::Invalid;
    const std::string nul(1, '\0');
    const std::vector<Row> rows = {
        {"29 bytes", Image("").substr(0, 29), AttributeParse::NotOurs},
        {"another magic", "KAV Mirol Attribute File 200\r\n" + U32(0), AttributeParse::NotOurs},
        {"101 line marks", Image(U16(101) + std::string(404, '\0') + U16(0)), invalid},
        {"line marks past what was read", Image(U16(2) + U32(2)), invalid},
        {"line mark not on a CR", Image(U16(1) + U32(3) + U16(0)), invalid},
        {"no room for S", Image(U16(1) + U32(2)), invalid},
        {"101 string marks", Image(U16(0) + U16(101)), invalid},
        {"string mark at the text end", Image(U16(0) + U16(1) + U32(10) + "x" + nul), invalid},
        {"empty string", Image(U16(0) + U16(1) + U32(0) + nul), invalid},
        {"41-byte string", Image(U16(0) + U16(1) + U32(0) + std::string(41, 'a') + nul), invalid},
        {"string without its NUL", Image(U16(0) + U16(1) + U32(0) + "ab"), invalid},
        {"unordered, repeated line marks",
         Image(U16(3) + U32(6) + U32(kFirstLineMark) + U32(6) + U16(1) + U32(3) + "cd" + nul),
         AttributeParse::Valid,
         {kFirstLineMark, 6},
         1},
        {"strings that no longer match the text",
         Image(U16(0) + U16(2) + U32(0) + "zz" + nul + U32(9) + std::string(40, 'e') + nul),
         AttributeParse::Valid,
         {},
         2},
    };
    for (const Row& row : rows) {
        AttributeMarks marks{{7}, {{0, 1, "a"}}};
        const AttributeParse result = ParseAttributeImage(
            reinterpret_cast<const Byte*>(row.bytes.data()), row.bytes.size(), kText, marks);
        EXPECT_EQ(result, row.result) << row.situation;
        EXPECT_EQ(marks.lineMarks, row.lineMarks) << row.situation;
        EXPECT_EQ(marks.stringMarks.size(), row.stringMarks) << row.situation;
    }
}

class AttributeFileTest : public testing::Test {
protected:
    AttributeFileTest() { environment.attributes = &attributes; }

    std::unique_ptr<CKespoDoc> Loaded(const std::string& text) {
        std::unique_ptr<CKespoDoc> document = CKespoDoc::Create(environment);
        document->LoadBytes(reinterpret_cast<const Byte*>(text.data()), text.size());
        return document;
    }

    ui::FakePlatform fake;
    AttributeFiles attributes;
    DocumentEnvironment environment{fake.platform};
    test::TempDir dir;
};

TEST_F(AttributeFileTest, OpeningLoadsOrReportsAndAlwaysOpens) {
    struct Row {
        const char* situation;
        std::string attributeFile; // "": none; "/": a folder of that name
        int message;               // 0: none
        std::vector<std::uint32_t> lineMarks = {};
    };
    const std::vector<Row> rows = {
        {"no attribute file", "", 0},
        {"an unrelated a.ATR", "unrelated notes\r\n", 0},
        {"our file", Image(U16(2) + U32(kFirstLineMark) + U32(2) + U16(0)), 0, {kFirstLineMark, 2}},
        {"an offset beyond the text", Image(U16(1) + U32(100) + U16(0)), ui::kMsgAttrMismatch},
        {"truncated after the magic", Image(""), ui::kMsgAttrMismatch},
        {"a folder named a.ATR", "/", ui::kMsgAttrReadError},
    };
    for (const Row& row : rows) {
        std::filesystem::remove_all(dir.PathOf("a.ATR"));
        if (row.attributeFile == "/")
            std::filesystem::create_directory(dir.PathOf("a.ATR"));
        else if (!row.attributeFile.empty())
            dir.Write("a.ATR", row.attributeFile);
        fake.messageBox.shown.clear();
        std::unique_ptr<CKespoDoc> document = Loaded("old text\r\n");
        document->LineMarks() = {kFirstLineMark, 8}; // held before, for the old text

        EXPECT_TRUE(document->OnOpenDocument(dir.Write("a.txt", kText))) << row.situation;
        EXPECT_EQ(fake.messageBox.ShownIds(),
                  row.message == 0 ? std::vector<int>{} : std::vector<int>{row.message})
            << row.situation;
        EXPECT_EQ(document->LineMarks(), row.lineMarks) << row.situation;
        EXPECT_TRUE(document->StringMarks().empty()) << row.situation;
    }
}

TEST_F(AttributeFileTest, SavingWritesKeepsOrDeletesTheFile) {
    struct Row {
        const char* situation;
        std::string before; // "": none
        bool marked;        // a line mark on line 1 and a string mark
        int settings;       // 1: save marked lines, 2: save marked strings
        ui::MessageResult answer;
        bool saved;
        std::vector<int> messages;
        std::string after; // "": none
    };
    const ui::MessageResult ok = ui::MessageResult::Ok;
    const int ask = ui::kMsgAttrOverwriteForeign;
    const std::string other = "unrelated";
    const std::string ours = Image(U16(0) + U16(0));
    const std::vector<Row> rows = {
        {"one mark on line 1, lines only", "", true, 1, ok, true, {}, kFirstLineOnly},
        {"all marks gone, our file", ours, false, 3, ok, true, {}, ""},
        {"all marks gone, a foreign file", other, false, 3, ok, true, {}, other},
        {"a foreign file, Cancel", other, true, 1, ui::MessageResult::Cancel, false, {ask}, other},
        {"a foreign file, OK", other, true, 1, ok, true, {ask}, kFirstLineOnly},
        {"both settings off", ours, false, 0, ok, true, {}, ours},
    };
    const std::string attributePath = dir.PathOf("a.ATR");
    for (const Row& row : rows) {
        std::filesystem::remove(attributePath);
        if (!row.before.empty())
            dir.Write("a.ATR", row.before);
        fake.messageBox.shown.clear();
        fake.messageBox.answers = {row.answer};
        environment.format.keepLineMarks = (row.settings & 1) != 0;
        environment.format.keepStringMarks = (row.settings >> 1) != 0;
        std::unique_ptr<CKespoDoc> document = Loaded(kText);
        if (row.marked) {
            document->LineMarks() = {kFirstLineMark};
            document->StringMarks() = {{0, 2, "ab"}};
        }
        document->SetModified(true);

        EXPECT_EQ(document->OnSaveDocument(dir.PathOf("a.txt")), row.saved) << row.situation;
        EXPECT_EQ(document->IsModified(), !row.saved) << row.situation;
        EXPECT_EQ(fake.messageBox.ShownIds(), row.messages) << row.situation;
        if (!row.messages.empty() && row.messages[0] == ask) {
            EXPECT_EQ(fake.messageBox.shown[0].style.buttons, ui::MessageButtons::OkCancel);
            EXPECT_EQ(fake.messageBox.shown[0].style.icon, ui::MessageIcon::Question);
        }
        EXPECT_EQ(std::filesystem::exists(attributePath), !row.after.empty()) << row.situation;
        EXPECT_EQ(test::ReadFileBytes(attributePath), row.after) << row.situation;
    }
}

TEST_F(AttributeFileTest, AnAttributeFileNameHoldingSomethingThatIsNotAFileIsLeftAlone) {
    environment.format.keepLineMarks = true;
    for (const test::NonRegularKind kind : test::kNonRegularKinds) {
        for (const bool throughLink : {true, false}) {
            test::TempDir place;
            const std::optional<test::Planted> planted =
                test::Plant(kind, place.PathOf("a.ATR"),
                            throughLink ? std::optional(place.PathOf("thing")) : std::nullopt);
            if (!planted)
                continue;
            const std::string& situation = planted->situation;
            const std::string text = place.Write("a.txt", "old");
            fake.messageBox.shown.clear();
            std::unique_ptr<CKespoDoc> document = Loaded(kText);
            document->LineMarks() = {kFirstLineMark};

            EXPECT_FALSE(document->OnSaveDocument(text)) << situation;
            EXPECT_EQ(fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgAttrCreateError})
                << situation << ": nothing to ask about";
            EXPECT_TRUE(planted->LeftAlone()) << situation;
            EXPECT_EQ(test::ReadFileBytes(text), "old") << situation;
        }
    }
}

TEST_F(AttributeFileTest, ATextNamedLikeAnAttributeFileIsSavedWithoutOne) {
    environment.format.keepLineMarks = true;
    for (const bool marked : {false, true}) {
        fake.messageBox.shown.clear();
        std::unique_ptr<CKespoDoc> document = Loaded(kText);
        if (marked)
            document->LineMarks() = {kFirstLineMark};
        EXPECT_TRUE(document->OnSaveDocument(dir.PathOf("x.ATR"))) << marked;
        EXPECT_EQ(test::ReadFileBytes(dir.PathOf("x.ATR")), kText) << marked;
        EXPECT_EQ(fake.messageBox.ShownIds(),
                  marked ? std::vector<int>{ui::kMsgAttrSameExtension} : std::vector<int>{})
            << "said only when marks are lost";
    }
}

TEST_F(AttributeFileTest, WhatIsSavedOpensAgain) {
    struct Row {
        const char* situation;
        std::size_t lines;   // lines of the text, each marked
        std::size_t strings; // string marks held
    };
    const std::vector<Row> rows = {
        {"a few marks", 3, 2},
        {"more marks than a file holds", 150, 120},
    };
    for (const Row& row : rows) {
        std::string text;
        std::unique_ptr<CKespoDoc> saved = Loaded("");
        for (std::size_t i = 0; i < row.lines; ++i) {
            if (i < row.strings)
                saved->StringMarks().push_back(
                    {static_cast<std::uint32_t>(text.size()), 4, Sjis("行") + "1\r"});
            saved->LineMarks().push_back(i == 0 ? kFirstLineMark
                                                : static_cast<std::uint32_t>(text.size() - 2));
            text += Sjis("行") + "1\r\n";
        }
        saved->LoadBytes(reinterpret_cast<const Byte*>(text.data()), text.size());
        fake.messageBox.shown.clear();
        ASSERT_TRUE(saved->OnSaveDocument(dir.PathOf("r.txt"))) << row.situation;

        std::unique_ptr<CKespoDoc> reopened = Loaded("");
        ASSERT_TRUE(reopened->OnOpenDocument(dir.PathOf("r.txt"))) << row.situation;
        EXPECT_TRUE(fake.messageBox.shown.empty()) << row.situation;
        std::vector<std::uint32_t> lineMarks = saved->LineMarks();
        lineMarks.resize(std::min(row.lines, kMaxMarks));
        EXPECT_EQ(reopened->LineMarks(), lineMarks) << row.situation;
        const std::size_t stringsKept = std::min(row.strings, kMaxMarks);
        ASSERT_EQ(reopened->StringMarks().size(), stringsKept) << row.situation;
        for (std::size_t i = 0; i < stringsKept; ++i) {
            const StringMark& mark = reopened->StringMarks()[i];
            EXPECT_EQ(mark.offset, 5 * i);
            EXPECT_EQ(mark.length, 4u);
            EXPECT_EQ(mark.text, Sjis("行") + "1\r");
        }
    }
}

} // namespace
} // namespace nelvix
