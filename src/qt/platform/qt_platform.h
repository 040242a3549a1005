// The platform services the core calls, carried out with Qt: message boxes, beep, clipboard,
// the event pump and the save dialog.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <chrono>
#include <optional>

#include "ui/coarse_clock.h"
#include "ui/platform.h"

namespace nelvix::qt {

class QtEventPump;

/// Shows each request with QMessageBox over the owner window.
class QtMessageBox final : public ui::MessageBox {
public:
    /// Once the program is quitting no box is shown: each request is answered as a closed box
    /// (Cancel), so that nothing waits for a person on the way out.
    ui::MessageResult Show(const ui::MessageRequest& request) override;
    /// The window the boxes are modal to; none gives free-standing boxes.
    void SetOwner(QWidget* owner) { m_owner = owner; }
    /// The pump that knows whether the program is quitting; none: boxes are always shown.
    void SetQuitWatch(const QtEventPump* pump) { m_quitWatch = pump; }

private:
    QPointer<QWidget> m_owner;
    const QtEventPump* m_quitWatch = nullptr;
};

class QtBeeper final : public ui::Beeper {
public:
    void Beep() override;
};

/// The system clipboard as UTF-8 text with LF line ends.
class QtClipboard final : public ui::Clipboard {
public:
    std::optional<std::string> ReadText() override;
    bool Empty() override;
    bool ReplaceText(std::string_view sjisText) override;
};

/// Runs pending events; reports quitting once the application was asked to quit, so that a long
/// run started from the event loop stops instead of holding the program open.
/// Pending events run at most this often during a long run, so that a search that calls the
/// pump after every match is not slowed down by it: each pass paints what changed, and about
/// thirty passes a second show a filling result list as smoothly as more, while "中断" and a
/// close are still taken at once to the eye.
inline constexpr std::chrono::milliseconds kPumpInterval{30};

class QtEventPump final : public QObject, public ui::EventPump {
    Q_OBJECT
public:
    QtEventPump();
    bool PumpEvents() override;
    /// Asked to quit, or every loop was ended (a stop signal, a close during a run).
    bool IsQuitting() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_quitting = false;
    std::optional<ui::CoarseClock::time_point> m_lastPump;
};

class QtFileDialogs final : public ui::FileDialogs {
public:
    std::optional<std::string> AskSaveFileName(std::string_view sjisTitle,
                                               std::string_view proposedName) override;
    void SetOwner(QWidget* owner) { m_owner = owner; }

private:
    QPointer<QWidget> m_owner;
};

/// All Qt services together, and the Platform that refers to them. Needs a QApplication.
struct QtPlatform {
    QtMessageBox messageBox;
    QtBeeper beeper;
    QtClipboard clipboard;
    QtEventPump eventPump;
    ui::SystemMemory memory;
    QtFileDialogs fileDialogs;
    ui::Platform platform{messageBox, beeper, clipboard, eventPump, memory, fileDialogs};

    QtPlatform() { messageBox.SetQuitWatch(&eventPump); }
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    /// Makes dialogs and boxes modal to `owner` (the main frame).
    void SetOwner(QWidget* owner);
};

} // namespace nelvix::qt
