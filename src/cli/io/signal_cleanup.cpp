// The signal handlers that remove nelvix-cli's work files.
#include "cli/io/signal_cleanup.h"

#include <array>
#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>

#include <unistd.h>

namespace nelvix::cli {
namespace {

constexpr std::array<int, 4> kHandledSignals = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};

struct CleanupSlot {
    volatile std::sig_atomic_t used = 0;
    char file[PATH_MAX] = {};
    char folder[PATH_MAX] = {};
};

std::array<CleanupSlot, kCleanupSlots> g_slots;
bool g_installed = false;

bool CopyPath(const std::string& path, char (&buffer)[PATH_MAX]) {
    if (path.size() >= sizeof buffer)
        return false;
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return true;
}

sigset_t HandledSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : kHandledSignals)
        sigaddset(&set, signal);
    return set;
}

void RemoveSlot(const CleanupSlot& slot) {
    ::unlink(slot.file);
    if (slot.folder[0] != '\0')
        ::rmdir(slot.folder);
}

extern "C" void OnEndingSignal(int signal) {
    RemoveRegisteredPaths();
    // Back to the default action, then the signal again: it is held back until the handler
    // returns, and then ends the program with the status a shell expects of it.
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
    ::raise(signal);
}

void Install(int signal) {
    struct sigaction old {};
    if (::sigaction(signal, nullptr, &old) != 0 || old.sa_handler == SIG_IGN)
        return;
    struct sigaction action {};
    action.sa_handler = OnEndingSignal;
    action.sa_mask = HandledSignals();
    ::sigaction(signal, &action, nullptr);
}

} // namespace

SignalHold::SignalHold() {
    const sigset_t handled = HandledSignals();
    ::pthread_sigmask(SIG_BLOCK, &handled, &m_before);
}

SignalHold::~SignalHold() {
    ::pthread_sigmask(SIG_SETMASK, &m_before, nullptr);
}

void InstallCleanupHandlers() {
    if (g_installed)
        return;
    g_installed = true;
    for (const int signal : kHandledSignals)
        Install(signal);
}

int RegisterCleanup(const std::string& file, const std::string& folder) {
    for (int index = 0; index < kCleanupSlots; ++index) {
        CleanupSlot& slot = g_slots[static_cast<std::size_t>(index)];
        if (slot.used != 0)
            continue;
        if (!CopyPath(file, slot.file) || !CopyPath(folder, slot.folder))
            return -1;
        // The paths are whole before a handler may read them.
        std::atomic_signal_fence(std::memory_order_seq_cst);
        slot.used = 1;
        return index;
    }
    return -1;
}

void RemoveAndUnregister(int slot) {
    if (slot < 0 || slot >= kCleanupSlots)
        return;
    const SignalHold hold;
    CleanupSlot& entry = g_slots[static_cast<std::size_t>(slot)];
    RemoveSlot(entry);
    entry.used = 0;
}

void RemoveRegisteredPaths() {
    for (const CleanupSlot& slot : g_slots) {
        if (slot.used != 0)
            RemoveSlot(slot);
    }
}

} // namespace nelvix::cli
