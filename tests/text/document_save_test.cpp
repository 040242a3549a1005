// Saving a text with its attribute file: both files are written and the document renamed, or
// every file stays as it was; and what a failed save says.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "support/injected_file_faults.h"
#include "support/non_regular_files.h"
#include "support/test_files.h"
#include "text/attribute_file.h"
#include "text/text_document.h"
#include "ui/fake_platform.h"
#include "ui/message_ids.h"

namespace nelvix {
namespace {

const std::string kOldText = "old text\r\n";
const std::string kNewText = "new text\r\nsecond line\r\n";
/// An attribute file of ours without marks, so that replacing it asks nothing.
const std::string kOldMarks = std::string(kAttributeMagic) + std::string(4, '\0');

class DocumentSaveTest : public testing::Test {
protected:
    DocumentSaveTest() {
        environment.attributes = &attributes;
        environment.refreshWindowBar = [this] { ++refreshes; };
    }

    /// A document opened from `old.txt`, then given a new text with a mark on its first line.
    std::unique_ptr<CKespoDoc> MarkedDocument() {
        std::unique_ptr<CKespoDoc> document = CKespoDoc::Create(environment);
        EXPECT_TRUE(document->OnOpenDocument(dir.Write("old.txt", kOldText)));
        document->LoadBytes(reinterpret_cast<const Byte*>(kNewText.data()), kNewText.size());
        document->LineMarks() = {kFirstLineMark};
        document->SetModified(true);
        return document;
    }

    ui::FakePlatform fake;
    AttributeFiles attributes;
    DocumentEnvironment environment{fake.platform};
    test::TempDir dir;
    int refreshes = 0;
};

TEST_F(DocumentSaveTest, ASaveAsThatFailsAtAnyStepChangesNoFileAndKeepsTheOldName) {
    struct Row {
        const char* situation;
        FileStep step;
        const char* pathPart; // "" for every path
        int error;
        int passing; // matching steps that run before the failing one
        int message;
    };
    const std::vector<Row> rows = {
        {"read-only disk", FileStep::Create, "", EROFS, 0, ui::kMsgFileWriteError},
        {"full disk at the text", FileStep::Write, "", ENOSPC, 0, ui::kMsgFileWriteError},
        {"full disk at the attribute file", FileStep::Write, "", ENOSPC, 1,
         ui::kMsgAttrCreateError},
        {"the text cannot be renamed", FileStep::Rename, "new.txt", EIO, 0, ui::kMsgFileWriteError},
        {"the attribute file cannot be renamed", FileStep::Rename, "new.ATR", EIO, 0,
         ui::kMsgFileWriteError},
    };
    for (const bool targetExists : {true, false}) {
        for (const Row& row : rows) {
            const std::string situation =
                std::string(row.situation) + (targetExists ? ", over old files" : ", new name");
            std::filesystem::remove(dir.PathOf("new.txt"));
            std::filesystem::remove(dir.PathOf("new.ATR"));
            if (targetExists) {
                dir.Write("new.txt", "precious text");
                dir.Write("new.ATR", kOldMarks);
            }
            std::unique_ptr<CKespoDoc> document = MarkedDocument();
            const std::vector<std::string> namesBefore = test::NamesIn(dir.Path());
            fake.messageBox.shown.clear();
            fake.fileDialogs.saveAnswers.push_back(dir.PathOf("new.txt"));
            refreshes = 0;
            {
                test::InjectedFileFaults faults;
                faults.Fail(row.step, row.pathPart, row.error, row.passing);
                EXPECT_FALSE(document->SaveAs()) << situation;
            }
            EXPECT_EQ(fake.messageBox.ShownIds(), std::vector<int>{row.message}) << situation;
            EXPECT_EQ(document->PathName(), dir.PathOf("old.txt")) << situation;
            EXPECT_TRUE(document->IsModified()) << situation;
            EXPECT_EQ(refreshes, 0) << situation;
            EXPECT_EQ(test::ReadFileBytes(dir.PathOf("new.txt")),
                      targetExists ? "precious text" : "")
                << situation;
            EXPECT_EQ(test::ReadFileBytes(dir.PathOf("new.ATR")), targetExists ? kOldMarks : "")
                << situation;
            EXPECT_EQ(test::NamesIn(dir.Path()), namesBefore)
                << situation << ": nothing made, nothing left";
        }
    }
}

TEST_F(DocumentSaveTest, ASaveAsThatSucceedsWritesBothFilesAndTakesTheNewName) {
    dir.Write("new.txt", "precious text");
    std::unique_ptr<CKespoDoc> document = MarkedDocument();
    fake.fileDialogs.saveAnswers.push_back(dir.PathOf("new.txt"));
    EXPECT_TRUE(document->SaveAs());
    EXPECT_TRUE(fake.messageBox.shown.empty());
    EXPECT_EQ(document->PathName(), dir.PathOf("new.txt"));
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(test::ReadFileBytes(dir.PathOf("new.txt")), kNewText);
    const std::string marks = test::ReadFileBytes(dir.PathOf("new.ATR"));
    EXPECT_TRUE(marks.starts_with(kAttributeMagic)) << marks;
    EXPECT_EQ(test::NamesIn(dir.Path()),
              (std::vector<std::string>{"new.ATR", "new.txt", "old.txt"}));
}

TEST_F(DocumentSaveTest, ASaveAsOntoWhatIsNotARegularFileIsRefusedAndLeftAlone) {
    for (const test::NonRegularKind kind : test::kNonRegularKinds) {
        for (const bool throughLink : {false, true}) {
            test::TempDir place;
            const std::optional<test::Planted> planted =
                test::Plant(kind, place.PathOf("name"),
                            throughLink ? std::optional(place.PathOf("thing")) : std::nullopt);
            if (!planted)
                continue;
            const std::string& situation = planted->situation;
            std::unique_ptr<CKespoDoc> document = MarkedDocument();
            fake.messageBox.shown.clear();
            fake.fileDialogs.saveAnswers.push_back(planted->name);

            EXPECT_FALSE(document->SaveAs()) << situation;
            EXPECT_EQ(fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgNotARegularFile})
                << situation;
            EXPECT_TRUE(planted->LeftAlone()) << situation;
            EXPECT_EQ(document->PathName(), dir.PathOf("old.txt")) << situation;
        }
    }
}

TEST_F(DocumentSaveTest, AnInvalidNameIsToldApartFromAFailedWrite) {
    struct Row {
        const char* situation;
        std::string name;
        FileStep step;
        int error; // 0: nothing injected
        int message;
    };
    const std::vector<Row> rows = {
        {"a folder that does not exist", "none/x.txt", FileStep::Create, 0,
         ui::kMsgInvalidFileName},
        {"a name too long", std::string(300, 'n') + ".txt", FileStep::Create, 0,
         ui::kMsgInvalidFileName},
        {"no permission", "x.txt", FileStep::Create, EACCES, ui::kMsgFileWriteError},
        {"quota exceeded", "x.txt", FileStep::Write, EDQUOT, ui::kMsgFileWriteError},
    };
    for (const Row& row : rows) {
        std::unique_ptr<CKespoDoc> document = MarkedDocument();
        fake.messageBox.shown.clear();
        fake.fileDialogs.saveAnswers.push_back(dir.PathOf(row.name));
        test::InjectedFileFaults faults;
        if (row.error != 0)
            faults.Fail(row.step, "", row.error);
        EXPECT_FALSE(document->SaveAs()) << row.situation;
        EXPECT_EQ(fake.messageBox.ShownIds(), std::vector<int>{row.message}) << row.situation;
    }
}

} // namespace
} // namespace nelvix
