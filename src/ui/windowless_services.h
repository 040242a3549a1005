// The services a program part without a window offers: the command line, the global find's
// workers, the benchmarks. Nothing can be heard, copied or picked there.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ui/platform.h"

namespace nelvix::ui {

class NoBeeper final : public Beeper {
public:
    void Beep() override {}
};

/// Every call fails, as with a clipboard another program holds.
class NoClipboard final : public Clipboard {
public:
    std::optional<std::string> ReadText() override { return std::nullopt; }
    bool Empty() override { return false; }
    bool ReplaceText(std::string_view) override { return false; }
};

/// No one can pick a file name: every dialog is cancelled.
class NoFileDialogs final : public FileDialogs {
public:
    std::optional<std::string> AskSaveFileName(std::string_view, std::string_view) override {
        return std::nullopt;
    }
};

} // namespace nelvix::ui
