// The fields that the global find and HTML search dialogs share: the string and file boxes with
// their histories, the current directory with its subdirectories, and "参照...".
#pragma once

#include <QObject>
#include <QString>
#include <string>
#include <vector>

#include "app/global_find_checks.h"
#include "ui/platform.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QListWidget;
class QListWidgetItem;

namespace nelvix::qt {

class FileSearchFields final : public QObject {
    Q_OBJECT
public:
    /// The widgets are children of `dialog`, named "pattern", "fileBox", "currentDirectory",
    /// "directories" and "browse".
    explicit FileSearchFields(QWidget* dialog);

    /// The first four rows of `grid`, three columns wide, with "参照..." made here so that the
    /// tab order keeps it after the dialog's own options; the next free row comes back.
    int AddTo(QGridLayout* grid);
    /// The boxes get their histories (most recent first) and texts; a directory that does not
    /// exist (or none) lists the process's current one.
    void Show(const std::vector<std::string>& patternHistory, const std::string& pattern,
              const std::vector<std::string>& specHistory, const std::string& fileBox,
              const std::string& directory);

    QComboBox* PatternBox() const { return m_pattern; }
    std::string Pattern() const;
    std::string FileBox() const;
    /// The listed directory in native form, ending in '/'.
    std::string DirectoryBytes() const;
    QString CurrentDirectory() const { return m_directory; }
    /// The person chose another directory: it is listed, and an absolute file box becomes
    /// "*.*".
    void ChangeDirectory(const QString& directory);

    /// The focus goes to the box and selects its text.
    void Focus(GlobalFindField field);
    /// A refused OK: its message or beep through `platform`, then the focus on the refused box.
    void Refuse(const GlobalFindCheck& check, ui::Platform& platform);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowDirectory(const QString& directory);
    void EnterListedDirectory(QListWidgetItem* item);
    void Browse();

    QWidget* m_dialog;
    QComboBox* m_pattern;
    QComboBox* m_fileBox;
    QLabel* m_directoryLabel;
    QListWidget* m_directories;
    QString m_directory;
};

} // namespace nelvix::qt
