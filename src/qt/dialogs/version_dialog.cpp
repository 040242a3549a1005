// The version dialog.
#include "qt/dialogs/version_dialog.h"

#include <QMessageBox>

namespace nelvix::qt {

QString VersionText() {
    return QStringLiteral("Nelvix\nバージョン %1").arg(QString::fromUtf8(NELVIX_VERSION));
}

void ShowVersionDialog(QWidget* parent) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("バージョン情報"), VersionText(),
                    QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("versionDialog"));
    box.exec();
}

} // namespace nelvix::qt
