// The dialogs "操作の保存" and "操作の呼出し" driven as a person would: their fields and buttons,
// the byte limits of the name and the comment, the core's checks keeping the save dialog open and
// deletion in the recall dialog; with screenshots. (The save command through the real dialog,
// binding user tool 3, runs in tools_scenarios_test.cpp.)
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "commands/recall_operation_list.h"
#include "qt/dialogs/field_byte_limit.h"
#include "qt/dialogs/recall_operation_dialog.h"
#include "qt/dialogs/save_operation_dialog.h"
#include "qt/platform/convert.h"
#include "qt_test_support.h"
#include "record/command_table.h"
#include "record/operation_recorder.h"
#include "store/global_find_record.h"
#include "ui/fake_frame_services.h"
#include "ui/fake_platform.h"
#include "widget_actions.h"

using namespace nelvix;
using namespace nelvix::test;

namespace {

std::size_t SjisBytes(const QString& text) {
    return qt::QStringToSjis(text).size();
}

/// A recorder over a temporary program home, holding one recorded global find.
struct RecorderScene {
    QTemporaryDir home;
    ui::FakePlatform fake;
    std::array<std::string, kUserToolSlots> userTools;
    OperationRecorder recorder{fake.platform, QFile::encodeName(home.path()).toStdString(),
                               userTools};

    RecorderScene() { Record("apple"); }
    void Record(const std::string& pattern) {
        GlobalFindParameters parameters;
        parameters.pattern = pattern;
        parameters.specification = "/data/*.txt";
        const std::vector<Byte> record = SerializeGlobalFindRecord(parameters);
        recorder.RecordCommand(true, kCmdGlobalFind, record.data(), record.size());
    }
    void Save(const QString& name, const QString& comment) {
        QVERIFY(recorder.SaveMacro(qt::QStringToSjisPath(name), qt::QStringToSjis(comment)));
    }
    bool HomeHas(const QString& fileName) const { return QDir(home.path()).exists(fileName); }
};

} // namespace

class OperationDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void fitToBytesKeepsWholeCharactersOfTheInsertion_data();
    void fitToBytesKeepsWholeCharactersOfTheInsertion();
    void saveDialogOpensOnItsFieldsAndGivesThem();
    void saveDialogStaysOpenWhileTheCheckRefuses();
    void saveDialogLimitsTheCommentAndTheName();
    void saveDialogCancelsAndShowsItsHelp();
    void recallDialogShowsTheListAndTheComments();
    void recallDialogDeletesAndThenOnlyCloses();
    void recallDialogReplaysTheChosenMacro();
};

void OperationDialogsTest::fitToBytesKeepsWholeCharactersOfTheInsertion_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("maxBytes");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<int>("cursor");

    QTest::newRow("fits: unchanged")
        << QStringLiteral("ab") << QStringLiteral("abc") << 3 << QStringLiteral("abc") << 3;
    QTest::newRow("typed at the end of a full field: refused")
        << QStringLiteral("abc") << QStringLiteral("abcd") << 3 << QStringLiteral("abc") << 3;
    QTest::newRow("typed in the middle of a full field: refused, the end stays")
        << QStringLiteral("abc") << QStringLiteral("axbc") << 3 << QStringLiteral("abc") << 1;
    QTest::newRow("paste cut to what fits")
        << QStringLiteral("a") << QStringLiteral("a12345") << 4 << QStringLiteral("a123") << 4;
    QTest::newRow("double-byte character across the limit left out")
        << QStringLiteral("ab") << QStringLiteral("ab表表") << 5 << QStringLiteral("ab表") << 3;
    QTest::newRow("pasted over a selection") << QStringLiteral("a--b") << QStringLiteral("a日本語b")
                                             << 6 << QStringLiteral("a日本b") << 3;
}

void OperationDialogsTest::fitToBytesKeepsWholeCharactersOfTheInsertion() {
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(int, maxBytes);
    QFETCH(QString, kept);
    QFETCH(int, cursor);
    const qt::FittedText fitted =
        qt::FitToBytes(before, after, static_cast<std::size_t>(maxBytes), SjisBytes);
    QCOMPARE(fitted.text, kept);
    QCOMPARE(fitted.cursor, cursor);
}

