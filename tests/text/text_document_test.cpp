// The text document: creating, loading through the filter, limits, saving and the row sums.
#include "text/text_document.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <vector>

#include "base/cp932.h"
#include "support/test_files.h"
#include "ui/fake_platform.h"
#include "ui/message_ids.h"

namespace nelvix {
namespace {

using namespace std::string_literals;

class RecordingView final : public DocumentView {
public:
    void OnUpdate(CKespoDoc& document, UpdateHint hint, const HintArgument& argument) override {
        hints.push_back(hint);
        if (argument.formatChanged != nullptr)
            formatChanged.push_back(*argument.formatChanged);
        textAtLoad = std::string(document.TextView());
        if (removeSelf)
            document.RemoveView(*this);
    }
    std::vector<UpdateHint> hints;
    std::vector<bool> formatChanged;
    std::string textAtLoad;
    bool removeSelf = false;
};

class RecordingAttributes final : public DocumentAttributes {
public:
    void Read(CKespoDoc&, std::string_view sjisPath) override { readPaths.emplace_back(sjisPath); }
    bool Prepare(CKespoDoc&, std::string_view sjisPath, StagedFile&) override {
        writePaths.emplace_back(sjisPath);
        return writeSucceeds;
    }
    std::vector<std::string> readPaths;
    std::vector<std::string> writePaths;
    bool writeSucceeds = true;
};

/// Makes every write past `bytes` fail with EFBIG while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int);
};

void LoadText(CKespoDoc& document, std::string_view text) {
    document.LoadBytes(reinterpret_cast<const Byte*>(text.data()), text.size());
}

class KespoDocTest : public testing::Test {
protected:
    KespoDocTest() {
        environment.addToRecentFiles = [this](std::string_view p) { recent.emplace_back(p); };
    }

    std::unique_ptr<CKespoDoc> NewDocument() {
        std::unique_ptr<CKespoDoc> document = CKespoDoc::Create(environment);
        EXPECT_NE(document, nullptr);
        return document;
    }

    /// Writes a file and opens it in a new document.
    std::unique_ptr<CKespoDoc> Open(const std::string& bytes, const char* name = "file.txt") {
        std::unique_ptr<CKespoDoc> document = NewDocument();
        EXPECT_TRUE(document->OnOpenDocument(dir.Write(name, bytes)));
        return document;
    }

    ui::FakePlatform fake;
    DocumentEnvironment environment{fake.platform};
    test::TempDir dir;
    std::vector<std::string> recent;
};

// Create.

TEST_F(KespoDocTest, CreateMakesAnEmptyDocumentWithItsTables) {
    environment.format.charsPerLine = 72;
    std::unique_ptr<CKespoDoc> document = NewDocument();
    EXPECT_EQ(document->Capacity(), kTextBlockStep);
    EXPECT_EQ(document->TextLength(), 0u);
    EXPECT_EQ(document->Rows().Count(), 0u);
    EXPECT_TRUE(document->StringMarks().empty());
    EXPECT_TRUE(document->LineMarks().empty());
    EXPECT_EQ(document->Format(), environment.format);
    EXPECT_TRUE(document->PathName().empty());
    EXPECT_FALSE(document->IsModified());
    EXPECT_TRUE(document->CanSave());
    document->Rows().Starts()[kMaxRows - 1] = 1; // both tables hold 60,000 rows
    document->Rows().Flags()[kMaxRows - 1] = 1;
}

TEST_F(KespoDocTest, CreateFailsWithTheOutOfMemoryBoxWhenTheTextBlockCannotBeHad) {
    fake.memory.failAll = true;
    EXPECT_EQ(CKespoDoc::Create(environment), nullptr);
    EXPECT_EQ(fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgOutOfMemory});
}

// Loading a file: what the filter's result means to the document, and the read buffer's
// boundaries. Each filter rule on its own is proved by the filter's table.

