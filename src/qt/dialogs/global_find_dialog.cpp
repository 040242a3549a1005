// The global find dialog.
#include "qt/dialogs/global_find_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>

#include "commands/global_find_checks.h"
#include "qt/dialogs/check_box.h"
#include "qt/dialogs/file_search_fields.h"
#include "qt/dialogs/ok_cancel_help_buttons.h"
#include "record/command_table.h"

namespace nelvix::qt {

QtGlobalFindDialog::QtGlobalFindDialog(ui::Platform& platform, ui::HelpViewer& help,
                                       QWidget* parent)
    : QDialog(parent), m_platform(platform), m_fields(new FileSearchFields(this)),
      m_nonTextFiles(CheckBox("nonTextFiles", QStringLiteral("非ﾃｷｽﾄﾌｧｲﾙも検索する"), this)),
      m_subdirectories(CheckBox("subdirectories", QStringLiteral("ｻﾌﾞﾃﾞｨﾚｸﾄﾘも検索する"), this)),
      m_record(CheckBox("record", QStringLiteral("操作を記録する"), this)) {
    setWindowTitle(QStringLiteral("グローバル検索"));
    auto* fields = new QGridLayout;
    int row = m_fields->AddTo(fields);

    QDialogButtonBox* buttons = OkCancelHelpButtons(this, help, kCmdGlobalFind);
    for (QCheckBox* box : {m_nonTextFiles, m_subdirectories, m_record})
        fields->addWidget(box, row++, 0, 1, 3);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
}

std::optional<ui::GlobalFindValues>
QtGlobalFindDialog::Ask(const ui::GlobalFindValues& initial,
                        const std::vector<std::string>& patternHistory,
                        const std::vector<std::string>& specHistory) {
    m_fields->Show(initial, patternHistory, specHistory);
    m_nonTextFiles->setChecked(initial.nonTextFiles);
    m_subdirectories->setChecked(initial.subdirectories);
    m_record->setChecked(initial.record);
    m_fields->Focus(GlobalFindField::Pattern);
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return m_accepted;
}

ui::GlobalFindValues QtGlobalFindDialog::Values() const {
    ui::GlobalFindValues values;
    m_fields->Read(values);
    values.nonTextFiles = m_nonTextFiles->isChecked();
    values.subdirectories = m_subdirectories->isChecked();
    values.record = m_record->isChecked();
    return values;
}

void QtGlobalFindDialog::ChangeDirectory(const QString& directory) {
    m_fields->ChangeDirectory(directory);
}

QString QtGlobalFindDialog::CurrentDirectory() const {
    return m_fields->CurrentDirectory();
}

void QtGlobalFindDialog::accept() {
    const ui::GlobalFindValues values = Values();
    const GlobalFindCheck check = CheckGlobalFindValues(values);
    if (!check.ok) {
        m_fields->Refuse(check, m_platform);
        return;
    }
    m_accepted = values;
    QDialog::accept();
}

} // namespace nelvix::qt
