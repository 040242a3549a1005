// The two property sheets driven as a person would, with keys and the mouse.
// The settings sheet: every page with its controls and a screenshot, the help topic of each
// page, the range refusals that keep the sheet open on their field, the spin arrows and refused
// letters, the colour lists, the editor and browser pages with their program lists and "参照", OK
// with the values and cancel.
// The extraction parameter sheet: filling and adding step-1 rules, the spin arrows, step 2's
// lists, the file page's checks and browse dialog, 実行, 適用 and キャンセル; and the progress
// window of a global extraction with its two groups.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
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
#include "qt/dialogs/progress_dialog.h"
#include "qt/platform/convert.h"
#include "qt/sheets/colour_combo_box.h"
#include "qt/sheets/extraction_sheet.h"
#include "qt/sheets/settings_sheet.h"
#include "qt_test_support.h"
#include "record/command_table.h"
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

/// What either sheet works with: a scripted platform and help viewer, and the spin library.
struct SheetServices {
    ui::FakePlatform fake;
    SpinLibrary spin;
    ui::FakeHelpViewer help;
    SheetServices() { spin.Load(NELVIX_SPIN_LIBRARY_PATH); }
};

struct SettingsScene : SheetServices {
    qt::CSetPS sheet{fake.platform, &spin, help, nullptr,
                     [](std::string_view path) { return path != "/opt/gone"; }};

    static SettingsSheetValues Initial() {
        SettingsSheetValues values;
        values.format = Cabinet().Format();
        values.editors = {kVi, kEmacs};
        return values;
    }
    std::optional<SettingsSheetValues> Ask(int& page) { return sheet.Ask(Initial(), page); }
};

QStringList ListTexts(QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

struct ExtractionScene : SheetServices {
    qt::CExtPS sheet{fake.platform, help, &spin};
    std::vector<ExtractionSheetValues> applied;

    static ExtractionSheetValues Initial() {
        ExtractionSheetValues values;
        values.rules = DefaultExtractionRules();
        values.filePattern = "/data/mail/*.*";
        return values;
    }
    std::optional<ExtractionSheetValues> Ask(ExtractionSheetKind kind, int& page,
                                             const ExtractionSheetValues& initial = Initial()) {
        return sheet.Ask(kind, initial, {"/data/mail/*.*", "/data/logs/*.log"}, page,
                         [this](const ExtractionSheetValues& v) { applied.push_back(v); });
    }
};

} // namespace

class SheetsTest : public QObject {
    Q_OBJECT
private slots:
    void everyPageWithItsControlsHelpAndScreenshot();
    void rangeRefusalsKeepTheSheetOpenOnTheirField();
    void keysAndMouseGiveTheValues();
    void settingsSpinArrowsAndRefusedLetters();
    void editorAndBrowserPages();
    void aRefusalLaterShowsTheListsAsTheyNowStand();
    void fillStep1AddSwitchPagesAndRun();
    void extractionSpinArrowsFollowTheLibrary();
    void step2AddsToTheEmptyEndListAfterItGetsTheFocus();
    void filePageRefusesBadPatternsAndStaysThenBrowses();
    void applyHandsOverTheValuesAndCancelReturnsNothing();
    void progressWindowShowsTheGroupsSideBySide();
};

