// The HTML search dialog.
#include "qt/dialogs/html_search_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>

#include "commands/global_find_checks.h"
#include "frame/frame_commands.h"
#include "qt/dialogs/check_box.h"
#include "qt/dialogs/file_search_fields.h"
#include "qt/dialogs/ok_cancel_help_buttons.h"

namespace nelvix::qt {
namespace {

/// The group "対象" with its three buttons, numbered as the targets.
QGroupBox* TargetGroup(QButtonGroup* targets, QWidget* parent) {
    auto* group = new QGroupBox(QStringLiteral("対象"), parent);
    auto* layout = new QHBoxLayout(group);
    const struct {
        const char* objectName;
        QString label;
        HtmlTarget target;
    } buttons[] = {{"targetString", QStringLiteral("文字列"), HtmlTarget::String},
                   {"targetTitle", QStringLiteral("ﾀｲﾄﾙ"), HtmlTarget::Title},
                   {"targetLink", QStringLiteral("ﾘﾝｸ"), HtmlTarget::Link}};
    for (const auto& button : buttons) {
        auto* radio = new QRadioButton(button.label, group);
        radio->setObjectName(QString::fromUtf8(button.objectName));
        targets->addButton(radio, static_cast<int>(button.target));
        layout->addWidget(radio);
    }
    layout->addStretch();
    return group;
}

} // namespace

QtHtmlSearchDialog::QtHtmlSearchDialog(ui::Platform& platform, ui::HelpViewer& help,
                                       QWidget* parent)
    : QDialog(parent), m_platform(platform), m_fields(new FileSearchFields(this)),
      m_subdirectories(CheckBox("subdirectories", QStringLiteral("ｻﾌﾞﾃﾞｨﾚｸﾄﾘも検索する"), this)),
      m_targets(new QButtonGroup(this)) {
    setWindowTitle(QStringLiteral("ＨＴＭＬ検索"));
    auto* fields = new QGridLayout;
    int row = m_fields->AddTo(fields);
    QDialogButtonBox* buttons = OkCancelHelpButtons(this, help, kCmdHtmlSearch);
    fields->addWidget(m_subdirectories, row++, 0, 1, 3);
    fields->addWidget(TargetGroup(m_targets, this), row, 0, 1, 3);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);

    connect(m_targets, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            EnableStringFields();
    });
    SetTarget(HtmlTarget::String);
}

std::optional<HtmlSearchValues>
QtHtmlSearchDialog::Ask(const HtmlSearchValues& initial,
                        const std::vector<std::string>& patternHistory,
                        const std::vector<std::string>& specHistory) {
    m_fields->Show(initial, patternHistory, specHistory);
    m_subdirectories->setChecked(initial.subdirectories);
    SetTarget(initial.target);
    m_fields->Focus(HtmlStringFieldsEnabled(initial.target) ? GlobalFindField::Pattern
                                                            : GlobalFindField::FileBox);
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return m_accepted;
}

HtmlTarget QtHtmlSearchDialog::Target() const {
    switch (m_targets->checkedId()) {
    case static_cast<int>(HtmlTarget::Title):
        return HtmlTarget::Title;
    case static_cast<int>(HtmlTarget::Link):
        return HtmlTarget::Link;
    default:
        return HtmlTarget::String;
    }
}

HtmlSearchValues QtHtmlSearchDialog::Values() const {
    HtmlSearchValues values;
    m_fields->Read(values);
    values.subdirectories = m_subdirectories->isChecked();
    values.target = Target();
    return values;
}

void QtHtmlSearchDialog::ChangeDirectory(const QString& directory) {
    m_fields->ChangeDirectory(directory);
}

QString QtHtmlSearchDialog::CurrentDirectory() const {
    return m_fields->CurrentDirectory();
}

void QtHtmlSearchDialog::accept() {
    const HtmlSearchValues values = Values();
    const GlobalFindCheck check = CheckHtmlSearchValues(values);
    if (!check.ok) {
        m_fields->Refuse(check, m_platform);
        return;
    }
    m_accepted = values;
    QDialog::accept();
}

void QtHtmlSearchDialog::SetTarget(HtmlTarget target) {
    if (QAbstractButton* button = m_targets->button(static_cast<int>(target)))
        button->setChecked(true);
    EnableStringFields();
}

void QtHtmlSearchDialog::EnableStringFields() {
    m_fields->EnableStringFields(HtmlStringFieldsEnabled(Target()));
}

} // namespace nelvix::qt
