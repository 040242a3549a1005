// Scenarios of the main window: texts in every encoding opened through the core and shown,
// refused files, windows and documents going together, and the work file at the end of a run;
// and the platform services as Qt carries them out (message boxes, clipboard, the save dialog and
// the event pump), each checked at the edge where Shift-JIS meets Qt.
#include <QClipboard>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <memory>
#include <optional>
#include <string>

#include "app/application.h"
#include "app/command_line.h"
#include "base/cp932.h"
#include "find/line_jump.h"
#include "frame_scene.h"
#include "qt/frame/main_frame.h"
#include "qt/platform/caption_width.h"
#include "qt/platform/convert.h"
#include "qt/platform/program_icon.h"
#include "qt/platform/qt_platform.h"
#include "qt/platform/qt_translations.h"
#include "qt/platform/quit_on_signal.h"
#include "qt/textview/document_view_widget.h"
#include "qt_test_support.h"
#include "store/cabinet_image.h"
#include "ui/fake_platform.h"
#include "ui/message_ids.h"
#include "ui/message_table.h"
#include "view/document_view.h"
#include "widget_actions.h"

using namespace nelvix;
using namespace nelvix::test;

Q_DECLARE_METATYPE(ui::MessageButtons)
Q_DECLARE_METATYPE(ui::MessageIcon)
Q_DECLARE_METATYPE(ui::MessageResult)
Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(std::optional<std::string>)
Q_DECLARE_METATYPE(std::optional<QString>)

namespace {

/// Whether `widget` shows `icon`: every opaque pixel of the icon at the widget's size is drawn
/// as it is, whatever the background around it.
bool ShowsIcon(QWidget& widget, const QIcon& icon) {
    const QImage shown = widget.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage expected =
        icon.pixmap(widget.size()).toImage().convertToFormat(QImage::Format_ARGB32);
    int opaque = 0;
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x) {
            if (qAlpha(expected.pixel(x, y)) != 255)
                continue;
            ++opaque;
            if (!shown.valid(x, y) || shown.pixel(x, y) != expected.pixel(x, y))
                return false;
        }
    return opaque > 0;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    // Qt's texts and the program's icon, as the program sets them at start-up.
    void initTestCase();
    void showsEachEncoding_data();
    void showsEachEncoding();
    void showsThreeEncodingsSideBySide();
    void windowsAndDocumentsComeAndGoTogether();
    void arrangeIconsLinesUpTheMinimisedWindowsAlongTheBottom();
    void rulerShowsFiveDigitRows();
    void menuItemsWithoutAButtonShowTheirPrompt();
    void reopeningRightAfterClosingMakesNewWindow();
    void startsWithFileAndKeepsPlacementAndCabinet();
    void openDialogTakesNamesAsTheProgramMatchesThem_data();
    void openDialogTakesNamesAsTheProgramMatchesThem();
    void messageBoxShowsRequest_data();
    void messageBoxShowsRequest();
    void htmlSearchCountsBoxKeepsItsCaptionWhole();
    void clipboardTakesCoreText_data();
    void clipboardTakesCoreText();
    void clipboardGivesCoreText_data();
    void clipboardGivesCoreText();
    void saveDialogAsksForName_data();
    void saveDialogAsksForName();
    // Each runs the application's event loop and ends it.
    void eventPumpStopsWhenQuitting();
    void stopSignalQuitsTheEventLoop_data();
    void stopSignalQuitsTheEventLoop();
};

void MainWindowTest::initTestCase() {
    QVERIFY(qt::InstallJapaneseQtTexts(*QCoreApplication::instance()));
    qt::InstallProgramIcon();
}

void MainWindowTest::showsEachEncoding_data() {
    QTest::addColumn<QString>("sample");
    QTest::addColumn<QString>("screenshot");

    QTest::newRow("Shift-JIS") << QStringLiteral("sample.sjis.txt") << QStringLiteral("sjis");
    QTest::newRow("EUC-JP") << QStringLiteral("sample.euc.txt") << QStringLiteral("euc");
    QTest::newRow("JIS") << QStringLiteral("sample.jis.txt") << QStringLiteral("jis");
    QTest::newRow("UTF-8") << QStringLiteral("sample.utf8.txt") << QStringLiteral("utf8");
}

