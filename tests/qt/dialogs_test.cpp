// The dialogs and windows of the frame's commands, driven as a person would: the global find
// dialog's checks and directory change, the HTML search dialog's target buttons, the find dialog
// on a real text window, the line jump, 操作の保存 and 操作の呼出し with their byte limits and
// deletion, the progress window's stop button, the help window (with a topic at its anchor for
// every command, settings page and dialog, and owned by the modal dialog that opened it), the
// shell opener and the version dialog. (The font dialog, and the save command binding user tool
// 3, run through their commands in frame_scenarios_test.cpp.)
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QtTest>

#include <functional>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "../view/text_window_fixture.h"
#include "commands/recall_operation_list.h"
#include "find/find_dialog_model.h"
#include "frame/frame_commands.h"
#include "frame/frame_menus.h"
#include "frame/frame_toolbar.h"
#include "qt/dialogs/field_byte_limit.h"
#include "qt/dialogs/find_dialog.h"
#include "qt/dialogs/global_find_dialog.h"
#include "qt/dialogs/help_window.h"
#include "qt/dialogs/html_search_dialog.h"
#include "qt/dialogs/line_jump_dialog.h"
#include "qt/dialogs/progress_dialog.h"
#include "qt/dialogs/recall_operation_dialog.h"
#include "qt/dialogs/save_operation_dialog.h"
#include "qt/dialogs/version_dialog.h"
#include "qt/platform/convert.h"
#include "qt/platform/shell_opener.h"
#include "qt_test_support.h"
#include "record/command_table.h"
#include "record/operation_recorder.h"
#include "store/global_find_record.h"
#include "ui/fake_frame_services.h"
#include "ui/fake_platform.h"
#include "ui/message_ids.h"
#include "view/text_window_find_target.h"
#include "widget_actions.h"

using namespace nelvix;
using namespace nelvix::test;

namespace {

/// The search dialogs' scripted platform and help viewer, and the folder they open in.
struct SearchDialogServices {
    ui::FakePlatform fake;
    ui::FakeHelpViewer help;
    QTemporaryDir directory;
    std::string Directory() const {
        return qt::QStringToSjisPath(directory.path() + QLatin1Char('/'));
    }
};

/// The global find dialog in a folder with one subfolder.
struct GlobalFindScene : SearchDialogServices {
    qt::QtGlobalFindDialog dialog{fake.platform, help};

    GlobalFindScene() { QDir(directory.path()).mkpath(QStringLiteral("sub")); }
    ui::GlobalFindValues Initial() const {
        ui::GlobalFindValues initial;
        initial.pattern = "apple";
        initial.fileBox = "*.txt";
        initial.currentDirectory = Directory();
        initial.caseSensitive = true;
        initial.record = true;
        return initial;
    }
    std::optional<ui::GlobalFindValues> Ask() {
        return dialog.Ask(Initial(), {"apple", "pear"}, {"*.txt", "/usr/share/doc/*.html"});
    }
};

/// The HTML search dialog in a folder with one subfolder.
struct HtmlSearchScene : SearchDialogServices {
    qt::QtHtmlSearchDialog dialog{fake.platform, help};

