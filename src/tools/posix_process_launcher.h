// Starting a tool on Linux: a double fork, so that the tool is nobody's child and leaves no
// zombie, with exec failures reported back through a pipe.
#pragma once

#include "ui/process_launcher.h"

namespace nelvix {

class PosixProcessLauncher final : public ui::ProcessLauncher {
public:
    /// The tool runs in a session of its own, with standard input from /dev/null, standard
    /// output and error shared with the program, and no other open file of the program.
    bool StartDetached(const ui::ProcessStart& start) override;
};

} // namespace nelvix
