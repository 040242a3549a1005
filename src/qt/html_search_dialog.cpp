// The HTML search dialog.
#include "qt/html_search_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/frame_commands.h"
#include "app/global_find_checks.h"
#include "qt/convert.h"
#include "ui/messages.h"

namespace nelvix::qt {
namespace {

QComboBox* HistoryBox(const char* objectName, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromUtf8(objectName));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumContentsLength(40);
    return box;
}

QCheckBox* CheckBox(const char* objectName, const QString& label, QWidget* parent) {
    auto* box = new QCheckBox(label, parent);
    box->setObjectName(QString::fromUtf8(objectName));
    return box;
}

void FillBox(QComboBox* box, const std::vector<std::string>& entries, const std::string& text,
             bool paths) {
    box->clear();
    for (const std::string& entry : entries)
        box->addItem(paths ? SjisPathToQString(entry) : SjisToQString(entry));
    box->setEditText(paths ? SjisPathToQString(text) : SjisToQString(text));
}

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

HtmlSearchDialog::HtmlSearchDialog(ui::Platform& platform, ui::HelpViewer& help, QWidget* parent)
    : QDialog(parent), m_platform(platform), m_help(help), m_pattern(HistoryBox("pattern", this)),
      m_fileBox(HistoryBox("fileBox", this)), m_directoryLabel(new QLabel(this)),
      m_directories(new QListWidget(this)),
      m_caseSensitive(CheckBox("caseSensitive", QStringLiteral("大文字と小文字を区別する"), this)),
      m_regularExpression(
          CheckBox("regularExpression", QStringLiteral("正規表現を使用する"), this)),
      m_widthSensitive(CheckBox("widthSensitive", QStringLiteral("半角と全角を区別する"), this)),
      m_subdirectories(CheckBox("subdirectories", QStringLiteral("ｻﾌﾞﾃﾞｨﾚｸﾄﾘも検索する"), this)),
      m_targets(new QButtonGroup(this)) {
    setWindowTitle(QStringLiteral("ＨＴＭＬ検索"));
    m_directoryLabel->setObjectName(QStringLiteral("currentDirectory"));
    m_directoryLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_directories->setObjectName(QStringLiteral("directories"));
    m_directories->installEventFilter(this);
    auto* browse = new QPushButton(QStringLiteral("参照..."), this);
    browse->setObjectName(QStringLiteral("browse"));

    auto* buttons = new QDialogButtonBox(Qt::Vertical, this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("cancel"));
    QPushButton* helpButton =
        buttons->addButton(QStringLiteral("ﾍﾙﾌﾟ"), QDialogButtonBox::HelpRole);
    helpButton->setObjectName(QStringLiteral("help"));

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("検索する文字列"), this), 0, 0);
    fields->addWidget(m_pattern, 0, 1, 1, 2);
    fields->addWidget(new QLabel(QStringLiteral("検索するﾌｧｲﾙ"), this), 1, 0);
    fields->addWidget(m_fileBox, 1, 1, 1, 2);
    fields->addWidget(m_directoryLabel, 2, 0, 1, 2);
    fields->addWidget(browse, 2, 2);
    fields->addWidget(m_directories, 3, 0, 1, 3);
    int row = 4;
    for (QCheckBox* box :
         {m_caseSensitive, m_regularExpression, m_widthSensitive, m_subdirectories})
        fields->addWidget(box, row++, 0, 1, 3);
    fields->addWidget(TargetGroup(m_targets, this), row, 0, 1, 3);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(helpButton, &QPushButton::clicked, this, [this] { m_help.ShowTopic(kCmdHtmlSearch); });
    connect(browse, &QPushButton::clicked, this, &HtmlSearchDialog::Browse);
    connect(m_directories, &QListWidget::itemActivated, this,
            &HtmlSearchDialog::EnterListedDirectory);
    connect(m_targets, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            EnableStringFields();
    });
    SetTarget(HtmlTarget::String);
}

