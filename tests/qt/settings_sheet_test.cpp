// The settings sheet driven as a person would, with keys and the mouse: every page with its
// controls and a screenshot, the help topic of each page, the range refusals that keep the sheet
// open on their field, the spin arrows and refused letters, the colour lists, the editor and
// browser pages with their program lists and "参照", OK with the values and cancel.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "app/spin_library.h"
#include "base/cp932.h"
#include "qt/platform/convert.h"
#include "qt/sheets/colour_combo_box.h"
#include "qt/sheets/settings_sheet.h"
#include "qt_test_support.h"
#include "store/cabinet.h"
#include "ui/fake_frame_services.h"
#include "ui/fake_platform.h"
#include "ui/frame_services.h"
#include "ui/message_ids.h"
#include "widget_actions.h"

using namespace nelvix;
using namespace nelvix::test;

namespace {

const ToolEntry kVi{"/usr/bin/vi", "+$l $f", ""};
const ToolEntry kEmacs{"/usr/bin/emacs", "+$l:$c $f", "/tmp"};

struct SheetScene {
    ui::FakePlatform fake;
    SpinLibrary spin;
    ui::FakeHelpViewer help;
    qt::CSetPS sheet{fake.platform, &spin, help, nullptr,
                     [](std::string_view path) { return path != "/opt/gone"; }};

    SheetScene() { spin.Load(NELVIX_SPIN_LIBRARY_PATH); }

    static SettingsSheetValues Initial() {
        SettingsSheetValues values;
        values.format = Cabinet().Format();
        values.editors = {kVi, kEmacs};
        return values;
    }
    std::optional<SettingsSheetValues> Ask(int& page) { return sheet.Ask(Initial(), page); }
};

} // namespace

class SettingsSheetTest : public QObject {
    Q_OBJECT
private slots:
    void everyPageWithItsControlsHelpAndScreenshot();
    void rangeRefusalsKeepTheSheetOpenOnTheirField();
    void keysAndMouseGiveTheValues();
    void spinArrowsAndRefusedLetters();
    void editorAndBrowserPages();
    void aRefusalLaterShowsTheListsAsTheyNowStand();
};

void SettingsSheetTest::everyPageWithItsControlsHelpAndScreenshot() {
    SheetScene scene;
    bool noteShown = false;
    QStringList shownColours;
    int hiddenColours = 0;
    WhenShown<qt::CSetPS>([&](qt::CSetPS& sheet) {
        Activate(sheet);
        auto* pages = Child<QTabWidget>(sheet, "pages");
        noteShown = OnPage<QLabel>(sheet, "commonPage", "note")->isVisible();
        const char* names[] = {"common", "format", "colour", "editor", "browser"};
        for (int i = 0; i < pages->count(); ++i) {
            ClickTab(sheet, i);
            Click(Child<QPushButton>(sheet, "help"));
            SaveScreenshot(sheet, QStringLiteral("settings-sheet-") + QString::fromUtf8(names[i]));
        }
        for (auto* list : sheet.findChildren<qt::ColourComboBox*>()) {
            if (list->isVisibleTo(list->parentWidget()))
                shownColours << list->objectName();
            else
                ++hiddenColours;
        }
        Click(Child<QPushButton>(sheet, "cancel"));
    });
    int page = kSetCommonPage;
    QVERIFY(!scene.Ask(page).has_value());
    QVERIFY(noteShown);
    QCOMPARE(scene.help.topics, (std::vector<int>{32813, 32816, 32817, 32821, 32835}));
    QCOMPARE(shownColours.size(), 9);
    QCOMPARE(hiddenColours, 2);
    QCOMPARE(page, kSetBrowserPage); // the page last active
}

void SettingsSheetTest::rangeRefusalsKeepTheSheetOpenOnTheirField() {
    SheetScene scene;
    std::vector<bool> openAfterOk;
    QList<int> pagesAfterOk;
    QStringList focused;
    QStringList selected;
    WhenShown<qt::CSetPS>([&](qt::CSetPS& sheet) {
        Activate(sheet);
        auto* pages = Child<QTabWidget>(sheet, "pages");
        auto ok = [&] {
            Click(Child<QPushButton>(sheet, "ok"));
            openAfterOk.push_back(sheet.isVisible());
            pagesAfterOk.push_back(pages->currentIndex());
            QWidget* focus = QApplication::focusWidget();
            focused << (focus != nullptr ? focus->objectName() : QString());
            auto* edit = qobject_cast<QLineEdit*>(focus);
            selected << (edit != nullptr ? edit->selectedText() : QString());
        };
        TypeInto(OnPage<QLineEdit>(sheet, "commonPage", "linkViewLength"), QStringLiteral("81"));
        ClickTab(sheet, kSetFormatPage);
        TypeInto(OnPage<QLineEdit>(sheet, "formatPage", "charsPerLine"), QStringLiteral("9"));
        ok(); // the common page is checked first
        TypeInto(OnPage<QLineEdit>(sheet, "commonPage", "linkViewLength"), QStringLiteral("80"));
        ok(); // then "１行文字数"
        TypeInto(OnPage<QLineEdit>(sheet, "formatPage", "charsPerLine"), QStringLiteral("250"));
        ok();
    });
    int page = kSetCommonPage;
    const auto values = scene.Ask(page);
    QCOMPARE(openAfterOk, (std::vector<bool>{true, true, false}));
    QCOMPARE(pagesAfterOk.mid(0, 2), (QList<int>{kSetCommonPage, kSetFormatPage}));
    QCOMPARE(focused.mid(0, 2),
             (QStringList{QStringLiteral("linkViewLength"), QStringLiteral("charsPerLine")}));
    QCOMPARE(selected.mid(0, 2), (QStringList{QStringLiteral("81"), QStringLiteral("9")}));
    QCOMPARE(scene.fake.messageBox.shown.size(), std::size_t{2});
    QVERIFY(values.has_value());
    QCOMPARE(values->format.charsPerLine, 250);
    QCOMPARE(values->common.linkViewLength, 80);
    QCOMPARE(page, kSetFormatPage);
}

