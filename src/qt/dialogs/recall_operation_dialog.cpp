// The recall dialog of the recorded operation, and the wait cursor of a replay.
#include "qt/dialogs/recall_operation_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "commands/recall_operation_list.h"
#include "qt/platform/convert.h"
#include "record/operation_recorder.h"

namespace nelvix::qt {
namespace {

QPushButton* AddButton(QVBoxLayout* column, const QString& label, const char* objectName) {
    auto* button = new QPushButton(label);
    button->setObjectName(QString::fromUtf8(objectName));
    button->setAutoDefault(false);
    column->addWidget(button);
    return button;
}

} // namespace

QtRecallOperationDialog::QtRecallOperationDialog(ui::HelpViewer& help, QWidget* parent)
    : QDialog(parent), m_help(help), m_name(new QComboBox(this)), m_comment(new QLabel(this)) {
    setWindowTitle(QStringLiteral("操作の呼出し"));
    m_name->setObjectName(QStringLiteral("name"));
    m_name->setEditable(true);
    m_name->setInsertPolicy(QComboBox::NoInsert);
    m_name->setMinimumContentsLength(32);
    m_comment->setObjectName(QStringLiteral("comment"));
    m_comment->setFrameShape(QFrame::StyledPanel);
    m_comment->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_comment->setWordWrap(true);
    m_comment->setTextFormat(Qt::PlainText);
    m_comment->setMinimumHeight(m_comment->fontMetrics().lineSpacing() * 4 + 8);

    // OK and cancel first, as in every dialog of the program, then the dialog's own actions.
    auto* buttons = new QVBoxLayout;
    m_ok = AddButton(buttons, QStringLiteral("OK"), "ok");
    m_ok->setDefault(true);
    QPushButton* cancel = AddButton(buttons, QStringLiteral("ｷｬﾝｾﾙ"), "cancel");
    m_replay = AddButton(buttons, QStringLiteral("再生"), "replay");
    QPushButton* deleteButton = AddButton(buttons, QStringLiteral("削除"), "delete");
    QPushButton* helpButton = AddButton(buttons, QStringLiteral("ﾍﾙﾌﾟ"), "help");
    buttons->addStretch();

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("ﾌｧｲﾙ名"), this), 0, 0);
    fields->addWidget(m_name, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("ｺﾒﾝﾄ："), this), 1, 0, Qt::AlignTop);
    fields->addWidget(m_comment, 1, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, [this] { Close(RecallAction::Load); });
    connect(m_replay, &QPushButton::clicked, this, [this] { Close(RecallAction::Replay); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(deleteButton, &QPushButton::clicked, this, &QtRecallOperationDialog::Delete);
    connect(helpButton, &QPushButton::clicked, this,
            [this] { m_help.ShowTopic(kCmdRecallOperation); });
    connect(m_name, &QComboBox::currentTextChanged, this, &QtRecallOperationDialog::ShowComment);
}

RecallChoice QtRecallOperationDialog::Ask(RecallOperationList& list) {
    m_list = &list;
    m_choice = {};
    m_ok->setText(QStringLiteral("OK"));
    m_replay->setEnabled(true);
    m_name->clear();
    for (const std::string& name : list.Names())
        m_name->addItem(SjisPathToQString(name));
    const QString initial = SjisPathToQString(list.InitialName());
    m_name->setCurrentIndex(m_name->findText(initial));
    m_name->setEditText(initial);
    ShowComment();
    m_name->setFocus();
    exec();
    m_list = nullptr;
    return m_choice;
}

void QtRecallOperationDialog::Close(RecallAction action) {
    // After a deletion the OK button reads "閉じる" and closes without loading anything.
    if (m_list != nullptr && m_list->AnyDeleted())
        action = RecallAction::Close;
    m_choice = {action, QStringToSjisPath(m_name->currentText())};
    accept();
}

void QtRecallOperationDialog::ShowComment() {
    if (m_list == nullptr)
        return;
    m_comment->setText(
        DocumentTextToQString(m_list->CommentOf(QStringToSjisPath(m_name->currentText()))));
}

void QtRecallOperationDialog::Delete() {
    if (m_list == nullptr)
        return;
    const QString name = m_name->currentText();
    if (!m_list->Delete(QStringToSjisPath(name)))
        return;
    m_name->removeItem(m_name->findText(name));
    m_name->setCurrentIndex(-1);
    m_name->setEditText(QString());
    m_ok->setText(QStringLiteral("閉じる"));
    m_replay->setEnabled(false);
    ShowComment();
}

void QtWaitCursor::Begin() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtWaitCursor::End() {
    QApplication::restoreOverrideCursor();
}

} // namespace nelvix::qt
