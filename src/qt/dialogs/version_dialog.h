// The version dialog ("バージョン情報", command 57664): the program's name and version.
#pragma once

#include <QString>

class QWidget;

namespace nelvix::qt {

/// "Nelvix" and the version the build was made as.
QString VersionText();

/// Modal over `parent`.
void ShowVersionDialog(QWidget* parent);

} // namespace nelvix::qt
