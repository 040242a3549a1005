// Starting another program on its own: the external editor and browser.
#pragma once

#include <string>
#include <vector>

namespace nelvix::ui {

/// A program to start; every string is in the operating system's form (UTF-8 bytes).
struct ProcessStart {
    std::string program;                ///< path of the program file
    std::vector<std::string> arguments; ///< the arguments after the program's own name
    std::string workingDirectory;       ///< empty: the caller's current directory
    bool operator==(const ProcessStart&) const = default;
};

class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;
    /// Starts the program detached, with the caller's environment, and does not wait for it;
    /// false when it could not be started (no such program, not executable, no such working
    /// directory).
    virtual bool StartDetached(const ProcessStart& start) = 0;
};

} // namespace nelvix::ui
