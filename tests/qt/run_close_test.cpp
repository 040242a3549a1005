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

#include "frame/frame_commands.h"
#include "frame_scene.h"
#include "qt/dialogs/progress_dialog.h"
#include "qt/frame/program_loop.h"

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
    RealProgram program;
    qt::CMainFrame& frame = program.frame;
    program.application.GetSettings().displayGlobalFindResult = 1;

    bool closed = false;
    QTimer::singleShot(0, [&] {
        const QString spec = tree.directory.path() + QStringLiteral("/*.*");
        FillGlobalFindWhenShown(QStringLiteral("needle"), spec, [&] {
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
    const QDir home(program.home.path());
    QFile::remove(home.filePath(QStringLiteral("nelvix.cab")));
    const int status = qt::RunThenExit(frame, program.application, false);

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
