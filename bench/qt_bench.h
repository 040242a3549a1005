// What the main window's benchmarks share: the real frame over the core with its Qt services
// (messages to stderr, counted, instead of boxes that wait for a person), dialogs answered by a
// timer, and `nelvix-cli` timed over the same folder.
#pragma once

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <ctime>
#include <functional>
#include <string>

#include "app/application.h"
#include "bench_platform.h"
#include "qt/dialogs/global_find_dialog.h"
#include "qt/frame/main_frame.h"
#include "qt/platform/qt_platform.h"

namespace nelvix::bench {

/// Acts on the first visible dialog of the type once it is shown.
template <typename Dialog> void WhenShown(std::function<void(Dialog&)> act) {
    QTimer::singleShot(1, [act = std::move(act)] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<Dialog*>(widget); dialog && dialog->isVisible()) {
                act(*dialog);
                return;
            }
        WhenShown<Dialog>(act);
    });
}

/// The next global find dialog searches `folder` and its subfolders for `pattern`.
inline void AnswerGlobalFind(const QString& pattern, const QString& folder) {
    WhenShown<qt::QtGlobalFindDialog>([pattern, folder](qt::QtGlobalFindDialog& dialog) {
        dialog.findChild<QComboBox*>(QStringLiteral("pattern"))->setEditText(pattern);
        dialog.findChild<QComboBox*>(QStringLiteral("fileBox"))
            ->setEditText(folder + QStringLiteral("/*.*"));
        dialog.accept();
    });
}

/// Wall-clock and processor (user + system) seconds; as a best of several runs, the best of
/// each on its own.
struct Times {
    double wall = 1e9;
    double cpu = 1e9;
    void KeepBest(const Times& run) {
        wall = std::min(wall, run.wall);
        cpu = std::min(cpu, run.cpu);
    }
};

/// Processor seconds used so far by every thread of this process.
inline double ProcessCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

/// Processor seconds used so far by the children that were waited for.
inline double ChildrenCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

/// The best times of `runs` runs of `nelvix-cli` with `arguments`, output discarded.
inline Times BestCliTimes(const QStringList& arguments, int runs) {
    Times best;
    for (int run = 0; run < runs; ++run) {
        const double cpuBefore = ChildrenCpuSeconds();
        QElapsedTimer timer;
        timer.start();
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start(QStringLiteral(NELVIX_CLI_PATH), arguments);
        process.waitForFinished(-1);
        best.KeepBest(
            {static_cast<double>(timer.nsecsElapsed()) / 1e9, ChildrenCpuSeconds() - cpuBefore});
    }
    return best;
}

/// The best wall-clock time of `runs` runs of `nelvix-cli` with `arguments`, output discarded.
inline double BestCliSeconds(const QStringList& arguments, int runs) {
    return BestCliTimes(arguments, runs).wall;
}

/// The program in a fresh home, started, with the counts message off.
struct FrameProgram {
    QTemporaryDir home;
    qt::QtPlatform qtServices;
    StderrMessageBox messages;
    ui::Platform platform{
        messages,          qtServices.beeper,     qtServices.clipboard, qtServices.eventPump,
        qtServices.memory, qtServices.fileDialogs};
    std::string homePath = QFile::encodeName(home.path()).toStdString();
    Application application{platform, {homePath, homePath + "/etc", NELVIX_SPIN_LIBRARY_PATH}};
    qt::CMainFrame frame{application};

    FrameProgram() {
        application.Start(frame, {});
        application.GetSettings().displayGlobalFindResult = 0;
    }
    ~FrameProgram() {
        frame.close();
        application.Exit();
    }
    FrameProgram(const FrameProgram&) = delete;
    FrameProgram& operator=(const FrameProgram&) = delete;
};

} // namespace nelvix::bench
