// The dialog "操作の呼出し": the macro files of the program home with the comment of the chosen
// one, "削除", and "OK" (load) or "再生" (load and replay). What they do is the core's.
#pragma once

#include <QDialog>

#include "commands/operation_dialogs.h"
#include "ui/frame_services.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace nelvix::qt {

class QtRecallOperationDialog final : public QDialog, public nelvix::RecallOperationDialog {
    Q_OBJECT
public:
    /// "ﾍﾙﾌﾟ" shows the command's topic through `help`.
    explicit QtRecallOperationDialog(ui::HelpViewer& help, QWidget* parent = nullptr);

    RecallChoice Ask(RecallOperationList& list) override;

private:
    void Close(RecallAction action);
    void ShowComment();
    void Delete();

    ui::HelpViewer& m_help;
    QComboBox* m_name;
    QLabel* m_comment;
    QPushButton* m_ok;
    QPushButton* m_replay;
    RecallOperationList* m_list = nullptr;
    RecallChoice m_choice;
};

/// The busy pointer over the whole program while a replay runs.
class QtWaitCursor final : public WaitCursor {
public:
    void Begin() override;
    void End() override;
};

} // namespace nelvix::qt
