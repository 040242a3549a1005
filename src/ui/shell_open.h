// Opening a file by the desktop's shell, as a double-click in a file manager would.
#pragma once

#include <string_view>

namespace nelvix::ui {

class ShellOpener {
public:
    virtual ~ShellOpener() = default;
    /// Opens the file with the verb "open" in a normal window, without waiting; false when the
    /// shell could not be asked.
    virtual bool OpenWithShell(std::string_view sjisPath) = 0;
};

} // namespace nelvix::ui
