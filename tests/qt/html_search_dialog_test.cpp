// The HTML search dialog driven as a person would: the values it opens with and gives back, the
// target buttons that switch the string fields and the empty-string check on and off, and the
// help button.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
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
    void targetButtonsSwitchTheStringFieldsAndItsCheck();
};

void HtmlSearchDialogTest::opensWithTheValuesAndGivesThemBack() {
    Scene scene;
    QString title;
    QString focused;
    QStringList patterns;
    WhenShown<qt::QtHtmlSearchDialog>([&](qt::QtHtmlSearchDialog& dialog) {
        title = dialog.windowTitle();
        auto* pattern = Child<QComboBox>(dialog, "pattern");
        focused = dialog.focusWidget() == pattern ? pattern->currentText() : QString();
        for (int i = 0; i < pattern->count(); ++i)
            patterns << pattern->itemText(i);
        SaveScreenshot(dialog, QStringLiteral("html-search-dialog"));
        Click(dialog, "targetLink");
        Child<QCheckBox>(dialog, "subdirectories")->setChecked(false);
        Click(dialog, "ok");
    });
    const std::optional<HtmlSearchValues> values = scene.Ask();
    QCOMPARE(title, QStringLiteral("ＨＴＭＬ検索"));
    QCOMPARE(focused, QStringLiteral("目次"));
    QCOMPARE(patterns, (QStringList{QStringLiteral("目次"), QStringLiteral("index")}));
    QVERIFY(values.has_value());
    HtmlSearchValues expected = scene.Initial();
    expected.target = HtmlTarget::Link;
    expected.subdirectories = false;
    QCOMPARE(qt::SjisPathToQString(values->currentDirectory),
             qt::SjisPathToQString(expected.currentDirectory));
    QVERIFY(*values == expected);
    QVERIFY(scene.fake.messageBox.shown.empty());
}

// The refusals themselves and the directory list are the global find dialog's
// (dialogs_test.cpp): both dialogs share those fields.
void HtmlSearchDialogTest::targetButtonsSwitchTheStringFieldsAndItsCheck() {
    Scene scene;
    QList<QList<bool>> seen;
    QString focused;
    bool stayedOpen = false;
    QString focusedAfterRefusal;
    WhenShown<qt::QtHtmlSearchDialog>([&](qt::QtHtmlSearchDialog& dialog) {
        focused = dialog.focusWidget() != nullptr ? dialog.focusWidget()->objectName() : QString();
        seen << StringFieldsEnabled(dialog);
        SaveScreenshot(dialog, QStringLiteral("html-search-dialog-title"));
        Click(dialog, "targetString");
        seen << StringFieldsEnabled(dialog);
        // A string search needs its string: refused, the dialog stays on the field.
        Child<QComboBox>(dialog, "pattern")->setEditText(QString());
        Click(dialog, "ok");
        stayedOpen = dialog.isVisible();
        focusedAfterRefusal =
            dialog.focusWidget() != nullptr ? dialog.focusWidget()->objectName() : QString();
        Click(dialog, "targetTitle");
        seen << StringFieldsEnabled(dialog);
        Click(dialog, "help");
        // A title search needs no string.
        Click(dialog, "ok");
    });
    const std::optional<HtmlSearchValues> values = scene.Ask(HtmlTarget::Title);
    const QList<bool> off{false, false, false, false};
    const QList<bool> on{true, true, true, true};
    QCOMPARE(seen, (QList<QList<bool>>{off, on, off}));
    QCOMPARE(focused, QStringLiteral("fileBox"));
    QVERIFY(stayedOpen);
    QCOMPARE(focusedAfterRefusal, QStringLiteral("pattern"));
    QCOMPARE(scene.fake.beeper.beeps, 1);
    QVERIFY(values.has_value());
    QVERIFY(values->target == HtmlTarget::Title);
    QVERIFY(values->pattern.empty());
    QCOMPARE(scene.help.topics, std::vector<int>{kCmdHtmlSearch});
}

QTEST_MAIN(HtmlSearchDialogTest)
#include "html_search_dialog_test.moc"
