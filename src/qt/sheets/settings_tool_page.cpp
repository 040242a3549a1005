// The settings sheet's editor and browser pages.
#include "qt/sheets/settings_tool_page.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/dialogs/open_file_dialog.h"
#include "qt/platform/convert.h"
#include "ui/message_ids.h"
#include "ui/message_table.h"

namespace nelvix::qt {

CToolPage::CToolPage(SetToolPageModel& model, const QString& label, QWidget* parent)
    : QWidget(parent), m_model(model), m_program(new QComboBox(this)),
      m_parameters(new QLineEdit(this)), m_directory(new QLineEdit(this)) {
    m_program->setObjectName(QStringLiteral("program"));
    m_program->setEditable(true);
    m_program->setInsertPolicy(QComboBox::NoInsert);
    m_program->setMinimumContentsLength(40);
    m_parameters->setObjectName(QStringLiteral("parameters"));
    m_directory->setObjectName(QStringLiteral("directory"));
    auto* browse = new QPushButton(QStringLiteral("参照"), this);
    browse->setObjectName(QStringLiteral("browse"));
    browse->setAutoDefault(false);

    auto* programRow = new QHBoxLayout;
    programRow->addWidget(m_program, 1);
    programRow->addWidget(browse);
    auto* form = new QFormLayout;
    form->addRow(label, programRow);
    form->addRow(QStringLiteral("ﾊﾟﾗﾒｰﾀ"), m_parameters);
    form->addRow(QStringLiteral("実行時ﾃﾞｨﾚｸﾄﾘ"), m_directory);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();

    connect(m_program, &QComboBox::activated, this, [this](int index) {
        if (index < 0)
            return;
        m_model.Choose(static_cast<std::size_t>(index));
        ShowFields();
    });
    connect(browse, &QPushButton::clicked, this, &CToolPage::Browse);
}

void CToolPage::Show() {
    m_program->clear();
    for (const ToolEntry& entry : m_model.List())
        m_program->addItem(SjisPathToQString(entry.program));
    ShowFields();
}

void CToolPage::ShowFields() {
    const ToolEntry& fields = m_model.Fields();
    m_program->setEditText(SjisPathToQString(fields.program));
    m_parameters->setText(SjisToQString(fields.parameters));
    m_directory->setText(SjisPathToQString(fields.workingDirectory));
    m_program->lineEdit()->selectAll();
}

void CToolPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    m_program->setFocus();
    m_program->lineEdit()->selectAll();
}

void CToolPage::Take() {
    ToolEntry& fields = m_model.Fields();
    fields.program = QStringToSjisPath(m_program->currentText());
    fields.parameters = QStringToSjis(m_parameters->text());
    fields.workingDirectory = QStringToSjisPath(m_directory->text());
}

void CToolPage::Focus(SetField field, bool selectAll) {
    QLineEdit* edit = field == SetField::Parameters  ? m_parameters
                      : field == SetField::Directory ? m_directory
                                                     : m_program->lineEdit();
    edit->setFocus();
    if (selectAll)
        edit->selectAll();
}

void CToolPage::Browse() {
    Take();
    const QFileInfo current(SjisPathToQString(m_model.Fields().program));
    QFileDialog dialog(this, MessageQString(ui::kMsgBrowseTitle), current.absolutePath());
    dialog.setObjectName(QStringLiteral("browseDialog"));
    dialog.setNameFilters(OpenNameFilters(ui::MessageTextUtf8(ui::kMsgProgramFilter)));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    m_model.Browsed(QStringToSjisPath(dialog.selectedFiles().front()));
    ShowFields();
    m_program->setFocus();
}

CEditorPage::CEditorPage(SetToolPageModel& model, QWidget* parent)
    : CToolPage(model, QStringLiteral("ｴﾃﾞｨﾀ"), parent) {
    setObjectName(QStringLiteral("editorPage"));
}

CBrowserPage::CBrowserPage(SetToolPageModel& model, QWidget* parent)
    : CToolPage(model, QStringLiteral("ﾌﾞﾗｳｻﾞ"), parent) {
    setObjectName(QStringLiteral("browserPage"));
}

} // namespace nelvix::qt
