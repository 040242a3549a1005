// The HTML search dialog "ＨＴＭＬ検索": string and file boxes with the global find's
// histories, the current directory with its subdirectories, the four options and the target.
// The OK checks are the core's.
#pragma once

#include <QDialog>
#include <QString>

#include "commands/html_search_dialog.h"
#include "ui/frame_services.h"
#include "ui/platform.h"

class QButtonGroup;
class QCheckBox;

namespace nelvix::qt {

class FileSearchFields;

class QtHtmlSearchDialog final : public QDialog, public nelvix::HtmlSearchDialog {
    Q_OBJECT
public:
    /// Messages and beeps of the checks go through `platform`; "ﾍﾙﾌﾟ" through `help`.
    QtHtmlSearchDialog(ui::Platform& platform, ui::HelpViewer& help, QWidget* parent = nullptr);

    /// Modal; a directory that does not exist (or none) starts in the process's current one.
    std::optional<HtmlSearchValues> Ask(const HtmlSearchValues& initial,
                                        const std::vector<std::string>& patternHistory,
                                        const std::vector<std::string>& specHistory) override;
    /// The values as the fields hold them.
    HtmlSearchValues Values() const;
    /// The person chose another directory: it is listed, and an absolute file box becomes
    /// "*.*".
    void ChangeDirectory(const QString& directory);
    QString CurrentDirectory() const;
    HtmlTarget Target() const;

    /// OK: the core's checks; a refused value keeps the dialog open with the focus on its box.
    void accept() override;

private:
    void SetTarget(HtmlTarget target);
    /// The string box and its three options take part for the target "文字列" only.
    void EnableStringFields();

    ui::Platform& m_platform;
    FileSearchFields* m_fields;
    QCheckBox* m_subdirectories;
    QButtonGroup* m_targets;
    HtmlSearchValues m_accepted;
};

} // namespace nelvix::qt
