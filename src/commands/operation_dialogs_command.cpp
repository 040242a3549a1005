// The replay, save and recall commands of the recorded operation.
#include "commands/operation_dialogs_command.h"

#include <cstddef>
#include <string>

#include "app/application.h"
#include "commands/recall_operation_list.h"
#include "record/macro_file.h"
#include "ui/messages.h"

namespace nelvix {
namespace {

bool IsUserToolSlot(int slot) {
    return slot >= 1 && static_cast<std::size_t>(slot) <= kUserToolSlots;
}

} // namespace

OperationDialogsCommand::OperationDialogsCommand(Application& application,
                                                 SaveOperationDialog& saveDialog,
                                                 RecallOperationDialog& recallDialog,
                                                 WaitCursor& waitCursor)
    : m_application(application), m_recorder(application.Recorder()), m_saveDialog(saveDialog),
      m_recallDialog(recallDialog), m_waitCursor(waitCursor) {}

bool OperationDialogsCommand::Run(int commandId, CommandDispatcher& dispatcher) {
    switch (commandId) {
    case kCmdReplay:
        Replay(dispatcher);
        return true;
    case kCmdSaveOperation:
        Save();
        return true;
    case kCmdRecallOperation:
        Recall(dispatcher);
        return true;
    default:
        return false;
    }
}

std::optional<bool> OperationDialogsCommand::IsEnabled(int commandId) const {
    switch (commandId) {
    case kCmdReplay:
    case kCmdSaveOperation:
        return m_recorder.HasRecord();
    case kCmdRecallOperation:
        return true;
    default:
        return std::nullopt;
    }
}

void OperationDialogsCommand::Replay(CommandDispatcher& dispatcher) {
    if (!m_recorder.ProbeMemory())
        return;
    struct WaitScope {
        WaitCursor& cursor;
        ~WaitScope() { cursor.End(); }
    } scope{m_waitCursor};
    m_waitCursor.Begin();
    m_recorder.Replay(dispatcher);
}

SaveOperationValues OperationDialogsCommand::InitialSaveValues() const {
    SaveOperationValues values;
    values.name = m_recorder.MacroName();
    if (values.name.empty())
        return values;
    const std::string file = MacroFileName(values.name);
    for (const MacroEntry& entry : m_recorder.ListMacros())
        if (MacroFileName(entry.name) == file)
            values.comment = entry.comment;
    return values;
}

bool OperationDialogsCommand::AskOkCancel(int messageId) {
    const ui::MessageStyle style{ui::MessageButtons::OkCancel, ui::MessageIcon::Question, false};
    return ui::ShowMessage(m_application.Platform(), messageId, style) == ui::MessageResult::Ok;
}

bool OperationDialogsCommand::AcceptSave(const SaveOperationValues& values) {
    if (!IsValidMacroName(m_recorder, values.name)) {
        ui::ShowMessage(m_application.Platform(), ui::kMsgBadFileName);
        return false;
    }
    if (m_recorder.MacroExists(values.name) == 1 && !AskOkCancel(ui::kMsgFileExistsOverwrite))
        return false;
    if (!IsUserToolSlot(values.userTool))
        return true;
    // Binding a slot again to the macro it already replays takes nothing from anyone.
    const std::string& bound =
        m_application.GetSettings().userTools[static_cast<std::size_t>(values.userTool - 1)];
    return bound.empty() || bound == values.name || AskOkCancel(ui::kMsgUserToolInUse);
}

void OperationDialogsCommand::Save() {
    if (!m_recorder.HasRecord()) {
        m_application.Platform().beeper.Beep();
        return;
    }
    if (!m_recorder.ProbeMemory())
        return;
    const std::optional<SaveOperationValues> values = m_saveDialog.Ask(
        InitialSaveValues(), [this](const SaveOperationValues& v) { return AcceptSave(v); });
    // The slot is bound only to a file that was written: a failed write must not leave a user
    // tool that replays nothing, or an older file of the same name.
    if (!values || !m_recorder.SaveMacro(values->name, values->comment))
        return;
    if (IsUserToolSlot(values->userTool))
        m_application.GetSettings().userTools[static_cast<std::size_t>(values->userTool - 1)] =
            values->name;
}

void OperationDialogsCommand::Recall(CommandDispatcher& dispatcher) {
    if (!m_recorder.ProbeMemory())
        return;
    RecallOperationList list(m_recorder, m_application.Platform().beeper);
    const RecallChoice choice = m_recallDialog.Ask(list);
    if (list.AnyDeleted() || choice.name.empty())
        return;
    if (choice.action == RecallAction::Load)
        m_recorder.LoadMacro(choice.name);
    else if (choice.action == RecallAction::Replay)
        m_recorder.Replay(dispatcher, choice.name);
}

} // namespace nelvix
