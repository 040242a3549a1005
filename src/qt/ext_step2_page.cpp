// The "ｽﾃｯﾌﾟ2" page of the extraction sheet.
#include "qt/ext_step2_page.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/convert.h"
#include "qt/ext_number_field.h"
#include "qt/ext_rule_list_view.h"

namespace nelvix::qt {

CExtStep2Page::CExtStep2Page(ExtStep2PageModel& model, ui::Beeper& beeper, const SpinLibrary* spin,
                             QWidget* parent)
    : QWidget(parent), m_model(model), m_process(new QButtonGroup(this)),
      m_text(new QLineEdit(this)), m_startLabel(new QLabel(this)), m_endLabel(new QLabel(this)),
      m_startList(RuleListWidget("startList", this)), m_endList(RuleListWidget("endList", this)),
      m_position(new ExtNumberField(beeper, spin, true, QStringLiteral("position"), this)) {
    setObjectName(QStringLiteral("step2Page"));
    m_text->setObjectName(QStringLiteral("text"));
    m_startLabel->setObjectName(QStringLiteral("startLabel"));
    m_startLabel->setBuddy(m_startList);
    m_endLabel->setObjectName(QStringLiteral("endLabel"));
    m_endLabel->setBuddy(m_endList);
    QPushButton* add = PageButton("add", QStringLiteral("追加"), this);
    QPushButton* remove = PageButton("delete", QStringLiteral("削除"), this);

    auto* textLabel = new QLabel(QStringLiteral("文字列"), this);
    textLabel->setBuddy(m_text);
    auto* positionLabel = new QLabel(QStringLiteral("位置"), this);
    positionLabel->setBuddy(m_position->Edit());

    auto* fields = new QGridLayout;
    fields->addWidget(textLabel, 0, 0);
    fields->addWidget(m_text, 0, 1);
    fields->addWidget(positionLabel, 1, 0);
    fields->addWidget(m_position, 1, 1);
    auto* lists = new QGridLayout;
    lists->addWidget(m_startLabel, 0, 0);
    lists->addWidget(m_endLabel, 0, 1);
    lists->addWidget(m_startList, 1, 0);
    lists->addWidget(m_endList, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(add);
    buttons->addWidget(remove);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ProcessGroup(m_process, this));
    layout->addLayout(fields);
    layout->addLayout(lists);
    layout->addLayout(buttons);

    for (QListWidget* list : {m_startList, m_endList})
        list->installEventFilter(this);
    connect(m_process, &QButtonGroup::idClicked, this, [this](int index) {
        m_model.SetProcess(index);
        Show();
        emit Changed();
    });
    connect(m_text, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_model.EditText(QStringToSjis(text)); });
    connect(m_position, &ExtNumberField::Edited, this,
            [this] { m_model.EditPosition(m_position->Text()); });
    connect(m_startList, &QListWidget::itemSelectionChanged, this,
            [this] { ListSelectionChanged(ExtBlockList::Start); });
    connect(m_endList, &QListWidget::itemSelectionChanged, this,
            [this] { ListSelectionChanged(ExtBlockList::End); });
    connect(add, &QPushButton::clicked, this, &CExtStep2Page::Add);
    connect(remove, &QPushButton::clicked, this, &CExtStep2Page::Delete);
}

void CExtStep2Page::Show() {
    m_showing = true;
    if (QAbstractButton* button = m_process->button(m_model.Process()))
        button->setChecked(true);
    const std::optional<ExtBlockSelection> selection = m_model.Selection();
    for (ExtBlockList list : {ExtBlockList::Start, ExtBlockList::End}) {
        std::optional<std::size_t> row;
        if (selection && selection->list == list)
            row = selection->index;
        ShowRuleList(ListWidget(list), m_model.List(list), row);
    }
    m_startLabel->setText(SjisToQString(m_model.ListLabel(ExtBlockList::Start)));
    m_endLabel->setText(SjisToQString(m_model.ListLabel(ExtBlockList::End)));
    m_text->setText(SjisToQString(m_model.Edits().text));
    m_position->SetText(m_model.Edits().position);
    m_showing = false;
}

void CExtStep2Page::SelectField(ExtField field) {
    if (field == ExtField::Text) {
        m_text->setFocus();
        m_text->selectAll();
    } else if (field == ExtField::Position) {
        m_position->SelectAll();
    }
}

void CExtStep2Page::FollowSpinLibrary() {
    m_position->FollowLibrary();
}

bool CExtStep2Page::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && (watched == m_startList || watched == m_endList)) {
        m_model.FocusList(watched == m_startList ? ExtBlockList::Start : ExtBlockList::End);
        Show();
    }
    return QWidget::eventFilter(watched, event);
}

void CExtStep2Page::ListSelectionChanged(ExtBlockList list) {
    if (m_showing)
        return;
    m_model.SelectEntry(list, SelectedRow(ListWidget(list)));
    Show();
}

void CExtStep2Page::Add() {
    const ExtCheck check = m_model.Add();
    if (!check.ok) {
        SelectField(check.select);
        return;
    }
    Show();
    emit Changed();
}

void CExtStep2Page::Delete() {
    if (!m_model.Delete())
        return;
    Show();
    emit Changed();
}

} // namespace nelvix::qt