void MainWindowTest::showsEachEncoding() {
    QFETCH(QString, sample);
    QFETCH(QString, screenshot);
    Scene scene;
    QVERIFY(scene.Open(DataPath(sample.toUtf8().constData())) != nullptr);

    QCOMPARE(scene.Windows().size(), 1);
    QMdiSubWindow* window = scene.Windows().front();
    QCOMPARE(window->windowTitle(), sample);
    QVERIFY(scene.messages.shown.empty());

    // Whatever the file's code, the core holds the Shift-JIS sample with CR LF.
    QCOMPARE(scene.DocumentCount(), std::size_t{1});
    const CKespoDoc& document = *scene.application->Documents().Documents().front();
    QCOMPARE(TextHeld(document), ReadBytes(DataPath("sample.sjis.txt")));

    window->showMaximized();
    SaveScreenshot(*scene.frame, screenshot);
}

void MainWindowTest::showsThreeEncodingsSideBySide() {
    Scene scene;
    for (const char* sample : {"sample.sjis.txt", "sample.euc.txt", "sample.jis.txt"})
        QVERIFY(scene.Open(DataPath(sample)) != nullptr);
    scene.frame->DocumentArea()->tileSubWindows();
    const QList<QMdiSubWindow*> windows = scene.Windows();
    // Texts stand on a grid of cells: every half-width character one cell, every full-width
    // character two, in a face that has the Japanese glyphs.
    const QFont font =
        qobject_cast<qt::CKespoMCW*>(windows[0])->ViewWidget()->TextWidget().TextFont();
    const QFontMetrics metrics(font);
    const int cell = metrics.horizontalAdvance(QLatin1Char('M'));
    QCOMPARE(metrics.horizontalAdvance(QLatin1Char('i')), cell);
    QCOMPARE(metrics.horizontalAdvance(QStringLiteral("ｶ")), cell);
    QCOMPARE(metrics.horizontalAdvance(QStringLiteral("漢")), 2 * cell);
    if (QFontDatabase::families().contains(QStringLiteral("IPAGothic")))
        QCOMPARE(QFontInfo(font).family(), QStringLiteral("IPAGothic"));
    SaveScreenshot(*scene.frame, QStringLiteral("three-encodings"));
}

void MainWindowTest::windowsAndDocumentsComeAndGoTogether() {
    Scene scene;
    // What cannot be opened is the document's to refuse and report; the frame makes no window.
    QTemporaryDir folder;
    QVERIFY(scene.Open(folder.path()) == nullptr);
    QVERIFY(scene.Windows().isEmpty());
    QCOMPARE(scene.messages.ShownIds(), std::vector<int>{ui::kMsgOpenDocumentFailed});
    qt::CKespoMCW* sjis = scene.Open(DataPath("sample.sjis.txt"));
    QPointer<qt::CKespoMCW> euc = scene.Open(DataPath("sample.euc.txt"));
    QVERIFY(scene.Open(DataPath("sample.jis.txt")) != nullptr);
    // Opened again, a text brings its window forward.
    QCOMPARE(scene.Open(DataPath("sample.sjis.txt")), sjis);
    QCOMPARE(scene.frame->DocumentArea()->activeSubWindow(), sjis);
    QCOMPARE(scene.DocumentCount(), std::size_t{3});
    // The close command closes the document with all its windows.
    scene.frame->RunCommand(kCmdNewWindow);
    QCOMPARE(scene.Windows().size(), 4);
    scene.frame->RunCommand(kCmdFileClose);
    QTRY_COMPARE(scene.Windows().size(), 2);
    // Closing a document's only window closes the document.
    QVERIFY(euc->close());
    QTRY_VERIFY(euc == nullptr);
    QCOMPARE(scene.DocumentCount(), std::size_t{1});
    QCOMPARE(scene.application->Documents().Documents().front()->Title(),
             std::string("sample.jis.txt"));
}

