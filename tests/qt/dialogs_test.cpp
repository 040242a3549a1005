// The dialogs and windows of the frame's commands, driven as a person would: the global find
// dialog's checks and directory change, the find dialog on a real text window, the line jump,
// the progress window's stop button, the font dialog, the help window, the shell opener and
// the version dialog.
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

#include <optional>
#include <string>
#include <vector>

#include "../view/text_window_fixture.h"
#include "qt/dialogs/find_dialog.h"
#include "qt/dialogs/font_dialog.h"
#include "qt/dialogs/global_find_dialog.h"
#include "qt/dialogs/help_window.h"
#include "qt/dialogs/line_jump_dialog.h"
#include "qt/dialogs/progress_dialog.h"
#include "qt/dialogs/version_dialog.h"
#include "qt/platform/convert.h"
#include "qt/platform/shell_opener.h"
#include "qt_test_support.h"
#include "record/command_table.h"
#include "ui/fake_frame_services.h"
#include "ui/fake_platform.h"
#include "ui/message_ids.h"
#include "view/text_window_find_target.h"
#include "widget_actions.h"

using namespace nelvix;
using namespace nelvix::test;

namespace {

/// The global find dialog over a scripted platform and help viewer.
struct GlobalFindScene {
    ui::FakePlatform fake;
    ui::FakeHelpViewer help;
    qt::QtGlobalFindDialog dialog{fake.platform, help};
    QTemporaryDir directory;

    GlobalFindScene() { QDir(directory.path()).mkpath(QStringLiteral("sub")); }
    ui::GlobalFindValues Initial() const {
        ui::GlobalFindValues initial;
        initial.pattern = "apple";
        initial.fileBox = "*.txt";
        initial.currentDirectory = qt::QStringToSjisPath(directory.path() + QLatin1Char('/'));
        initial.caseSensitive = true;
        initial.record = true;
        return initial;
    }
    std::optional<ui::GlobalFindValues> Ask() {
        return dialog.Ask(Initial(), {"apple", "pear"}, {"*.txt", "/usr/share/doc/*.html"});
    }
};

/// The find dialog over a real text window of 40 numbered lines.
struct FindScene {
    TextWindow window{NumberedLines(40)};
    TextWindowFindTarget target{*window.window};
    SearchOptions options;
    bool down = true;
    std::vector<std::string> entries;
    FindHistory history{entries};
    TextFindSettings settings;
    TextFind find{window.fake.platform, {options, down, history}, settings, [] {}};
    FindDialogModel model{find};
    qt::FindDialog dialog{model, history, [this] { return &target; }};
};

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void globalFindRefusesAndStaysOpen_data();
    void globalFindRefusesAndStaysOpen();
    void globalFindOpensOnThePatternAndGivesTheValues();
    void globalFindDirectoryChangeResetsAnAbsoluteFileBox();
    void findDialogFindsInTheTextWindowAndClosingClearsTheRange();
    void lineJumpKeepsABadNumberAndJumpsToAGoodOne();
    void progressWindowShowsValuesAndStops();
    void fontDialogOffersFixedPitchFonts();
    void helpWindowOpensAtTheCommandsTopic();
    void helpWindowReportsAMissingFile();
    void shellOpenerHandsTheFileToTheDesktop();
    void versionDialogShowsNameAndVersion();
};

// The QUrl handler of the shell opener test must be a slot of some object.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.append(url); }
};

void DialogsTest::globalFindRefusesAndStaysOpen_data() {
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("fileBox");
    QTest::addColumn<int>("message"); // 0: none
    QTest::addColumn<int>("beeps");
    QTest::addColumn<QString>("focus");

    QTest::newRow("81-byte pattern: 59413")
        << QString(81, QLatin1Char('a')) << QStringLiteral("*.txt") << int(ui::kMsgPatternTooLong)
        << 0 << QStringLiteral("pattern");
    // The limit is in Shift-JIS bytes, not in the characters Qt holds.
    QTest::newRow("41 double-byte characters: 59413")
        << QString(41, QChar(0x3042)) << QStringLiteral("*.txt") << int(ui::kMsgPatternTooLong) << 0
        << QStringLiteral("pattern");
    QTest::newRow("empty file box: beep")
        << QStringLiteral("apple") << QString() << 0 << 1 << QStringLiteral("fileBox");
}

