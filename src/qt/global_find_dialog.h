// The global find dialog "グローバル検索": pattern and file boxes with their histories, the
// current directory with its subdirectories, and the six options. The OK checks are the core's.
#pragma once

#include <QDialog>
#include <QString>

#include "ui/frame_services.h"
#include "ui/platform.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;

namespace nelvix::qt {

class GlobalFindDialog final : public QDialog, public ui::GlobalFindDialog {
    Q_OBJECT
public:
    /// Messages and beeps of the checks go through `platform`; "ﾍﾙﾌﾟ" through `help`.
    GlobalFindDialog(ui::Platform& platform, ui::HelpViewer& help, QWidget* parent = nullptr);

    /// Modal; a directory that does not exist (or none) starts in the process's current one.
    std::optional<ui::GlobalFindValues> Ask(const ui::GlobalFindValues& initial,
                                            const std::vector<std::string>& patternHistory,
                                            const std::vector<std::string>& specHistory) override;
    /// The values as the fields hold them.
    ui::GlobalFindValues Values() const;
    /// The person chose another directory: it is listed, and an absolute file box becomes
    /// "*.*".
    void ChangeDirectory(const QString& directory);
    QString CurrentDirectory() const { return m_directory; }

    /// OK: the core's checks; a refused value keeps the dialog open with the focus on its box.
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowDirectory(const QString& directory);
    void EnterListedDirectory(QListWidgetItem* item);
    void Browse();
    void FocusBox(QComboBox* box);

    ui::Platform& m_platform;
    ui::HelpViewer& m_help;
    QComboBox* m_pattern;
    QComboBox* m_fileBox;
    QLabel* m_directoryLabel;
    QListWidget* m_directories;
    QCheckBox* m_caseSensitive;
    QCheckBox* m_regularExpression;
    QCheckBox* m_widthSensitive;
    QCheckBox* m_nonTextFiles;
    QCheckBox* m_subdirectories;
    QCheckBox* m_record;
    QString m_directory;
    ui::GlobalFindValues m_accepted;
};

} // namespace nelvix::qt
