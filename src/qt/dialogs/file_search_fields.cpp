// The fields of a search across files.
#include "qt/dialogs/file_search_fields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "qt/dialogs/check_box.h"
#include "qt/platform/convert.h"
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

void FillBox(QComboBox* box, const std::vector<std::string>& entries, const std::string& text,
             bool paths) {
    box->clear();
    for (const std::string& entry : entries)
        box->addItem(paths ? SjisPathToQString(entry) : SjisToQString(entry));
    box->setEditText(paths ? SjisPathToQString(text) : SjisToQString(text));
}

} // namespace

FileSearchFields::FileSearchFields(QWidget* dialog)
    : QObject(dialog), m_dialog(dialog), m_pattern(HistoryBox("pattern", dialog)),
      m_fileBox(HistoryBox("fileBox", dialog)), m_directoryLabel(new QLabel(dialog)),
      m_directories(new QListWidget(dialog)),
      m_caseSensitive(
          CheckBox("caseSensitive", QStringLiteral("大文字と小文字を区別する"), dialog)),
      m_regularExpression(
          CheckBox("regularExpression", QStringLiteral("正規表現を使用する"), dialog)),
      m_widthSensitive(CheckBox("widthSensitive", QStringLiteral("半角と全角を区別する"), dialog)) {
    m_directoryLabel->setObjectName(QStringLiteral("currentDirectory"));
    m_directoryLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_directories->setObjectName(QStringLiteral("directories"));
    m_directories->installEventFilter(this);
    connect(m_directories, &QListWidget::itemActivated, this,
            &FileSearchFields::EnterListedDirectory);
}

int FileSearchFields::AddTo(QGridLayout* grid) {
    auto* browse = new QPushButton(QStringLiteral("参照..."), m_dialog);
    browse->setObjectName(QStringLiteral("browse"));
    connect(browse, &QPushButton::clicked, this, &FileSearchFields::Browse);
    grid->addWidget(new QLabel(QStringLiteral("検索する文字列"), m_dialog), 0, 0);
    grid->addWidget(m_pattern, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("検索するﾌｧｲﾙ"), m_dialog), 1, 0);
    grid->addWidget(m_fileBox, 1, 1, 1, 2);
    grid->addWidget(m_directoryLabel, 2, 0, 1, 2);
    grid->addWidget(browse, 2, 2);
    grid->addWidget(m_directories, 3, 0, 1, 3);
    int row = 4;
    for (QCheckBox* box : {m_caseSensitive, m_regularExpression, m_widthSensitive})
        grid->addWidget(box, row++, 0, 1, 3);
    return row;
}

void FileSearchFields::ShowBoxes(const std::vector<std::string>& patternHistory,
                                 const std::string& pattern,
                                 const std::vector<std::string>& specHistory,
                                 const std::string& fileBox, const std::string& directory) {
    FillBox(m_pattern, patternHistory, pattern, false);
    FillBox(m_fileBox, specHistory, fileBox, true);
    const QString shown = SjisPathToQString(directory);
    ShowDirectory(!shown.isEmpty() && QDir(shown).exists() ? shown : QDir::currentPath());
}

void FileSearchFields::ShowOptions(bool caseSensitive, bool regularExpression,
                                   bool widthSensitive) {
    m_caseSensitive->setChecked(caseSensitive);
    m_regularExpression->setChecked(regularExpression);
    m_widthSensitive->setChecked(widthSensitive);
}

void FileSearchFields::EnableStringFields(bool enabled) {
    for (QWidget* field : std::initializer_list<QWidget*>{m_pattern, m_caseSensitive,
                                                          m_regularExpression, m_widthSensitive})
        field->setEnabled(enabled);
}

std::string FileSearchFields::Pattern() const {
    return QStringToSjis(m_pattern->currentText());
}

std::string FileSearchFields::FileBox() const {
    return QStringToSjisPath(m_fileBox->currentText());
}

std::string FileSearchFields::DirectoryBytes() const {
    QString directory = m_directory;
    if (!directory.endsWith(QLatin1Char('/')))
        directory += QLatin1Char('/');
    return QStringToSjisPath(directory);
}

bool FileSearchFields::CaseSensitive() const {
    return m_caseSensitive->isChecked();
}

bool FileSearchFields::RegularExpression() const {
    return m_regularExpression->isChecked();
}

bool FileSearchFields::WidthSensitive() const {
    return m_widthSensitive->isChecked();
}

void FileSearchFields::ChangeDirectory(const QString& directory) {
    ShowDirectory(directory);
    m_fileBox->setEditText(SjisPathToQString(FileBoxAfterDirectoryChange(FileBox())));
}

void FileSearchFields::Focus(GlobalFindField field) {
    QComboBox* box = field == GlobalFindField::FileBox ? m_fileBox : m_pattern;
    box->setFocus();
    box->lineEdit()->selectAll();
}

void FileSearchFields::Refuse(const GlobalFindCheck& check, ui::Platform& platform) {
    if (check.messageId != 0)
        ui::ShowMessage(platform, check.messageId);
    if (check.beep)
        platform.beeper.Beep();
    Focus(check.focus);
}

bool FileSearchFields::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the list opens the directory, as in a file dialog, instead of pressing OK.
    if (watched == m_directories && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            EnterListedDirectory(m_directories->currentItem());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void FileSearchFields::ShowDirectory(const QString& directory) {
    const QDir dir(directory);
    m_directory = dir.absolutePath();
    m_directoryLabel->setText(m_directory);
    m_directories->clear();
    if (!dir.isRoot())
        m_directories->addItem(QStringLiteral("..")); // leads to the parent
    m_directories->addItems(dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                                          QDir::Name | QDir::IgnoreCase));
}

void FileSearchFields::EnterListedDirectory(QListWidgetItem* item) {
    if (item == nullptr)
        return;
    ChangeDirectory(QDir::cleanPath(QDir(m_directory).filePath(item->text())));
}

void FileSearchFields::Browse() {
    const QString chosen = QFileDialog::getExistingDirectory(m_dialog, QString(), m_directory);
    if (!chosen.isEmpty())
        ChangeDirectory(chosen);
}

} // namespace nelvix::qt
