// Removing nelvix-cli's work file when a signal ends the program. A handler runs in the middle
// of anything, so the paths wait ready in static buffers and only async-signal-safe calls are
// made; the program then ends by the signal as it would have without the handler.
#pragma once

#include <csignal>
#include <string>

namespace nelvix::cli {

/// Work files alive at once: one per run, and a replay runs its operations one after the other.
inline constexpr int kCleanupSlots = 4;

/// Makes SIGINT, SIGTERM, SIGHUP and SIGPIPE remove the registered paths first; a signal that
/// was ignored when the program started stays ignored. Once per process; later calls do
/// nothing.
void InstallCleanupHandlers();

/// Holds the handled signals back while it lives, so that a handler never finds a work file
/// made but not yet registered, or registered but half removed; they arrive when it goes.
class SignalHold {
public:
    SignalHold();
    ~SignalHold();
    SignalHold(const SignalHold&) = delete;
    SignalHold& operator=(const SignalHold&) = delete;

private:
    sigset_t m_before;
};

/// Registers a file and the folder that holds it (empty: none) for removal on a signal. The
/// slot, or -1 when every slot is taken or a path is too long for its buffer.
int RegisterCleanup(const std::string& file, const std::string& folder);

/// Removes the slot's file and folder now and frees the slot, under a SignalHold.
void RemoveAndUnregister(int slot);

/// What the handler does before the program ends: removes every registered file, then its
/// folder. Async-signal-safe.
void RemoveRegisteredPaths();

} // namespace nelvix::cli
