// The commands of the recorded operation: "操作の再生" (32809) replays it, "操作の保存" (32810)
// saves it to a macro file with a comment and binds a user tool, "操作の呼出し" (32811) loads or
// replays a macro file and deletes macro files.
#pragma once

#include <optional>

#include "commands/operation_dialogs.h"
#include "record/operation_recorder.h"

namespace nelvix {

class Application;

class OperationDialogsCommand {
public:
    OperationDialogsCommand(Application& application, SaveOperationDialog& saveDialog,
                            RecallOperationDialog& recallDialog, WaitCursor& waitCursor);

    /// Runs 32809, 32810 or 32811, replaying through `dispatcher`; false for any other command.
    bool Run(int commandId, CommandDispatcher& dispatcher);
    /// 32809 and 32810 while a record is held, 32811 always; nothing for any other command.
    std::optional<bool> IsEnabled(int commandId) const;

    /// The memory probe, then the recorded operation replayed under the wait cursor.
    void Replay(CommandDispatcher& dispatcher);
    /// The memory probe, the save dialog, then the macro file written and, once it is, the
    /// chosen user tool bound to it. Beeps when no record is held.
    void Save();
    /// The memory probe, then the recall dialog over the macro files of the program home; its
    /// "OK" loads the chosen macro, "再生" loads and replays it through `dispatcher`.
    void Recall(CommandDispatcher& dispatcher);

    /// The save dialog opens on the macro last loaded or saved, with that file's comment.
    SaveOperationValues InitialSaveValues() const;
    /// The OK checks of the save dialog: an invalid name ("ファイル名が不正です。"), then the
    /// overwrite question for an existing file, then the question for a user tool that holds
    /// another name. False keeps the dialog open.
    bool AcceptSave(const SaveOperationValues& values);

private:
    bool AskOkCancel(int messageId);

    Application& m_application;
    OperationRecorder& m_recorder;
    SaveOperationDialog& m_saveDialog;
    RecallOperationDialog& m_recallDialog;
    WaitCursor& m_waitCursor;
};

} // namespace nelvix
