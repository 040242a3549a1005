// Turning stop signals into an ordinary quit.
#include "qt/platform/quit_on_signal.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <array>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace nelvix::qt {
namespace {

constexpr std::array kStopSignals{SIGINT, SIGTERM, SIGHUP};

// A signal handler may do almost nothing, so it only writes a byte that the event loop reads.
int g_signalSockets[2] = {-1, -1};

extern "C" void WriteSignalByte(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_signalSockets[0], &byte, 1);
}

void SetHandlers(void (*handler)(int)) {
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signalNumber : kStopSignals)
        ::sigaction(signalNumber, &action, nullptr);
}

} // namespace

QuitOnSignal::QuitOnSignal() {
    Q_ASSERT(g_signalSockets[0] == -1 && "only one QuitOnSignal at a time");
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalSockets) != 0)
        return;
    m_notifier = new QSocketNotifier(g_signalSockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &QuitOnSignal::OnSignal);
    SetHandlers(WriteSignalByte);
}

QuitOnSignal::~QuitOnSignal() {
    if (m_notifier == nullptr)
        return;
    SetHandlers(SIG_DFL);
    delete m_notifier;
    ::close(g_signalSockets[0]);
    ::close(g_signalSockets[1]);
    g_signalSockets[0] = g_signalSockets[1] = -1;
}

void QuitOnSignal::OnSignal() {
    char byte = 0;
    [[maybe_unused]] const ssize_t read = ::read(g_signalSockets[1], &byte, 1);
    m_requested = true;
    EndEveryLoop();
}

namespace {
bool g_everyLoopEnded = false;
}

bool EveryLoopEnded() {
    return g_everyLoopEnded;
}

void EndEveryLoop() {
    g_everyLoopEnded = true;
    // quit() asks the windows to close first, and a window under a modal box or progress window
    // cannot, which would cancel the quit. exit() cannot be refused: it ends every running loop
    // (the main one and those of boxes and dialogs), and any box shown later returns at once, so
    // a run in progress stops at its next event pump and the exit steps follow.
    QCoreApplication::exit(0);
}

} // namespace nelvix::qt
