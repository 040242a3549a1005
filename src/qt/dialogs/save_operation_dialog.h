// The dialog "操作の保存": the macro file's name, the user tool that replays it, and its comment.
// The OK checks and questions are the core's.
#pragma once

#include <QDialog>
#include <QString>

#include <functional>

#include "commands/operation_dialogs.h"
#include "ui/frame_services.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace nelvix::qt {

class QtSaveOperationDialog final : public QDialog, public nelvix::SaveOperationDialog {
    Q_OBJECT
public:
    /// "ﾍﾙﾌﾟ" shows the command's topic through `help`.
    explicit QtSaveOperationDialog(ui::HelpViewer& help, QWidget* parent = nullptr);

    std::optional<SaveOperationValues>
    Ask(const SaveOperationValues& initial,
        const std::function<bool(const SaveOperationValues&)>& accept) override;
    /// The fields as they stand: the comment with CR LF line ends.
    SaveOperationValues Values() const;

    /// OK: the core's checks; a refusal keeps the dialog open on the name.
    void accept() override;

private:
    void LimitName(const QString& text);
    void LimitComment();

    ui::HelpViewer& m_help;
    QLineEdit* m_name;
    QComboBox* m_userTool;
    QPlainTextEdit* m_comment;
    QString m_nameBefore;
    QString m_commentBefore;
    std::function<bool(const SaveOperationValues&)> m_accept;
    SaveOperationValues m_accepted;
};

} // namespace nelvix::qt
