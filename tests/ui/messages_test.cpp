// The one message service: boxes from the table, the fixed out-of-memory boxes, the memory check.
#include "ui/messages.h"

#include <gtest/gtest.h>

#include "base/cp932.h"
#include "ui/fake_platform.h"

namespace nelvix::ui {
namespace {

class MessagesTest : public testing::Test {
protected:
    const MessageRequest& OnlyBox() const {
        EXPECT_EQ(fake.messageBox.shown.size(), 1u);
        return fake.messageBox.shown.at(0);
    }
    void ExpectStyle(const MessageStyle& style, MessageButtons buttons, MessageIcon icon,
                     bool systemModal) {
        EXPECT_EQ(style.buttons, buttons);
        EXPECT_EQ(style.icon, icon);
        EXPECT_EQ(style.systemModal, systemModal);
    }
    FakePlatform fake;
};

TEST_F(MessagesTest, TableTextUnderTheApplicationTitleWithTheStyleAskedFor) {
    MessageStyle style{MessageButtons::OkCancel, MessageIcon::Question, false};
    fake.messageBox.answers.push_back(MessageResult::Cancel);
    EXPECT_EQ(ShowMessage(fake.platform, kMsgTextTooLong, style), MessageResult::Cancel);
    const MessageRequest& box = OnlyBox();
    EXPECT_EQ(box.id, kMsgTextTooLong);
    EXPECT_EQ(box.text, Sjis("文字数オーバーのため処理できません。"));
    EXPECT_EQ(box.caption, "KAV Nelvix");
    ExpectStyle(box.style, MessageButtons::OkCancel, MessageIcon::Question, false);
}

TEST_F(MessagesTest, DefaultStyleIsAnOkWarning) {
    ShowMessage(fake.platform, kMsgOpenDocumentFailed);
    ExpectStyle(OnlyBox().style, MessageButtons::Ok, MessageIcon::Warning, false);
}

TEST_F(MessagesTest, ShiftJisArgumentsReplaceThePlaceholdersAsBytes) {
    ShowMessage(fake.platform, kMsgIntegerRange, {}, {Sjis("１"), "250"});
    EXPECT_EQ(OnlyBox().text, Sjis("１ から 250 までの整数を入力してください。"));
}

// The whole-file reader's variant differs only in its caption.
TEST_F(MessagesTest, OutOfMemoryShowsTheFixedSystemModalStopBoxWhateverTheStyleAsked) {
    for (const bool wholeFileReader : {false, true}) {
        SCOPED_TRACE(wholeFileReader);
        fake.messageBox.shown.clear();
        fake.messageBox.answers.push_back(MessageResult::No);
        if (wholeFileReader)
            ShowOutOfMemory(fake.platform, true);
        else
            EXPECT_EQ(ShowMessage(fake.platform, kMsgOutOfMemory,
                                  {MessageButtons::YesNo, MessageIcon::None, false}),
                      MessageResult::Ok);
        const MessageRequest& box = OnlyBox();
        EXPECT_EQ(box.id, kMsgOutOfMemory);
        EXPECT_EQ(box.text, Sjis("メモリ不足です。他のアプリケーションを終了させて、\n"
                                 "メモリを増やしてから再度実行してください。"));
        EXPECT_EQ(box.caption, wholeFileReader ? "Vandu" : "KAV Mirol");
        ExpectStyle(box.style, MessageButtons::Ok, MessageIcon::Stop, true);
    }
}

TEST_F(MessagesTest, CheckMemoryAsksOnceForTheBlockOrOneMebibyteForZero) {
    fake.memory.failAboveBytes = kDefaultMemoryCheck;
    EXPECT_TRUE(CheckMemory(fake.platform, 0));
    EXPECT_EQ(fake.memory.calls, 1);
    fake.memory.failAboveBytes = kDefaultMemoryCheck - 1;
    EXPECT_TRUE(CheckMemory(fake.platform, 128 * 1024));
    EXPECT_TRUE(fake.messageBox.shown.empty()) << "success is silent";
    EXPECT_FALSE(CheckMemory(fake.platform, 0));
    EXPECT_EQ(OnlyBox().id, kMsgOutOfMemory);
    EXPECT_EQ(OnlyBox().caption, "KAV Mirol");
}

} // namespace
} // namespace nelvix::ui
