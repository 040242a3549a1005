// The platform of nelvix-cli: a console with no windows, no clipboard and no one to ask.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "ui/platform.h"

namespace nelvix::cli {

/// Writes each message as one UTF-8 text on the error stream and answers Ok, as a person
/// who reads it and goes on would.
class ConsoleMessageBox final : public ui::MessageBox {
public:
    explicit ConsoleMessageBox(std::ostream& err) : m_err(err) {}
    ui::MessageResult Show(const ui::MessageRequest& request) override;
    /// Messages shown so far.
    int ShownCount() const { return m_shown; }

private:
    std::ostream& m_err;
    int m_shown = 0;
};

class ConsoleBeeper final : public ui::Beeper {
public:
    void Beep() override {}
};

/// There is no clipboard on a console: every call fails.
class ConsoleClipboard final : public ui::Clipboard {
public:
    std::optional<std::string> ReadText() override { return std::nullopt; }
    bool Empty() override { return false; }
    bool ReplaceText(std::string_view) override { return false; }
};

/// Nothing asks a console program to quit between events, so runs always go on.
class ConsoleEventPump final : public ui::EventPump {
public:
    bool PumpEvents() override { return true; }
};

/// No one can pick a file name: every dialog is cancelled.
class ConsoleFileDialogs final : public ui::FileDialogs {
public:
    std::optional<std::string> AskSaveFileName(std::string_view, std::string_view) override {
        return std::nullopt;
    }
};

/// All console services, and the Platform that refers to them.
struct ConsolePlatform {
    explicit ConsolePlatform(std::ostream& err) : messageBox(err) {}
    ConsolePlatform(const ConsolePlatform&) = delete;
    ConsolePlatform& operator=(const ConsolePlatform&) = delete;

    ConsoleMessageBox messageBox;
    ConsoleBeeper beeper;
    ConsoleClipboard clipboard;
    ConsoleEventPump eventPump;
    ui::SystemMemory memory;
    ConsoleFileDialogs fileDialogs;
    ui::Platform platform{messageBox, beeper, clipboard, eventPump, memory, fileDialogs};
};

} // namespace nelvix::cli
