// The "ｽﾃｯﾌﾟ2" page of the extraction sheet.
#include "qt/sheets/extraction_step2_page.h"

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

#include "qt/platform/convert.h"
#include "qt/sheets/extraction_rule_list_view.h"
#include "qt/sheets/extraction_rule_page_edits.h"
#include "qt/sheets/number_field.h"

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

    auto* fields = new QGridLayout;
    fields->addWidget(BuddyLabel(QStringLiteral("文字列"), m_text, this), 0, 0);
    fields->addWidget(m_text, 0, 1);
    fields->addWidget(BuddyLabel(QStringLiteral("位置"), m_position->Edit(), this), 1, 0);
    fields->addWidget(m_position, 1, 1);
    auto* lists = new QGridLayout;
    lists->addWidget(m_startLabel, 0, 0);
    lists->addWidget(m_endLabel, 0, 1);
    lists->addWidget(m_startList, 1, 0);
    lists->addWidget(m_endList, 1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ProcessGroup(m_process, this));
    layout->addLayout(fields);
    layout->addLayout(lists);
    layout->addLayout(ButtonRow(add, remove));

    for (QListWidget* list : {m_startList, m_endList})
        list->installEventFilter(this);
    ConnectRulePageEdits(this, m_model, {m_process, m_text, m_position, add, remove});
    connect(m_startList, &QListWidget::itemSelectionChanged, this,
            [this] { ListSelectionChanged(ExtBlockList::Start); });
    connect(m_endList, &QListWidget::itemSelectionChanged, this,
            [this] { ListSelectionChanged(ExtBlockList::End); });
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

} // namespace nelvix::qt
