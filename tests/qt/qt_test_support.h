// Helpers of the Qt front end's tests: the shared samples, screenshots, and acting on a modal
// dialog while the code under test waits in it.
#pragma once

#include <QImage>

#include <QApplication>
#include <QByteArray>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <string>

namespace nelvix::test {

/// A file of tests/data.
QString DataPath(const char* name);

/// The whole file; empty when it cannot be read.
QByteArray ReadBytes(const QString& path);

/// The sample text as a person should see it, taken from the UTF-8 copy of the samples.
QString ExpectedSampleText();

/// A path as the program receives it on its command line, turned into a core path.
std::string ArgumentPath(const QString& path);

/// Saves the widget as <build dir>/screenshots/first-window-<name>.png.
void SaveScreenshot(QWidget& widget, const QString& name);
/// Saves an image the same way; false when it could not be written.
bool SaveImage(const QImage& image, const QString& name);

/// Runs `act` on the first visible top-level `Dialog` that appears, while the caller waits in the
/// dialog's own event loop. Gives up after about five seconds.
template <typename Dialog> void WhenShown(std::function<void(Dialog&)> act, int triesLeft = 500) {
    QTimer::singleShot(10, [act = std::move(act), triesLeft]() mutable {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<Dialog*>(widget);
            if (dialog != nullptr && dialog->isVisible()) {
                act(*dialog);
                return;
            }
        }
        if (triesLeft > 0)
            WhenShown<Dialog>(std::move(act), triesLeft - 1);
    });
}

} // namespace nelvix::test