void OperationDialogsTest::saveDialogOpensOnItsFieldsAndGivesThem() {
    ui::FakeHelpViewer help;
    qt::QtSaveOperationDialog dialog(help);
    QString focused;
    int toolIndex = 99;
    WhenShown<qt::QtSaveOperationDialog>([&](qt::QtSaveOperationDialog& shown) {
        auto* name = Child<QLineEdit>(shown, "name");
        auto* tool = Child<QComboBox>(shown, "userTool");
        focused = shown.focusWidget() == name ? name->text() : QString();
        toolIndex = tool->currentIndex();
        name->setText(QStringLiteral("毎日"));
        tool->setCurrentIndex(3);
        auto* comment = Child<QPlainTextEdit>(shown, "comment");
        comment->setFocus();
        comment->insertPlainText(QStringLiteral("ログ"));
        QTest::keyClick(comment, Qt::Key_Return);
        QTest::keyClicks(comment, QStringLiteral("every day"));
        SaveScreenshot(shown, QStringLiteral("save-operation-dialog"));
        Click(shown, "ok");
    });
    SaveOperationValues initial{"daily", kNoUserToolChosen, {}};
    const auto values = dialog.Ask(initial, [](const SaveOperationValues&) { return true; });
    QCOMPARE(focused, QStringLiteral("daily"));
    QCOMPARE(toolIndex, -1);
    QVERIFY(values.has_value());
    QCOMPARE(qt::SjisPathToQString(values->name), QStringLiteral("毎日"));
    QCOMPARE(values->userTool, 3);
    QCOMPARE(values->comment, qt::QStringToSjis(QStringLiteral("ログ\r\nevery day")));
}

void OperationDialogsTest::saveDialogStaysOpenWhileTheCheckRefuses() {
    ui::FakeHelpViewer help;
    qt::QtSaveOperationDialog dialog(help);
    std::vector<std::string> checked;
    bool stayedOpen = false;
    QString focused;
    WhenShown<qt::QtSaveOperationDialog>([&](qt::QtSaveOperationDialog& shown) {
        auto* name = Child<QLineEdit>(shown, "name");
        name->setText(QStringLiteral("bad/name"));
        Click(shown, "ok");
        stayedOpen = shown.isVisible();
        focused = shown.focusWidget() != nullptr ? shown.focusWidget()->objectName() : QString();
        name->setText(QStringLiteral("good"));
        Click(shown, "ok");
    });
    const auto values = dialog.Ask({}, [&](const SaveOperationValues& v) {
        checked.push_back(v.name);
        return v.name == "good";
    });
    QVERIFY(stayedOpen);
    QCOMPARE(focused, QStringLiteral("name"));
    QCOMPARE(checked, (std::vector<std::string>{"bad/name", "good"}));
    QVERIFY(values.has_value());
    QCOMPARE(values->name, std::string("good"));
    QCOMPARE(values->userTool, kNoUserToolChosen);
}