void DialogsTest::globalFindRefusesAndStaysOpen() {
    QFETCH(QString, pattern);
    QFETCH(QString, fileBox);
    QFETCH(int, message);
    QFETCH(int, beeps);
    QFETCH(QString, focus);

    GlobalFindScene scene;
    bool stayedOpen = false;
    QString focused;
    WhenShown<qt::QtGlobalFindDialog>([&](qt::QtGlobalFindDialog& dialog) {
        Child<QComboBox>(dialog, "pattern")->setEditText(pattern);
        Child<QComboBox>(dialog, "fileBox")->setEditText(fileBox);
        Click(dialog, "ok");
        stayedOpen = dialog.isVisible();
        if (QWidget* widget = dialog.focusWidget())
            focused = widget->objectName();
        if (message == ui::kMsgPatternTooLong)
            SaveScreenshot(dialog, QStringLiteral("global-find-dialog"));
        dialog.reject();
    });
    QVERIFY(!scene.Ask().has_value());
    QVERIFY(stayedOpen);
    QCOMPARE(focused, focus);
    const std::vector<int> expected = message == 0 ? std::vector<int>{} : std::vector<int>{message};
    QCOMPARE(scene.fake.messageBox.ShownIds(), expected);
    QCOMPARE(scene.fake.beeper.beeps, beeps);
}

void DialogsTest::globalFindOpensOnThePatternAndGivesTheValues() {
    GlobalFindScene scene;
    QString focused;
    QStringList patterns;
    WhenShown<qt::QtGlobalFindDialog>([&](qt::QtGlobalFindDialog& dialog) {
        auto* pattern = Child<QComboBox>(dialog, "pattern");
        focused = dialog.focusWidget() == pattern ? pattern->currentText() : QString();
        for (int i = 0; i < pattern->count(); ++i)
            patterns << pattern->itemText(i);
        pattern->setEditText(QStringLiteral("りんご"));
        Child<QCheckBox>(dialog, "subdirectories")->setChecked(true);
        Child<QCheckBox>(dialog, "record")->setChecked(false);
        Click(dialog, "ok");
    });
    const auto values = scene.Ask();
    QCOMPARE(focused, QStringLiteral("apple"));
    QCOMPARE(patterns, (QStringList{QStringLiteral("apple"), QStringLiteral("pear")}));
    QVERIFY(values.has_value());
    ui::GlobalFindValues expected = scene.Initial();
    expected.pattern = qt::QStringToSjis(QStringLiteral("りんご"));
    expected.subdirectories = true;
    expected.record = false;
    QCOMPARE(qt::SjisPathToQString(values->currentDirectory),
             qt::SjisPathToQString(expected.currentDirectory));
    QVERIFY(*values == expected);
    QVERIFY(scene.fake.messageBox.shown.empty());
}

void DialogsTest::globalFindDirectoryChangeResetsAnAbsoluteFileBox() {
    GlobalFindScene scene;
    QString afterAbsolute;
    QString afterRelative;
    QString directory;
    QString label;
    WhenShown<qt::QtGlobalFindDialog>([&](qt::QtGlobalFindDialog& dialog) {
        auto* fileBox = Child<QComboBox>(dialog, "fileBox");
        auto* list = Child<QListWidget>(dialog, "directories");
        fileBox->setEditText(QStringLiteral("/usr/share/doc/*.html"));
        const QList<QListWidgetItem*> sub =
            list->findItems(QStringLiteral("sub"), Qt::MatchExactly);
        if (!sub.isEmpty()) {
            list->setCurrentItem(sub.front());
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Return);
        }
        afterAbsolute = fileBox->currentText();
        directory = dialog.CurrentDirectory();
        label = Child<QLabel>(dialog, "currentDirectory")->text();
        fileBox->setEditText(QStringLiteral("*.c *.h"));
        dialog.ChangeDirectory(scene.directory.path());
        afterRelative = fileBox->currentText();
        Click(dialog, "help");
        dialog.reject();
    });
    QVERIFY(!scene.Ask().has_value());
    QCOMPARE(afterAbsolute, QStringLiteral("*.*"));
    QCOMPARE(directory, QDir(scene.directory.path()).absoluteFilePath(QStringLiteral("sub")));
    QCOMPARE(label, directory);
    QCOMPARE(afterRelative, QStringLiteral("*.c *.h"));
    QCOMPARE(scene.help.topics, std::vector<int>{kCmdGlobalFind});
}

