// A platform for benchmarks: messages go to stderr, everything else is quiet, memory is real.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "text/cp932.h"
#include "ui/platform.h"

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
class NoBeeper final : public ui::Beeper {
public:
    void Beep() override {}
};
class NoClipboard final : public ui::Clipboard {
public:
    std::optional<std::string> ReadText() override { return std::nullopt; }
    bool Empty() override { return false; }
    bool ReplaceText(std::string_view) override { return false; }
};
class NoPump final : public ui::EventPump {
public:
    bool PumpEvents() override { return true; }
};
class NoDialogs final : public ui::FileDialogs {
public:
    std::optional<std::string> AskSaveFileName(std::string_view, std::string_view) override {
        return std::nullopt;
    }
};

struct BenchPlatform {
    StderrMessageBox messageBox;
    NoBeeper beeper;
    NoClipboard clipboard;
    NoPump pump;
    ui::SystemMemory memory;
    NoDialogs dialogs;
    ui::Platform platform{messageBox, beeper, clipboard, pump, memory, dialogs};
};

} // namespace nelvix::bench
