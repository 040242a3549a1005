// The real main window on the way out of long runs: a global find that fills its result list
// shows one message and ends, the next one gives its whole result, and the frame closes; a stop
// signal while the limit's box waits, or while a start-up box waits, ends the program through
// its exit steps.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <functional>
#include <string>
#include <vector>

#include "frame/frame_commands.h"
#include "frame_scene.h"
#include "qt/dialogs/global_find_dialog.h"
#include "qt/dialogs/progress_dialog.h"
#include "qt/frame/main_frame.h"
#include "qt/frame/program_loop.h"
#include "qt/platform/qt_platform.h"
#include "qt/platform/quit_on_signal.h"
#include "qt_test_support.h"
#include "ui/message_ids.h"

using namespace nelvix;
using namespace nelvix::test;

namespace {

/// Polls for a box for up to a minute: a run to the limit is slow under the sanitizers.
constexpr int kLongRunTries = 6'000;
/// Both limits' boxes say so: 「文字数オーバー…」, 「行数オーバーです。」.
/// Long enough for any build, sanitizers included; only a program that hangs takes longer.
constexpr int kHangMilliseconds = 20'000;
const QString kLimitMark = QStringLiteral("オーバー");

/// A tree whose hits pass the result list's 60,000 rows: folders with blanks and parentheses,
/// each holding a text of many short matching lines.
struct LimitTree {
    QTemporaryDir directory;
    LimitTree() {
        QByteArray text;
        for (int line = 0; line < 9'000; ++line)
            text += "#include <x.h>\n";
        for (int folder = 0; folder < 8; ++folder) {
            const QString path = directory.filePath(QStringLiteral("dir (%1) x").arg(folder));
            QDir().mkpath(path);
            QFile file(path + QStringLiteral("/src.c"));
            if (file.open(QIODevice::WriteOnly))
                file.write(text);
        }
    }
    QString Spec() const { return directory.path() + QStringLiteral("/*.*"); }
};

std::size_t LineCount(const CKespoDoc& document) {
    const std::string_view text = document.TextView();
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

/// The text of the last result list.
std::string LastResult(Scene& scene) {
    const auto& documents = scene.application->Documents().Documents();
    return documents.empty() ? std::string() : std::string(documents.back()->TextView());
}

} // namespace

class ExitScenariosTest : public QObject {
    Q_OBJECT
private slots:
    void aRunToTheResultLimitEndsWithOneMessageAndTheNextRunIsWhole();
    void aStopSignalDuringAStartUpBoxEndsTheProgram();
    // Last: a stop signal ends every event loop of this process.
    void aStopSignalAtTheLimitMessageRunsTheExitSteps();
};

void ExitScenariosTest::aRunToTheResultLimitEndsWithOneMessageAndTheNextRunIsWhole() {
    std::string samplesResult;
    {
        Scene clean;
        GlobalFind(clean, QStringLiteral("文字"), SamplesFolder() + QStringLiteral("/*.*"));
        samplesResult = LastResult(clean);
    }
    QVERIFY(!samplesResult.empty());

    LimitTree tree;
    Scene scene;
    scene.application->GetSettings().displayGlobalFindResult = 1;
    // While the run holds the windows, its progress window is up and the pointer is busy.
    bool progressShown = false;
    Qt::CursorShape pointer = Qt::ArrowCursor;
    WhenShown<qt::ProgressDialog>([&](qt::ProgressDialog&) {
        progressShown = true;
        if (const QCursor* cursor = QApplication::overrideCursor())
            pointer = cursor->shape();
    });
    GlobalFind(scene, QStringLiteral("include"), tree.Spec());
    QVERIFY(progressShown);
    QCOMPARE(pointer, Qt::BusyCursor);
    QVERIFY(QApplication::overrideCursor() == nullptr);
    // Which limit comes first depends on the paths' length; either way its message comes once.
    const std::vector<int> shown = scene.messages.ShownIds();
    QCOMPARE(shown.size(), std::size_t{2});
    QVERIFY(shown[0] == ui::kMsgTooManyRows || shown[0] == ui::kMsgTextTooLong);
    QCOMPARE(shown[1], int{ui::kMsgGlobalFindCounts});
    CKespoDoc* result = ResultDocument(scene);
    QVERIFY(result != nullptr);
    const std::size_t kept = LineCount(*result);
    QVERIFY(kept >= 40'000 && kept < 72'000);
    const std::string& counts = scene.messages.shown.back().text;
    QVERIFY2(counts.ends_with(std::to_string(kept)), counts.c_str());
    QVERIFY(!scene.frame->Progress().isVisible());
    SaveScreenshot(*scene.frame, QStringLiteral("result-limit-reached"));

    scene.messages.shown.clear();
    GlobalFind(scene, QStringLiteral("文字"), SamplesFolder() + QStringLiteral("/*.*"));
    QCOMPARE(scene.messages.ShownIds(), std::vector<int>{ui::kMsgGlobalFindCounts});
    QCOMPARE(LastResult(scene), samplesResult);
    SaveScreenshot(*scene.frame, QStringLiteral("result-limit-then-samples"));

    const QString cabinet = scene.home.filePath(QStringLiteral("nelvix.cab"));
    QFile::remove(cabinet);
    QVERIFY(scene.frame->close());
    QVERIFY(!scene.frame->isVisible());
    QVERIFY(QFile::exists(cabinet));
}

void ExitScenariosTest::aStopSignalDuringAStartUpBoxEndsTheProgram() {
    QTemporaryDir home;
    QTemporaryDir folder; // a folder named as the file to open: the open fails with a box
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("NELVIX_HOME"), home.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // Under AddressSanitizer dlopen does not search the program's run path.
    environment.insert(QStringLiteral("LD_LIBRARY_PATH"),
                       QFileInfo(QStringLiteral(NELVIX_SPIN_LIBRARY_PATH)).absolutePath());
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(NELVIX_PROGRAM_PATH), {folder.path()});
    QVERIFY(program.waitForStarted());
    // Long enough for the start-up to reach its box; a signal before it must end the run too.
    QTest::qWait(1500);
    QVERIFY(program.state() == QProcess::Running);
    program.terminate();
    // Not a speed check: a program that waits for its box would never end.
    QVERIFY(program.waitForFinished(kHangMilliseconds));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(QFile::exists(home.filePath(QStringLiteral("nelvix.ini"))));
    QVERIFY(QFile::exists(home.filePath(QStringLiteral("nelvix.cab"))));
    QVERIFY(QDir(home.path()).entryList({QStringLiteral("*.wrk")}).isEmpty());
}

void ExitScenariosTest::aStopSignalAtTheLimitMessageRunsTheExitSteps() {
    LimitTree tree;
    qt::QuitOnSignal quitOnSignal;
    RealProgram program;
    const QString home = program.home.path();
    QFile::remove(home + QStringLiteral("/nelvix.ini"));
    QFile::remove(home + QStringLiteral("/nelvix.cab"));

    bool limitBoxSeen = false;
    std::function<void(QMessageBox&)> signalAtTheLimit = [&](QMessageBox& shown) {
        if (!shown.text().contains(kLimitMark)) {
            WhenShown<QMessageBox>(signalAtTheLimit, kLongRunTries);
            return;
        }
        limitBoxSeen = true;
        ::raise(SIGTERM);
    };
    WhenShown<QMessageBox>(signalAtTheLimit, kLongRunTries);
    QTimer::singleShot(0, [&] {
        FillGlobalFindWhenShown(QStringLiteral("include"), tree.Spec());
        program.frame.RunCommand(kCmdGlobalFind);
    });
    const int status = qt::RunThenExit(program.frame, program.application, false);

    QVERIFY(limitBoxSeen);
    QVERIFY(quitOnSignal.Requested());
    QCOMPARE(status, 0);
    QVERIFY(!program.frame.isVisible());
    QVERIFY(QFile::exists(home + QStringLiteral("/nelvix.ini")));
    QVERIFY(QFile::exists(home + QStringLiteral("/nelvix.cab")));
    QVERIFY(QDir(home).entryList({QStringLiteral("*.wrk")}).isEmpty());
}

QTEST_MAIN(ExitScenariosTest)
#include "exit_scenarios_test.moc"
