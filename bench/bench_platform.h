// A platform for benchmarks: messages go to stderr, everything else is quiet, memory is real.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "base/cp932.h"
#include "ui/platform.h"
#include "ui/windowless_services.h"

namespace nelvix::bench {

/// Writes each message to stderr and counts them.
class StderrMessageBox final : public ui::MessageBox {
public:
    ui::MessageResult Show(const ui::MessageRequest& request) override {
        ++shown;
        std::fprintf(stderr, "message %d: %s\n", request.id, Cp932ToUtf8(request.text).c_str());
        return ui::MessageResult::Ok;
    }
    int shown = 0;
};
class NoPump final : public ui::EventPump {
public:
    bool PumpEvents() override { return true; }
};
struct BenchPlatform {
    StderrMessageBox messageBox;
    ui::NoBeeper beeper;
    ui::NoClipboard clipboard;
    NoPump pump;
    ui::SystemMemory memory;
    ui::NoFileDialogs dialogs;
    ui::Platform platform{messageBox, beeper, clipboard, pump, memory, dialogs};
};

} // namespace nelvix::bench