void SettingsSheetTest::keysAndMouseGiveTheValues() {
    SheetScene scene;
    WhenShown<qt::CSetPS>([&](qt::CSetPS& sheet) {
        Activate(sheet);
        Click(OnPage<QCheckBox>(sheet, "commonPage", "copySelection"));
        Click(OnPage<QCheckBox>(sheet, "commonPage", "displayTabBar"));
        Click(OnPage<QCheckBox>(sheet, "commonPage", "runBrowser"));
        Click(OnPage<QCheckBox>(sheet, "commonPage", "separatedPlacement"));
        StepList(OnPage<QComboBox>(sheet, "commonPage", "code"), 3);
        TypeInto(OnPage<QLineEdit>(sheet, "commonPage", "titleViewLength"), QStringLiteral("60"));

        ClickTab(sheet, kSetFormatPage);
        StepList(OnPage<QComboBox>(sheet, "formatPage", "documentType"), 2);
        TypeInto(OnPage<QLineEdit>(sheet, "formatPage", "tabWidth"), QStringLiteral("8"));
        Click(OnPage<QCheckBox>(sheet, "formatPage", "showTabs"));
        Click(OnPage<QCheckBox>(sheet, "formatPage", "wordWrap"));
        Click(OnPage<QRadioButton>(sheet, "formatPage", "rowNumbering"));

        ClickTab(sheet, kSetColourPage);
        StepList(OnPage<QComboBox>(sheet, "colourPage", "cKeyword"), 2);    // blue -> green
        StepList(OnPage<QComboBox>(sheet, "colourPage", "tagLineBack"), 1); // green -> magenta
        SaveScreenshot(sheet, QStringLiteral("settings-sheet-colour-changed"));
        Click(Child<QPushButton>(sheet, "ok"));
    });
    int page = kSetCommonPage;
    const auto values = scene.Ask(page);
    QVERIFY(values.has_value());
    const CommonSettings& common = values->common;
    QCOMPARE(common.copySelection, 1);
    QCOMPARE(common.displayTabBar, 0);
    QCOMPARE(common.runType, 1);
    QCOMPARE(common.separatedPlacement, 1);
    QCOMPARE(common.codeDecision, 3);
    QCOMPARE(common.titleViewLength, 60);
    const DisplayFormat& format = values->format;
    QVERIFY(format.documentType == DocumentType::Cpp);
    QCOMPARE(format.tabColumns, 8);
    QVERIFY(format.showTabs);
    QVERIFY(format.wordWrap);
    QVERIFY(!format.lineNumbering);
    QCOMPARE(format.colours.cKeyword, 4);
    QCOMPARE(format.colours.tagTargetBackground, kBackgroundFlag + 5);
    QCOMPARE(scene.fake.beeper.beeps, 0);
    QVERIFY(scene.fake.messageBox.shown.empty());
}

void SettingsSheetTest::spinArrowsAndRefusedLetters() {
    SheetScene scene;
    QStringList texts;
    QString selectedAfterStep;
    bool arrowsShown = false;
    WhenShown<qt::CSetPS>([&](qt::CSetPS& sheet) {
        Activate(sheet);
        auto* scroll = OnPage<QLineEdit>(sheet, "commonPage", "scrollLineCount");
        auto* up = OnPage<QToolButton>(sheet, "commonPage", "scrollLineCountUp");
        arrowsShown = up->isVisible();
        Click(up); // 3 -> 4
        texts << scroll->text();
        QTest::keyClick(scroll, Qt::Key_Up); // 5
        texts << scroll->text();
        selectedAfterStep = scroll->selectedText();
        QTest::keyClicks(scroll, QStringLiteral("7x")); // over the selection: 7, then a beep
        texts << scroll->text();
        auto* tab = OnPage<QLineEdit>(sheet, "formatPage", "tabWidth");
        const int tabBefore = tab->text().toInt();
        Click(OnPage<QToolButton>(sheet, "formatPage", "tabWidthDown"));
        texts << QString::number(tabBefore - tab->text().toInt());
        sheet.reject();
    });
    int page = kSetCommonPage;
    QVERIFY(!scene.Ask(page).has_value());
    QVERIFY(arrowsShown);
    QCOMPARE(texts, (QStringList{QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("7"),
                                 QStringLiteral("1")}));
    QCOMPARE(selectedAfterStep, QStringLiteral("5"));
    QCOMPARE(scene.fake.beeper.beeps, 1);
}