    HtmlSearchScene() { QDir(directory.path()).mkpath(QStringLiteral("pages")); }
    HtmlSearchValues Initial(HtmlTarget target = HtmlTarget::String) const {
        HtmlSearchValues initial;
        initial.pattern = qt::QStringToSjis(QStringLiteral("目次"));
        initial.fileBox = "*.html";
        initial.currentDirectory = Directory();
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
};

QString HelpIndex() {
    return QString::fromUtf8(NELVIX_SOURCE_DIR) + QStringLiteral("/help/ja/index.html");
}

/// The anchor names of the page as Qt's rich text reads them.
QSet<QString> Anchors(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QTextDocument document;
    document.setHtml(QString::fromUtf8(file.readAll()));
    QSet<QString> anchors;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            for (const QString& name : it.fragment().charFormat().anchorNames())
                anchors.insert(name);
    return anchors;
}

void AddMenuCommands(std::span<const MenuItem> items, std::set<int>& ids) {
    for (const MenuItem& item : items) {
        if (item.kind == MenuItemKind::Command)
            ids.insert(item.commandId);
        else if (item.kind == MenuItemKind::Submenu)
            AddMenuCommands(item.items, ids);
        else if (item.kind == MenuItemKind::RecentFiles)
            for (int id = kCmdRecentFile1; id <= kCmdRecentFileLast; ++id)
                ids.insert(id);
    }
}

/// Every command a person can reach: both menus, the key table and the toolbar's buttons.
std::set<int> FrameCommands() {
    std::set<int> ids;
    for (FrameMenu menu : {FrameMenu::NoDocument, FrameMenu::Documents})
        for (const MenuPopup& popup : FrameMenuPopups(menu))
            AddMenuCommands(popup.items, ids);
    for (const KeyBinding& binding : FrameKeyTable())
        ids.insert(binding.commandId);
    for (const ToolbarItem& item : FrameToolbar())
        if (item.kind == ToolbarItemKind::Button)
            ids.insert(item.commandId);
    return ids;
}

/// The help ids of the settings sheet's pages and of the dialogs' help buttons.
constexpr int kDialogTopics[] = {
    32813,                // 設定 - 共通
    32816,                // 設定 - 書式
    32817,                // 設定 - カラー
    32821,                // 設定 - エディタ
    32835,                // 設定 - ブラウザ
    kCmdGlobalFind,       // グローバル検索
    kCmdLineExtraction,   // 行の抽出
    kCmdGlobalExtraction, // グローバル抽出
    kCmdHtmlSearch,       // ＨＴＭＬ検索
    kCmdSaveOperation,    // 操作の保存
    kCmdRecallOperation,  // 操作の呼出し
    kFindCommand,         // 文字列の検索
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
    void htmlSearchOpensWithTheValuesAndGivesThemBack();
    void htmlSearchTargetButtonsSwitchTheStringFieldsAndItsCheck();
    void findDialogFindsInTheTextWindowAndClosingClearsTheRange();
    void lineJumpKeepsABadNumberAndJumpsToAGoodOne();
    void fitToBytesKeepsWholeCharactersOfTheInsertion_data();
    void fitToBytesKeepsWholeCharactersOfTheInsertion();
    void saveDialogOpensOnItsFieldsAndGivesThem();
    void saveDialogStaysOpenWhileTheCheckRefusesAndCancels();
    void saveDialogLimitsTheCommentAndTheName();
    void recallDialogShowsTheListAndTheComments();
    void recallDialogDeletesAndThenOnlyCloses();
    void progressWindowShowsValuesAndStops();
    void helpWindowOpensAtTheCommandsTopic();
    void helpWindowReportsAMissingFile();
    void everyCommandAndDialogHasItsTopic();
    void helpFromAModalDialogBelongsToItUntilItCloses();
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
        Click(dialog, "help");
        dialog.reject();
    });
    QVERIFY(!scene.Ask().has_value());
    QCOMPARE(afterAbsolute, QStringLiteral("*.*"));
    QCOMPARE(directory, QDir(scene.directory.path()).absoluteFilePath(QStringLiteral("sub")));
    QCOMPARE(label, directory);
    QCOMPARE(scene.help.topics, std::vector<int>{kCmdGlobalFind});
}

