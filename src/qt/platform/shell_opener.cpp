// Opening a file with the desktop's default program.
#include "qt/platform/shell_opener.h"

#include <QDesktopServices>
#include <QUrl>

#include "qt/platform/convert.h"

namespace nelvix::qt {

bool QtShellOpener::OpenWithShell(std::string_view sjisPath) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(SjisPathToQString(sjisPath)));
}

} // namespace nelvix::qt
