// The open-file dialog.
#include "qt/dialogs/open_file_dialog.h"

#include <QFileDialog>

#include "commands/open_file_filters.h"
#include "qt/platform/convert.h"

namespace nelvix::qt {
namespace {

/// The program's wildcard for every name. Qt reads it as "a name with a dot", so the dialog is
/// given Qt's "*" instead.
constexpr char kEveryNameWildcard[] = "*.*";
constexpr char kQtEveryName[] = "*";

QString QtPattern(const QString& pattern) {
    return pattern == QLatin1String(kEveryNameWildcard) ? QString::fromLatin1(kQtEveryName)
                                                        : pattern;
}

/// Qt takes the patterns from the last parentheses of a filter; the dialog hides them, so the
/// name shows as given.
QString QtNameFilter(const FileFilter& filter) {
    QStringList patterns;
    for (const QString& pattern :
         TableTextToQString(filter.patterns).split(QLatin1Char(';'), Qt::SkipEmptyParts))
        patterns << QtPattern(pattern);
    return TableTextToQString(filter.name) + QStringLiteral(" (") +
           patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

/// The index of the filter the dialog reports, which may be given with or without its patterns.
int IndexOfFilter(const QStringList& nameFilters, const QString& shown) {
    for (int i = 0; i < nameFilters.size(); ++i)
        if (nameFilters[i] == shown || nameFilters[i].startsWith(shown + QStringLiteral(" (")))
            return i;
    return 0;
}

} // namespace

QStringList OpenNameFilters(std::string_view utf8FilterList) {
    QStringList filters;
    for (const FileFilter& filter : ParseFilterList(utf8FilterList))
        filters << QtNameFilter(filter);
    return filters;
}

std::optional<OpenFileChoice> ChooseFileToOpen(QWidget* parent, const QStringList& nameFilters,
                                               int filterIndex) {
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("openFileDialog"));
    // Qt's own dialog speaks Japanese like the rest of the program, whatever the desktop's
    // language. It has no default suffix: a name typed is opened as typed.
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(nameFilters);
    if (filterIndex >= 0 && filterIndex < nameFilters.size())
        dialog.selectNameFilter(nameFilters[filterIndex]);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return OpenFileChoice{dialog.selectedFiles().first(),
                          IndexOfFilter(nameFilters, dialog.selectedNameFilter())};
}

} // namespace nelvix::qt
