// The global find dialog "グローバル検索": pattern and file boxes with their histories, the
// current directory with its subdirectories, and the six options. The OK checks are the core's.
#pragma once

#include <QDialog>
#include <QString>

#include "ui/frame_services.h"
#include "ui/platform.h"

class QCheckBox;

namespace nelvix::qt {

class FileSearchFields;

class QtGlobalFindDialog final : public QDialog, public ui::GlobalFindDialog {
    Q_OBJECT
public:
    /// Messages and beeps of the checks go through `platform`; "ﾍﾙﾌﾟ" through `help`.
    QtGlobalFindDialog(ui::Platform& platform, ui::HelpViewer& help, QWidget* parent = nullptr);

    /// Modal; a directory that does not exist (or none) starts in the process's current one.
    std::optional<ui::GlobalFindValues> Ask(const ui::GlobalFindValues& initial,
                                            const std::vector<std::string>& patternHistory,
                                            const std::vector<std::string>& specHistory) override;
    /// The values as the fields hold them.
    ui::GlobalFindValues Values() const;
    /// The person chose another directory: it is listed, and an absolute file box becomes
    /// "*.*".
    void ChangeDirectory(const QString& directory);
    QString CurrentDirectory() const;

    /// OK: the core's checks; a refused value keeps the dialog open with the focus on its box.
    void accept() override;

private:
    ui::Platform& m_platform;
    FileSearchFields* m_fields;
    QCheckBox* m_nonTextFiles;
    QCheckBox* m_subdirectories;
    QCheckBox* m_record;
    ui::GlobalFindValues m_accepted;
};

} // namespace nelvix::qt
