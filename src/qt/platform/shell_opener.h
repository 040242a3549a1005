// Opening a file with the desktop's default program.
#pragma once

#include "ui/shell_open.h"

namespace nelvix::qt {

class QtShellOpener final : public ui::ShellOpener {
public:
    /// Hands the file to the desktop (xdg-open); false when no program could be asked.
    bool OpenWithShell(std::string_view sjisPath) override;
};

} // namespace nelvix::qt
