// The find dialog.
#include "qt/dialogs/find_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "find/find_history.h"
#include "qt/platform/convert.h"

namespace nelvix::qt {
namespace {

QCheckBox* CheckBox(const char* objectName, const QString& label, QWidget* parent) {
    auto* box = new QCheckBox(label, parent);
    box->setObjectName(QString::fromUtf8(objectName));
    return box;
}

} // namespace

FindDialog::FindDialog(FindDialogModel& model, const FindHistory& history,
                       std::function<FindTarget*()> activeTarget, QWidget* parent)
    : QDialog(parent), m_model(model), m_history(history), m_activeTarget(std::move(activeTarget)),
      m_findString(new QComboBox(this)),
      m_matchCase(CheckBox("matchCase", QStringLiteral("大文字と小文字を区別する"), this)),
      m_up(new QRadioButton(QStringLiteral("上へ向って"), this)),
      m_down(new QRadioButton(QStringLiteral("下へ向って"), this)),
      m_regularExpression(
          CheckBox("regularExpression", QStringLiteral("正規表現を使用する"), this)),
      m_widthSensitive(CheckBox("widthSensitive", QStringLiteral("半角と全角を区別する"), this)),
      m_findNext(new QPushButton(QStringLiteral("次を検索"), this)) {
    setWindowTitle(QStringLiteral("文字列の検索"));
    setModal(false);

    m_findString->setObjectName(QStringLiteral("findString"));
    m_findString->setEditable(true);
    m_findString->setInsertPolicy(QComboBox::NoInsert);
    m_findString->setMinimumContentsLength(28);
    m_up->setObjectName(QStringLiteral("up"));
    m_down->setObjectName(QStringLiteral("down"));
    m_findNext->setObjectName(QStringLiteral("findNext"));
    m_findNext->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cancel->setObjectName(QStringLiteral("cancel"));

    auto* direction = new QGroupBox(this);
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(m_up);
    directionLayout->addWidget(m_down);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("検索する文字列"), this), 0, 0);
    fields->addWidget(m_findString, 0, 1, 1, 2);
    fields->addWidget(m_matchCase, 1, 0, 1, 2);
    fields->addWidget(direction, 1, 2, 3, 1);
    fields->addWidget(m_regularExpression, 2, 0, 1, 2);
    fields->addWidget(m_widthSensitive, 3, 0, 1, 2);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_findNext);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    connect(m_findNext, &QPushButton::clicked, this, &FindDialog::FindNext);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_findString, &QComboBox::editTextChanged, this, &FindDialog::UpdateFindButton);
}

void FindDialog::OpenFind() {
    FindTarget* target = m_activeTarget();
    if (target != nullptr) {
        if (const auto fields = m_model.Open(*target))
            ShowFields(*fields);
    }
    if (!m_model.IsOpen())
        return;
    show();
    raise();
    activateWindow();
    m_findString->setFocus();
    m_findString->lineEdit()->selectAll();
}

FindDialogFields FindDialog::Fields() const {
    FindDialogFields fields;
    fields.findString = QStringToSjis(m_findString->currentText());
    fields.matchCase = m_matchCase->isChecked();
    fields.down = m_down->isChecked();
    fields.regularExpression = m_regularExpression->isChecked();
    fields.widthSensitive = m_widthSensitive->isChecked();
    return fields;
}

void FindDialog::FindNext() {
    FindTarget* target = m_activeTarget();
    if (target == nullptr) {
        QApplication::beep();
        return;
    }
    m_model.OnFindNext(*target, Fields());
    FillHistory();
}

void FindDialog::done(int result) {
    if (FindTarget* target = m_activeTarget())
        m_model.OnClose(*target);
    else
        m_model.OnCloseWithoutWindow();
    QDialog::done(result);
}

void FindDialog::ShowFields(const FindDialogFields& fields) {
    FillHistory();
    m_findString->setEditText(SjisToQString(fields.findString));
    m_matchCase->setChecked(fields.matchCase);
    m_down->setChecked(fields.down);
    m_up->setChecked(!fields.down);
    m_regularExpression->setChecked(fields.regularExpression);
    m_widthSensitive->setChecked(fields.widthSensitive);
    UpdateFindButton();
}

void FindDialog::FillHistory() {
    const QString text = m_findString->currentText();
    m_findString->clear();
    for (const std::string& entry : m_history.Entries())
        m_findString->addItem(SjisToQString(entry));
    m_findString->setEditText(text);
}

void FindDialog::UpdateFindButton() {
    m_findNext->setEnabled(!m_findString->currentText().isEmpty());
}

} // namespace nelvix::qt
