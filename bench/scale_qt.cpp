// A tree at the scale of a real collection: 20,000 folders (three levels, names with blanks and
// parentheses) holding 300,000 matching lines. `nelvix-cli find` prints them all; the main
// window's global find fills its result list to the limit, shows the limit's message once and
// ends. Run with QT_QPA_PLATFORM=offscreen.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>

#include "app/application.h"
#include "app/frame_commands.h"
#include "bench_platform.h"
#include "qt/global_find_dialog.h"
#include "qt/main_frame.h"
#include "qt/qt_platform.h"
#include "record/command_table.h"
#include "text/document_list.h"

namespace {

constexpr int kTop = 20;
constexpr int kMiddle = 20;
constexpr int kLeaves = 49; ///< with the middle folders themselves: 20 × 20 × 50 = 20,000 folders
constexpr int kHitsPerFile = 15;
constexpr int kRuns = 3;

/// One small file per leaf folder, each with kHitsPerFile matching lines among others.
int WriteTree(const QString& root) {
    QByteArray text;
    for (int line = 0; line < kHitsPerFile * 3; ++line)
        text += line % 3 == 0 ? "static int needle_count = 0;\n" : "/* nothing here */\n";
    int folders = 0;
    auto write = [&](const QString& folder) {
        QDir().mkpath(folder);
        ++folders;
        QFile out(folder + QStringLiteral("/src.c"));
        if (out.open(QIODevice::WriteOnly))
            out.write(text);
    };
    for (int top = 0; top < kTop; ++top) {
        const QString topFolder = root + QStringLiteral("/Project (%1)").arg(top);
        for (int middle = 0; middle < kMiddle; ++middle) {
            const QString middleFolder = topFolder + QStringLiteral("/module %1").arg(middle);
            write(middleFolder);
            for (int leaf = 0; leaf < kLeaves; ++leaf)
                write(middleFolder + QStringLiteral("/part_%1 (copy)").arg(leaf));
        }
    }
    return folders + kTop;
}

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

double CliSeconds(const QString& root) {
    double best = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start(QStringLiteral(NELVIX_CLI_PATH),
                      {QStringLiteral("find"), QStringLiteral("needle"), root});
        process.waitForFinished(-1);
        best = std::min(best, timer.nsecsElapsed() / 1e9);
    }
    return best;
}

/// Counts the messages instead of waiting for a person.
class CountingMessageBox final : public nelvix::ui::MessageBox {
public:
    nelvix::ui::MessageResult Show(const nelvix::ui::MessageRequest& request) override {
        ++shown;
        return m_stderr.Show(request);
    }
    int shown = 0;

private:
    nelvix::bench::StderrMessageBox m_stderr;
};

struct WindowRun {
    double seconds = 1e9;
    std::size_t resultLines = 0;
    int messages = 0;
};

WindowRun WindowSeconds(nelvix::Application& application, nelvix::qt::CMainFrame& frame,
                        CountingMessageBox& messages, const QString& root) {
    WindowRun best;
    for (int run = 0; run < kRuns; ++run) {
        WhenShown<nelvix::qt::GlobalFindDialog>([root](nelvix::qt::GlobalFindDialog& dialog) {
            dialog.findChild<QComboBox*>(QStringLiteral("pattern"))
                ->setEditText(QStringLiteral("needle"));
            dialog.findChild<QComboBox*>(QStringLiteral("fileBox"))
                ->setEditText(root + QStringLiteral("/*.*"));
            dialog.accept();
        });
        messages.shown = 0;
        QElapsedTimer timer;
        timer.start();
        frame.RunCommand(nelvix::kCmdGlobalFind);
        const double seconds = timer.nsecsElapsed() / 1e9;
        std::size_t lines = 0;
        for (const auto& document : application.Documents().Documents())
            if (document->PathName().empty()) {
                const std::string_view text = document->TextView();
                lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
            }
        if (seconds < best.seconds)
            best = {seconds, lines, messages.shown};
        frame.RunCommand(nelvix::kCmdCloseUntitled);
        QCoreApplication::processEvents();
    }
    return best;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication qtApplication(argc, argv);
    QTemporaryDir home;
    QTemporaryDir tree;
    QElapsedTimer writing;
    writing.start();
    const int folders = WriteTree(tree.path());
    std::printf("tree: %d folders, %d matching lines (written in %.1f s)\n", folders,
                (folders - kTop) * kHitsPerFile, writing.nsecsElapsed() / 1e9);

    nelvix::qt::QtPlatform qtServices;
    CountingMessageBox messages;
    nelvix::ui::Platform platform{
        messages,          qtServices.beeper,     qtServices.clipboard, qtServices.eventPump,
        qtServices.memory, qtServices.fileDialogs};
    const std::string homePath = QFile::encodeName(home.path()).toStdString();
    nelvix::Application application(platform,
                                    {homePath, homePath + "/etc", NELVIX_SPIN_LIBRARY_PATH});
    nelvix::qt::CMainFrame frame(application);
    application.Start(frame, {});
    application.GetSettings().displayGlobalFindResult = 0;

    const double cli = CliSeconds(tree.path());
    std::printf("nelvix-cli find, every hit:         %.3f s (best of %d)\n", cli, kRuns);
    const WindowRun window = WindowSeconds(application, frame, messages, tree.path());
    std::printf("main window global find to the limit: %.3f s (best of %d), %zu result lines, "
                "%d message(s)\n",
                window.seconds, kRuns, window.resultLines, window.messages);
    frame.close();
    application.Exit();
    return 0;
}
