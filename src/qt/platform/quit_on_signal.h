// Ends the program in the ordinary way when the system asks it to stop (Ctrl+C in a terminal,
// the session ending, kill), so that the work file and the program's other files are put away
// as at any other exit.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace nelvix::qt {

/// While it lives, SIGINT, SIGTERM and SIGHUP make the application quit from its event loop.
/// One at a time.
class QuitOnSignal final : public QObject {
    Q_OBJECT
public:
    QuitOnSignal();
    ~QuitOnSignal() override;

    /// True once a stop signal came, also before the application's event loop started.
    bool Requested() const { return m_requested; }

private:
    void OnSignal();

    QSocketNotifier* m_notifier = nullptr;
    bool m_requested = false;
};

/// Ends the event loop and every loop of a box or dialog running inside it, so that the program
/// goes through its exit steps without waiting for anyone to answer.
void EndEveryLoop();
/// True once EndEveryLoop ran: a run in progress must stop, and no box may wait for anyone.
bool EveryLoopEnded();

} // namespace nelvix::qt