void DialogsTest::findDialogFindsInTheTextWindowAndClosingClearsTheRange() {
    FindScene scene;
    // Lines 10 to 12 (9 bytes each from offset 80) selected: the find is limited to them.
    scene.window.window->SelectRange(80, 106);
    scene.dialog.OpenFind();
    QVERIFY(scene.dialog.isVisible());
    QVERIFY(scene.target.SearchRange().has_value());

    Child<QComboBox>(scene.dialog, "findString")->setEditText(QStringLiteral("line"));
    std::vector<std::uint32_t> hits;
    for (int i = 0; i < 4; ++i) {
        Click(scene.dialog, "findNext");
        hits.push_back(scene.target.StreamSelection()->first);
    }
    QCOMPARE(hits, (std::vector<std::uint32_t>{80, 89, 98, 80}));
    QCOMPARE(scene.entries, std::vector<std::string>{"line"});
    SaveScreenshot(scene.dialog, QStringLiteral("find-dialog"));

    scene.dialog.OpenFind(); // already open: only brought forward
    QVERIFY(scene.target.SearchRange().has_value());
    Click(scene.dialog, "cancel");
    QVERIFY(!scene.dialog.isVisible());
    QVERIFY(!scene.model.IsOpen());
    QVERIFY(!scene.target.SearchRange().has_value());
}

