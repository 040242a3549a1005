// The save dialog of the recorded operation.
#include "qt/dialogs/save_operation_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextCursor>

#include "qt/dialogs/field_byte_limit.h"
#include "qt/platform/convert.h"
#include "record/macro_file.h"
#include "record/operation_recorder.h"

namespace nelvix::qt {
namespace {

/// The comment as the core holds it: Shift-JIS with CR LF line ends.
std::string CommentBytes(const QString& text) {
    QString lines = text;
    lines.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return QStringToSjis(lines);
}

QPushButton* AddButton(QDialogButtonBox* box, const QString& label,
                       QDialogButtonBox::ButtonRole role, const char* objectName) {
    QPushButton* button = box->addButton(label, role);
    button->setObjectName(QString::fromUtf8(objectName));
    return button;
}

} // namespace

QtSaveOperationDialog::QtSaveOperationDialog(ui::HelpViewer& help, QWidget* parent)
    : QDialog(parent), m_help(help), m_name(new QLineEdit(this)), m_userTool(new QComboBox(this)),
      m_comment(new QPlainTextEdit(this)) {
    setWindowTitle(QStringLiteral("操作の保存"));
    m_name->setObjectName(QStringLiteral("name"));
    m_userTool->setObjectName(QStringLiteral("userTool"));
    m_userTool->addItem(QStringLiteral("使用しない"));
    for (std::size_t slot = 1; slot <= kUserToolSlots; ++slot)
        m_userTool->addItem(QString::number(slot));
    m_comment->setObjectName(QStringLiteral("comment"));
    m_comment->setTabChangesFocus(true);
    m_comment->setFixedHeight(m_comment->fontMetrics().lineSpacing() * 4 + 12);

    auto* buttons = new QDialogButtonBox(Qt::Vertical, this);
    AddButton(buttons, QStringLiteral("OK"), QDialogButtonBox::AcceptRole, "ok")->setDefault(true);
    AddButton(buttons, QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole, "cancel");
    QPushButton* helpButton =
        AddButton(buttons, QStringLiteral("ﾍﾙﾌﾟ"), QDialogButtonBox::HelpRole, "help");

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("保存するﾌｧｲﾙ名"), this), 0, 0);
    fields->addWidget(m_name, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("使用するﾕｰｻﾞﾂｰﾙ"), this), 1, 0);
    fields->addWidget(m_userTool, 1, 1, Qt::AlignLeft);
    fields->addWidget(new QLabel(QStringLiteral("ｺﾒﾝﾄ"), this), 2, 0, Qt::AlignTop);
    fields->addWidget(m_comment, 2, 1);
    fields->setColumnMinimumWidth(1, m_name->fontMetrics().averageCharWidth() * 40);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(helpButton, &QPushButton::clicked, this,
            [this] { m_help.ShowTopic(kCmdSaveOperation); });
    connect(m_name, &QLineEdit::textChanged, this, &QtSaveOperationDialog::LimitName);
    connect(m_comment, &QPlainTextEdit::textChanged, this, &QtSaveOperationDialog::LimitComment);
}

std::optional<SaveOperationValues>
QtSaveOperationDialog::Ask(const SaveOperationValues& initial,
                           const std::function<bool(const SaveOperationValues&)>& accept) {
    m_accept = accept;
    m_name->setText(SjisPathToQString(initial.name));
    m_userTool->setCurrentIndex(initial.userTool);
    m_commentBefore = DocumentTextToQString(initial.comment);
    {
        const QSignalBlocker blocker(m_comment);
        m_comment->setPlainText(m_commentBefore);
    }
    m_name->setFocus();
    m_name->selectAll();
    const bool accepted = exec() == QDialog::Accepted;
    m_accept = nullptr;
    if (!accepted)
        return std::nullopt;
    return m_accepted;
}

SaveOperationValues QtSaveOperationDialog::Values() const {
    SaveOperationValues values;
    values.name = QStringToSjisPath(m_name->text());
    values.userTool = m_userTool->currentIndex();
    values.comment = CommentBytes(m_comment->toPlainText());
    return values;
}

void QtSaveOperationDialog::accept() {
    const SaveOperationValues values = Values();
    if (m_accept && !m_accept(values)) {
        m_name->setFocus();
        m_name->selectAll();
        return;
    }
    m_accepted = values;
    QDialog::accept();
}

void QtSaveOperationDialog::LimitName(const QString& text) {
    const FittedText fitted =
        FitToBytes(m_nameBefore, text, kMaxPathBytes,
                   [](const QString& name) { return QStringToSjisPath(name).size(); });
    m_nameBefore = fitted.text;
    if (fitted.text == text)
        return;
    const QSignalBlocker blocker(m_name);
    m_name->setText(fitted.text);
    m_name->setCursorPosition(fitted.cursor);
}

void QtSaveOperationDialog::LimitComment() {
    const QString text = m_comment->toPlainText();
    const FittedText fitted =
        FitToBytes(m_commentBefore, text, kMacroCommentMaxBytes,
                   [](const QString& comment) { return CommentBytes(comment).size(); });
    m_commentBefore = fitted.text;
    if (fitted.text == text)
        return;
    const QSignalBlocker blocker(m_comment);
    m_comment->setPlainText(fitted.text);
    QTextCursor cursor = m_comment->textCursor();
    cursor.setPosition(fitted.cursor);
    m_comment->setTextCursor(cursor);
}

} // namespace nelvix::qt
