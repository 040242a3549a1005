// The dialogs of the recorded operation for the commands' tests: OK pressed with fields given in
// advance (each checked as the real dialog checks it), deletions and the closing button of the
// recall dialog, and the wait cursor's state.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "commands/operation_dialogs.h"
#include "commands/recall_operation_list.h"

namespace nelvix::test {

class FakeSaveOperationDialog final : public SaveOperationDialog {
public:
    /// OK is pressed with each field set in turn until the checks let the dialog close; when
    /// every one is refused the dialog is cancelled.
    std::deque<std::vector<SaveOperationValues>> answers;
    std::vector<SaveOperationValues> opened; ///< the initial fields of each dialog
    std::vector<bool> accepted;              ///< the check's answer to each OK

    std::optional<SaveOperationValues>
    Ask(const SaveOperationValues& initial,
        const std::function<bool(const SaveOperationValues&)>& accept) override {
        opened.push_back(initial);
        if (answers.empty())
            return std::nullopt;
        const std::vector<SaveOperationValues> tries = answers.front();
        answers.pop_front();
        for (const SaveOperationValues& values : tries) {
            accepted.push_back(accept(values));
            if (accepted.back())
                return values;
        }
        return std::nullopt;
    }
};

class FakeRecallOperationDialog final : public RecallOperationDialog {
public:
    struct Answer {
        std::vector<std::string> deletions; ///< names "削除" is pressed on, in order
        RecallChoice choice;
    };
    /// What the dialog showed as it opened.
    struct Shown {
        std::vector<std::string> names;
        std::string initialName;
        std::string initialComment;
    };

    std::deque<Answer> answers;
    std::vector<Shown> shown;
    std::vector<bool> deleted;             ///< Delete's answer for each press
    std::vector<std::string> namesAtClose; ///< the list as the last dialog closed
    bool replayEnabledAtClose = true;

    RecallChoice Ask(RecallOperationList& list) override {
        shown.push_back({list.Names(), list.InitialName(), list.CommentOf(list.InitialName())});
        Answer answer = answers.empty() ? Answer{} : answers.front();
        if (!answers.empty())
            answers.pop_front();
        for (const std::string& name : answer.deletions)
            deleted.push_back(list.Delete(name));
        namesAtClose = list.Names();
        replayEnabledAtClose = !list.AnyDeleted();
        return answer.choice;
    }
};

class FakeWaitCursor final : public WaitCursor {
public:
    void Begin() override { ++depth, ++begun; }
    void End() override { --depth; }
    int depth = 0;
    int begun = 0;
};

} // namespace nelvix::test
