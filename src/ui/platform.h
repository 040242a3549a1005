// The services of the windowing platform that the core calls. Each is a small interface;
// the Qt front end implements them for real and FakePlatform scripts them for tests.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "ui/message_box.h"

namespace nelvix::ui {

class Beeper {
public:
    virtual ~Beeper() = default;
    virtual void Beep() = 0;
};

/// The system clipboard in its plain-text format; texts are Shift-JIS.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    /// Nothing when the clipboard holds no text or cannot be opened.
    virtual std::optional<std::string> ReadText() = 0;
    virtual bool Empty() = 0;
    virtual bool ReplaceText(std::string_view sjisText) = 0;
};

/// Lets pending window events run during a long run.
class EventPump {
public:
    virtual ~EventPump() = default;
    /// Returns false when the program is quitting and the run must stop.
    virtual bool PumpEvents() = 0;
};

/// Large blocks (texts, conversion buffers) come from here so that tests can make them fail.
/// Every block is released with std::free. A global find's workers call it from their own
/// threads, beside the calling thread.
class Memory {
public:
    virtual ~Memory() = default;
    /// Returns nullptr when the block cannot be had.
    virtual void* Allocate(std::size_t bytes) = 0;
    /// Returns nullptr and leaves `block` valid when the block cannot grow.
    virtual void* Reallocate(void* block, std::size_t bytes) = 0;
};

/// The file dialogs, as far as the core needs them; names are Shift-JIS paths.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    /// Nothing when the person cancels.
    virtual std::optional<std::string> AskSaveFileName(std::string_view sjisTitle,
                                                       std::string_view proposedName) = 0;
};

/// Everything the core may ask of the platform. Later services (dialogs, progress windows,
/// drawing surfaces, timers) join as further members.
struct Platform {
    MessageBox& messageBox;
    Beeper& beeper;
    Clipboard& clipboard;
    EventPump& eventPump;
    Memory& memory;
    FileDialogs& fileDialogs;
};

/// Memory from the C library, for the real program and the command-line tool.
class SystemMemory final : public Memory {
public:
    void* Allocate(std::size_t bytes) override;
    void* Reallocate(void* block, std::size_t bytes) override;
};

} // namespace nelvix::ui
