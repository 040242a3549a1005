// The platform of nelvix-cli: a console with no windows, no clipboard and no one to ask.
#pragma once

#include <ostream>

#include "ui/platform.h"
#include "ui/windowless_services.h"

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

/// Nothing asks a console program to quit between events, so runs always go on.
class ConsoleEventPump final : public ui::EventPump {
public:
    bool PumpEvents() override { return true; }
};

/// All console services, and the Platform that refers to them.
struct ConsolePlatform {
    explicit ConsolePlatform(std::ostream& err) : messageBox(err) {}
    ConsolePlatform(const ConsolePlatform&) = delete;
    ConsolePlatform& operator=(const ConsolePlatform&) = delete;

    ConsoleMessageBox messageBox;
    ui::NoBeeper beeper;
    ui::NoClipboard clipboard;
    ConsoleEventPump eventPump;
    ui::SystemMemory memory;
    ui::NoFileDialogs fileDialogs;
    ui::Platform platform{messageBox, beeper, clipboard, eventPump, memory, fileDialogs};
};

} // namespace nelvix::cli
