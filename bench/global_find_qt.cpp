// The global find of the main window against the command-line find: a folder of texts whose
// matches fill a result document, searched once by `nelvix-cli find` and once by the real main
// frame on Qt's offscreen platform (the dialog filled by a timer), and the time "中断" takes to
// end a run. Run with QT_QPA_PLATFORM=offscreen.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <utility>

#include "frame/frame_commands.h"
#include "qt/dialogs/progress_dialog.h"
#include "qt_bench.h"
#include "record/command_table.h"
#include "text/document_list.h"

namespace {

constexpr int kFiles = 200;
constexpr int kLinesPerFile = 2000;
/// Every fourteenth line matches: 28,600 result lines of about 100 bytes, near what a result
/// document holds (60,000 rows, 4,000,000 bytes).
constexpr int kMatchEvery = 14;
constexpr int kRuns = 5;
/// "中断" is timed on a tree that takes longer than one pass of the event loop (30 ms) to
/// search, with few hits, so that the press comes while files are still searched.
constexpr int kStopFiles = 2000;
constexpr int kStopMatchEvery = 1000;

void WriteCorpus(const QString& folder, int files = kFiles, int matchEvery = kMatchEvery) {
    for (int file = 0; file < files; ++file) {
        QByteArray text;
        for (int line = 0; line < kLinesPerFile; ++line) {
            text += "2026-12-06 12:00:00 worker " + QByteArray::number(line);
            text += line % matchEvery == 0 ? " needle found here\r\n" : " nothing to see\r\n";
        }
        QFile out(folder + QStringLiteral("/log%1.txt").arg(file));
        if (out.open(QIODevice::WriteOnly))
            out.write(text);
    }
}

/// What the window is timed on: the written folder and "needle", or a tree and pattern given.
QString pattern = QStringLiteral("needle");

/// The next global find dialog searches `folder` for the pattern.
void AnswerNextDialog(const QString& folder) {
    nelvix::bench::AnswerGlobalFind(pattern, folder);
}

/// The length of the untitled result document; 0 when there is none.
std::size_t ResultBytes(nelvix::Application& application) {
    for (const auto& document : application.Documents().Documents())
        if (document->PathName().empty())
            return document->TextLength();
    return 0;
}

struct WindowRun {
    nelvix::bench::Times times;
    std::size_t resultBytes = 0;
};

WindowRun WindowSeconds(nelvix::Application& application, nelvix::qt::CMainFrame& frame,
                        const QString& folder) {
    WindowRun best;
    for (int run = 0; run < kRuns; ++run) {
        AnswerNextDialog(folder);
        const double cpuBefore = nelvix::bench::ProcessCpuSeconds();
        QElapsedTimer timer;
        timer.start();
        frame.RunCommand(nelvix::kCmdGlobalFind);
        QCoreApplication::processEvents(); // the last lines and the bars shown
        best.times.KeepBest(
            {timer.nsecsElapsed() / 1e9, nelvix::bench::ProcessCpuSeconds() - cpuBefore});
        best.resultBytes = ResultBytes(application);
        frame.RunCommand(nelvix::kCmdCloseUntitled); // the result goes before the next run
        QCoreApplication::processEvents();
    }
    return best;
}

/// Presses "中断" at the first pass of the event loop after the result document received lines;
/// the time from the press until the command returned, and the bytes of results kept.
std::pair<double, std::size_t> StopSeconds(nelvix::Application& application,
                                           nelvix::qt::CMainFrame& frame, const QString& folder) {
    QElapsedTimer sincePress;
    AnswerNextDialog(folder);
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (sincePress.isValid() || ResultBytes(application) == 0)
            return;
        if (auto* stop = frame.Progress().findChild<QPushButton*>(QStringLiteral("stop"))) {
            sincePress.start();
            stop->click();
        }
    });
    poll.start();
    frame.RunCommand(nelvix::kCmdGlobalFind);
    const double seconds = sincePress.isValid() ? sincePress.nsecsElapsed() / 1e9 : -1;
    const std::size_t kept = ResultBytes(application);
    frame.RunCommand(nelvix::kCmdCloseUntitled);
    return {seconds, kept};
}

void PrintTimes(const nelvix::bench::Times& cli, const WindowRun& window) {
    std::printf("best of %d                      wall      processor\n", kRuns);
    std::printf("nelvix-cli find:               %.3f s   %.3f s\n", cli.wall, cli.cpu);
    std::printf("main window global find:       %.3f s   %.3f s   (%zu bytes of results)\n",
                window.times.wall, window.times.cpu, window.resultBytes);
    std::printf("ratio window / cli:            %.2f      %.2f\n", window.times.wall / cli.wall,
                window.times.cpu / cli.cpu);
}

/// `bench_global_find_qt FOLDER PATTERN` times both on a tree of the user's (subfolders on).
int TimeGivenTree(const QString& folder) {
    nelvix::bench::FrameProgram program;
    const nelvix::bench::Times cli =
        nelvix::bench::BestCliTimes({QStringLiteral("find"), pattern, folder}, kRuns);
    PrintTimes(cli, WindowSeconds(program.application, program.frame, folder));
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication qtApplication(argc, argv);
    if (argc == 3) {
        pattern = QString::fromLocal8Bit(argv[2]);
        return TimeGivenTree(QString::fromLocal8Bit(argv[1]));
    }
    QTemporaryDir corpus;
    WriteCorpus(corpus.path());
    QTemporaryDir stopCorpus;
    WriteCorpus(stopCorpus.path(), kStopFiles, kStopMatchEvery);
    nelvix::bench::FrameProgram program;

    const nelvix::bench::Times cli =
        nelvix::bench::BestCliTimes({QStringLiteral("find"), pattern, corpus.path()}, kRuns);
    const WindowRun window = WindowSeconds(program.application, program.frame, corpus.path());
    const auto [stop, stopBytes] =
        StopSeconds(program.application, program.frame, stopCorpus.path());
    std::printf("corpus: %d files, %d result lines\n", kFiles,
                kFiles * kLinesPerFile / kMatchEvery);
    PrintTimes(cli, window);
    std::printf("\"中断\" to the end of the run: %.3f s (%zu bytes of results kept)\n", stop,
                stopBytes);
    return 0;
}
