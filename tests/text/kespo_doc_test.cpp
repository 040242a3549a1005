// The text document: creating, loading through the filter, limits, saving and the row sums.
#include "text/kespo_doc.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

#include "support/test_files.h"
#include "text/cp932.h"
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
    bool Write(CKespoDoc&, std::string_view sjisPath) override {
        writePaths.emplace_back(sjisPath);
        return writeSucceeds;
    }
    std::vector<std::string> readPaths;
    std::vector<std::string> writePaths;
    bool writeSucceeds = true;
};

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
    environment.format.words[0] = 72;
    std::unique_ptr<CKespoDoc> document = NewDocument();
    EXPECT_EQ(document->Capacity(), kTextBlockStep);
    EXPECT_EQ(document->TextLength(), 0u);
    EXPECT_EQ(document->RowCount(), 0u);
    EXPECT_TRUE(document->StringMarks().empty());
    EXPECT_TRUE(document->LineMarks().empty());
    EXPECT_EQ(document->Format(), environment.format);
    EXPECT_EQ(document->ViewState(), (std::array<std::int32_t, 4>{0, 0, 0, -1}));
    EXPECT_TRUE(document->PathName().empty());
    EXPECT_FALSE(document->IsModified());
    EXPECT_TRUE(document->CanSave());
    document->RowStarts()[kMaxRows - 1] = 1; // both tables hold 60,000 rows
    document->RowFlags()[kMaxRows - 1] = 1;
}

TEST_F(KespoDocTest, CreateFailsWithTheOutOfMemoryBoxWhenTheTextBlockCannotBeHad) {
    fake.memory.failAll = true;
    EXPECT_EQ(CKespoDoc::Create(environment), nullptr);
    EXPECT_EQ(fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgOutOfMemory});
}

// The byte filter through a file.

TEST_F(KespoDocTest, NulLoadsAsSpaceAndDisablesSave) {
    auto document = Open("a\0b"s);
    EXPECT_EQ(document->TextView(), "a b");
    EXPECT_TRUE(document->IsAlteredOnLoad());
    EXPECT_FALSE(document->CanSave());
}

TEST_F(KespoDocTest, LoneCrIsDroppedAndDisablesSave) {
    auto document = Open("x\ry");
    EXPECT_EQ(document->TextView(), "xy");
    EXPECT_FALSE(document->CanSave());
}

TEST_F(KespoDocTest, TrailingLeadByteIsDroppedAndDisablesSave) {
    auto document = Open("ab\x82");
    EXPECT_EQ(document->TextView(), "ab");
    EXPECT_EQ(document->LastCharOffset(), 1u);
    EXPECT_FALSE(document->CanSave());
}

TEST_F(KespoDocTest, LeadByteBeforeCrKeepsTheLeadByteAndStoresASpace) {
    auto document = Open("\x82\r\n");
    EXPECT_EQ(document->TextView(), "\x82 \n");
    EXPECT_FALSE(document->CanSave());
}

TEST_F(KespoDocTest, CleanShiftJisLoadsUnchangedAndCanBeSaved) {
    const std::string text = Sjis("日本語のテキスト\r\n二行目\r\n");
    auto document = Open(text);
    EXPECT_EQ(document->TextView(), text);
    EXPECT_TRUE(document->CanSave());
    EXPECT_EQ(document->LastCharOffset(), text.size() - 2);
}

TEST_F(KespoDocTest, LastCharOffsetOfAOneByteEnd) {
    auto document = Open(Sjis("漢字a"));
    EXPECT_EQ(document->LastCharOffset(), 4u);
}

TEST_F(KespoDocTest, EmptyFileGivesAnEmptyDocument) {
    auto document = Open("");
    EXPECT_EQ(document->TextLength(), 0u);
    EXPECT_TRUE(document->CanSave());
}

TEST_F(KespoDocTest, CrLfSplitAcrossTheReadBufferIsKept) {
    std::string bytes(kLoadBufferBytes - 1, 'a');
    bytes += "\r\nzz";
    auto document = Open(bytes);
    EXPECT_EQ(document->TextView(), bytes);
    EXPECT_TRUE(document->CanSave());
}

