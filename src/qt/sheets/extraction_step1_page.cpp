// The "ｽﾃｯﾌﾟ1" page of the extraction sheet.
#include "qt/sheets/extraction_step1_page.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "qt/platform/convert.h"
#include "qt/sheets/extraction_rule_list_view.h"
#include "qt/sheets/extraction_rule_page_edits.h"
#include "qt/sheets/number_field.h"

namespace nelvix::qt {

CExtStep1Page::CExtStep1Page(ExtStep1PageModel& model, ui::Beeper& beeper, const SpinLibrary* spin,
                             QWidget* parent)
    : QWidget(parent), m_model(model), m_process(new QButtonGroup(this)),
      m_text(new QLineEdit(this)), m_listLabel(new QLabel(this)),
      m_list(RuleListWidget("list", this)),
      m_position(new ExtNumberField(beeper, spin, true, QStringLiteral("position"), this)),
      m_count(new ExtNumberField(beeper, spin, false, QStringLiteral("count"), this)) {
    setObjectName(QStringLiteral("step1Page"));
    m_text->setObjectName(QStringLiteral("text"));
    m_listLabel->setObjectName(QStringLiteral("listLabel"));
    m_listLabel->setBuddy(m_list);
    QPushButton* add = PageButton("add", QStringLiteral("追加"), this);
    QPushButton* remove = PageButton("delete", QStringLiteral("削除"), this);

    auto* fields = new QGridLayout;
    fields->addWidget(BuddyLabel(QStringLiteral("文字列"), m_text, this), 0, 0);
    fields->addWidget(m_text, 0, 1, 1, 3);
    fields->addWidget(BuddyLabel(QStringLiteral("位置"), m_position->Edit(), this), 1, 0);
    fields->addWidget(m_position, 1, 1);
    fields->addWidget(BuddyLabel(QStringLiteral("行数"), m_count->Edit(), this), 1, 2);
    fields->addWidget(m_count, 1, 3);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ProcessGroup(m_process, this));
    layout->addLayout(fields);
    layout->addWidget(m_listLabel);
    layout->addWidget(m_list);
    layout->addLayout(ButtonRow(add, remove));

    ConnectRulePageEdits(this, m_model, {m_process, m_text, m_position, add, remove});
    connect(m_count, &ExtNumberField::Edited, this, [this] { m_model.EditCount(m_count->Text()); });
    connect(m_list, &QListWidget::itemSelectionChanged, this, &CExtStep1Page::ListSelectionChanged);
}

void CExtStep1Page::Show() {
    m_showing = true;
    if (QAbstractButton* button = m_process->button(m_model.Process()))
        button->setChecked(true);
    m_listLabel->setText(SjisToQString(m_model.ListLabel()));
    ShowRuleList(m_list, m_model.List(), m_model.Selection());
    const ExtEntryEdits& edits = m_model.Edits();
    m_text->setText(SjisToQString(edits.text));
    m_position->SetText(edits.position);
    m_count->SetText(edits.count);
    m_showing = false;
}

void CExtStep1Page::SelectField(ExtField field) {
    if (field == ExtField::Text) {
        m_text->setFocus();
        m_text->selectAll();
    } else if (field == ExtField::Position) {
        m_position->SelectAll();
    } else if (field == ExtField::Count) {
        m_count->SelectAll();
    }
}

void CExtStep1Page::FollowSpinLibrary() {
    m_position->FollowLibrary();
    m_count->FollowLibrary();
}

void CExtStep1Page::ListSelectionChanged() {
    if (m_showing)
        return;
    m_model.SelectEntry(SelectedRow(m_list));
    Show();
}

} // namespace nelvix::qt
