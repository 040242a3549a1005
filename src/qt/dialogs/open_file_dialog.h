// The open-file dialog (Ctrl+O): the document type's filters under the labels its table gives,
// each matching names as the program's wildcards do, and a typed name opened as typed.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <string_view>

class QWidget;

namespace nelvix::qt {

/// The dialog's filters for a "name|patterns|...||" list (UTF-8): each shows its name as given
/// and matches its patterns; "*.*" matches every name, also one without a dot, as it does
/// everywhere in the program.
QStringList OpenNameFilters(std::string_view utf8FilterList);

struct OpenFileChoice {
    QString path;
    int filterIndex = 0; ///< the filter shown when the file was chosen
};

/// Shows the dialog over `parent` with `nameFilters` (made by OpenNameFilters), starting on
/// `filterIndex` (the first when out of range). Nothing when cancelled.
std::optional<OpenFileChoice> ChooseFileToOpen(QWidget* parent, const QStringList& nameFilters,
                                               int filterIndex);

} // namespace nelvix::qt
