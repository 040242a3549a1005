// Opening a file with the desktop's default program.
#include "qt/shell_opener.h"

#include <QDesktopServices>
#include <QUrl>

#include "qt/convert.h"

namespace nelvix::qt {

bool QtShellOpener::OpenWithShell(std::string_view sjisPath) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(SjisPathToQString(sjisPath)));
}

} // namespace nelvix::qt
