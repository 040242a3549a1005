// Scenarios of the main window: texts in every encoding opened through the core and shown,
// refused files, windows and documents going together, and the work file at the end of a run.
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QMdiArea>
#include <QPointer>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>
#include <string>

#include "app/application.h"
#include "app/cabinet_image.h"
#include "app/command_line.h"
#include "frame_scene.h"
#include "qt/convert.h"
#include "qt/main_frame.h"
#include "qt/qt_platform.h"
#include "qt/quit_on_signal.h"
#include "qt_test_support.h"
#include "text/cp932.h"
#include "ui/fake_platform.h"
#include "ui/message_ids.h"

using namespace nelvix;
using namespace nelvix::test;

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void showsEachEncoding_data();
    void showsEachEncoding();
    void showsThreeEncodingsSideBySide();
    void refusesUnreadablePath_data();
    void refusesUnreadablePath();
    void reopeningBringsExistingWindowForward();
    void closingWindowClosesDocument();
    void reopeningRightAfterClosingMakesNewWindow();
    void workFileIsDeletedAtEnd();
    void startsWithFileAndKeepsPlacementAndCabinet();
    // Runs the application's event loop and ends it.
    void stopSignalQuitsTheEventLoop_data();
    void stopSignalQuitsTheEventLoop();
};

void MainWindowTest::showsEachEncoding_data() {
    QTest::addColumn<QString>("sample");
    QTest::addColumn<QString>("openAs"); // empty: opened where it lies
    QTest::addColumn<QString>("screenshot");

    QTest::newRow("Shift-JIS") << QStringLiteral("sample.sjis.txt") << QString()
                               << QStringLiteral("sjis");
    QTest::newRow("EUC-JP") << QStringLiteral("sample.euc.txt") << QString()
                            << QStringLiteral("euc");
    QTest::newRow("JIS") << QStringLiteral("sample.jis.txt") << QString() << QStringLiteral("jis");
    QTest::newRow("UTF-8") << QStringLiteral("sample.utf8.txt") << QString()
                           << QStringLiteral("utf8");
    QTest::newRow("Japanese file name with a blank")
        << QStringLiteral("sample.euc.txt") << QStringLiteral("見本 テキスト.txt")
        << QStringLiteral("japanese-name");
}

void MainWindowTest::showsEachEncoding() {
    QFETCH(QString, sample);
    QFETCH(QString, openAs);
    QFETCH(QString, screenshot);

    QTemporaryDir copies;
    QString path = DataPath(sample.toUtf8().constData());
    if (!openAs.isEmpty()) {
        const QString copy = copies.filePath(openAs);
        QVERIFY(QFile::copy(path, copy));
        path = copy;
    }
    const QString fileName = QFileInfo(path).fileName();

    Scene scene;
    QVERIFY(scene.Open(path) != nullptr);

    QCOMPARE(scene.Windows().size(), 1);
    QMdiSubWindow* window = scene.Windows().front();
    QCOMPARE(window->windowTitle(), fileName);
    QVERIFY(scene.messages.shown.empty());

    // Whatever the file's code, the core holds the Shift-JIS sample with CR LF.
    QCOMPARE(scene.DocumentCount(), std::size_t{1});
    const CKespoDoc& document = *scene.application->Documents().Documents().front();
    QCOMPARE(TextHeld(document), ReadBytes(DataPath("sample.sjis.txt")));
    QCOMPARE(document.Title(), Sjis(fileName.toStdString()));

    window->showMaximized();
    SaveScreenshot(*scene.frame, screenshot);
}

void MainWindowTest::showsThreeEncodingsSideBySide() {
    Scene scene;
    QCOMPARE(scene.frame->windowTitle(), QStringLiteral("KAV Nelvix"));
    QVERIFY(scene.Windows().isEmpty());
    const char* samples[] = {"sample.sjis.txt", "sample.euc.txt", "sample.jis.txt"};
    for (const char* sample : samples)
        QVERIFY(scene.Open(DataPath(sample)) != nullptr);
    scene.frame->DocumentArea()->tileSubWindows();

    const QList<QMdiSubWindow*> windows = scene.Windows();
    QCOMPARE(windows.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(windows[i]->windowTitle(), QString::fromUtf8(samples[i]));
        const auto* window = qobject_cast<qt::CKespoMCW*>(windows[i]);
        QCOMPARE(TextHeld(*window->Document()), ReadBytes(DataPath("sample.sjis.txt")));
    }
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

void MainWindowTest::refusesUnreadablePath_data() {
    QTest::addColumn<QString>("name"); // inside a fresh folder; empty: the folder itself

    QTest::newRow("missing file") << QStringLiteral("absent.txt");
    QTest::newRow("folder") << QString();
}

void MainWindowTest::refusesUnreadablePath() {
    QFETCH(QString, name);
    QTemporaryDir folder;
    const QString path = name.isEmpty() ? folder.path() : folder.filePath(name);

    Scene scene;
    QVERIFY(scene.Open(path) == nullptr);

    QVERIFY(scene.Windows().isEmpty());
    QCOMPARE(scene.DocumentCount(), std::size_t{0});
    QCOMPARE(scene.messages.shown.size(), std::size_t{1});
    const ui::MessageRequest& shown = scene.messages.shown.front();
    QCOMPARE(shown.id, int(ui::kMsgOpenDocumentFailed));
    QCOMPARE(qt::SjisToQString(shown.caption), QStringLiteral("KAV Nelvix"));
}

void MainWindowTest::reopeningBringsExistingWindowForward() {
    Scene scene;
    qt::CKespoMCW* first = scene.Open(DataPath("sample.sjis.txt"));
    QVERIFY(scene.Open(DataPath("sample.euc.txt")) != nullptr);
    QCOMPARE(scene.Open(DataPath("sample.sjis.txt")), first);

    QCOMPARE(scene.Windows().size(), 2);
    QCOMPARE(scene.DocumentCount(), std::size_t{2});
    QCOMPARE(scene.frame->DocumentArea()->activeSubWindow(), first);
}

void MainWindowTest::closingWindowClosesDocument() {
    Scene scene;
    QPointer<qt::CKespoMCW> window = scene.Open(DataPath("sample.jis.txt"));
    QVERIFY(scene.Open(DataPath("sample.euc.txt")) != nullptr);
    QVERIFY(window != nullptr);
    QVERIFY(window->close());
    QTRY_VERIFY(window == nullptr);

    QCOMPARE(scene.Windows().size(), 1);
    QCOMPARE(scene.DocumentCount(), std::size_t{1});
    QCOMPARE(scene.application->Documents().Documents().front()->Title(),
             std::string("sample.euc.txt"));
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

void MainWindowTest::workFileIsDeletedAtEnd() {
    auto scene = std::make_unique<Scene>();
    const QString workFile = QFile::decodeName(scene->application->WorkFile().c_str());
    QVERIFY(workFile.startsWith(scene->home.path() + QLatin1Char('/')));

    // An EUC-JP file is read through a converted copy in the work file.
    QVERIFY(scene->Open(DataPath("sample.euc.txt")) != nullptr);
    QVERIFY(QFile::exists(workFile));

    scene->frame.reset();
    scene->application.reset();
    QVERIFY(!QFile::exists(workFile));
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
    SaveScreenshot(*scene->frame, QStringLiteral("start-with-file"));

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

    QTest::newRow("Ctrl+C in the terminal") << SIGINT;
    QTest::newRow("kill") << SIGTERM;
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

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