void DialogsTest::htmlSearchOpensWithTheValuesAndGivesThemBack() {
    HtmlSearchScene scene;
    QStringList patterns;
    WhenShown<qt::QtHtmlSearchDialog>([&](qt::QtHtmlSearchDialog& dialog) {
        auto* pattern = Child<QComboBox>(dialog, "pattern");
        for (int i = 0; i < pattern->count(); ++i)
            patterns << pattern->itemText(i);
        SaveScreenshot(dialog, QStringLiteral("html-search-dialog"));
        Click(dialog, "targetLink");
        Child<QCheckBox>(dialog, "subdirectories")->setChecked(false);
        Click(dialog, "ok");
    });
    const std::optional<HtmlSearchValues> values = scene.Ask();
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

// The refusals themselves and the directory list are the global find dialog's, above: both
// dialogs share those fields.
void DialogsTest::htmlSearchTargetButtonsSwitchTheStringFieldsAndItsCheck() {
    HtmlSearchScene scene;
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

void DialogsTest::fitToBytesKeepsWholeCharactersOfTheInsertion_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("maxBytes");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<int>("cursor");

    // A character that fits and one typed at the end of a full field: the comment field below.
    QTest::newRow("typed in the middle of a full field: refused, the end stays")
        << QStringLiteral("abc") << QStringLiteral("axbc") << 3 << QStringLiteral("abc") << 1;
    QTest::newRow("paste cut to what fits")
        << QStringLiteral("a") << QStringLiteral("a12345") << 4 << QStringLiteral("a123") << 4;
    QTest::newRow("double-byte character across the limit left out")
        << QStringLiteral("ab") << QStringLiteral("ab表表") << 5 << QStringLiteral("ab表") << 3;
    QTest::newRow("pasted over a selection") << QStringLiteral("a--b") << QStringLiteral("a日本語b")
                                             << 6 << QStringLiteral("a日本b") << 3;
}

void DialogsTest::fitToBytesKeepsWholeCharactersOfTheInsertion() {
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

void DialogsTest::saveDialogOpensOnItsFieldsAndGivesThem() {
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

void DialogsTest::saveDialogStaysOpenWhileTheCheckRefusesAndCancels() {
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
        Click(shown, "help");
        Click(shown, "cancel"); // not checked again
    });
    const auto values = dialog.Ask({}, [&](const SaveOperationValues& v) {
        checked.push_back(v.name);
        return false;
    });
    QVERIFY(stayedOpen);
    QCOMPARE(focused, QStringLiteral("name"));
    QCOMPARE(checked, std::vector<std::string>{"bad/name"});
    QVERIFY(!values.has_value());
    QCOMPARE(help.topics, std::vector<int>{kCmdSaveOperation});
}

void DialogsTest::saveDialogLimitsTheCommentAndTheName() {
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

void DialogsTest::recallDialogShowsTheListAndTheComments() {
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

void DialogsTest::recallDialogDeletesAndThenOnlyCloses() {
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
    QCOMPARE(choice.action, RecallAction::Close);

    // The next dialog starts afresh.
    RecallOperationList again(scene.recorder, scene.fake.beeper);
    WhenShown<qt::QtRecallOperationDialog>([&](qt::QtRecallOperationDialog& shown) {
        okLabel = Child<QPushButton>(shown, "ok")->text();
        Click(shown, "replay");
    });
    QVERIFY((dialog.Ask(again) == RecallChoice{RecallAction::Replay, "beta"}));
    QCOMPARE(okLabel, QStringLiteral("OK"));
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

void DialogsTest::everyCommandAndDialogHasItsTopic() {
    const QSet<QString> anchors = Anchors(HelpIndex());
    QVERIFY2(!anchors.isEmpty(), qPrintable(HelpIndex()));
    std::set<int> topics = FrameCommands();
    QVERIFY(topics.size() > 50);
    topics.insert(std::begin(kDialogTopics), std::end(kDialogTopics));
    QStringList missing;
    for (int id : topics)
        if (!anchors.contains(QStringLiteral("cmd%1").arg(id)))
            missing << QString::number(id);
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char(' '))));
}

void DialogsTest::helpFromAModalDialogBelongsToItUntilItCloses() {
    ui::FakePlatform fake;
    QWidget frame;
    frame.show();
    qt::HelpWindow help(fake.platform, HelpIndex());
    help.setParent(&frame, Qt::Window);
    QDialog dialog(&frame);
    QWidget* ownerWhileOpen = nullptr;
    bool shownWhileOpen = false;
    WhenShown<QDialog>([&](QDialog& shown) {
        help.ShowTopic(kCmdSaveOperation);
        ownerWhileOpen = help.parentWidget();
        shownWhileOpen = help.isVisible();
        shown.reject();
    });
    dialog.exec();
    // Windows outside a modal dialog take no input, so the help must be the dialog's.
    QCOMPARE(ownerWhileOpen, &dialog);
    QVERIFY(shownWhileOpen);
    QCOMPARE(help.parentWidget(), &frame);
    QVERIFY(help.isVisible());
    QVERIFY(help.isWindow());
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
}

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
