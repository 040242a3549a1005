// Hearing the frame's close button under a modal window.
#include "qt/frame/frame_close_watch.h"

#include <QApplication>
#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace nelvix::qt {
namespace {

std::uint32_t InternAtom(xcb_connection_t* connection, const char* name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 1, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    if (reply == nullptr)
        return 0;
    const std::uint32_t atom = reply->atom;
    std::free(reply);
    return atom;
}

xcb_connection_t* X11Connection() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

} // namespace

FrameCloseWatch::FrameCloseWatch(QWidget& frame, std::function<void()> onBlockedClose)
    : m_frame(&frame), m_onBlockedClose(std::move(onBlockedClose)) {
    xcb_connection_t* connection = X11Connection();
    if (connection == nullptr)
        return;
    m_protocolsAtom = InternAtom(connection, "WM_PROTOCOLS");
    m_deleteWindowAtom = InternAtom(connection, "WM_DELETE_WINDOW");
    if (m_protocolsAtom != 0 && m_deleteWindowAtom != 0)
        QCoreApplication::instance()->installNativeEventFilter(this);
}

FrameCloseWatch::~FrameCloseWatch() {
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool FrameCloseWatch::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t" || m_frame.isNull())
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_CLIENT_MESSAGE)
        return false;
    const auto* client = static_cast<const xcb_client_message_event_t*>(message);
    if (client->format != 32 || client->type != m_protocolsAtom ||
        client->data.data32[0] != m_deleteWindowAtom)
        return false;
    // Without a modal window Qt delivers the close itself, to the frame's own close steps.
    if (QApplication::activeModalWidget() == nullptr || !m_frame->isWindow() ||
        client->window != static_cast<xcb_window_t>(m_frame->winId()))
        return false;
    m_onBlockedClose();
    return true;
}

} // namespace nelvix::qt
