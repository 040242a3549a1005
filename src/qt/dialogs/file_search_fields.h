// The fields that the global find and HTML search dialogs share: the string and file boxes with
// their histories, the current directory with its subdirectories, "参照...", and the string's
// three options.
#pragma once

#include <QObject>
#include <QString>
#include <string>
#include <vector>

#include "commands/global_find_checks.h"
#include "ui/platform.h"

class QCheckBox;
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
    /// "directories", "browse", "caseSensitive", "regularExpression" and "widthSensitive".
    explicit FileSearchFields(QWidget* dialog);

    /// The first seven rows of `grid`, three columns wide, with "参照..." made here so that the
    /// tab order keeps it after the dialog's own options; the next free row comes back.
    int AddTo(QGridLayout* grid);

    /// Shows the fields of `initial` (the global find's or the HTML search's values) with the
    /// two histories, most recent first; a directory that does not exist (or none) lists the
    /// process's current one.
    template <class Values>
    void Show(const Values& initial, const std::vector<std::string>& patternHistory,
              const std::vector<std::string>& specHistory) {
        ShowBoxes(patternHistory, initial.pattern, specHistory, initial.fileBox,
                  initial.currentDirectory);
        ShowOptions(initial.caseSensitive, initial.regularExpression, initial.widthSensitive);
    }
    /// Writes what the fields hold into `values`; the directory ends in '/'.
    template <class Values> void Read(Values& values) const {
        values.pattern = Pattern();
        values.fileBox = FileBox();
        values.currentDirectory = DirectoryBytes();
        values.caseSensitive = CaseSensitive();
        values.regularExpression = RegularExpression();
        values.widthSensitive = WidthSensitive();
    }
    /// The string box and its three options take part or not.
    void EnableStringFields(bool enabled);

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
    void ShowBoxes(const std::vector<std::string>& patternHistory, const std::string& pattern,
                   const std::vector<std::string>& specHistory, const std::string& fileBox,
                   const std::string& directory);
    void ShowOptions(bool caseSensitive, bool regularExpression, bool widthSensitive);
    std::string Pattern() const;
    std::string FileBox() const;
    std::string DirectoryBytes() const;
    bool CaseSensitive() const;
    bool RegularExpression() const;
    bool WidthSensitive() const;
    void ShowDirectory(const QString& directory);
    void EnterListedDirectory(QListWidgetItem* item);
    void Browse();

    QWidget* m_dialog;
    QComboBox* m_pattern;
    QComboBox* m_fileBox;
    QLabel* m_directoryLabel;
    QListWidget* m_directories;
    QCheckBox* m_caseSensitive;
    QCheckBox* m_regularExpression;
    QCheckBox* m_widthSensitive;
    QString m_directory;
};

} // namespace nelvix::qt