TEST_F(KespoDocTest, LeadByteAtTheEndOfTheReadBufferTakesItsTrail) {
    std::string bytes(kLoadBufferBytes - 1, 'a');
    bytes += "\x82\xA0z";
    auto document = Open(bytes);
    EXPECT_EQ(document->TextView(), bytes);
    EXPECT_TRUE(document->CanSave());
}

TEST_F(KespoDocTest, NulJustPastTheFirstReadBuffer) {
    std::string bytes(kLoadBufferBytes, 'a');
    bytes += "\0b"s;
    auto document = Open(bytes);
    std::string expected(kLoadBufferBytes, 'a');
    expected += " b";
    EXPECT_EQ(document->TextView(), expected);
    EXPECT_FALSE(document->CanSave());
}

// Limits.

TEST_F(KespoDocTest, FileOfOneByteOverTheLimitShows59394AndHolds3999997Bytes) {
    auto document = Open(std::string(4'000'001, 'a'));
    EXPECT_EQ(fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgTextTooLong});
    EXPECT_EQ(fake.messageBox.shown[0].caption, Sjis("KAV Nelvix"));
    EXPECT_EQ(document->TextLength(), 3'999'997u);
    EXPECT_LE(document->TextLength() + 2, document->Capacity());
}

TEST_F(KespoDocTest, FileAtTheLimitIsReadWhole) {
    auto document = Open(std::string(3'999'997, 'a'));
    EXPECT_TRUE(fake.messageBox.shown.empty());
    EXPECT_EQ(document->TextLength(), 3'999'997u);
}

TEST_F(KespoDocTest, LeadByteCutByTheLimitIsDropped) {
    std::string bytes(3'999'996, 'a');
    bytes += "\x82\xA0";
    auto document = Open(bytes);
    EXPECT_EQ(document->TextLength(), 3'999'996u);
    EXPECT_FALSE(document->CanSave());
}

TEST_F(KespoDocTest, OutOfMemoryWhileLoadingShowsTheBoxAndLeavesTheDocumentEmpty) {
    auto document = NewDocument();
    fake.memory.failAboveBytes = 40'000;
    EXPECT_TRUE(document->OnOpenDocument(dir.Write("big.txt", std::string(100'000, 'a'))));
    ASSERT_EQ(fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgOutOfMemory});
    EXPECT_EQ(fake.messageBox.shown[0].caption, Sjis("KAV Mirol"));
    EXPECT_EQ(document->TextLength(), 0u);
    EXPECT_EQ(document->Capacity(), kTextBlockStep);
}

TEST_F(KespoDocTest, NeverReadsPastTheLengthTakenAtOpening) {
    // Files under /proc report a length of 0 but deliver bytes when read: to the reader they
    // look like a file that grew after its length was taken.
    auto document = NewDocument();
    ASSERT_TRUE(document->OnOpenDocument("/proc/self/status"));
    EXPECT_EQ(document->TextLength(), 0u);
    EXPECT_EQ(document->Capacity(), kTextBlockStep);
}

TEST_F(KespoDocTest, LoadBytesAppliesTheSameLimit) {
    auto document = NewDocument();
    std::string bytes(4'000'001, 'a');
    document->LoadBytes(reinterpret_cast<const Byte*>(bytes.data()), bytes.size());
    EXPECT_EQ(fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgTextTooLong});
    EXPECT_EQ(document->TextLength(), 3'999'997u);
}

// Opening.

TEST_F(KespoDocTest, OpenFailureShowsTheLoadFailureReport) {
    auto document = NewDocument();
    EXPECT_FALSE(document->OnOpenDocument(dir.PathOf("missing.txt")));
    ASSERT_EQ(fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgOpenDocumentFailed});
    EXPECT_EQ(fake.messageBox.shown[0].text, Sjis("ﾄﾞｷｭﾒﾝﾄを開くことに失敗しました。"));
    EXPECT_TRUE(recent.empty());
}

TEST_F(KespoDocTest, DirectoryIsNotOpened) {
    auto document = NewDocument();
    EXPECT_FALSE(document->OnOpenDocument(dir.Path()));
    EXPECT_EQ(fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgOpenDocumentFailed});
}

