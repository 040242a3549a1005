// The document template: order of opening, untitled numbering, lookup by path, closing.
#include "text/document_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/cp932.h"
#include "support/test_files.h"
#include "ui/fake_platform.h"
#include "ui/message_ids.h"

namespace nelvix {
namespace {

class DocumentListTest : public testing::Test {
protected:
    std::vector<std::string> Titles() const {
        std::vector<std::string> titles;
        for (const auto& document : list.Documents())
            titles.push_back(document->Title());
        return titles;
    }

    ui::FakePlatform fake;
    DocumentEnvironment environment{fake.platform};
    DocumentList list{environment};
    test::TempDir dir;
};

TEST_F(DocumentListTest, UntitledDocumentsAreNumberedFromOneNeverReusingANumber) {
    CKespoDoc* first = list.CreateUntitled();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Title(), Sjis("無題1"));
    EXPECT_TRUE(first->PathName().empty());
    list.Close(*first);
    fake.memory.failAll = true;
    EXPECT_EQ(list.CreateUntitled(), nullptr) << "out of memory makes nothing, takes no number";
    EXPECT_TRUE(list.Documents().empty());
    fake.memory.failAll = false;
    EXPECT_EQ(list.CreateUntitled()->Title(), Sjis("無題2"));
}

TEST_F(DocumentListTest, DocumentsStayInOrderOfOpening) {
    const std::string a = dir.Write("a.txt", "a");
    const std::string b = dir.Write("b.txt", "b");
    ASSERT_NE(list.Open(b), nullptr);
    ASSERT_NE(list.CreateUntitled(), nullptr);
    ASSERT_NE(list.Open(a), nullptr);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"b.txt", Sjis("無題1"), "a.txt"}));
}

TEST_F(DocumentListTest, AnOpenPathIsFoundNotLoadedTwice) {
    const std::string path = dir.Write("twice.txt", "first");
    CKespoDoc* opened = list.Open(path);
    ASSERT_NE(opened, nullptr);
    dir.Write("twice.txt", "changed on disk");
    EXPECT_EQ(list.Open(path), opened);
    EXPECT_EQ(list.Documents().size(), 1u);
    EXPECT_EQ(opened->TextView(), "first");
}

TEST_F(DocumentListTest, FindByPathMatchesAnotherSpellingOfTheSamePathOnly) {
    const std::string path = dir.Write("same.txt", "x");
    CKespoDoc* opened = list.Open(path);
    ASSERT_NE(opened, nullptr);
    ASSERT_NE(list.CreateUntitled(), nullptr);
    EXPECT_EQ(list.FindByPath(dir.Path() + "/./same.txt"), opened);
    EXPECT_EQ(list.FindByPath(dir.Path() + "/sub/../same.txt"), opened);
    EXPECT_EQ(list.FindByPath(dir.PathOf("other.txt")), nullptr);
    EXPECT_EQ(list.FindByPath(""), nullptr) << "untitled documents have no path";
    EXPECT_EQ(list.FindByPath(Sjis("無題1")), nullptr);
}

TEST_F(DocumentListTest, JapaneseFileNameIsOpenedThroughItsNativeName) {
    dir.Write("日本語の名前.txt", "x"); // the native (UTF-8) name
    const std::string sjisPath = dir.Path() + "/" + Sjis("日本語の名前.txt");
    CKespoDoc* opened = list.Open(sjisPath);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->Title(), Sjis("日本語の名前.txt"));
    EXPECT_EQ(list.FindByPath(sjisPath), opened);
}

TEST_F(DocumentListTest, OpenFirstChecksForOneMebibyte) {
    const std::string path = dir.Write("m.txt", "x");
    fake.memory.failAboveBytes = 1024 * 1024 - 1;
    EXPECT_EQ(list.Open(path), nullptr);
    EXPECT_EQ(fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgOutOfMemory});
    EXPECT_TRUE(list.Documents().empty());
    fake.memory.failAboveBytes = 1024 * 1024;
    EXPECT_NE(list.Open(path), nullptr);
}

TEST_F(DocumentListTest, FailedOpenLeavesNoDocument) {
    EXPECT_EQ(list.Open(dir.PathOf("missing.txt")), nullptr);
    EXPECT_EQ(fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgOpenDocumentFailed});
    EXPECT_TRUE(list.Documents().empty());
}

TEST_F(DocumentListTest, CloseRemovesTheDocumentAndRefreshesTheWindowBar) {
    int refreshes = 0;
    environment.refreshWindowBar = [&refreshes] { ++refreshes; };
    const std::string path = dir.Write("c.txt", "x");
    CKespoDoc* opened = list.Open(path);
    CKespoDoc* untitled = list.CreateUntitled();
    list.Close(*opened);
    EXPECT_EQ(list.FindByPath(path), nullptr);
    ASSERT_EQ(list.Documents().size(), 1u);
    EXPECT_EQ(list.Documents()[0].get(), untitled);
    EXPECT_EQ(refreshes, 1);
}

} // namespace
} // namespace nelvix