void SheetsTest::everyPageWithItsControlsHelpAndScreenshot() {
    SettingsScene scene;
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

void SheetsTest::rangeRefusalsKeepTheSheetOpenOnTheirField() {
    SettingsScene scene;
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

void SheetsTest::keysAndMouseGiveTheValues() {
    SettingsScene scene;
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
    QCOMPARE(common.copySelection, true);
    QCOMPARE(common.displayTabBar, false);
    QCOMPARE(common.runType, 1);
    QCOMPARE(common.separatedPlacement, true);
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

void SheetsTest::settingsSpinArrowsAndRefusedLetters() {
    SettingsScene scene;
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

void SheetsTest::editorAndBrowserPages() {
    SettingsScene scene;
    QTemporaryDir directory;
    const QString file = directory.filePath(QStringLiteral("ブラウザ"));
    QVERIFY(QFile(file).open(QIODevice::WriteOnly));
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

void SheetsTest::aRefusalLaterShowsTheListsAsTheyNowStand() {
    SettingsScene scene;
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

void SheetsTest::fillStep1AddSwitchPagesAndRun() {
    ExtractionScene scene;
    QString title;
    int tabs = 0;
    bool applyEnabledAtStart = true;
    bool applyEnabledAfterAdd = false;
    QStringList listAfterAdd;
    QString labelAfterProcess;
    QString focusedOnFilePage;
    QString selectedOnFilePage;
    WhenShown<qt::CExtPS>([&](qt::CExtPS& sheet) {
        Activate(sheet);
        title = sheet.windowTitle();
        auto* pages = Child<QTabWidget>(sheet, "pages");
        for (int i = 0; i < pages->count(); ++i)
            tabs += pages->isTabVisible(i) ? 1 : 0;
        applyEnabledAtStart = Child<QPushButton>(sheet, "apply")->isEnabled();
        SaveScreenshot(sheet, QStringLiteral("extraction-sheet-step1"));

        TypeInto(OnPage<QLineEdit>(sheet, "step1Page", "text"), QStringLiteral("件名："));
        TypeInto(OnPage<QLineEdit>(sheet, "step1Page", "position"), QStringLiteral("-5"));
        TypeInto(OnPage<QLineEdit>(sheet, "step1Page", "count"), QStringLiteral("3"));
        QTest::keyClick(OnPage<QLineEdit>(sheet, "step1Page", "count"), Qt::Key_Up);
        Click(OnPage<QPushButton>(sheet, "step1Page", "add"));
        applyEnabledAfterAdd = Child<QPushButton>(sheet, "apply")->isEnabled();
        listAfterAdd = ListTexts(OnPage<QListWidget>(sheet, "step1Page", "list"));
        Click(OnPage<QRadioButton>(sheet, "step1Page", "processExtract"));
        labelAfterProcess = OnPage<QLabel>(sheet, "step1Page", "listLabel")->text();

        QTest::keyClick(pages, Qt::Key_Tab, Qt::ControlModifier);
        SaveScreenshot(sheet, QStringLiteral("extraction-sheet-step2"));
        ClickTab(sheet, kExtSetPage);
        Click(OnPage<QRadioButton>(sheet, "setPage", "runStep2"));
        SaveScreenshot(sheet, QStringLiteral("extraction-sheet-parameters"));
        ClickTab(sheet, kExtFilePage);
        auto* pattern = OnPage<QComboBox>(sheet, "filePage", "pattern");
        if (QWidget* focused = QApplication::focusWidget())
            focusedOnFilePage = focused == pattern || pattern->isAncestorOf(focused)
                                    ? pattern->objectName()
                                    : focused->objectName();
        selectedOnFilePage = pattern->lineEdit()->selectedText();
        SaveScreenshot(sheet, QStringLiteral("extraction-sheet-file"));
        Click(Child<QPushButton>(sheet, "ok"));
    });
    int page = kExtStep1Page;
    const std::optional<ExtractionSheetValues> values =
        scene.Ask(ExtractionSheetKind::Global, page);

    QCOMPARE(title, QStringLiteral("グローバル抽出"));
    QCOMPARE(tabs, 4); // with the file page
    QVERIFY(!applyEnabledAtStart);
    QVERIFY(applyEnabledAfterAdd);
    QCOMPARE(listAfterAdd.size(), 2);
    QCOMPARE(listAfterAdd.back(), QStringLiteral("件名："));
    QCOMPARE(labelAfterProcess, QStringLiteral("抽出行"));
    QCOMPARE(focusedOnFilePage, QStringLiteral("pattern"));
    QCOMPARE(selectedOnFilePage, QStringLiteral("/data/mail/*.*"));

    QVERIFY(values.has_value());
    QCOMPARE(page, kExtFilePage);
    const RuleList& step1 = values->rules.step1Lines;
    QCOMPARE(step1.count, 2);
    QCOMPARE(qt::SjisToQString(step1.entries[1].Text()), QStringLiteral("件名："));
    QCOMPARE(step1.entries[1].position, -5);
    QCOMPARE(step1.entries[1].count, 4); // 3, then one step up
    QCOMPARE(values->rules.step1Process, Step1Process::Extract);
    QCOMPARE(values->rules.runMode, RunMode::Step2Only);
    QCOMPARE(values->filePattern, std::string("/data/mail/*.*"));
    QVERIFY(scene.applied.empty());
    QCOMPARE(scene.fake.beeper.beeps, 0);
}

void SheetsTest::extractionSpinArrowsFollowTheLibrary() {
    ExtractionScene scene;
    QStringList positions;
    bool arrowsShown = false;
    WhenShown<qt::CExtPS>([&](qt::CExtPS& sheet) {
        Activate(sheet);
        auto* position = OnPage<QLineEdit>(sheet, "step1Page", "position");
        auto* up = OnPage<QToolButton>(sheet, "step1Page", "positionUp");
        auto* down = OnPage<QToolButton>(sheet, "step1Page", "positionDown");
        arrowsShown = up->isVisible() && down->isVisible();
        TypeInto(position, QStringLiteral("-1"));
        Click(up); // -1 -> 0
        positions << position->text();
        Click(down); // 0 -> refused by the library: a beep
        positions << position->text();
        TypeInto(position, QStringLiteral("2x-a"));
        positions << position->text(); // letters and an inner '-' are not taken
        QTest::keyClick(position, Qt::Key_Down);
        positions << position->text();
        sheet.reject();
    });
    int page = kExtStep1Page;
    QVERIFY(!scene.Ask(ExtractionSheetKind::Line, page).has_value());
    QVERIFY(arrowsShown);
    QCOMPARE(positions, (QStringList{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("2"),
                                     QStringLiteral("1")}));
    QCOMPARE(scene.fake.beeper.beeps, 1);
}

void SheetsTest::step2AddsToTheEmptyEndListAfterItGetsTheFocus() {
    ExtractionScene scene;
    ExtractionSheetValues initial = ExtractionScene::Initial();
    initial.rules.startLines.Add(MakeRuleEntry("Subject:", 0));
    initial.rules.endLines = RuleList{};
    QStringList starts;
    QStringList ends;
    int endSelection = -1;
    QString startLabel;
    WhenShown<qt::CExtPS>([&](qt::CExtPS& sheet) {
        Activate(sheet);
        auto* endList = OnPage<QListWidget>(sheet, "step2Page", "endList");
        QTest::mouseClick(endList->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        TypeInto(OnPage<QLineEdit>(sheet, "step2Page", "text"), QStringLiteral("-- "));
        Click(OnPage<QPushButton>(sheet, "step2Page", "add"));
        Click(OnPage<QRadioButton>(sheet, "step2Page", "processDelete"));
        startLabel = OnPage<QLabel>(sheet, "step2Page", "startLabel")->text();
        starts = ListTexts(OnPage<QListWidget>(sheet, "step2Page", "startList"));
        ends = ListTexts(endList);
        endSelection = endList->currentRow();
        SaveScreenshot(sheet, QStringLiteral("extraction-sheet-step2-blocks"));
        ClickTab(sheet, kExtSetPage);
        TypeInto(OnPage<QLineEdit>(sheet, "setPage", "separator"),
                 QString(78, QLatin1Char('=')) + QStringLiteral("区切"));
        Click(Child<QPushButton>(sheet, "ok"));
    });
    int page = kExtStep2Page;
    const auto values = scene.Ask(ExtractionSheetKind::Line, page, initial);
    QVERIFY(values.has_value());
    QCOMPARE(starts.size(), 2);
    QCOMPARE(ends, QStringList{QStringLiteral("-- ")});
    QCOMPARE(endSelection, 0);
    QCOMPARE(startLabel, QStringLiteral("削除開始行"));
    QCOMPARE(values->rules.endLines.count, 1);
    QCOMPARE(values->rules.startLines.count, 2);
    QCOMPARE(values->rules.step2Process, Step2Process::Delete);
    QCOMPARE(values->rules.Separator(), std::string(78, '=') + Sjis("区")); // 80 bytes at most
}

void SheetsTest::filePageRefusesBadPatternsAndStaysThenBrowses() {
    ExtractionScene scene;
    QTemporaryDir directory;
    const QString file = directory.filePath(QStringLiteral("受信箱.txt"));
    QVERIFY(QFile(file).open(QIODevice::WriteOnly));
    std::vector<int> pagesAfter;
    std::vector<int> beepsAfter;
    QString selected;
    QString dialogTitle;
    QString chosenSelected;
    WhenShown<qt::CExtPS>([&](qt::CExtPS& sheet) {
        Activate(sheet);
        auto* pages = Child<QTabWidget>(sheet, "pages");
        QLineEdit* pattern = OnPage<QComboBox>(sheet, "filePage", "pattern")->lineEdit();
        const auto note = [&] {
            pagesAfter.push_back(pages->currentIndex());
            beepsAfter.push_back(scene.fake.beeper.beeps);
        };
        TypeInto(pattern, QString(261, QLatin1Char('p')));
        ClickTab(sheet, kExtStep1Page); // refused: 261 bytes
        note();
        selected = pattern->selectedText();
        TypeInto(pattern, QString());
        Click(Child<QPushButton>(sheet, "ok")); // refused: empty
        note();
        TypeInto(pattern, QString(260, QLatin1Char('p')));
        ClickTab(sheet, kExtStep1Page); // taken
        note();
        TypeInto(OnPage<QLineEdit>(sheet, "step1Page", "text"), QString(81, QLatin1Char('t')));
        Click(OnPage<QPushButton>(sheet, "step1Page", "add")); // refused: 81 bytes
        note();
        ClickTab(sheet, kExtFilePage);
        WhenShown<QFileDialog>([&](QFileDialog& dialog) {
            dialogTitle = dialog.windowTitle();
            ChooseFile(dialog, file);
        });
        Click(OnPage<QPushButton>(sheet, "filePage", "browse"));
        chosenSelected = pattern->selectedText();
        Click(Child<QPushButton>(sheet, "ok"));
    });
    int page = kExtFilePage;
    const auto values = scene.Ask(ExtractionSheetKind::Global, page);
    QCOMPARE(pagesAfter,
             (std::vector<int>{kExtFilePage, kExtFilePage, kExtStep1Page, kExtStep1Page}));
    QCOMPARE(beepsAfter, (std::vector<int>{1, 2, 2, 3}));
    QCOMPARE(selected, QString(261, QLatin1Char('p')));
    QCOMPARE(dialogTitle, QStringLiteral("参照"));
    QCOMPARE(chosenSelected, file);
    QVERIFY(values.has_value());
    QCOMPARE(qt::SjisPathToQString(values->filePattern), file);
    QCOMPARE(values->rules.step1Lines.count, 1);
}

void SheetsTest::applyHandsOverTheValuesAndCancelReturnsNothing() {
    ExtractionScene scene;
    bool fileTabShown = true;
    bool applyEnabledAfterCheck = false;
    bool applyEnabledAfterApply = true;
    WhenShown<qt::CExtPS>([&](qt::CExtPS& sheet) {
        Activate(sheet);
        fileTabShown = Child<QTabWidget>(sheet, "pages")->isTabVisible(kExtFilePage);
        Click(OnPage<QCheckBox>(sheet, "setPage", "caseSensitive"));
        applyEnabledAfterCheck = Child<QPushButton>(sheet, "apply")->isEnabled();
        Click(Child<QPushButton>(sheet, "apply"));
        applyEnabledAfterApply = Child<QPushButton>(sheet, "apply")->isEnabled();
        ClickTab(sheet, kExtStep2Page);
        Click(Child<QPushButton>(sheet, "help"));
        QTest::keyClick(&sheet, Qt::Key_Escape);
    });
    int page = 3; // line extraction has no file page: it opens on the first
    const auto values = scene.Ask(ExtractionSheetKind::Line, page);
    QVERIFY(!fileTabShown);
    QVERIFY(applyEnabledAfterCheck);
    QVERIFY(!applyEnabledAfterApply);
    QCOMPARE(scene.applied.size(), std::size_t{1});
    ExtractionSheetValues expected = ExtractionScene::Initial();
    expected.rules.caseSensitive = true;
    QVERIFY(scene.applied[0] == expected);
    QVERIFY(!values.has_value());
    QCOMPARE(page, kExtStep2Page);
    QCOMPARE(scene.sheet.windowTitle(), QStringLiteral("行の抽出"));
    QCOMPARE(scene.help.topics, std::vector<int>{kCmdLineExtraction});
}

void SheetsTest::progressWindowShowsTheGroupsSideBySide() {
    qt::ProgressDialog progress;
    const auto sjis = [](const char* utf8) { return Sjis(utf8); };
    progress.OpenGroups(sjis("グローバル抽出"),
                        {sjis("抽出中 : "), sjis("削除ﾌﾞﾛｯｸ数 : "), sjis("抽出ﾌﾞﾛｯｸ数 : "),
                         sjis("削除ﾌﾞﾛｯｸ数 : "), sjis("抽出ﾌﾞﾛｯｸ数 : ")},
                        {{sjis("ｽﾃｯﾌﾟ1"), 1, 2}, {sjis("ｽﾃｯﾌﾟ2"), 3, 2}}, sjis("中断"));
    progress.SetValue(0, "/data/mail/2024.txt");
    progress.SetValue(1, "1,234");
    progress.SetValue(4, "56");
    progress.ShowValues();
    auto* step1 = Child<QGroupBox>(progress, "group0");
    auto* step2 = Child<QGroupBox>(progress, "group1");
    QVERIFY(step1 != nullptr && step2 != nullptr);
    QCOMPARE(step1->title(), QStringLiteral("ｽﾃｯﾌﾟ1"));
    QCOMPARE(step2->title(), QStringLiteral("ｽﾃｯﾌﾟ2"));
    QVERIFY(step1->isAncestorOf(Child<QLabel>(progress, "line1")));
    QVERIFY(step1->isAncestorOf(Child<QLabel>(progress, "line2")));
    QVERIFY(step2->isAncestorOf(Child<QLabel>(progress, "line4")));
    QVERIFY(!step1->isAncestorOf(Child<QLabel>(progress, "line0")));
    QVERIFY(!step2->isAncestorOf(Child<QLabel>(progress, "line0")));
    QCOMPARE(step1->geometry().top(), step2->geometry().top()); // side by side
    QVERIFY(step1->geometry().right() < step2->geometry().left());
    QCOMPARE(Child<QLabel>(progress, "line1")->text(), QStringLiteral("削除ﾌﾞﾛｯｸ数 : 1,234"));
    QCOMPARE(Child<QLabel>(progress, "line4")->text(), QStringLiteral("抽出ﾌﾞﾛｯｸ数 : 56"));
    SaveScreenshot(progress, QStringLiteral("progress-dialog-groups"));

    // Opened again without groups, the window holds plain lines only.
    progress.Open("again", {"a : ", "b : "}, "stop");
    QVERIFY(Child<QGroupBox>(progress, "group0") == nullptr);
    QVERIFY(Child<QLabel>(progress, "line1") != nullptr);
    QVERIFY(Child<QLabel>(progress, "line2") == nullptr);
    progress.Close();
}

QTEST_MAIN(SheetsTest)
#include "sheets_test.moc"
