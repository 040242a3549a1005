// The HTML search dialog driven as a person would: the values it opens with and gives back, the
// target buttons that switch the string fields on and off, the checks that keep it open, the
// directory list and the help button.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>
#include <string>
#include <vector>

#include "frame/frame_commands.h"
#include "qt/dialogs/html_search_dialog.h"
#include "qt/platform/convert.h"
#include "qt_test_support.h"
#include "ui/fake_frame_services.h"
#include "ui/fake_platform.h"
#include "ui/message_ids.h"
#include "widget_actions.h"

using namespace nelvix;
using namespace nelvix::test;

namespace {

/// The dialog over a scripted platform and help viewer, in a folder with one subfolder.
struct Scene {
    ui::FakePlatform fake;
    ui::FakeHelpViewer help;
    qt::QtHtmlSearchDialog dialog{fake.platform, help};
    QTemporaryDir directory;

    Scene() { QDir(directory.path()).mkpath(QStringLiteral("pages")); }
    HtmlSearchValues Initial(HtmlTarget target = HtmlTarget::String) const {
        HtmlSearchValues initial;
        initial.pattern = qt::QStringToSjis(QStringLiteral("目次"));
        initial.fileBox = "*.html";
        initial.currentDirectory = qt::QStringToSjisPath(directory.path() + QLatin1Char('/'));
        initial.caseSensitive = true;
        initial.target = target;
        return initial;
    }
    std::optional<HtmlSearchValues> Ask(HtmlTarget target = HtmlTarget::String) {
        return dialog.Ask(Initial(target), {Initial().pattern, "index"},
                          {"*.html", "/srv/www/*.htm"});
    }
};

/// Which of the string fields a person can use.
QList<bool> StringFieldsEnabled(QWidget& dialog) {
    QList<bool> enabled;
    for (const char* name : {"pattern", "caseSensitive", "regularExpression", "widthSensitive"})
        enabled << Child<QWidget>(dialog, name)->isEnabled();
    return enabled;
}

} // namespace

class HtmlSearchDialogTest : public QObject {
    Q_OBJECT
private slots:
    void opensWithTheValuesAndGivesThemBack();
    void targetButtonsSwitchTheStringFields();
    void refusesAndStaysOpen_data();
    void refusesAndStaysOpen();
    void directoryChangeResetsAnAbsoluteFileBox();
};

void HtmlSearchDialogTest::opensWithTheValuesAndGivesThemBack() {
    Scene scene;
    QString title;
    QString focused;
    QStringList patterns;
    QStringList targets;
    WhenShown<qt::QtHtmlSearchDialog>([&](qt::QtHtmlSearchDialog& dialog) {
        title = dialog.windowTitle();
        auto* pattern = Child<QComboBox>(dialog, "pattern");
        focused = dialog.focusWidget() == pattern ? pattern->currentText() : QString();
        for (int i = 0; i < pattern->count(); ++i)
            patterns << pattern->itemText(i);
        for (QRadioButton* button : dialog.findChildren<QRadioButton*>())
            targets << button->text();
        SaveScreenshot(dialog, QStringLiteral("html-search-dialog"));
        Click(dialog, "targetLink");
        Child<QCheckBox>(dialog, "subdirectories")->setChecked(false);
        Click(dialog, "ok");
    });
    const std::optional<HtmlSearchValues> values = scene.Ask();
    QCOMPARE(title, QStringLiteral("ＨＴＭＬ検索"));
    QCOMPARE(focused, QStringLiteral("目次"));
    QCOMPARE(patterns, (QStringList{QStringLiteral("目次"), QStringLiteral("index")}));
    QCOMPARE(targets, (QStringList{QStringLiteral("文字列"), QStringLiteral("ﾀｲﾄﾙ"),
                                   QStringLiteral("ﾘﾝｸ")}));
    QVERIFY(values.has_value());
    HtmlSearchValues expected = scene.Initial();
    expected.target = HtmlTarget::Link;
    expected.subdirectories = false;
    QCOMPARE(qt::SjisPathToQString(values->currentDirectory),
             qt::SjisPathToQString(expected.currentDirectory));
    QVERIFY(*values == expected);
    QVERIFY(scene.fake.messageBox.shown.empty());
}