TEST_F(KespoDocTest, FileLoadsAsFilteredAndSaveFollowsTheAlteredFlag) {
    struct Row {
        const char* situation;
        std::string bytes;
        std::string text;
        bool altered;
        std::uint32_t lastCharOffset;
    };
    const std::string shortOfBuffer(kLoadBufferBytes - 1, 'a');
    const std::string fullBuffer(kLoadBufferBytes, 'a');
    const std::uint32_t bufferEnd = kLoadBufferBytes;
    const std::vector<Row> rows = {
        {"empty file", "", "", false, 0},
        {"clean text ending in CR LF", Sjis("日本\r\n"), Sjis("日本\r\n"), false, 4},
        {"one-byte end", Sjis("漢字a"), Sjis("漢字a"), false, 4},
        {"NUL alters the text", "a\0b"s, "a b", true, 2},
        {"CR LF split by the read buffer", shortOfBuffer + "\r\nz", shortOfBuffer + "\r\nz", false,
         bufferEnd + 1},
        {"pair split by the read buffer", shortOfBuffer + "\x82\xA0z", shortOfBuffer + "\x82\xA0z",
         false, bufferEnd + 1},
        {"NUL just past the first read buffer", fullBuffer + "\0b"s, fullBuffer + " b", true,
         bufferEnd + 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.situation);
        auto document = Open(row.bytes);
        EXPECT_EQ(document->TextView(), row.text);
        EXPECT_EQ(document->IsAlteredOnLoad(), row.altered);
        EXPECT_EQ(document->CanSave(), !row.altered);
        EXPECT_EQ(document->LastCharOffset(), row.lastCharOffset);
    }
}

TEST_F(KespoDocTest, TooLongTextIsCutWithMessage59394) {
    struct Row {
        const char* situation;
        std::string bytes;
        bool fromMemory;
        bool message;
        std::uint32_t length;
    };
    const std::vector<Row> rows = {
        {"file at the limit", std::string(3'999'997, 'a'), false, false, 3'999'997},
        {"file one byte over", std::string(4'000'001, 'a'), false, true, 3'999'997},
        {"pair cut by the limit", std::string(3'999'996, 'a') + "\x82\xA0", false, true, 3'999'996},
        {"bytes in memory one over", std::string(4'000'001, 'a'), true, true, 3'999'997},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.situation);
        fake.messageBox.shown.clear();
        auto document = NewDocument();
        if (row.fromMemory)
            LoadText(*document, row.bytes);
        else
            ASSERT_TRUE(document->OnOpenDocument(dir.Write("long.txt", row.bytes)));
        EXPECT_EQ(fake.messageBox.ShownIds(),
                  row.message ? std::vector<int>{ui::kMsgTextTooLong} : std::vector<int>{});
        EXPECT_EQ(document->TextLength(), row.length);
        EXPECT_LE(document->TextLength() + 2, document->Capacity());
        EXPECT_EQ(document->CanSave(), !row.message) << "a cut text must never replace the file";
    }
}

