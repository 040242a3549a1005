// The platform services as Qt carries them out: message boxes, clipboard, the save dialog and the
// event pump, each checked at the edge where Shift-JIS meets Qt.
#include <QClipboard>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>
#include <string>

#include "base/cp932.h"
#include "qt/platform/caption_width.h"
#include "qt/platform/qt_platform.h"
#include "qt/platform/qt_translations.h"
#include "qt_test_support.h"
#include "ui/message_ids.h"
#include "ui/message_table.h"

using namespace nelvix;
using namespace nelvix::test;

Q_DECLARE_METATYPE(ui::MessageButtons)
Q_DECLARE_METATYPE(ui::MessageIcon)
Q_DECLARE_METATYPE(ui::MessageResult)
Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(std::optional<std::string>)
Q_DECLARE_METATYPE(std::optional<QString>)

class QtPlatformTest : public QObject {
    Q_OBJECT
private slots:
    // As the program does at start-up.
    void initTestCase() { qt::InstallJapaneseQtTexts(*QCoreApplication::instance()); }
    void messageBoxShowsRequest_data();
    void messageBoxShowsRequest();
    void htmlSearchCountsBoxKeepsItsCaptionWhole();
    void clipboardTakesCoreText_data();
    void clipboardTakesCoreText();
    void clipboardGivesCoreText_data();
    void clipboardGivesCoreText();
    void saveDialogAsksForName_data();
    void saveDialogAsksForName();
    // Runs the application's event loop and ends it.
    void eventPumpStopsWhenQuitting();
};

void QtPlatformTest::messageBoxShowsRequest_data() {
    QTest::addColumn<ui::MessageButtons>("buttons");
    QTest::addColumn<ui::MessageIcon>("icon");
    QTest::addColumn<bool>("systemModal");
    QTest::addColumn<int>("press"); // a QMessageBox::StandardButton; NoButton: Escape
    QTest::addColumn<int>("expectedIcon");
    QTest::addColumn<int>("expectedButtons");
    QTest::addColumn<ui::MessageResult>("expected");
    QTest::addColumn<QStringList>("buttonTexts"); // OK, Yes, No, Cancel as far as shown

    using B = ui::MessageButtons;
    using I = ui::MessageIcon;
    using R = ui::MessageResult;
    const int yesNoCancel = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    QTest::newRow("out-of-memory stop box, OK")
        << B::Ok << I::Stop << true << int(QMessageBox::Ok) << int(QMessageBox::Critical)
        << int(QMessageBox::Ok) << R::Ok << QStringList{QStringLiteral("OK")};
    QTest::newRow("warning, OK/Cancel, Cancel pressed")
        << B::OkCancel << I::Warning << false << int(QMessageBox::Cancel)
        << int(QMessageBox::Warning) << int(QMessageBox::Ok | QMessageBox::Cancel) << R::Cancel
        << QStringList{QStringLiteral("OK"), QStringLiteral("キャンセル")};
    QTest::newRow("question, Yes/No, Yes pressed")
        << B::YesNo << I::Question << false << int(QMessageBox::Yes) << int(QMessageBox::Question)
        << int(QMessageBox::Yes | QMessageBox::No) << R::Yes
        << QStringList{QStringLiteral("はい(&Y)"), QStringLiteral("いいえ(&N)")};
    QTest::newRow("information, Yes/No/Cancel, No pressed")
        << B::YesNoCancel << I::Information << false << int(QMessageBox::No)
        << int(QMessageBox::Information) << yesNoCancel << R::No
        << QStringList{QStringLiteral("はい(&Y)"), QStringLiteral("いいえ(&N)"),
                       QStringLiteral("キャンセル")};
    QTest::newRow("no icon, Yes/No/Cancel closed with Escape")
        << B::YesNoCancel << I::None << false << int(QMessageBox::NoButton)
        << int(QMessageBox::NoIcon) << yesNoCancel << R::Cancel
        << QStringList{QStringLiteral("はい(&Y)"), QStringLiteral("いいえ(&N)"),
                       QStringLiteral("キャンセル")};
}