void HtmlSearchDialogTest::targetButtonsSwitchTheStringFields() {
    Scene scene;
    QList<QList<bool>> seen;
    QString focused;
    WhenShown<qt::QtHtmlSearchDialog>([&](qt::QtHtmlSearchDialog& dialog) {
        focused = dialog.focusWidget() != nullptr ? dialog.focusWidget()->objectName() : QString();
        seen << StringFieldsEnabled(dialog);
        SaveScreenshot(dialog, QStringLiteral("html-search-dialog-title"));
        Click(dialog, "targetString");
        seen << StringFieldsEnabled(dialog);
        Click(dialog, "targetTitle");
        seen << StringFieldsEnabled(dialog);
        // A title search needs no string.
        Child<QComboBox>(dialog, "pattern")->setEditText(QString());
        Click(dialog, "ok");
    });
    const std::optional<HtmlSearchValues> values = scene.Ask(HtmlTarget::Title);
    const QList<bool> off{false, false, false, false};
    const QList<bool> on{true, true, true, true};
    QCOMPARE(seen, (QList<QList<bool>>{off, on, off}));
    QCOMPARE(focused, QStringLiteral("fileBox"));
    QVERIFY(values.has_value());
    QVERIFY(values->target == HtmlTarget::Title);
    QVERIFY(values->pattern.empty());
    QCOMPARE(scene.fake.beeper.beeps, 0);
}

void HtmlSearchDialogTest::refusesAndStaysOpen_data() {
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("fileBox");
    QTest::addColumn<int>("message"); // 0: none
    QTest::addColumn<int>("beeps");
    QTest::addColumn<QString>("focus");

    QTest::newRow("81-byte string: 59413")
        << QString(81, QLatin1Char('a')) << QStringLiteral("*.html") << int(ui::kMsgPatternTooLong)
        << 0 << QStringLiteral("pattern");
    QTest::newRow("41 double-byte characters: 59413")
        << QString(41, QChar(0x3042)) << QStringLiteral("*.html") << int(ui::kMsgPatternTooLong)
        << 0 << QStringLiteral("pattern");
    QTest::newRow("empty string: beep")
        << QString() << QStringLiteral("*.html") << 0 << 1 << QStringLiteral("pattern");
    QTest::newRow("261-byte file box: 59401")
        << QStringLiteral("a") << QString(261, QLatin1Char('f')) << int(ui::kMsgBadPathName) << 0
        << QStringLiteral("fileBox");
    QTest::newRow("empty file box: beep")
        << QStringLiteral("a") << QString() << 0 << 1 << QStringLiteral("fileBox");
}

void HtmlSearchDialogTest::refusesAndStaysOpen() {
    QFETCH(QString, pattern);
    QFETCH(QString, fileBox);
    QFETCH(int, message);
    QFETCH(int, beeps);
    QFETCH(QString, focus);

    Scene scene;
    bool stayedOpen = false;
    QString focused;
    WhenShown<qt::QtHtmlSearchDialog>([&](qt::QtHtmlSearchDialog& dialog) {
        Child<QComboBox>(dialog, "pattern")->setEditText(pattern);
        Child<QComboBox>(dialog, "fileBox")->setEditText(fileBox);
        Click(dialog, "ok");
        stayedOpen = dialog.isVisible();
        if (QWidget* widget = dialog.focusWidget())
            focused = widget->objectName();
        dialog.reject();
    });
    QVERIFY(!scene.Ask().has_value());
    QVERIFY(stayedOpen);
    QCOMPARE(focused, focus);
    const std::vector<int> expected = message == 0 ? std::vector<int>{} : std::vector<int>{message};
    QCOMPARE(scene.fake.messageBox.ShownIds(), expected);
    QCOMPARE(scene.fake.beeper.beeps, beeps);
}

void HtmlSearchDialogTest::directoryChangeResetsAnAbsoluteFileBox() {
    Scene scene;
    QString afterAbsolute;
    QString directory;
    QString label;
    WhenShown<qt::QtHtmlSearchDialog>([&](qt::QtHtmlSearchDialog& dialog) {
        auto* fileBox = Child<QComboBox>(dialog, "fileBox");
        auto* list = Child<QListWidget>(dialog, "directories");
        fileBox->setEditText(QStringLiteral("/srv/www/*.htm"));
        const QList<QListWidgetItem*> pages =
            list->findItems(QStringLiteral("pages"), Qt::MatchExactly);
        if (!pages.isEmpty()) {
            list->setCurrentItem(pages.front());
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Return);
        }
        afterAbsolute = fileBox->currentText();
        directory = dialog.CurrentDirectory();
        label = Child<QLabel>(dialog, "currentDirectory")->text();
        Click(dialog, "help");
        dialog.reject();
    });
    QVERIFY(!scene.Ask().has_value());
    QCOMPARE(afterAbsolute, QStringLiteral("*.*"));
    QCOMPARE(directory, QDir(scene.directory.path()).absoluteFilePath(QStringLiteral("pages")));
    QCOMPARE(label, directory);
    QCOMPARE(scene.help.topics, std::vector<int>{kCmdHtmlSearch});
}

QTEST_MAIN(HtmlSearchDialogTest)
#include "html_search_dialog_test.moc"
