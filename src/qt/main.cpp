// nelvix: the desktop program. Opens each file named on the command line in the main window.
#include <QApplication>

#include "app/program_home.h"
#include "qt/convert.h"
#include "qt/main_frame.h"
#include "app/program_session.h"
#include "qt/qt_platform.h"
#include "qt/quit_on_signal.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    nelvix::qt::QuitOnSignal quitOnSignal;
    nelvix::qt::QtPlatform platform;
    nelvix::ProgramSession session(platform.platform, nelvix::ProgramHome());
    nelvix::qt::CMainFrame frame(session.Documents());
    platform.SetOwner(&frame);
    frame.show();
    // The arguments are taken as the bytes the system passed, so that a file name that is not
    // valid UTF-8 still reaches its file.
    for (int i = 1; i < argc; ++i)
        frame.OpenDocument(nelvix::qt::NativeArgumentToSjisPath(argv[i]));
    return application.exec();
}
