// Helpers of the Qt front end's tests.
#include "qt_test_support.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include "qt/platform/convert.h"

namespace nelvix::test {

QString DataPath(const char* name) {
    return QString::fromUtf8(NELVIX_TEST_DATA_DIR) + QLatin1Char('/') + QString::fromUtf8(name);
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QString ExpectedSampleText() {
    return QString::fromUtf8(ReadBytes(DataPath("sample.utf8.txt")));
}

std::string ArgumentPath(const QString& path) {
    return qt::NativeArgumentToSjisPath(QFile::encodeName(path).constData());
}

void SaveScreenshot(QWidget& widget, const QString& name) {
    const QString path = QString::fromUtf8(NELVIX_SCREENSHOT_DIR) +
                         QStringLiteral("/first-window-") + name + QStringLiteral(".png");
    QVERIFY2(SaveImage(widget.grab().toImage(), QStringLiteral("first-window-") + name),
             qPrintable(path));
}

bool SaveImage(const QImage& image, const QString& name) {
    const QString folder = QString::fromUtf8(NELVIX_SCREENSHOT_DIR);
    return QDir().mkpath(folder) &&
           image.save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

} // namespace nelvix::test