void SettingsSheetTest::editorAndBrowserPages() {
    SheetScene scene;
    QTemporaryDir directory;
    const QString file = directory.filePath(QStringLiteral("ブラウザ"));
    {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
    }
    QString openedSelection;
    QString directoryAfterChoice;
    QString dialogTitle;
    QString browsedProgram;
    QString browsedParameters;
    WhenShown<qt::CSetPS>([&](qt::CSetPS& sheet) {
        Activate(sheet);
        auto* program = OnPage<QComboBox>(sheet, "editorPage", "program");
        openedSelection = program->lineEdit()->selectedText();
        StepList(program, 1); // the list and the parameters follow: the refusal test below
        directoryAfterChoice = OnPage<QLineEdit>(sheet, "editorPage", "directory")->text();

        ClickTab(sheet, kSetBrowserPage);
        TypeInto(OnPage<QLineEdit>(sheet, "browserPage", "parameters"), QStringLiteral("$f"));
        WhenShown<QFileDialog>([&](QFileDialog& dialog) {
            dialogTitle = dialog.windowTitle();
            ChooseFile(dialog, file);
        });
        Click(OnPage<QPushButton>(sheet, "browserPage", "browse"));
        browsedProgram = OnPage<QComboBox>(sheet, "browserPage", "program")->currentText();
        browsedParameters = OnPage<QLineEdit>(sheet, "browserPage", "parameters")->text();
        SaveScreenshot(sheet, QStringLiteral("settings-sheet-browser-browsed"));
        Click(Child<QPushButton>(sheet, "ok"));
    });
    int page = kSetEditorPage;
    const auto values = scene.Ask(page);
    QCOMPARE(openedSelection, QStringLiteral("/usr/bin/vi"));
    QCOMPARE(directoryAfterChoice, QStringLiteral("/tmp"));
    QCOMPARE(dialogTitle, QStringLiteral("参照"));
    QCOMPARE(browsedProgram, file);
    QCOMPARE(browsedParameters, QString());
    QVERIFY(values.has_value());
    QCOMPARE(values->editors, (std::vector<ToolEntry>{kEmacs, kVi}));
    QCOMPARE(qt::SjisPathToQString(values->browsers.at(0).program), file);
}

void SettingsSheetTest::aRefusalLaterShowsTheListsAsTheyNowStand() {
    SheetScene scene;
    QStringList itemsAfterRefusal;
    QString parametersOfSecondItem;
    bool openAfterOk = false;
    QString focused;
    WhenShown<qt::CSetPS>([&](qt::CSetPS& sheet) {
        Activate(sheet);
        // The editor page passes and moves emacs to the front; the browser page then refuses a
        // missing program, from another page.
        StepList(OnPage<QComboBox>(sheet, "editorPage", "program"), 1);
        ClickTab(sheet, kSetBrowserPage);
        QComboBox* browser = OnPage<QComboBox>(sheet, "browserPage", "program");
        TypeInto(browser->lineEdit(), QStringLiteral("/opt/gone"));
        ClickTab(sheet, kSetCommonPage);
        Click(Child<QPushButton>(sheet, "ok"));
        openAfterOk = sheet.isVisible();
        // The focus is on the list or on its edit.
        if (QWidget* focus = QApplication::focusWidget(); focus != nullptr)
            focused = focus == browser || focus->parentWidget() == browser ? QStringLiteral("list")
                                                                           : focus->objectName();
        auto* program = OnPage<QComboBox>(sheet, "editorPage", "program");
        for (int i = 0; i < program->count(); ++i)
            itemsAfterRefusal << program->itemText(i);
        ClickTab(sheet, kSetEditorPage);
        StepList(program, 1);
        parametersOfSecondItem = OnPage<QLineEdit>(sheet, "editorPage", "parameters")->text();
        Click(Child<QPushButton>(sheet, "cancel"));
    });
    int page = kSetEditorPage;
    QVERIFY(!scene.Ask(page).has_value());
    QVERIFY(openAfterOk);
    QCOMPARE(focused, QStringLiteral("list"));
    QCOMPARE(scene.fake.messageBox.ShownIds(), (std::vector<int>{ui::kMsgFileNotFound}));
    QCOMPARE(itemsAfterRefusal,
             (QStringList{QStringLiteral("/usr/bin/emacs"), QStringLiteral("/usr/bin/vi")}));
    QCOMPARE(parametersOfSecondItem, QStringLiteral("+$l $f"));
}

QTEST_MAIN(SettingsSheetTest)
#include "settings_sheet_test.moc"