void QtPlatformTest::messageBoxShowsRequest() {
    QFETCH(ui::MessageButtons, buttons);
    QFETCH(ui::MessageIcon, icon);
    QFETCH(bool, systemModal);
    QFETCH(int, press);
    QFETCH(int, expectedIcon);
    QFETCH(int, expectedButtons);
    QFETCH(ui::MessageResult, expected);
    QFETCH(QStringList, buttonTexts);

    // A text with half-width katakana, which only code page 932 decoding shows right.
    ui::MessageRequest request;
    request.id = ui::kMsgOpenDocumentFailed;
    request.text = ui::MessageText(ui::kMsgOpenDocumentFailed);
    request.caption = ui::MessageText(ui::kMsgAppTitle);
    request.style = {buttons, icon, systemModal};

    QString seenText, seenTitle;
    int seenIcon = -1, seenButtons = -1;
    bool seenOnTop = false;
    QStringList seenButtonTexts;
    WhenShown<QMessageBox>([&](QMessageBox& box) {
        for (auto button :
             {QMessageBox::Ok, QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
            if (box.button(button) != nullptr)
                seenButtonTexts << box.button(button)->text();
        seenText = box.text();
        seenTitle = box.windowTitle();
        seenIcon = box.icon();
        seenButtons = int(box.standardButtons());
        seenOnTop = box.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        if (systemModal)
            SaveScreenshot(box, QStringLiteral("message"));
        if (press == QMessageBox::NoButton)
            QTest::keyClick(&box, Qt::Key_Escape);
        else
            box.button(QMessageBox::StandardButton(press))->click();
    });
    qt::QtMessageBox messageBox;
    const ui::MessageResult result = messageBox.Show(request);

    QCOMPARE(result, expected);
    QCOMPARE(seenText, QStringLiteral("ﾄﾞｷｭﾒﾝﾄを開くことに失敗しました。"));
    QCOMPARE(seenTitle, QStringLiteral("KAV Nelvix"));
    QCOMPARE(seenIcon, expectedIcon);
    QCOMPARE(seenButtons, expectedButtons);
    QCOMPARE(seenOnTop, systemModal);
    QCOMPARE(seenButtonTexts, buttonTexts);
}

void QtPlatformTest::htmlSearchCountsBoxKeepsItsCaptionWhole() {
    // A short box: the window manager once cut its caption to "HT…検索".
    ui::MessageRequest request;
    request.text = ui::FormatMessage(ui::MessageText(ui::kMsgGlobalFindCounts), {"3", "7"});
    request.caption = ui::MessageText(ui::kMsgHtmlSearchTitle);
    request.style = {ui::MessageButtons::Ok, ui::MessageIcon::None, false};
    int width = 0, needed = 0;
    WhenShown<QMessageBox>([&](QMessageBox& box) {
        width = box.width();
        needed = qt::CaptionWidth(box, box.windowTitle());
        SaveScreenshot(box, QStringLiteral("html-search-counts"));
        box.accept();
    });
    qt::QtMessageBox().Show(request);
    QVERIFY2(width >= needed, qPrintable(QStringLiteral("%1 < %2").arg(width).arg(needed)));
}

void QtPlatformTest::clipboardTakesCoreText_data() {
    QTest::addColumn<std::string>("sjis");
    QTest::addColumn<QString>("onClipboard");

    QTest::newRow("CR LF line ends become LF")
        << std::string("one\r\ntwo\r\n") << QStringLiteral("one\ntwo\n");
    QTest::newRow("kanji and half-width katakana")
        << Sjis("日本語ｶﾀｶﾅ") << QStringLiteral("日本語ｶﾀｶﾅ");
}

void QtPlatformTest::clipboardTakesCoreText() {
    QFETCH(std::string, sjis);
    QFETCH(QString, onClipboard);

    qt::QtClipboard clipboard;
    QVERIFY(clipboard.ReplaceText(sjis));
    QCOMPARE(QGuiApplication::clipboard()->text(), onClipboard);
    QCOMPARE(clipboard.ReadText(), std::optional<std::string>(sjis));
}

void QtPlatformTest::clipboardGivesCoreText_data() {
    QTest::addColumn<std::optional<QString>>("onClipboard"); // nothing: emptied
    QTest::addColumn<std::optional<std::string>>("expected");

    QTest::newRow("LF line ends of another program")
        << std::optional(QStringLiteral("a\nb")) << std::optional(std::string("a\r\nb"));
    QTest::newRow("CR LF kept as one line end")
        << std::optional(QStringLiteral("a\r\nb")) << std::optional(std::string("a\r\nb"));
    QTest::newRow("emptied clipboard") << std::optional<QString>() << std::optional<std::string>();
}

void QtPlatformTest::clipboardGivesCoreText() {
    QFETCH(std::optional<QString>, onClipboard);
    QFETCH(std::optional<std::string>, expected);

    qt::QtClipboard clipboard;
    if (onClipboard)
        QGuiApplication::clipboard()->setText(*onClipboard);
    else
        QVERIFY(clipboard.Empty());
    QCOMPARE(clipboard.ReadText(), expected);
}

void QtPlatformTest::saveDialogAsksForName_data() {
    QTest::addColumn<QString>("proposed");              // inside a fresh folder
    QTest::addColumn<std::optional<QString>>("choose"); // nothing: cancel

    QTest::newRow("another name with a blank chosen")
        << QStringLiteral("無題1.txt") << std::optional(QStringLiteral("結果 一覧.txt"));
    QTest::newRow("cancelled") << QStringLiteral("見本.txt") << std::optional<QString>();
}

void QtPlatformTest::saveDialogAsksForName() {
    QFETCH(QString, proposed);
    QFETCH(std::optional<QString>, choose);
    QTemporaryDir folder;

    QString seenTitle, seenProposal;
    WhenShown<QFileDialog>([&](QFileDialog& dialog) {
        seenTitle = dialog.windowTitle();
        seenProposal = dialog.selectedFiles().value(0);
        if (!choose) {
            dialog.reject();
            return;
        }
        // Typed into the name field, as a person does, then saved with the dialog's own checks.
        auto* nameField = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(nameField != nullptr);
        nameField->setText(*choose);
        static_cast<QDialog&>(dialog).accept();
    });
    qt::QtFileDialogs dialogs;
    const std::optional<std::string> answer = dialogs.AskSaveFileName(
        ui::MessageText(ui::kMsgSaveAsTitle), ArgumentPath(folder.filePath(proposed)));

    QCOMPARE(seenTitle, QStringLiteral("名前を付けて保存"));
    QCOMPARE(seenProposal, folder.filePath(proposed));
    const std::optional<std::string> expected =
        choose ? std::optional(ArgumentPath(folder.filePath(*choose))) : std::nullopt;
    QCOMPARE(answer, expected);
}

void QtPlatformTest::eventPumpStopsWhenQuitting() {
    qt::QtEventPump pump;
    bool beforeQuit = false;
    bool afterQuit = true;
    // A long run started from the event loop, during which the person quits the program.
    QTimer::singleShot(0, [&] {
        beforeQuit = pump.PumpEvents();
        QTimer::singleShot(20, QCoreApplication::instance(), &QCoreApplication::quit);
        const QDeadlineTimer safety(10'000);
        while (pump.PumpEvents() && !safety.hasExpired()) {
        }
        afterQuit = pump.PumpEvents();
    });
    QCOMPARE(QCoreApplication::exec(), 0);

    QVERIFY(beforeQuit);
    QVERIFY(!afterQuit);
}

QTEST_MAIN(QtPlatformTest)
#include "qt_platform_test.moc"
