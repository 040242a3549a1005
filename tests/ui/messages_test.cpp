// The one message service: boxes from the table, the fixed out-of-memory boxes, the memory check.
#include "ui/messages.h"

#include <gtest/gtest.h>

#include "text/cp932.h"
#include "ui/fake_platform.h"

namespace nelvix::ui {
namespace {

class MessagesTest : public testing::Test {
protected:
    const MessageRequest& OnlyBox() const {
        EXPECT_EQ(fake.messageBox.shown.size(), 1u);
        return fake.messageBox.shown.at(0);
    }
    FakePlatform fake;
};

TEST_F(MessagesTest, TableTextUnderTheApplicationTitle) {
    MessageStyle style{MessageButtons::OkCancel, MessageIcon::Question, false};
    fake.messageBox.answers.push_back(MessageResult::Cancel);
    EXPECT_EQ(ShowMessage(fake.platform, kMsgTextTooLong, style), MessageResult::Cancel);
    const MessageRequest& box = OnlyBox();
    EXPECT_EQ(box.id, kMsgTextTooLong);
    EXPECT_EQ(box.text, Sjis("文字数オーバーのため処理できません。"));
    EXPECT_EQ(box.caption, "KAV Nelvix");
    EXPECT_EQ(box.style.buttons, MessageButtons::OkCancel);
    EXPECT_EQ(box.style.icon, MessageIcon::Question);
    EXPECT_FALSE(box.style.systemModal);
}

TEST_F(MessagesTest, DefaultStyleIsAnOkWarning) {
    ShowMessage(fake.platform, kMsgOpenDocumentFailed);
    const MessageRequest& box = OnlyBox();
    EXPECT_EQ(box.text, Sjis("ﾄﾞｷｭﾒﾝﾄを開くことに失敗しました。"));
    EXPECT_EQ(box.style.buttons, MessageButtons::Ok);
    EXPECT_EQ(box.style.icon, MessageIcon::Warning);
}

TEST_F(MessagesTest, PlaceholdersAreReplaced) {
    ShowMessage(fake.platform, kMsgGlobalFindCounts, {}, {"12", "3"});
    EXPECT_EQ(OnlyBox().text, Sjis("検索したﾌｧｲﾙの数： 12\n\n見つかった個数   ： 3"));
}

TEST_F(MessagesTest, ShiftJisArgumentsAreInsertedAsBytes) {
    ShowMessage(fake.platform, kMsgIntegerRange, {}, {Sjis("１"), "250"});
    EXPECT_EQ(OnlyBox().text, Sjis("１ から 250 までの整数を入力してください。"));
}

TEST_F(MessagesTest, OutOfMemoryIdShowsTheFixedSystemModalStopBox) {
    EXPECT_EQ(ShowMessage(fake.platform, kMsgOutOfMemory), MessageResult::Ok);
    const MessageRequest& box = OnlyBox();
    EXPECT_EQ(box.id, kMsgOutOfMemory);
    EXPECT_EQ(box.text, Sjis("メモリ不足です。他のアプリケーションを終了させて、\n"
                             "メモリを増やしてから再度実行してください。"));
    EXPECT_EQ(box.caption, "KAV Mirol");
    EXPECT_EQ(box.style.buttons, MessageButtons::Ok);
    EXPECT_EQ(box.style.icon, MessageIcon::Stop);
    EXPECT_TRUE(box.style.systemModal);
}

TEST_F(MessagesTest, OutOfMemoryIgnoresTheStyleAskedFor) {
    ShowMessage(fake.platform, kMsgOutOfMemory, {MessageButtons::YesNo, MessageIcon::None, false});
    EXPECT_EQ(OnlyBox().style.icon, MessageIcon::Stop);
    EXPECT_EQ(OnlyBox().style.buttons, MessageButtons::Ok);
}

TEST_F(MessagesTest, WholeFileReaderVariantIsCaptionedVandu) {
    ShowOutOfMemory(fake.platform, true);
    const MessageRequest& box = OnlyBox();
    EXPECT_EQ(box.caption, "Vandu");
    EXPECT_EQ(box.text, Sjis(kOutOfMemoryTextUtf8));
    EXPECT_EQ(box.style.icon, MessageIcon::Stop);
    EXPECT_TRUE(box.style.systemModal);
}

TEST_F(MessagesTest, CheckMemorySucceedsSilently) {
    EXPECT_TRUE(CheckMemory(fake.platform));
    EXPECT_EQ(fake.memory.calls, 1);
    EXPECT_TRUE(fake.messageBox.shown.empty());
}

TEST_F(MessagesTest, CheckMemoryFailureShowsTheOutOfMemoryBox) {
    fake.memory.failAll = true;
    EXPECT_FALSE(CheckMemory(fake.platform, 2 * 1024 * 1024));
    EXPECT_EQ(OnlyBox().id, kMsgOutOfMemory);
    EXPECT_EQ(OnlyBox().caption, "KAV Mirol");
}

TEST_F(MessagesTest, CheckMemoryOfZeroMeansOneMebibyte) {
    fake.memory.failAboveBytes = kDefaultMemoryCheck;
    EXPECT_TRUE(CheckMemory(fake.platform, 0));
    fake.memory.failAboveBytes = kDefaultMemoryCheck - 1;
    EXPECT_FALSE(CheckMemory(fake.platform, 0));
    EXPECT_TRUE(CheckMemory(fake.platform, 128 * 1024));
}

} // namespace
} // namespace nelvix::ui