std::optional<HtmlSearchValues>
HtmlSearchDialog::Ask(const HtmlSearchValues& initial,
                      const std::vector<std::string>& patternHistory,
                      const std::vector<std::string>& specHistory) {
    FillBox(m_pattern, patternHistory, initial.pattern, false);
    FillBox(m_fileBox, specHistory, initial.fileBox, true);
    const QString directory = SjisPathToQString(initial.currentDirectory);
    ShowDirectory(!directory.isEmpty() && QDir(directory).exists() ? directory
                                                                   : QDir::currentPath());
    m_caseSensitive->setChecked(initial.caseSensitive);
    m_regularExpression->setChecked(initial.regularExpression);
    m_widthSensitive->setChecked(initial.widthSensitive);
    m_subdirectories->setChecked(initial.subdirectories);
    SetTarget(initial.target);
    FocusBox(HtmlStringFieldsEnabled(initial.target) ? m_pattern : m_fileBox);
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return m_accepted;
}

HtmlTarget HtmlSearchDialog::Target() const {
    switch (m_targets->checkedId()) {
    case static_cast<int>(HtmlTarget::Title):
        return HtmlTarget::Title;
    case static_cast<int>(HtmlTarget::Link):
        return HtmlTarget::Link;
    default:
        return HtmlTarget::String;
    }
}

HtmlSearchValues HtmlSearchDialog::Values() const {
    HtmlSearchValues values;
    values.pattern = QStringToSjis(m_pattern->currentText());
    values.fileBox = QStringToSjisPath(m_fileBox->currentText());
    QString directory = m_directory;
    if (!directory.endsWith(QLatin1Char('/')))
        directory += QLatin1Char('/');
    values.currentDirectory = QStringToSjisPath(directory);
    values.caseSensitive = m_caseSensitive->isChecked();
    values.regularExpression = m_regularExpression->isChecked();
    values.widthSensitive = m_widthSensitive->isChecked();
    values.subdirectories = m_subdirectories->isChecked();
    values.target = Target();
    return values;
}

void HtmlSearchDialog::ChangeDirectory(const QString& directory) {
    ShowDirectory(directory);
    const std::string fileBox = QStringToSjisPath(m_fileBox->currentText());
    m_fileBox->setEditText(SjisPathToQString(FileBoxAfterDirectoryChange(fileBox)));
}

void HtmlSearchDialog::accept() {
    const HtmlSearchValues values = Values();
    const GlobalFindCheck check = CheckHtmlSearchValues(values);
    if (!check.ok) {
        if (check.messageId != 0)
            ui::ShowMessage(m_platform, check.messageId);
        if (check.beep)
            m_platform.beeper.Beep();
        FocusBox(check.focus == GlobalFindField::FileBox ? m_fileBox : m_pattern);
        return;
    }
    m_accepted = values;
    QDialog::accept();
}

bool HtmlSearchDialog::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the list opens the directory, as in a file dialog, instead of pressing OK.
    if (watched == m_directories && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            EnterListedDirectory(m_directories->currentItem());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void HtmlSearchDialog::SetTarget(HtmlTarget target) {
    if (QAbstractButton* button = m_targets->button(static_cast<int>(target)))
        button->setChecked(true);
    EnableStringFields();
}

void HtmlSearchDialog::EnableStringFields() {
    const bool enabled = HtmlStringFieldsEnabled(Target());
    for (QWidget* field : std::initializer_list<QWidget*>{m_pattern, m_caseSensitive,
                                                          m_regularExpression, m_widthSensitive})
        field->setEnabled(enabled);
}

void HtmlSearchDialog::ShowDirectory(const QString& directory) {
    const QDir dir(directory);
    m_directory = dir.absolutePath();
    m_directoryLabel->setText(m_directory);
    m_directories->clear();
    if (!dir.isRoot())
        m_directories->addItem(QStringLiteral("..")); // leads to the parent
    m_directories->addItems(dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                                          QDir::Name | QDir::IgnoreCase));
}

void HtmlSearchDialog::EnterListedDirectory(QListWidgetItem* item) {
    if (item == nullptr)
        return;
    ChangeDirectory(QDir::cleanPath(QDir(m_directory).filePath(item->text())));
}

void HtmlSearchDialog::Browse() {
    const QString chosen = QFileDialog::getExistingDirectory(this, QString(), m_directory);
    if (!chosen.isEmpty())
        ChangeDirectory(chosen);
}

void HtmlSearchDialog::FocusBox(QComboBox* box) {
    box->setFocus();
    box->lineEdit()->selectAll();
}

} // namespace nelvix::qt
