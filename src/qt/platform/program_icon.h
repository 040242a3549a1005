// The program's icon for every window of the program, maximised documents' menu bars included.
#pragma once

namespace nelvix::qt {

void InstallProgramIcon();

} // namespace nelvix::qt
