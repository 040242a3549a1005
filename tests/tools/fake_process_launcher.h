// The process launcher for the commands' tests: records every start and answers as told.
#pragma once

#include <vector>

#include "ui/process_launcher.h"

namespace nelvix::test {

class FakeProcessLauncher final : public ui::ProcessLauncher {
public:
    bool StartDetached(const ui::ProcessStart& start) override {
        started.push_back(start);
        return succeed;
    }

    std::vector<ui::ProcessStart> started;
    bool succeed = true; ///< false: every start fails, as for a program that is gone
};

} // namespace nelvix::test