TEST_F(KespoDocTest, OutOfMemoryWhileLoadingShowsTheBoxAndLeavesTheDocumentEmpty) {
    auto document = NewDocument();
    fake.memory.failAboveBytes = 40'000;
    EXPECT_TRUE(document->OnOpenDocument(dir.Write("big.txt", std::string(100'000, 'a'))));
    ASSERT_EQ(fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgOutOfMemory});
    EXPECT_EQ(fake.messageBox.shown[0].caption, Sjis("KAV Mirol"));
    EXPECT_EQ(document->TextLength(), 0u);
    EXPECT_EQ(document->Capacity(), kTextBlockStep);
    EXPECT_FALSE(document->CanSave()) << "an empty copy must never replace the file";
}

TEST_F(KespoDocTest, NeverReadsPastTheLengthTakenAtOpening) {
    // Files under /proc report a length of 0 but deliver bytes when read: to the reader they
    // look like a file that grew after its length was taken.
    auto document = NewDocument();
    ASSERT_TRUE(document->OnOpenDocument("/proc/self/status"));
    EXPECT_EQ(document->TextLength(), 0u);
    EXPECT_EQ(document->Capacity(), kTextBlockStep);
}

// Opening.

TEST_F(KespoDocTest, WhatCannotBeOpenedShowsTheLoadFailureReport) {
    for (const std::string& path : {dir.PathOf("missing.txt"), dir.Path()}) {
        SCOPED_TRACE(path);
        fake.messageBox.shown.clear();
        auto document = NewDocument();
        EXPECT_FALSE(document->OnOpenDocument(path));
        EXPECT_EQ(fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgOpenDocumentFailed});
    }
    EXPECT_TRUE(recent.empty());
}

TEST_F(KespoDocTest, OpenKeepsThePathTitlesByFileNameAddsToRecentFilesAndTellsTheViews) {
    RecordingAttributes attributes;
    environment.attributes = &attributes;
    const std::string path = dir.Write("name.txt", "hello");
    auto document = NewDocument();
    RecordingView view;
    document->AddView(view);
    document->SetModified(true);
    ASSERT_TRUE(document->OnOpenDocument(path));
    EXPECT_EQ(document->PathName(), path);
    EXPECT_EQ(document->Title(), "name.txt");
    EXPECT_EQ(recent, std::vector<std::string>{path});
    EXPECT_EQ(attributes.readPaths, std::vector<std::string>{path});
    EXPECT_FALSE(document->IsModified());
    EXPECT_EQ(view.hints, std::vector<UpdateHint>{UpdateHint::Loaded});
    EXPECT_EQ(view.textAtLoad, "hello");
}

TEST_F(KespoDocTest, OtherEncodingsLoadThroughTheWorkFileUnderTheirOwnPath) {
    struct Row {
        const char* situation;
        std::string path;
        std::string text;
        bool altered;
        bool workFile;
    };
    auto sample = [](const char* name) { return test::TestDataPath(name); };
    const std::string sjis = test::ReadFileBytes(sample("sample.sjis.txt"));
    ASSERT_FALSE(sjis.empty());
    const std::vector<Row> rows = {
        {"Shift-JIS", sample("sample.sjis.txt"), sjis, false, true},
        {"EUC-JP", sample("sample.euc.txt"), sjis, false, true},
        {"JIS", sample("sample.jis.txt"), sjis, false, true},
        {"UTF-8", sample("sample.utf8.txt"), sjis, false, true},
        // U+D55C (Hangul) has no code page 932 form.
        {"lossy UTF-8 is altered", dir.Write("lossy.txt", "\xE6\x97\xA5 \xED\x95\x9C\n"),
         Sjis("日 ・\r\n"), true, true},
        {"nothing is converted without a work file", sample("sample.euc.txt"),
         test::ReadFileBytes(sample("sample.euc.txt")), false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.situation);
        environment.workFilePath = row.workFile ? dir.PathOf("nelvix.1.wrk") : "";
        RecordingAttributes attributes;
        environment.attributes = &attributes;
        auto document = NewDocument();
        ASSERT_TRUE(document->OnOpenDocument(row.path));
        EXPECT_EQ(document->TextView(), row.text);
        EXPECT_EQ(document->CanSave(), !row.altered);
        EXPECT_EQ(document->PathName(), row.path) << "the work file must not become the path";
        EXPECT_EQ(attributes.readPaths, std::vector<std::string>{row.path});
    }
}

// GrowText and CheckNearLimit.

TEST_F(KespoDocTest, GrowTextGrowsInWholeStepsAndKeepsTheText) {
    struct Row {
        const char* situation;
        std::uint32_t bytesNeeded;
        bool outOfMemory;
        GrowResult result;
        std::uint32_t capacity;
    };
    const std::vector<Row> rows = {
        {"fits in the first block", kTextBlockStep - 2, false, GrowResult::Fits, kTextBlockStep},
        {"one more takes a step", kTextBlockStep - 1, false, GrowResult::Grown, 2 * kTextBlockStep},
        {"next step above the need plus 2", 100'000, false, GrowResult::Grown, 131'072},
        {"largest accepted", 3'999'997, false, GrowResult::Grown, 123 * kTextBlockStep},
        {"maximum refused", 3'999'998, false, GrowResult::TooLarge, kTextBlockStep},
        {"out of memory keeps the block", 50'000, true, GrowResult::OutOfMemory, kTextBlockStep},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.situation);
        fake.memory.failAll = false;
        auto document = NewDocument();
        document->MutableText()[0] = 'q';
        const Byte* before = document->Text();
        fake.memory.failAll = row.outOfMemory;
        EXPECT_EQ(document->GrowText(row.bytesNeeded), row.result);
        EXPECT_EQ(document->Capacity(), row.capacity);
        EXPECT_EQ(document->Text()[0], 'q');
        if (row.result != GrowResult::Grown) {
            EXPECT_EQ(document->Text(), before);
        }
    }
}

TEST_F(KespoDocTest, CheckNearLimitWarnsPastNineTenthsRowsFirst) {
    struct Row {
        const char* situation;
        std::uint16_t rowsHeld;
        std::uint32_t bytesHeld;
        std::uint32_t rowsToAdd;
        std::uint32_t bytesToAdd;
        NearLimit expected;
    };
    const std::vector<Row> rows = {
        {"empty document", 0, 0, 0, 0, NearLimit::None},
        {"bytes up to the limit", 0, 0, 0, 3'600'000, NearLimit::None},
        {"bytes over the limit", 0, 0, 0, 3'600'001, NearLimit::Bytes},
        {"text held counts", 0, 3'600'001, 0, 0, NearLimit::Bytes},
        {"rows up to the limit", 54'000, 0, 0, 3'600'001, NearLimit::Bytes},
        {"rows over the limit come first", 54'000, 0, 1, 3'600'001, NearLimit::Rows},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.situation);
        auto document = NewDocument();
        LoadText(*document, std::string(row.bytesHeld, 'a'));
        document->Rows().SetCount(row.rowsHeld);
        EXPECT_EQ(document->CheckNearLimit(row.rowsToAdd, row.bytesToAdd), row.expected);
    }
}

// Rows and lines over a hand-filled flag table.

TEST_F(KespoDocTest, RowOfLineAndLineOfRowSumTheRowFlags) {
    auto document = NewDocument();
    const std::uint8_t flags[] = {1, 0, 1, 1, 0, 1};
    std::copy(std::begin(flags), std::end(flags), document->Rows().Flags());
    document->Rows().SetCount(6);
    // Line 5 is never reached: the row count. Row 6 is the row count: all flags plus 1.
    const std::uint32_t rowOfLine[] = {0, 0, 2, 3, 5, 6};
    const std::uint32_t lineOfRow[] = {0, 1, 2, 3, 3, 4, 5};
    for (std::uint32_t line = 0; line < std::size(rowOfLine); ++line)
        EXPECT_EQ(document->RowOfLine(line), rowOfLine[line]) << "line " << line;
    for (std::uint32_t row = 0; row < std::size(lineOfRow); ++row)
        EXPECT_EQ(document->LineOfRow(row), lineOfRow[row]) << "row " << row;

    document->Rows().SetCount(0);
    EXPECT_EQ(document->RowOfLine(1), 0u);
    EXPECT_EQ(document->LineOfRow(0), 0u);
}

// Views and format settings.

TEST_F(KespoDocTest, UpdateAllViewsReachesEveryViewOnceEvenWhenOneLeavesWhileTold) {
    auto document = NewDocument();
    RecordingView first;
    RecordingView leaving;
    RecordingView second;
    RecordingView third;
    leaving.removeSelf = true;
    for (RecordingView* view : {&first, &leaving, &second, &third, &first})
        document->AddView(*view);
    document->UpdateAllViews(UpdateHint::Relayout);
    for (RecordingView* view : {&first, &leaving, &second, &third})
        EXPECT_EQ(view->hints, std::vector<UpdateHint>{UpdateHint::Relayout});
    document->RemoveView(first);
    document->UpdateAllViews(UpdateHint::TextMoved);
    EXPECT_EQ(first.hints.size(), 1u);
    EXPECT_EQ(leaving.hints.size(), 1u);
    EXPECT_EQ(second.hints.size(), 2u);
    EXPECT_EQ(third.hints.size(), 2u);
}

TEST_F(KespoDocTest, SetFormatSettingsSendsHint32WithTheFontChangedFlag) {
    auto document = NewDocument();
    RecordingView view;
    document->AddView(view);
    DisplayFormat format = environment.format;
    format.charsPerLine = 80;
    document->SetFormatSettings(format);
    format.font.height = 14;
    document->SetFormatSettings(format);
    EXPECT_EQ(view.hints,
              (std::vector<UpdateHint>{UpdateHint::FormatCopied, UpdateHint::FormatCopied}));
    EXPECT_EQ(view.formatChanged, (std::vector<bool>{false, true}));
    EXPECT_EQ(document->Format(), format);
}

// Saving.

TEST_F(KespoDocTest, SaveInPlaceWritesTheTextAndTheAttributeFileOrNeither) {
    RecordingAttributes attributes;
    environment.attributes = &attributes;
    const std::string path = dir.Write("save.txt", "the old text");
    auto document = NewDocument();
    ASSERT_TRUE(document->OnOpenDocument(path));
    const std::string text = Sjis("新しい本文\r\n") + std::string(100'000, 'n');
    LoadText(*document, text);
    document->SetModified(true);
    {
        FileSizeLimit limit(1000);
        EXPECT_FALSE(document->Save());
    }
    EXPECT_EQ(test::ReadFileBytes(path), "the old text");
    EXPECT_EQ(fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgFileWriteError});
    EXPECT_TRUE(attributes.writePaths.empty());
    EXPECT_TRUE(document->IsModified());

    attributes.writeSucceeds = false;
    EXPECT_FALSE(document->Save());
    EXPECT_EQ(test::ReadFileBytes(path), "the old text") << "no text without its attributes";
    EXPECT_EQ(attributes.writePaths, std::vector<std::string>{path});
    EXPECT_TRUE(document->IsModified());

    attributes.writeSucceeds = true;
    EXPECT_TRUE(document->Save());
    EXPECT_EQ(test::ReadFileBytes(path), text);
    EXPECT_FALSE(document->IsModified());
    EXPECT_TRUE(fake.fileDialogs.saveAsked.empty());
}

TEST_F(KespoDocTest, SaveIsEnabledOnlyWhenNeitherReadOnlyNorAlteredAndSaveAsAlways) {
    struct Row {
        const char* situation;
        bool readOnly;
        bool altered;
        bool canSave;
    };
    const std::vector<Row> rows = {
        {"plain", false, false, true},
        {"read-only", true, false, false},
        {"altered on load", false, true, false},
        {"both", true, true, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.situation);
        const std::string original = row.altered ? "a\0b"s : "abc"s;
        const std::string path = dir.Write("rule.txt", original);
        auto document = NewDocument();
        ASSERT_TRUE(document->OnOpenDocument(path));
        document->SetReadOnly(row.readOnly);
        EXPECT_EQ(document->CanSave(), row.canSave);
        EXPECT_EQ(document->Save(), row.canSave);
        EXPECT_TRUE(fake.fileDialogs.saveAsked.empty());
        if (!row.canSave) {
            EXPECT_EQ(test::ReadFileBytes(path), original);
        }
        fake.fileDialogs.saveAnswers.push_back(dir.PathOf("copy.txt"));
        EXPECT_TRUE(document->SaveAs());
        EXPECT_EQ(test::ReadFileBytes(dir.PathOf("copy.txt")), std::string(document->TextView()));
        EXPECT_EQ(document->CanSave(), row.canSave);
        fake.fileDialogs.saveAsked.clear();
    }
}

TEST_F(KespoDocTest, SaveOfAMissingFileBehavesAsSaveAs) {
    const std::string path = dir.Write("gone.txt", "abc");
    auto document = NewDocument();
    ASSERT_TRUE(document->OnOpenDocument(path));
    std::filesystem::remove(path);
    const std::string newPath = dir.PathOf("elsewhere.txt");
    fake.fileDialogs.saveAnswers.push_back(newPath);
    EXPECT_TRUE(document->Save());
    ASSERT_EQ(fake.fileDialogs.saveAsked.size(), 1u);
    EXPECT_EQ(fake.fileDialogs.saveAsked[0].second, path);
    EXPECT_EQ(document->PathName(), newPath);
    EXPECT_EQ(test::ReadFileBytes(newPath), "abc");
}

// Save As and the proposed name.

TEST_F(KespoDocTest, SaveAsOfAnUntitledDocumentTakesTheNewNativeName) {
    auto document = NewDocument();
    document->SetTitle(Sjis("無題1"));
    const std::string text = Sjis("本文\r\n");
    LoadText(*document, text);
    const std::string newPath = dir.Path() + "/" + Sjis("保存先.txt");
    fake.fileDialogs.saveAnswers.push_back(newPath);
    EXPECT_TRUE(document->SaveAs());
    ASSERT_EQ(fake.fileDialogs.saveAsked.size(), 1u);
    EXPECT_EQ(fake.fileDialogs.saveAsked[0].first, Sjis("名前を付けて保存"));
    EXPECT_EQ(fake.fileDialogs.saveAsked[0].second, Sjis("無題1.txt"));
    EXPECT_EQ(document->PathName(), newPath);
    EXPECT_EQ(document->Title(), Sjis("保存先.txt"));
    EXPECT_EQ(recent, std::vector<std::string>{newPath});
    EXPECT_EQ(test::ReadFileBytes(dir.PathOf("保存先.txt")), text) << "under its native name";
}

TEST_F(KespoDocTest, ProposedNameOfAnUntitledDocumentIsItsTitleCut) {
    struct Row {
        const char* situation;
        std::string titleUtf8;
        std::int32_t documentType;
        std::string expectedUtf8;
    };
    const std::vector<Row> rows = {
        {"eight bytes kept", "abcdefgh", 0, "abcdefgh.txt"},
        {"cut to eight bytes", "abcdefghij", 0, "abcdefgh.txt"},
        {"never half a character", "abcdefg漢字", 0, "abcdefg.txt"},
        {"four kanji fit", "一二三四五", 0, "一二三四.txt"},
        {"cut at a blank", "ab cd", 0, "ab.txt"},
        {"cut at #", "a#b", 0, "a.txt"},
        {"cut at %", "a%b", 0, "a.txt"},
        {"cut at ;", "a;b", 0, "a.txt"},
        {"cut at /", "a/b", 0, "a.txt"},
        {"cut at a backslash", "a\\b", 0, "a.txt"},
        {"a stopper past eight bytes is ignored", "abcdefgh i", 0, "abcdefgh.txt"},
        {"trail byte 0x5C is no backslash", "表示", 0, "表示.txt"},
        {"empty title", "", 0, ".txt"},
        {"C document has no .txt", "無題1", 1, "無題1"},
        {"C++ document has no .txt", "a b", 2, "a"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.situation);
        environment.format.documentType = static_cast<DocumentType>(row.documentType);
        auto document = NewDocument();
        document->SetTitle(Sjis(row.titleUtf8));
        EXPECT_EQ(document->ProposedSaveName(), Sjis(row.expectedUtf8));
    }
}

// An unwritable place and every failing step over new and old files: DocumentSaveTest.
TEST_F(KespoDocTest, FailedSaveAsKeepsTheDocumentUntitledAndEveryFileAsItWas) {
    RecordingAttributes attributes;
    attributes.writeSucceeds = false;
    environment.attributes = &attributes;
    const std::string old = dir.Write("old.txt", "precious");
    for (const bool cancelled : {true, false}) {
        SCOPED_TRACE(cancelled ? "cancelled" : "attribute file fails for a file that was there");
        auto document = NewDocument();
        LoadText(*document, "new text");
        if (!cancelled)
            fake.fileDialogs.saveAnswers.push_back(old);
        EXPECT_FALSE(document->SaveAs());
        EXPECT_TRUE(document->PathName().empty());
        EXPECT_TRUE(recent.empty());
        EXPECT_TRUE(fake.messageBox.shown.empty());
        EXPECT_EQ(test::ReadFileBytes(old), "precious");
    }
}

// Text length and the last character.

TEST_F(KespoDocTest, SetTextLengthFindsTheLastCharacter) {
    auto document = NewDocument();
    LoadText(*document, Sjis("ab\r\n漢") + "c" + Sjis("字"));
    EXPECT_EQ(document->LastCharOffset(), 7u);
    document->SetTextLength(7);
    EXPECT_EQ(document->LastCharOffset(), 6u);
    document->SetTextLength(4);
    EXPECT_EQ(document->LastCharOffset(), 2u) << "the CR of CR LF";
    document->SetTextLength(0);
    EXPECT_EQ(document->LastCharOffset(), 0u);
}

} // namespace
} // namespace nelvix
