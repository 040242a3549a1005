// The window manager's close button of the main frame, heard also while a modal window (a run's
// progress window, a box it waits on, a dialog) blocks the frame: Qt drops such a close, which
// would leave a person no way out but answering every box first.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <functional>

namespace nelvix::qt {

/// Installed on the application; on X11 only (elsewhere it never acts).
class FrameCloseWatch final : public QAbstractNativeEventFilter {
public:
    /// `onBlockedClose` runs when the frame's close button is pressed while the frame is blocked.
    FrameCloseWatch(QWidget& frame, std::function<void()> onBlockedClose);
    ~FrameCloseWatch() override;
    FrameCloseWatch(const FrameCloseWatch&) = delete;
    FrameCloseWatch& operator=(const FrameCloseWatch&) = delete;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    QPointer<QWidget> m_frame;
    std::function<void()> m_onBlockedClose;
    std::uint32_t m_protocolsAtom = 0;
    std::uint32_t m_deleteWindowAtom = 0;
};

} // namespace nelvix::qt