TEST_F(KespoDocTest, OpenKeepsThePathGivenTitlesByFileNameAndAddsToRecentFiles) {
    RecordingAttributes attributes;
    environment.attributes = &attributes;
    const std::string path = dir.Write("name.txt", "abc");
    auto document = NewDocument();
    document->SetModified(true);
    ASSERT_TRUE(document->OnOpenDocument(path));
    EXPECT_EQ(document->PathName(), path);
    EXPECT_EQ(document->Title(), "name.txt");
    EXPECT_EQ(recent, std::vector<std::string>{path});
    EXPECT_EQ(attributes.readPaths, std::vector<std::string>{path});
    EXPECT_FALSE(document->IsModified());
}

TEST_F(KespoDocTest, OpenTellsTheViewsTheTextWasLoaded) {
    auto document = NewDocument();
    RecordingView view;
    document->AddView(view);
    ASSERT_TRUE(document->OnOpenDocument(dir.Write("v.txt", "hello")));
    EXPECT_EQ(view.hints, std::vector<UpdateHint>{UpdateHint::Loaded});
    EXPECT_EQ(view.textAtLoad, "hello");
}

class KespoDocConversionTest : public KespoDocTest {
protected:
    KespoDocConversionTest() { environment.workFilePath = dir.PathOf("nelvix.1.wrk"); }
};

TEST_F(KespoDocConversionTest, EucAndJisLoadAsTheShiftJisText) {
    const std::string expected = test::ReadFileBytes(test::TestDataPath("sample.sjis.txt"));
    ASSERT_FALSE(expected.empty());
    for (const char* name : {"sample.sjis.txt", "sample.euc.txt", "sample.jis.txt"}) {
        SCOPED_TRACE(name);
        RecordingAttributes attributes;
        environment.attributes = &attributes;
        const std::string path = test::TestDataPath(name);
        auto document = NewDocument();
        ASSERT_TRUE(document->OnOpenDocument(path));
        EXPECT_EQ(document->TextView(), expected);
        EXPECT_TRUE(document->CanSave());
        EXPECT_EQ(document->PathName(), path) << "the work file must not become the path";
        EXPECT_EQ(attributes.readPaths, std::vector<std::string>{path});
    }
}

TEST_F(KespoDocConversionTest, Utf8LoadsAsTheShiftJisText) {
    const std::string expected = test::ReadFileBytes(test::TestDataPath("sample.sjis.txt"));
    auto document = NewDocument();
    ASSERT_TRUE(document->OnOpenDocument(test::TestDataPath("sample.utf8.txt")));
    EXPECT_EQ(document->TextView(), expected);
    EXPECT_TRUE(document->CanSave());
}

TEST_F(KespoDocConversionTest, LossyUtf8MarksTheDocumentAltered) {
    // U+D55C (Hangul) has no code page 932 form.
    auto document = Open("\xE6\x97\xA5\xE6\x9C\xAC \xED\x95\x9C\n", "lossy.txt");
    EXPECT_EQ(document->TextView(), Sjis("日本 ・\r\n"));
    EXPECT_TRUE(document->IsAlteredOnLoad());
    EXPECT_FALSE(document->CanSave());
}

TEST_F(KespoDocConversionTest, LfOnlyShiftJisIsConvertedToCrLf) {
    auto document = Open("a\nb\n");
    EXPECT_EQ(document->TextView(), "a\r\nb\r\n");
    EXPECT_TRUE(document->CanSave());
}

TEST_F(KespoDocTest, WithoutAWorkFileNothingIsConverted) {
    auto document = NewDocument();
    ASSERT_TRUE(document->OnOpenDocument(test::TestDataPath("sample.euc.txt")));
    EXPECT_EQ(document->TextView(), test::ReadFileBytes(test::TestDataPath("sample.euc.txt")));
}

// GrowText and CheckNearLimit.

TEST_F(KespoDocTest, GrowTextFitsInTheFirstBlock) {
    auto document = NewDocument();
    EXPECT_EQ(document->GrowText(kTextBlockStep - 2), GrowResult::Fits);
    EXPECT_EQ(document->Capacity(), kTextBlockStep);
}