void DialogsTest::lineJumpKeepsABadNumberAndJumpsToAGoodOne() {
    TextWindow window(NumberedLines(40));
    TextWindowFindTarget target(*window.window);
    qt::LineJumpDialog dialog(window.fake.platform, *window.document, 0, target);
    bool keptOpen = false;
    WhenShown<qt::LineJumpDialog>([&](qt::LineJumpDialog& shown) {
        auto* field = Child<QLineEdit>(shown, "lineNumber");
        QTest::keyClicks(field, QStringLiteral("123456"));
        Click(shown, "ok");
        keptOpen = shown.isVisible() && field->selectedText() == QStringLiteral("123456");
        SaveScreenshot(shown, QStringLiteral("line-jump-dialog"));
        field->setText(QStringLiteral("30"));
        Click(shown, "ok");
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QVERIFY(keptOpen);
    QCOMPARE(window.fake.beeper.beeps, 1);
    QVERIFY(dialog.Result() == LineJumpResult::Jumped);
    QCOMPARE(window.window->CaretRow(), 29u);
    QCOMPARE(window.window->CaretColumn(), 0u);
}

void DialogsTest::progressWindowShowsValuesAndStops() {
    qt::ProgressDialog progress;
    progress.Open(qt::QStringToSjis(QStringLiteral("グローバル検索")),
                  {qt::QStringToSjis(QStringLiteral("検索中 : ")),
                   qt::QStringToSjis(QStringLiteral("見つかった個数 : "))},
                  qt::QStringToSjis(QStringLiteral("中断")));
    QVERIFY(progress.isVisible());
    for (int i = 1; i <= 100000; ++i)
        progress.SetValue(1, std::to_string(i));
    progress.SetValue(0, "/data/a.txt");
    progress.SetValue(7, "no such line");
    QTRY_COMPARE(Child<QLabel>(progress, "line1")->text(),
                 QStringLiteral("見つかった個数 : 100000"));
    QCOMPARE(Child<QLabel>(progress, "line0")->text(), QStringLiteral("検索中 : /data/a.txt"));
    QCOMPARE(Child<QPushButton>(progress, "stop")->text(), QStringLiteral("中断"));
    QCOMPARE(progress.windowTitle(), QStringLiteral("グローバル検索"));
    SaveScreenshot(progress, QStringLiteral("progress-dialog"));

    QVERIFY(!progress.StopRequested());
    Click(progress, "stop");
    QVERIFY(progress.StopRequested());
    progress.Close();
    QVERIFY(!progress.isVisible());
    progress.Open("again", {"x"}, "stop");
    QVERIFY(!progress.StopRequested());
    progress.Close();
}

void DialogsTest::fontDialogOffersFixedPitchFonts() {
    qt::QtFontDialog fonts;
    bool monospacedOnly = false;
    WhenShown<QFontDialog>([&](QFontDialog& dialog) {
        monospacedOnly = dialog.testOption(QFontDialog::MonospacedFonts);
        SaveScreenshot(dialog, QStringLiteral("font-dialog"));
        dialog.accept();
    });
    const auto choice = fonts.AskFixedPitchFont({"Fixedsys", 120, 400, false});
    QVERIFY(monospacedOnly);
    QVERIFY(choice.has_value());
    QVERIFY(!choice->faceName.empty());
    QCOMPARE(choice->pointSizeTenths, 120);

    WhenShown<QFontDialog>([](QFontDialog& dialog) { dialog.reject(); });
    QVERIFY(!fonts.AskFixedPitchFont(*choice).has_value());
}

void DialogsTest::helpWindowOpensAtTheCommandsTopic() {
    ui::FakePlatform fake;
    qt::HelpWindow help(fake.platform);
    help.ShowTopic(kCmdGlobalFind);
    QVERIFY(fake.messageBox.shown.empty());
    QVERIFY(help.isVisible());
    QCOMPARE(help.Browser()->source().fragment(), QStringLiteral("cmd32784"));
    QVERIFY(help.Browser()->toPlainText().contains(QStringLiteral("グローバル検索")));
    QVERIFY(help.Browser()->verticalScrollBar()->value() > 0);
    SaveScreenshot(help, QStringLiteral("help-window"));
    help.ShowTopic(0);
    QCOMPARE(help.Browser()->verticalScrollBar()->value(), 0);
}

void DialogsTest::helpWindowReportsAMissingFile() {
    ui::FakePlatform fake;
    QTemporaryDir empty;
    qt::HelpWindow help(fake.platform, empty.path() + QStringLiteral("/ja/index.html"));
    help.ShowTopic(kCmdGlobalFind);
    QCOMPARE(fake.messageBox.shown.size(), std::size_t{1});
    QVERIFY(qt::SjisToQString(fake.messageBox.shown.front().text).contains(empty.path()));
    QVERIFY(!help.isVisible());
}

void DialogsTest::shellOpenerHandsTheFileToTheDesktop() {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    qt::QtShellOpener opener;
    const QString path = QStringLiteral("/data/日本語 の.txt");
    QVERIFY(opener.OpenWithShell(qt::QStringToSjisPath(path)));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QCOMPARE(catcher.urls, QList<QUrl>{QUrl::fromLocalFile(path)});
}

void DialogsTest::versionDialogShowsNameAndVersion() {
    QString text;
    WhenShown<QMessageBox>([&](QMessageBox& box) {
        text = box.text();
        SaveScreenshot(box, QStringLiteral("version-dialog"));
        box.accept();
    });
    qt::ShowVersionDialog(nullptr);
    QCOMPARE(text, qt::VersionText());
    QVERIFY(text.startsWith(QStringLiteral("Nelvix")));
    QVERIFY(text.contains(QRegularExpression(QStringLiteral("\\d+\\.\\d+\\.\\d+"))));
}

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
