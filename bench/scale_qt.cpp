// A tree at the scale of a real collection: 20,000 folders (three levels, names with blanks and
// parentheses) holding 300,000 matching lines. `nelvix-cli find` prints them all; the main
// window's global find fills its result list to the limit, shows the limit's message once and
// ends. Run with QT_QPA_PLATFORM=offscreen.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>

#include "frame/frame_commands.h"
#include "qt_bench.h"
#include "record/command_table.h"
#include "text/document_list.h"

namespace {

constexpr int kTop = 20;
constexpr int kMiddle = 20;
constexpr int kLeaves = 49; ///< with the middle folders themselves: 20 × 20 × 50 = 20,000 folders
constexpr int kHitsPerFile = 15;
constexpr int kRuns = 3;

/// One small file per lower folder, each with kHitsPerFile matching lines among others; the
/// number of folders written.
int WriteTree(const QString& root) {
    QByteArray text;
    for (int line = 0; line < kHitsPerFile * 3; ++line)
        text += line % 3 == 0 ? "static int needle_count = 0;\n" : "/* nothing here */\n";
    int folders = kTop;
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
    return folders;
}

struct WindowRun {
    double seconds = 1e9;
    std::size_t resultLines = 0;
    int messages = 0;
};

std::size_t ResultLines(nelvix::Application& application) {
    for (const auto& document : application.Documents().Documents())
        if (document->PathName().empty()) {
            const std::string_view text = document->TextView();
            return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
        }
    return 0;
}

WindowRun WindowSeconds(nelvix::bench::FrameProgram& program, const QString& root) {
    WindowRun best;
    for (int run = 0; run < kRuns; ++run) {
        nelvix::bench::AnswerGlobalFind(QStringLiteral("needle"), root);
        program.messages.shown = 0;
        QElapsedTimer timer;
        timer.start();
        program.frame.RunCommand(nelvix::kCmdGlobalFind);
        const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
        if (seconds < best.seconds)
            best = {seconds, ResultLines(program.application), program.messages.shown};
        program.frame.RunCommand(nelvix::kCmdCloseUntitled);
        QCoreApplication::processEvents();
    }
    return best;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication qtApplication(argc, argv);
    QTemporaryDir tree;
    QElapsedTimer writing;
    writing.start();
    const int folders = WriteTree(tree.path());
    std::printf("tree: %d folders, %d matching lines (written in %.1f s)\n", folders,
                (folders - kTop) * kHitsPerFile, static_cast<double>(writing.nsecsElapsed()) / 1e9);
    nelvix::bench::FrameProgram program;

    const double cli = nelvix::bench::BestCliSeconds(
        {QStringLiteral("find"), QStringLiteral("needle"), tree.path()}, kRuns);
    std::printf("nelvix-cli find, every hit:           %.3f s (best of %d)\n", cli, kRuns);
    const WindowRun window = WindowSeconds(program, tree.path());
    std::printf("main window global find to the limit: %.3f s (best of %d), %zu result lines, "
                "%d message(s)\n",
                window.seconds, kRuns, window.resultLines, window.messages);
    return 0;
}
