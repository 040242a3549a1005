// The program's life after its start-up: the event loop, then the exit steps, however the loop
// ended (the frame closed, a stop signal, a close asked for during a run).
#pragma once

namespace nelvix {
class Application;
}

namespace nelvix::qt {

class CMainFrame;

/// Runs the event loop unless the program was already asked to stop during the start-up, then
/// closes the frame (placement, cabinet) and runs the application's exit (settings, data file,
/// work file). The loop's exit status.
int RunThenExit(CMainFrame& frame, Application& application, bool stoppedDuringStart);

} // namespace nelvix::qt