void OperationDialogsTest::saveDialogLimitsTheCommentAndTheName() {
    ui::FakeHelpViewer help;
    qt::QtSaveOperationDialog dialog(help);
    QString nameAfterTyping;
    WhenShown<qt::QtSaveOperationDialog>([&](qt::QtSaveOperationDialog& shown) {
        auto* name = Child<QLineEdit>(shown, "name");
        name->setText(QString(kMaxPathBytes - 1, QLatin1Char('n')));
        name->end(false);
        name->insert(QStringLiteral("表"));
        QTest::keyClicks(name, QStringLiteral("x"));
        nameAfterTyping = name->text();
        name->setText(QStringLiteral("c"));
        auto* comment = Child<QPlainTextEdit>(shown, "comment");
        comment->setFocus();
        QTest::keyClicks(comment, QString(97, QLatin1Char('a')));
        QTest::keyClick(comment, Qt::Key_Return);        // CR LF: 99 bytes
        comment->insertPlainText(QStringLiteral("表"));  // does not fit
        QTest::keyClicks(comment, QStringLiteral("bc")); // only "b" fits
        QTest::keyClick(comment, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClicks(comment, QStringLiteral("z"));
        Click(shown, "ok");
    });
    const auto values = dialog.Ask({}, [](const SaveOperationValues&) { return true; });
    QCOMPARE(nameAfterTyping, QString(kMaxPathBytes - 1, QLatin1Char('n')) + QLatin1Char('x'));
    QVERIFY(values.has_value());
    QCOMPARE(values->comment, std::string(97, 'a') + "\r\nb");
}

void OperationDialogsTest::saveDialogCancelsAndShowsItsHelp() {
    ui::FakeHelpViewer help;
    qt::QtSaveOperationDialog dialog(help);
    bool checked = false;
    WhenShown<qt::QtSaveOperationDialog>([&](qt::QtSaveOperationDialog& shown) {
        Click(shown, "help");
        Click(shown, "cancel");
    });
    QVERIFY(!dialog.Ask({}, [&](const SaveOperationValues&) { return checked = true; }));
    QVERIFY(!checked);
    QCOMPARE(help.topics, std::vector<int>{kCmdSaveOperation});
}

void OperationDialogsTest::recallDialogShowsTheListAndTheComments() {
    RecorderScene scene;
    scene.Save(QStringLiteral("beta"), QStringLiteral("二番目\r\nsecond line"));
    scene.Save(QStringLiteral("alpha"), QStringLiteral("first"));
    RecallOperationList list(scene.recorder, scene.fake.beeper);
    ui::FakeHelpViewer help;
    qt::QtRecallOperationDialog dialog(help);
    QStringList names;
    QString initialName;
    QString initialComment;
    QString betaComment;
    WhenShown<qt::QtRecallOperationDialog>([&](qt::QtRecallOperationDialog& shown) {
        auto* name = Child<QComboBox>(shown, "name");
        for (int i = 0; i < name->count(); ++i)
            names << name->itemText(i);
        initialName = name->currentText();
        initialComment = Child<QLabel>(shown, "comment")->text();
        name->setCurrentIndex(1);
        betaComment = Child<QLabel>(shown, "comment")->text();
        SaveScreenshot(shown, QStringLiteral("recall-operation-dialog"));
        Click(shown, "help");
        Click(shown, "ok");
    });
    const RecallChoice choice = dialog.Ask(list);
    QCOMPARE(names, (QStringList{QStringLiteral("alpha"), QStringLiteral("beta")}));
    QCOMPARE(initialName, QStringLiteral("alpha"));
    QCOMPARE(initialComment, QStringLiteral("first"));
    QCOMPARE(betaComment, QStringLiteral("二番目\nsecond line"));
    QVERIFY((choice == RecallChoice{RecallAction::Load, "beta"}));
    QCOMPARE(help.topics, std::vector<int>{kCmdRecallOperation});
}

void OperationDialogsTest::recallDialogDeletesAndThenOnlyCloses() {
    RecorderScene scene;
    scene.Save(QStringLiteral("alpha"), QStringLiteral("first"));
    scene.Save(QStringLiteral("beta"), QStringLiteral("second"));
    RecallOperationList list(scene.recorder, scene.fake.beeper);
    ui::FakeHelpViewer help;
    qt::QtRecallOperationDialog dialog(help);
    QString okLabel;
    bool replayEnabled = true;
    QStringList left;
    int beepsAfterUnknown = 0;
    WhenShown<qt::QtRecallOperationDialog>([&](qt::QtRecallOperationDialog& shown) {
        auto* name = Child<QComboBox>(shown, "name");
        name->setEditText(QStringLiteral("gamma"));
        Click(shown, "delete");
        beepsAfterUnknown = scene.fake.beeper.beeps;
        QVERIFY(Child<QPushButton>(shown, "replay")->isEnabled());
        name->setCurrentIndex(name->findText(QStringLiteral("alpha")));
        Click(shown, "delete");
        okLabel = Child<QPushButton>(shown, "ok")->text();
        replayEnabled = Child<QPushButton>(shown, "replay")->isEnabled();
        for (int i = 0; i < name->count(); ++i)
            left << name->itemText(i);
        SaveScreenshot(shown, QStringLiteral("recall-operation-dialog-after-delete"));
        name->setCurrentIndex(0);
        Click(shown, "ok");
    });
    const RecallChoice choice = dialog.Ask(list);
    QCOMPARE(beepsAfterUnknown, 1);
    QCOMPARE(okLabel, QStringLiteral("閉じる"));
    QVERIFY(!replayEnabled);
    QCOMPARE(left, QStringList{QStringLiteral("beta")});
    QVERIFY(!scene.HomeHas(QStringLiteral("alpha.mac")));
    QVERIFY(scene.HomeHas(QStringLiteral("beta.mac")));
    QCOMPARE(choice.action, RecallAction::Close);

    // The next dialog starts afresh.
    RecallOperationList again(scene.recorder, scene.fake.beeper);
    WhenShown<qt::QtRecallOperationDialog>([&](qt::QtRecallOperationDialog& shown) {
        okLabel = Child<QPushButton>(shown, "ok")->text();
        replayEnabled = Child<QPushButton>(shown, "replay")->isEnabled();
        Click(shown, "cancel");
    });
    QCOMPARE(dialog.Ask(again).action, RecallAction::Close);
    QCOMPARE(okLabel, QStringLiteral("OK"));
    QVERIFY(replayEnabled);
}

void OperationDialogsTest::recallDialogReplaysTheChosenMacro() {
    RecorderScene scene;
    scene.Save(QStringLiteral("日本語"), QString());
    RecallOperationList list(scene.recorder, scene.fake.beeper);
    ui::FakeHelpViewer help;
    qt::QtRecallOperationDialog dialog(help);
    WhenShown<qt::QtRecallOperationDialog>(
        [&](qt::QtRecallOperationDialog& shown) { Click(shown, "replay"); });
    const RecallChoice choice = dialog.Ask(list);
    QCOMPARE(choice.action, RecallAction::Replay);
    QCOMPARE(qt::SjisPathToQString(choice.name), QStringLiteral("日本語"));
}

QTEST_MAIN(OperationDialogsTest)
#include "operation_dialogs_test.moc"
