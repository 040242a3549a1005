// The program's icon.
#include "qt/platform/program_icon.h"

#include <QApplication>
#include <QIcon>

namespace nelvix::qt {

void InstallProgramIcon() {
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/nelvix.svg")));
}

} // namespace nelvix::qt
