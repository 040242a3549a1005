// Closing the main window while a global find runs: the run stops at its next event pump, short
// of the tree's end, and the program goes through its exit steps. (A program
// ends its event loops only once, so this scenario has a test program of its own.)
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>

#include <string>

#include "app/application.h"
#include "frame/frame_commands.h"
#include "qt/dialogs/global_find_dialog.h"
#include "qt/dialogs/progress_dialog.h"
#include "qt/frame/main_frame.h"
#include "qt/frame/program_loop.h"
#include "qt/platform/qt_platform.h"
#include "qt_test_support.h"

using namespace nelvix;
using namespace nelvix::test;

namespace {

constexpr int kFolders = 3'000;

/// Many folders with one hit each, so that a run over them outlasts the close by far.
struct ManyFolders {
    QTemporaryDir directory;
    ManyFolders() {
        for (int folder = 0; folder < kFolders; ++folder) {
            const QString path = directory.filePath(QStringLiteral("d%1 (x)").arg(folder));
            QDir().mkpath(path);
            QFile file(path + QStringLiteral("/a.txt"));
            if (file.open(QIODevice::WriteOnly))
                file.write("one needle here\r\n");
        }
    }
};

} // namespace

class RunCloseTest : public QObject {
    Q_OBJECT
private slots:
    void closingTheFrameDuringARunStopsItAndRunsTheExitSteps();
};

void RunCloseTest::closingTheFrameDuringARunStopsItAndRunsTheExitSteps() {
    ManyFolders tree;
    QTemporaryDir home;
    qt::QtPlatform services;
    const std::string homePath = QFile::encodeName(home.path()).toStdString();
    Application application(
        services.platform, ApplicationPaths{homePath, homePath + "/etc", NELVIX_SPIN_LIBRARY_PATH});
    qt::CMainFrame frame(application);
    services.SetOwner(&frame);
    WhenShown<QMessageBox>([](QMessageBox& shown) { shown.accept(); }); // a first start's box
    QVERIFY(application.Start(frame, {}) == StartResult::Running);
    application.GetSettings().displayGlobalFindResult = 1;

    bool closed = false;
    QTimer::singleShot(0, [&] {
        WhenShown<qt::QtGlobalFindDialog>([&](qt::QtGlobalFindDialog& dialog) {
            dialog.findChild<QComboBox*>(QStringLiteral("pattern"))
                ->setEditText(QStringLiteral("needle"));
            dialog.findChild<QComboBox*>(QStringLiteral("fileBox"))
                ->setEditText(tree.directory.path() + QStringLiteral("/*.*"));
            dialog.accept();
            // Once the run is under way, the window's close button: the close as it reaches the
            // frame (Qt itself would drop a close of the frame under the modal progress window;
            // on X11 the frame hears the window manager's close message there).
            WhenShown<qt::ProgressDialog>([&](qt::ProgressDialog&) {
                closed = true;
                QCloseEvent close;
                QCoreApplication::sendEvent(&frame, &close);
            });
        });
        frame.RunCommand(kCmdGlobalFind);
    });
    QFile::remove(home.filePath(QStringLiteral("nelvix.cab")));
    const int status = qt::RunThenExit(frame, application, false);

    QCOMPARE(status, 0);
    QVERIFY(closed);
    frame.Progress().ShowValues();
    const QString hits = frame.Progress().findChild<QLabel*>(QStringLiteral("line1"))->text();
    const qsizetype colon = hits.lastIndexOf(QLatin1Char(':'));
    QVERIFY2(hits.mid(colon + 1).trimmed().toInt() < kFolders, qPrintable(hits));
    QVERIFY(!frame.isVisible());
    QVERIFY(QFile::exists(home.filePath(QStringLiteral("nelvix.cab"))));
    QVERIFY(QFile::exists(home.filePath(QStringLiteral("nelvix.ini"))));
    QVERIFY(QDir(home.path()).entryList({QStringLiteral("*.wrk")}).isEmpty());
}

QTEST_MAIN(RunCloseTest)
#include "run_close_test.moc"
