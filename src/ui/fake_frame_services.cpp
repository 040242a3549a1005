// The scripted dialogs and windows of the frame's commands.
#include "ui/fake_frame_services.h"

namespace nelvix::ui {
namespace {

template <typename T> std::optional<T> NextAnswer(std::deque<std::optional<T>>& answers) {
    if (answers.empty())
        return std::nullopt;
    std::optional<T> answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

} // namespace

std::optional<GlobalFindValues>
FakeGlobalFindDialog::Ask(const GlobalFindValues& initial,
                          const std::vector<std::string>& patternHistory,
                          const std::vector<std::string>& specHistory) {
    asked.push_back({initial, patternHistory, specHistory});
    return NextAnswer(answers);
}

void FakeProgressWindow::OpenGroups(std::string_view newCaption,
                                    const std::vector<std::string>& newLabels,
                                    const std::vector<ProgressGroup>& newGroups,
                                    std::string_view newStopButton) {
    caption.assign(newCaption);
    labels = newLabels;
    groups = newGroups;
    stopButton.assign(newStopButton);
    values.assign(labels.size(), std::string());
    ++opens;
    stopChecks = 0;
    open = true;
}

void FakeProgressWindow::SetValue(std::size_t line, std::string_view text) {
    ++setValueCalls;
    if (line >= values.size())
        values.resize(line + 1);
    values[line].assign(text);
}

bool FakeProgressWindow::StopRequested() {
    ++stopChecks;
    if (onStopCheck)
        onStopCheck();
    return stopAtCheck != 0 && stopChecks >= stopAtCheck;
}

std::optional<FontChoice> FakeFontDialog::AskFixedPitchFont(const FontChoice& current) {
    asked.push_back(current);
    return NextAnswer(answers);
}

bool FakeShellOpener::OpenWithShell(std::string_view sjisPath) {
    opened.emplace_back(sjisPath);
    return result;
}

} // namespace nelvix::ui
