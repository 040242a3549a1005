// The scripted platform used by tests.
#include "ui/fake_platform.h"

#include <cstdlib>

namespace nelvix::ui {

MessageResult FakeMessageBox::Show(const MessageRequest& request) {
    shown.push_back(request);
    if (answers.empty())
        return MessageResult::Ok;
    MessageResult answer = answers.front();
    answers.pop_front();
    return answer;
}

std::vector<int> FakeMessageBox::ShownIds() const {
    std::vector<int> ids;
    for (const MessageRequest& request : shown)
        ids.push_back(request.id);
    return ids;
}

bool FakeClipboard::Empty() {
    if (!available)
        return false;
    text.reset();
    return true;
}

bool FakeClipboard::ReplaceText(std::string_view sjisText) {
    if (!available)
        return false;
    text = std::string(sjisText);
    return true;
}

bool FakeEventPump::PumpEvents() {
    ++pumps;
    return quitAtPump == 0 || pumps < quitAtPump;
}

bool FakeMemory::ShouldFail(std::size_t bytes) {
    const std::lock_guard lock(m_mutex);
    ++calls;
    if (failAll)
        return true;
    if (failFromCall != 0 && calls >= failFromCall)
        return true;
    return failAboveBytes != 0 && bytes > failAboveBytes;
}

void* FakeMemory::Allocate(std::size_t bytes) {
    return ShouldFail(bytes) ? nullptr : std::malloc(bytes == 0 ? 1 : bytes);
}

void* FakeMemory::Reallocate(void* block, std::size_t bytes) {
    return ShouldFail(bytes) ? nullptr : std::realloc(block, bytes == 0 ? 1 : bytes);
}

std::optional<std::string> FakeFileDialogs::AskSaveFileName(std::string_view sjisTitle,
                                                            std::string_view proposedName) {
    saveAsked.emplace_back(std::string(sjisTitle), std::string(proposedName));
    if (saveAnswers.empty())
        return std::nullopt;
    std::optional<std::string> answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}

} // namespace nelvix::ui
