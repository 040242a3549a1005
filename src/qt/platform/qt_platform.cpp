// The Qt implementations of the platform services.
#include "qt/platform/qt_platform.h"
#include "qt/platform/quit_on_signal.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QEvent>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>

#include "qt/platform/caption_width.h"
#include "qt/platform/convert.h"

namespace nelvix::qt {
namespace {

QMessageBox::Icon IconOf(ui::MessageIcon icon) {
    switch (icon) {
    case ui::MessageIcon::None:
        return QMessageBox::NoIcon;
    case ui::MessageIcon::Information:
        return QMessageBox::Information;
    case ui::MessageIcon::Warning:
        return QMessageBox::Warning;
    case ui::MessageIcon::Question:
        return QMessageBox::Question;
    case ui::MessageIcon::Stop:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsOf(ui::MessageButtons buttons) {
    switch (buttons) {
    case ui::MessageButtons::Ok:
        return QMessageBox::Ok;
    case ui::MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case ui::MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case ui::MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

ui::MessageResult ResultOf(QMessageBox::StandardButton pressed) {
    switch (pressed) {
    case QMessageBox::Ok:
        return ui::MessageResult::Ok;
    case QMessageBox::Yes:
        return ui::MessageResult::Yes;
    case QMessageBox::No:
        return ui::MessageResult::No;
    default:
        return ui::MessageResult::Cancel;
    }
}

} // namespace

ui::MessageResult QtMessageBox::Show(const ui::MessageRequest& request) {
    if (m_quitWatch != nullptr && m_quitWatch->IsQuitting())
        return ui::MessageResult::Cancel;
    QMessageBox box(IconOf(request.style.icon), SjisToQString(request.caption),
                    SjisToQString(request.text), ButtonsOf(request.style.buttons), m_owner);
    KeepCaptionWhole(box);
    // Qt has no system-wide modality; a box that must not be missed stays above every window
    // of the program.
    box.setWindowModality(Qt::ApplicationModal);
    if (request.style.systemModal)
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    if (clicked == nullptr)
        return ui::MessageResult::Cancel;
    return ResultOf(box.standardButton(clicked));
}

void QtBeeper::Beep() {
    QApplication::beep();
}

std::optional<std::string> QtClipboard::ReadText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr || !data->hasText())
        return std::nullopt;
    return ClipboardTextToSjis(data->text());
}

// The window system may refuse the clipboard (another program holds it, or no clipboard
// exists): what it holds afterwards tells whether it took the change.
bool QtClipboard::Empty() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    const QMimeData* data = clipboard->mimeData();
    return data == nullptr || !data->hasText();
}

bool QtClipboard::ReplaceText(std::string_view sjisText) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QString text = SjisToClipboardText(sjisText);
    clipboard->setText(text);
    return clipboard->text() == text;
}

QtEventPump::QtEventPump() {
    QCoreApplication* application = QCoreApplication::instance();
    Q_ASSERT(application != nullptr && "the event pump needs the application object");
    application->installEventFilter(this);
    connect(application, &QCoreApplication::aboutToQuit, this, [this] { m_quitting = true; });
}

bool QtEventPump::PumpEvents() {
    if (!m_lastPump || ui::CoarseClock::now() - *m_lastPump >= kPumpInterval) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        m_lastPump = ui::CoarseClock::now();
    }
    return !IsQuitting();
}

bool QtEventPump::IsQuitting() const {
    return m_quitting || EveryLoopEnded() || QCoreApplication::closingDown();
}

bool QtEventPump::eventFilter(QObject* watched, QEvent* event) {
    // quit() reaches the application as a Quit event, also when it comes from a closed last
    // window; the event loop ends only after the running command returns.
    if (watched == QCoreApplication::instance() && event->type() == QEvent::Quit)
        m_quitting = true;
    return false;
}

std::optional<std::string> QtFileDialogs::AskSaveFileName(std::string_view sjisTitle,
                                                          std::string_view proposedName) {
    const QString chosen = QFileDialog::getSaveFileName(m_owner, SjisToQString(sjisTitle),
                                                        SjisPathToQString(proposedName));
    if (chosen.isEmpty())
        return std::nullopt;
    return QStringToSjisPath(chosen);
}

void QtPlatform::SetOwner(QWidget* owner) {
    messageBox.SetOwner(owner);
    fileDialogs.SetOwner(owner);
}

} // namespace nelvix::qt
