// The event loop and the exit steps.
#include "qt/frame/program_loop.h"

#include <QApplication>

#include "app/application.h"
#include "qt/frame/main_frame.h"

namespace nelvix::qt {

int RunThenExit(CMainFrame& frame, Application& application, bool stoppedDuringStart) {
    const int status = stoppedDuringStart ? 0 : QApplication::exec();
    // When a stop signal ended the loop, the frame's close steps have not run yet.
    frame.close();
    application.Exit();
    return status;
}

} // namespace nelvix::qt