TEST_F(KespoDocTest, GrowTextGrowsByTheCapacityFormula) {
    auto document = NewDocument();
    document->MutableText()[0] = 'q';
    EXPECT_EQ(document->GrowText(kTextBlockStep - 1), GrowResult::Grown);
    EXPECT_EQ(document->Capacity(), 2 * kTextBlockStep);
    EXPECT_EQ(document->GrowText(100'000), GrowResult::Grown);
    EXPECT_EQ(document->Capacity(), (100'002u / kTextBlockStep + 1) * kTextBlockStep);
    EXPECT_EQ(document->Capacity(), 131'072u);
    EXPECT_EQ(document->Text()[0], 'q');
}

TEST_F(KespoDocTest, GrowTextRefusesTheMaximum) {
    auto document = NewDocument();
    EXPECT_EQ(document->GrowText(3'999'998), GrowResult::TooLarge);
    EXPECT_EQ(document->Capacity(), kTextBlockStep);
    EXPECT_EQ(document->GrowText(3'999'997), GrowResult::Grown);
    EXPECT_EQ(document->Capacity(), 123u * kTextBlockStep);
}

TEST_F(KespoDocTest, GrowTextOutOfMemoryKeepsTheOldBlock) {
    auto document = NewDocument();
    document->MutableText()[0] = 'k';
    const Byte* before = document->Text();
    fake.memory.failAll = true;
    EXPECT_EQ(document->GrowText(50'000), GrowResult::OutOfMemory);
    EXPECT_EQ(document->Text(), before);
    EXPECT_EQ(document->Text()[0], 'k');
    EXPECT_EQ(document->Capacity(), kTextBlockStep);
}

TEST_F(KespoDocTest, CheckNearLimitOnADocumentOf3600001Bytes) {
    auto document = NewDocument();
    std::string bytes(3'600'001, 'a');
    document->LoadBytes(reinterpret_cast<const Byte*>(bytes.data()), bytes.size());
    EXPECT_EQ(document->CheckNearLimit(0, 0), NearLimit::Bytes);
}

TEST_F(KespoDocTest, CheckNearLimitRowsComeFirst) {
    auto document = NewDocument();
    EXPECT_EQ(document->CheckNearLimit(0, 0), NearLimit::None);
    EXPECT_EQ(document->CheckNearLimit(0, 3'600'000), NearLimit::None);
    EXPECT_EQ(document->CheckNearLimit(0, 3'600'001), NearLimit::Bytes);
    document->SetRowCount(54'000);
    EXPECT_EQ(document->CheckNearLimit(0, 3'600'001), NearLimit::Bytes);
    EXPECT_EQ(document->CheckNearLimit(1, 3'600'001), NearLimit::Rows);
}

// Rows and lines over a hand-filled flag table.

class RowTableTest : public KespoDocTest {
protected:
    void SetUp() override {
        document = NewDocument();
        const std::uint8_t flags[] = {1, 0, 1, 1, 0, 1};
        std::copy(std::begin(flags), std::end(flags), document->RowFlags());
        document->SetRowCount(6);
    }
    std::unique_ptr<CKespoDoc> document;
};

TEST_F(RowTableTest, RowOfLine) {
    EXPECT_EQ(document->RowOfLine(0), 0u);
    EXPECT_EQ(document->RowOfLine(1), 0u);
    EXPECT_EQ(document->RowOfLine(2), 2u);
    EXPECT_EQ(document->RowOfLine(3), 3u);
    EXPECT_EQ(document->RowOfLine(4), 5u);
    EXPECT_EQ(document->RowOfLine(5), 6u) << "never reached: the row count";
}

TEST_F(RowTableTest, LineOfRow) {
    EXPECT_EQ(document->LineOfRow(0), 0u);
    EXPECT_EQ(document->LineOfRow(1), 1u);
    EXPECT_EQ(document->LineOfRow(2), 2u);
    EXPECT_EQ(document->LineOfRow(3), 3u);
    EXPECT_EQ(document->LineOfRow(4), 3u);
    EXPECT_EQ(document->LineOfRow(5), 4u);
    EXPECT_EQ(document->LineOfRow(6), 5u) << "the row count: all flags plus 1";
}

TEST_F(RowTableTest, EmptyTable) {
    document->SetRowCount(0);
    EXPECT_EQ(document->RowOfLine(1), 0u);
    EXPECT_EQ(document->LineOfRow(0), 0u);
}

// Views and format settings.

TEST_F(KespoDocTest, UpdateAllViewsReachesEveryViewOnce) {
    auto document = NewDocument();
    RecordingView first;
    RecordingView second;
    document->AddView(first);
    document->AddView(second);
    document->AddView(first);
    document->UpdateAllViews(UpdateHint::Relayout);
    EXPECT_EQ(first.hints, std::vector<UpdateHint>{UpdateHint::Relayout});
    EXPECT_EQ(second.hints, std::vector<UpdateHint>{UpdateHint::Relayout});
    document->RemoveView(first);
    document->UpdateAllViews(UpdateHint::TextMoved);
    EXPECT_EQ(first.hints.size(), 1u);
    EXPECT_EQ(second.hints.size(), 2u);
}

TEST_F(KespoDocTest, AViewMayRemoveItselfWhileTold) {
    auto document = NewDocument();
    RecordingView leaving;
    RecordingView staying;
    leaving.removeSelf = true;
    document->AddView(leaving);
    document->AddView(staying);
    document->UpdateAllViews(UpdateHint::Relayout);
    document->UpdateAllViews(UpdateHint::Relayout);
    EXPECT_EQ(leaving.hints.size(), 1u);
    EXPECT_EQ(staying.hints.size(), 2u);
}

TEST_F(KespoDocTest, SetFormatSettingsSendsHint32WithTheFontChangedFlag) {
    auto document = NewDocument();
    RecordingView view;
    document->AddView(view);
    FormatSettings format = environment.format;
    format.words[0] = 80;
    document->SetFormatSettings(format);
    format.font[0] = 14;
    document->SetFormatSettings(format);
    EXPECT_EQ(view.hints,
              (std::vector<UpdateHint>{UpdateHint::FormatCopied, UpdateHint::FormatCopied}));
    EXPECT_EQ(view.formatChanged, (std::vector<bool>{false, true}));
    EXPECT_EQ(document->Format(), format);
}

// Saving.

TEST_F(KespoDocTest, SaveWritesTheTextExactlyAndClearsModified) {
    const std::string path = dir.Write("save.txt", "old");
    auto document = NewDocument();
    ASSERT_TRUE(document->OnOpenDocument(path));
    const std::string text = Sjis("新しい本文\r\n");
    document->LoadBytes(reinterpret_cast<const Byte*>(text.data()), text.size());
    document->SetModified(true);
    EXPECT_TRUE(document->Save());
    EXPECT_EQ(test::ReadFileBytes(path), text);
    EXPECT_FALSE(document->IsModified());
    EXPECT_TRUE(fake.fileDialogs.saveAsked.empty());
}

TEST_F(KespoDocTest, SaveKeepsTheFilesPermissions) {
    const std::string path = dir.Write("perm.txt", "abc");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    auto document = NewDocument();
    ASSERT_TRUE(document->OnOpenDocument(path));
    EXPECT_TRUE(document->Save());
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

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

TEST_F(KespoDocTest, FailedSaveLeavesTheOldFileIntact) {
    const std::string path = dir.Write("keep.txt", "the old text");
    auto document = NewDocument();
    ASSERT_TRUE(document->OnOpenDocument(path));
    const std::string text(100'000, 'n');
    document->LoadBytes(reinterpret_cast<const Byte*>(text.data()), text.size());
    document->SetModified(true);
    {
        FileSizeLimit limit(1000);
        EXPECT_FALSE(document->Save());
    }
    EXPECT_EQ(test::ReadFileBytes(path), "the old text");
    EXPECT_TRUE(document->IsModified());
    EXPECT_EQ(fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgInvalidFileName});
    EXPECT_EQ(fake.messageBox.shown[0].text, Sjis("無効なﾌｧｲﾙ名です。"));
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"keep.txt"}) << "the temporary file stayed";
}

TEST_F(KespoDocTest, SaveWritesTheAttributeFileAndFailsWithIt) {
    RecordingAttributes attributes;
    environment.attributes = &attributes;
    const std::string path = dir.Write("attr.txt", "abc");
    auto document = NewDocument();
    ASSERT_TRUE(document->OnOpenDocument(path));
    document->SetModified(true);
    attributes.writeSucceeds = false;
    EXPECT_FALSE(document->OnSaveDocument(path));
    EXPECT_TRUE(document->IsModified());
    EXPECT_EQ(attributes.writePaths, std::vector<std::string>{path});
    attributes.writeSucceeds = true;
    EXPECT_TRUE(document->OnSaveDocument(path));
    EXPECT_FALSE(document->IsModified());
}

struct SaveRuleCase {
    const char* name;
    bool readOnly;
    bool altered;
    bool canSave;
};

class SaveRule : public KespoDocTest, public testing::WithParamInterface<SaveRuleCase> {};

TEST_P(SaveRule, SaveIsEnabledOnlyWhenNeitherReadOnlyNorAltered) {
    const SaveRuleCase& c = GetParam();
    const std::string original = c.altered ? "a\0b"s : "abc"s;
    const std::string path = dir.Write("rule.txt", original);
    auto document = NewDocument();
    ASSERT_TRUE(document->OnOpenDocument(path));
    document->SetReadOnly(c.readOnly);
    EXPECT_EQ(document->CanSave(), c.canSave);
    EXPECT_EQ(document->Save(), c.canSave);
    if (!c.canSave) {
        EXPECT_EQ(test::ReadFileBytes(path), original);
        EXPECT_TRUE(fake.fileDialogs.saveAsked.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Rule, SaveRule,
                         testing::Values(SaveRuleCase{"Plain", false, false, true},
                                         SaveRuleCase{"ReadOnly", true, false, false},
                                         SaveRuleCase{"AlteredOnLoad", false, true, false},
                                         SaveRuleCase{"Both", true, true, false}),
                         [](const auto& row) { return std::string(row.param.name); });

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

TEST_F(KespoDocTest, ReadOnlyDocumentCanStillBeSavedAs) {
    const std::string path = dir.Write("ro.txt", "abc");
    auto document = NewDocument();
    ASSERT_TRUE(document->OnOpenDocument(path));
    document->SetReadOnly(true);
    fake.fileDialogs.saveAnswers.push_back(dir.PathOf("copy.txt"));
    EXPECT_TRUE(document->SaveAs());
    EXPECT_EQ(test::ReadFileBytes(dir.PathOf("copy.txt")), "abc");
    EXPECT_FALSE(document->CanSave());
}

// Save As and the proposed name.

TEST_F(KespoDocTest, SaveAsProposesTheUntitledTitleWithTxt) {
    auto document = NewDocument();
    document->SetTitle(Sjis("無題1"));
    EXPECT_EQ(document->ProposedSaveName(), Sjis("無題1.txt"));
    const std::string newPath = dir.PathOf("result.txt");
    fake.fileDialogs.saveAnswers.push_back(newPath);
    std::string text = "tag\r\n";
    document->LoadBytes(reinterpret_cast<const Byte*>(text.data()), text.size());
    int refreshes = 0;
    environment.refreshWindowBar = [&refreshes] { ++refreshes; };
    EXPECT_TRUE(document->SaveAs());
    ASSERT_EQ(fake.fileDialogs.saveAsked.size(), 1u);
    EXPECT_EQ(fake.fileDialogs.saveAsked[0].first, Sjis("名前を付けて保存"));
    EXPECT_EQ(fake.fileDialogs.saveAsked[0].second, Sjis("無題1.txt"));
    EXPECT_EQ(document->PathName(), newPath);
    EXPECT_EQ(document->Title(), "result.txt");
    EXPECT_EQ(recent, std::vector<std::string>{newPath});
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(test::ReadFileBytes(newPath), text);
}

TEST_F(KespoDocTest, ProposedNameHasNoTxtForCDocuments) {
    environment.format.words[FormatSettings::kDocumentTypeWord] = 1;
    auto document = NewDocument();
    document->SetTitle(Sjis("無題1"));
    EXPECT_EQ(document->ProposedSaveName(), Sjis("無題1"));
}

struct ProposedNameCase {
    const char* name;
    std::string titleUtf8;
    std::string expectedUtf8;
};

class ProposedName : public KespoDocTest, public testing::WithParamInterface<ProposedNameCase> {};

TEST_P(ProposedName, CutsTheTitle) {
    auto document = NewDocument();
    document->SetTitle(Sjis(GetParam().titleUtf8));
    EXPECT_EQ(document->ProposedSaveName(), Sjis(GetParam().expectedUtf8));
}

INSTANTIATE_TEST_SUITE_P(
    Title, ProposedName,
    testing::Values(ProposedNameCase{"EightBytesKept", "abcdefgh", "abcdefgh.txt"},
                    ProposedNameCase{"CutToEightBytes", "abcdefghij", "abcdefgh.txt"},
                    ProposedNameCase{"NeverHalfACharacter", "abcdefg漢字", "abcdefg.txt"},
                    ProposedNameCase{"FourKanjiFit", "一二三四五", "一二三四.txt"},
                    ProposedNameCase{"CutAtBlank", "ab cd", "ab.txt"},
                    ProposedNameCase{"CutAtHash", "a#b", "a.txt"},
                    ProposedNameCase{"CutAtPercent", "a%b", "a.txt"},
                    ProposedNameCase{"CutAtSemicolon", "a;b", "a.txt"},
                    ProposedNameCase{"CutAtSlash", "a/b", "a.txt"},
                    ProposedNameCase{"CutAtBackslash", "a\\b", "a.txt"},
                    ProposedNameCase{"StopperPastEightBytesIgnored", "abcdefgh i", "abcdefgh.txt"},
                    ProposedNameCase{"TrailByte5CIsNoBackslash", "表示", "表示.txt"},
                    ProposedNameCase{"EmptyTitle", "", ".txt"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(KespoDocTest, SaveAsUnderAJapaneseNameWritesTheNativeName) {
    auto document = NewDocument();
    const std::string text = Sjis("本文\r\n");
    document->LoadBytes(reinterpret_cast<const Byte*>(text.data()), text.size());
    fake.fileDialogs.saveAnswers.push_back(dir.Path() + "/" + Sjis("保存先.txt"));
    ASSERT_TRUE(document->SaveAs());
    EXPECT_EQ(test::ReadFileBytes(dir.PathOf("保存先.txt")), text);
    EXPECT_EQ(document->Title(), Sjis("保存先.txt"));
}

TEST_F(KespoDocTest, ProposedNameOfAFileIsItsPath) {
    const std::string path = dir.Write("named file.txt", "x");
    auto document = NewDocument();
    ASSERT_TRUE(document->OnOpenDocument(path));
    EXPECT_EQ(document->ProposedSaveName(), path);
}

TEST_F(KespoDocTest, SaveAsCancelledWritesNothing) {
    auto document = NewDocument();
    document->SetTitle(Sjis("無題1"));
    EXPECT_FALSE(document->SaveAs());
    EXPECT_TRUE(document->PathName().empty());
    EXPECT_TRUE(recent.empty());
}

TEST_F(KespoDocTest, SaveAsToAnUnwritablePlaceReportsTheInvalidName) {
    auto document = NewDocument();
    fake.fileDialogs.saveAnswers.push_back(dir.PathOf("no-such-dir/x.txt"));
    EXPECT_FALSE(document->SaveAs());
    EXPECT_EQ(fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgInvalidFileName});
    EXPECT_TRUE(document->PathName().empty());
}

TEST_F(KespoDocTest, FailedSaveAsDeletesTheNewFile) {
    RecordingAttributes attributes;
    attributes.writeSucceeds = false;
    environment.attributes = &attributes;
    auto document = NewDocument();
    const std::string newPath = dir.PathOf("new.txt");
    fake.fileDialogs.saveAnswers.push_back(newPath);
    EXPECT_FALSE(document->SaveAs());
    EXPECT_FALSE(std::filesystem::exists(newPath));
    EXPECT_TRUE(document->PathName().empty());
}

TEST_F(KespoDocTest, FailedSaveAsNeverDeletesAFileThatWasThere) {
    const std::string existing = dir.Write("existing.txt", "precious");
    auto document = NewDocument();
    const std::string text(100'000, 'n');
    document->LoadBytes(reinterpret_cast<const Byte*>(text.data()), text.size());
    fake.fileDialogs.saveAnswers.push_back(existing);
    {
        FileSizeLimit limit(1000);
        EXPECT_FALSE(document->SaveAs());
    }
    EXPECT_EQ(test::ReadFileBytes(existing), "precious");
}

// Text length and the last character.

TEST_F(KespoDocTest, SetTextLengthFindsTheLastCharacter) {
    auto document = NewDocument();
    const std::string text = Sjis("ab\r\n漢") + "c" + Sjis("字");
    document->LoadBytes(reinterpret_cast<const Byte*>(text.data()), text.size());
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
