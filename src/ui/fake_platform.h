// A scripted platform for tests: records what the core asked for and plays queued answers.
#pragma once

#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "ui/platform.h"

namespace nelvix::ui {

class FakeMessageBox final : public MessageBox {
public:
    MessageResult Show(const MessageRequest& request) override;
    std::vector<MessageRequest> shown;
    /// Answers given in order; Ok once they run out.
    std::deque<MessageResult> answers;
    std::vector<int> ShownIds() const;
};

class FakeBeeper final : public Beeper {
public:
    void Beep() override { ++beeps; }
    int beeps = 0;
};

class FakeClipboard final : public Clipboard {
public:
    std::optional<std::string> ReadText() override { return text; }
    bool Empty() override;
    bool ReplaceText(std::string_view sjisText) override;
    std::optional<std::string> text;
    bool available = true; ///< false: every call fails, as when another program holds it
};

class FakeEventPump final : public EventPump {
public:
    bool PumpEvents() override;
    int pumps = 0;
    /// The pump reports quitting from this call on (1-based); never when 0.
    int quitAtPump = 0;
};

/// Fails allocations on request: from the n-th call on, or any block above a size.
class FakeMemory final : public Memory {
public:
    void* Allocate(std::size_t bytes) override;
    void* Reallocate(void* block, std::size_t bytes) override;
    int calls = 0;
    int failFromCall = 0;           ///< 1-based; 0 never
    std::size_t failAboveBytes = 0; ///< 0 never
    bool failAll = false;

private:
    bool ShouldFail(std::size_t bytes);
    std::mutex m_mutex; ///< a global find's workers allocate beside the calling thread
};

class FakeFileDialogs final : public FileDialogs {
public:
    std::optional<std::string> AskSaveFileName(std::string_view sjisTitle,
                                               std::string_view proposedName) override;
    /// Names answered in order; a cancel once they run out.
    std::deque<std::optional<std::string>> saveAnswers;
    std::vector<std::pair<std::string, std::string>> saveAsked; ///< title, proposed name
};

/// All fakes together, and the Platform that refers to them.
struct FakePlatform {
    FakeMessageBox messageBox;
    FakeBeeper beeper;
    FakeClipboard clipboard;
    FakeEventPump eventPump;
    FakeMemory memory;
    FakeFileDialogs fileDialogs;
    Platform platform{messageBox, beeper, clipboard, eventPump, memory, fileDialogs};

    FakePlatform() = default;
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;
};

} // namespace nelvix::ui
