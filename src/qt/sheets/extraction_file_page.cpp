// The "ﾌｧｲﾙ" page of the global extraction sheet.
#include "qt/sheets/extraction_file_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/platform/convert.h"

namespace nelvix::qt {

CExtFilePage::CExtFilePage(ExtFilePageModel& model, QWidget* parent)
    : QWidget(parent), m_model(model), m_pattern(new QComboBox(this)),
      m_subdirectories(new QCheckBox(QStringLiteral("ｻﾌﾞﾃﾞｨﾚｸﾄﾘからも抽出する"), this)) {
    setObjectName(QStringLiteral("filePage"));
    m_pattern->setObjectName(QStringLiteral("pattern"));
    m_pattern->setEditable(true);
    m_pattern->setInsertPolicy(QComboBox::NoInsert);
    m_pattern->setMinimumContentsLength(40);
    m_subdirectories->setObjectName(QStringLiteral("subdirectories"));
    auto* browse = new QPushButton(QStringLiteral("参照..."), this);
    browse->setObjectName(QStringLiteral("browse"));
    browse->setAutoDefault(false);
    auto* label = new QLabel(QStringLiteral("ﾌｧｲﾙ名"), this);
    label->setBuddy(m_pattern);

    auto* patternRow = new QHBoxLayout;
    patternRow->addWidget(m_pattern, 1);
    patternRow->addWidget(browse);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(patternRow);
    layout->addWidget(m_subdirectories);
    layout->addStretch();

    connect(m_pattern, &QComboBox::editTextChanged, this, [this](const QString& text) {
        if (m_showing)
            return;
        m_model.EditPattern(QStringToSjisPath(text));
        emit Changed();
    });
    connect(m_subdirectories, &QCheckBox::clicked, this, [this](bool on) {
        m_model.SetSubdirectories(on);
        emit Changed();
    });
    connect(browse, &QPushButton::clicked, this, &CExtFilePage::Browse);
}

void CExtFilePage::Show() {
    m_showing = true;
    m_pattern->clear();
    for (const std::string& pattern : m_model.History())
        m_pattern->addItem(SjisPathToQString(pattern));
    m_pattern->setEditText(SjisPathToQString(m_model.Pattern()));
    m_subdirectories->setChecked(m_model.Subdirectories());
    m_showing = false;
}

void CExtFilePage::SelectPattern() {
    m_pattern->setFocus();
    m_pattern->lineEdit()->selectAll();
}

void CExtFilePage::Browse() {
    const QFileInfo current(SjisPathToQString(m_model.Pattern()));
    QFileDialog dialog(this, QStringLiteral("参照"), current.absolutePath(),
                       QStringLiteral("すべてのﾌｧｲﾙ(*.*) (*)"));
    dialog.setObjectName(QStringLiteral("browseDialog"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    m_model.Browsed(QStringToSjisPath(dialog.selectedFiles().front()));
    m_showing = true;
    m_pattern->setEditText(SjisPathToQString(m_model.Pattern()));
    m_showing = false;
    SelectPattern();
    emit Changed();
}

} // namespace nelvix::qt