void MainWindowTest::arrangeIconsLinesUpTheMinimisedWindowsAlongTheBottom() {
    Scene scene;
    QVERIFY(scene.Open(DataPath("sample.euc.txt")) != nullptr);
    QVERIFY(scene.Open(DataPath("sample.jis.txt")) != nullptr);
    QVERIFY(scene.Open(DataPath("sample.sjis.txt")) != nullptr);
    const QList<QMdiSubWindow*> windows = scene.Windows();
    for (QMdiSubWindow* window : windows)
        window->showNormal();
    int scatter = 0;
    for (QMdiSubWindow* window : windows) {
        window->showMinimized();
        window->move(40 + scatter, 30 + scatter);
        scatter += 50;
    }
    scene.frame->RunCommand(kCmdArrangeIcons);
    Scene::Settle();
    const int bottom = scene.frame->DocumentArea()->viewport()->height();
    int left = 0;
    for (QMdiSubWindow* window : windows) {
        QVERIFY(window->isMinimized());
        QCOMPARE(window->geometry().bottom() + 1, bottom);
        QCOMPARE(window->x(), left);
        left += window->width();
    }
    SaveScreenshot(*scene.frame, QStringLiteral("arranged-icons"));
}

// Row 1303 of a long text read "303": the line ruler grows with the digits of the text's rows.
void MainWindowTest::rulerShowsFiveDigitRows() {
    QTemporaryDir folder;
    QByteArray text;
    for (int line = 1; line <= 16'669; ++line)
        text += "line " + QByteArray::number(line) + "\r\n";
    QFile file(folder.filePath(QStringLiteral("long.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();

    Scene scene;
    qt::CKespoMCW* window = scene.Open(file.fileName());
    QVERIFY(window != nullptr);
    qt::TextWindowWidget& widget = window->ViewWidget()->TextWidget();
    widget.setFocus();
    Press(scene, Qt::Key_End, Qt::ControlModifier);
    QTRY_VERIFY(window->TextWindow()->TopRow() > 16'600);
    Scene::Settle();

    const qt::LineRulerWidget& ruler = window->ViewWidget()->LineRuler();
    const int digit = QFontMetrics(widget.TextFont()).horizontalAdvance(QLatin1Char('M'));
    const int marker = 15 * ruler.logicalDpiX() / 254;
    QVERIFY2(ruler.width() >= 1 + 5 * digit + marker, qPrintable(QString::number(ruler.width())));
    QCOMPARE(widget.x(), ruler.width());
    // The first of the five digits is drawn inside the ruler.
    const int firstDigit = ruler.width() - marker - 5 * digit;
    const QImage image = ruler.Image();
    bool drawn = false;
    for (int y = 0; y < image.height() && !drawn; ++y)
        for (int x = firstDigit; x < firstDigit + digit && !drawn; ++x)
            drawn = qGray(image.pixel(x, y)) < 100;
    QVERIFY(drawn);
    QVERIFY(SaveImage(scene.frame->grab().toImage(), QStringLiteral("ruler-five-digits")));
}

// Menu items without a toolbar button showed no prompt in the status bar.
void MainWindowTest::menuItemsWithoutAButtonShowTheirPrompt() {
    Scene scene;
    QVERIFY(scene.Open(DataPath("sample.euc.txt")) != nullptr);
    QMenuBar* bar = scene.frame->menuBar();
    QMenu* view = nullptr;
    for (QAction* action : bar->actions())
        if (action->text().startsWith(QStringLiteral("表示")))
            view = action->menu();
    QVERIFY(view != nullptr);
    bar->setActiveAction(view->menuAction());
    QTRY_VERIFY(view->isVisible());
    QAction* jump = nullptr;
    QAction* rulers = nullptr;
    for (QAction* action : view->actions()) {
        if (action->data().toInt() == kLineJumpCommand)
            jump = action;
        if (action->menu() != nullptr)
            rulers = action;
    }
    QVERIFY(jump != nullptr && rulers != nullptr);
    view->setActiveAction(jump);
    QCOMPARE(scene.frame->statusBar()->currentMessage(),
             QStringLiteral("指定した行番号の行へｼﾞｬﾝﾌﾟ"));

    view->setActiveAction(rulers);
    QTRY_VERIFY(rulers->menu()->isVisible());
    QAction* columnRuler = rulers->menu()->actions().front();
    QCOMPARE(columnRuler->data().toInt(), kCommandColumnRuler);
    rulers->menu()->setActiveAction(columnRuler);
    QCOMPARE(scene.frame->statusBar()->currentMessage(),
             QStringLiteral("桁ﾙｰﾗｰを表示または非表示"));
    SaveScreenshot(*scene.frame, QStringLiteral("menu-prompt"));
    rulers->menu()->hide();
    view->hide();
}

void MainWindowTest::reopeningRightAfterClosingMakesNewWindow() {
    Scene scene;
    QPointer<qt::CKespoMCW> closed = scene.Open(DataPath("sample.jis.txt"));
    QVERIFY(closed != nullptr);
    QVERIFY(closed->close());
    // No events have run: the closed window still exists, and the new document is commonly made
    // at the address the old one had.
    QVERIFY(closed != nullptr);
    QVERIFY(closed->Document() == nullptr);
    qt::CKespoMCW* reopened = scene.Open(DataPath("sample.jis.txt"));
    QVERIFY(reopened != nullptr);
    QVERIFY(reopened != closed);
    QCOMPARE(scene.DocumentCount(), std::size_t{1});
    QCOMPARE(reopened->Document(), scene.application->Documents().Documents().front().get());
}

void MainWindowTest::startsWithFileAndKeepsPlacementAndCabinet() {
    QTemporaryDir copies;
    const QString path = copies.filePath(QStringLiteral("見本 テキスト.txt"));
    QVERIFY(QFile::copy(DataPath("sample.euc.txt"), path));
    auto scene = std::make_unique<Scene>("/T9 " + JoinCommandLine({ArgumentPath(path)}));

    // The first start shows the frame maximised, and the named file maximised inside it.
    QVERIFY(scene->frame->isMaximized());
    QCOMPARE(scene->Windows().size(), 1);
    QVERIFY(scene->Windows().front()->isMaximized());
    QCOMPARE(scene->Windows().front()->windowTitle(), QStringLiteral("見本 テキスト.txt"));
    SaveScreenshot(*scene->frame, QStringLiteral("start-with-file"));
    SaveScreenshot(*scene->frame, QStringLiteral("japanese-name"));
    // The maximised document's system menu in the menu bar once showed Qt's logo.
    QWidget* systemMenu = scene->frame->menuBar()->cornerWidget(Qt::TopLeftCorner);
    QVERIFY(systemMenu != nullptr);
    QVERIFY(ShowsIcon(*systemMenu, QApplication::windowIcon()));

    QVERIFY(scene->frame->close());
    const std::string home = scene->homePath;
    scene->frame.reset();
    scene->application.reset();
    const QByteArray store = ReadBytes(QString::fromStdString(home + "/nelvix.ini"));
    QVERIFY2(store.contains("WindowPos=2,3,"), store.constData());
    const QByteArray cabinet = ReadBytes(QString::fromStdString(home + "/nelvix.cab"));
    auto contents = ParseCabinetImage(reinterpret_cast<const Byte*>(cabinet.constData()),
                                      std::size_t(cabinet.size()));
    QVERIFY(contents.has_value());
    QCOMPARE(contents->documents.size(), std::size_t{1});
    QCOMPARE(contents->documents.front().path, ArgumentPath(path));
    QVERIFY(contents->documents.front().active);
}

void MainWindowTest::stopSignalQuitsTheEventLoop_data() {
    QTest::addColumn<int>("signalNumber");

    // SIGTERM ends the whole program in the exit scenarios.
    QTest::newRow("Ctrl+C in the terminal") << SIGINT;
    QTest::newRow("terminal closed") << SIGHUP;
}

void MainWindowTest::stopSignalQuitsTheEventLoop() {
    QFETCH(int, signalNumber);
    Scene scene;
    const QString workFile = QFile::decodeName(scene.application->WorkFile().c_str());
    QVERIFY(scene.Open(DataPath("sample.jis.txt")) != nullptr);
    QVERIFY(QFile::exists(workFile));

    // Without the handler the signal would end the test program here.
    qt::QuitOnSignal quitOnSignal;
    QTimer::singleShot(0, [signalNumber] { std::raise(signalNumber); });
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(scene.qtServices.eventPump.IsQuitting());

    // The run ends as any other: the work file goes with the session.
    scene.frame.reset();
    scene.application.reset();
    QVERIFY(!QFile::exists(workFile));
}

void MainWindowTest::openDialogTakesNamesAsTheProgramMatchesThem_data() {
    QTest::addColumn<int>("documentType");
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("listed");
    QTest::addColumn<QString>("chosenFilter"); // the lists themselves are the core's
    // "*.*" once listed only names with a dot, and a typed name once got the default extension
    // ("ls.c File not found").
    QTest::newRow("every file lists a name without a dot")
        << 0 << 3 << QStringLiteral("README") << true << QStringLiteral("すべてのﾌｧｲﾙ(*.*)");
    QTest::newRow("a name typed under *.c opens as typed")
        << 1 << 0 << QStringLiteral("ls") << false << QStringLiteral("ｿｰｽ(*.c)");
    QTest::newRow("*.txt lists an upper-case name")
        << 0 << 0 << QStringLiteral("NOTE.TXT") << true << QStringLiteral("ﾃｷｽﾄ(*.txt)");
}

void MainWindowTest::openDialogTakesNamesAsTheProgramMatchesThem() {
    QFETCH(int, documentType);
    QFETCH(int, filter);
    QFETCH(QString, name);
    QFETCH(bool, listed);
    QFETCH(QString, chosenFilter);
    QTemporaryDir folder;
    QFile file(folder.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("text\r\n") == 6);
    file.close();
    Scene scene;
    DisplayFormat format = scene.application->GetCabinet().Format();
    format.documentType = static_cast<DocumentType>(documentType);
    scene.application->GetCabinet().SetFormat(format);

    QStringList labels, shownNames;
    QString nameLabel, acceptText;
    bool refused = false;
    WhenShown<QFileDialog>([&](QFileDialog& dialog) {
        auto* types = Child<QComboBox>(dialog, "fileTypeCombo");
        for (int i = 0; i < types->count(); ++i)
            labels << types->itemText(i);
        types->setCurrentIndex(filter);
        emit types->activated(filter);
        // The folder's listing arrives from a worker thread.
        QSignalSpy loaded(dialog.findChild<QFileSystemModel*>(),
                          &QFileSystemModel::directoryLoaded);
        dialog.setDirectory(folder.path());
        const auto folderLoaded = [&loaded, &folder] {
            for (const QList<QVariant>& signal : loaded)
                if (signal.value(0).toString() == folder.path())
                    return true;
            return false;
        };
        QTRY_VERIFY(folderLoaded());
        auto* list = Child<QListView>(dialog, "listView");
        for (int row = 0; row < list->model()->rowCount(list->rootIndex()); ++row)
            shownNames << list->model()->index(row, 0, list->rootIndex()).data().toString();
        nameLabel = Child<QLabel>(dialog, "fileNameLabel")->text();
        acceptText =
            Child<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Open)->text();
        if (name == QStringLiteral("README"))
            SaveScreenshot(dialog, QStringLiteral("open-dialog-japanese"));
        auto* edit = Child<QLineEdit>(dialog, "fileNameEdit");
        edit->setText(folder.filePath(name));
        // A name the dialog refuses shows a box; it is closed, and so is the dialog.
        QTimer refusal;
        QObject::connect(&refusal, &QTimer::timeout, [&refused] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                refused = true;
                box->reject();
            }
        });
        refusal.start(10);
        QTest::keyClick(edit, Qt::Key_Return);
        if (dialog.isVisible())
            dialog.reject();
    });
    Press(scene, Qt::Key_O, Qt::ControlModifier);
    Scene::Settle();

    QCOMPARE(labels.value(filter), chosenFilter);
    QCOMPARE(shownNames.contains(name), listed);
    QCOMPARE(nameLabel, QStringLiteral("ファイル名(&N):"));
    QCOMPARE(acceptText, QStringLiteral("開く(&O)"));
    QVERIFY(!refused);
    QVERIFY(scene.Active() != nullptr);
    QCOMPARE(scene.Active()->Document()->PathName(), ArgumentPath(folder.filePath(name)));
}

void MainWindowTest::messageBoxShowsRequest_data() {
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

void MainWindowTest::messageBoxShowsRequest() {
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

void MainWindowTest::htmlSearchCountsBoxKeepsItsCaptionWhole() {
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

void MainWindowTest::clipboardTakesCoreText_data() {
    QTest::addColumn<std::string>("sjis");
    QTest::addColumn<QString>("onClipboard");

    QTest::newRow("CR LF line ends become LF")
        << std::string("one\r\ntwo\r\n") << QStringLiteral("one\ntwo\n");
    QTest::newRow("kanji and half-width katakana")
        << Sjis("日本語ｶﾀｶﾅ") << QStringLiteral("日本語ｶﾀｶﾅ");
}

void MainWindowTest::clipboardTakesCoreText() {
    QFETCH(std::string, sjis);
    QFETCH(QString, onClipboard);

    qt::QtClipboard clipboard;
    QVERIFY(clipboard.ReplaceText(sjis));
    QCOMPARE(QGuiApplication::clipboard()->text(), onClipboard);
    QCOMPARE(clipboard.ReadText(), std::optional<std::string>(sjis));
}

void MainWindowTest::clipboardGivesCoreText_data() {
    QTest::addColumn<std::optional<QString>>("onClipboard"); // nothing: emptied
    QTest::addColumn<std::optional<std::string>>("expected");

    QTest::newRow("LF line ends of another program")
        << std::optional(QStringLiteral("a\nb")) << std::optional(std::string("a\r\nb"));
    QTest::newRow("CR LF kept as one line end")
        << std::optional(QStringLiteral("a\r\nb")) << std::optional(std::string("a\r\nb"));
    QTest::newRow("emptied clipboard") << std::optional<QString>() << std::optional<std::string>();
}

void MainWindowTest::clipboardGivesCoreText() {
    QFETCH(std::optional<QString>, onClipboard);
    QFETCH(std::optional<std::string>, expected);

    qt::QtClipboard clipboard;
    if (onClipboard)
        QGuiApplication::clipboard()->setText(*onClipboard);
    else
        QVERIFY(clipboard.Empty());
    QCOMPARE(clipboard.ReadText(), expected);
}

void MainWindowTest::saveDialogAsksForName_data() {
    QTest::addColumn<QString>("proposed");              // inside a fresh folder
    QTest::addColumn<std::optional<QString>>("choose"); // nothing: cancel

    QTest::newRow("another name with a blank chosen")
        << QStringLiteral("無題1.txt") << std::optional(QStringLiteral("結果 一覧.txt"));
    QTest::newRow("cancelled") << QStringLiteral("見本.txt") << std::optional<QString>();
}

void MainWindowTest::saveDialogAsksForName() {
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

void MainWindowTest::eventPumpStopsWhenQuitting() {
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

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
