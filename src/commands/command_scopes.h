// Scopes that a long command holds while it runs: the command marked as running, and the find
// engine set to text files only.
#pragma once

namespace nelvix {

class Application;

/// The command marked as running for as long as it lives. Runs pump events; a command given
/// again meanwhile would run inside the first one's output.
class RunningScope {
public:
    explicit RunningScope(bool& running) : m_running(running) { m_running = true; }
    ~RunningScope() { m_running = false; }
    RunningScope(const RunningScope&) = delete;
    RunningScope& operator=(const RunningScope&) = delete;

private:
    bool& m_running;
};

/// "FindNoneTextFile" is 0 for as long as it lives, and the find engine's environment follows
/// it; the setting comes back afterwards.
class TextFilesOnly {
public:
    explicit TextFilesOnly(Application& application);
    ~TextFilesOnly();
    TextFilesOnly(const TextFilesOnly&) = delete;
    TextFilesOnly& operator=(const TextFilesOnly&) = delete;

private:
    Application& m_application;
    int m_saved;
};

} // namespace nelvix
