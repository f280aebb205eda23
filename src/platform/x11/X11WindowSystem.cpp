#include "platform/x11/X11WindowSystem.h"
#include "platform/x11/X11Connection.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr quint32 allDesktops = 0xFFFFFFFF;
constexpr quint32 netWmStateAdd = 1;
constexpr quint32 sourceApplication = 1;
// Window managers trust a pager's request to switch the focus more than an application's.
constexpr quint32 sourcePager = 2;

template <typename T> struct FreeDeleter
{
    void operator()(T *p) const { std::free(p); }
};
template <typename T> using XcbReply = std::unique_ptr<T, FreeDeleter<T>>;

} // namespace

std::unique_ptr<X11WindowSystem> X11WindowSystem::create()
{
    const auto x11 = X11Connection::ofQt();
    if (!x11)
        return nullptr;
    return std::make_unique<X11WindowSystem>(x11->connection, x11->rootWindow);
}

X11WindowSystem::X11WindowSystem(xcb_connection_t *connection, quint32 rootWindow)
    : m_connection(connection)
    , m_root(rootWindow)
{
}

X11WindowSystem::~X11WindowSystem()
{
    if (m_timeConnection)
        xcb_disconnect(m_timeConnection);
}

quint32 X11WindowSystem::atom(const QByteArray &name)
{
    const auto cached = m_atoms.constFind(name);
    if (cached != m_atoms.cend())
        return *cached;
    XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, 0, name.size(), name.constData()), nullptr));
    const quint32 value = reply ? reply->atom : quint32(XCB_ATOM_NONE);
    if (value != XCB_ATOM_NONE)
        m_atoms.insert(name, value);
    return value;
}

std::optional<quint32> X11WindowSystem::cardinalProperty(WindowId window, const QByteArray &name,
                                                         quint32 type)
{
    XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, atom(name), type, 0, 1), nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4)
        return std::nullopt;
    quint32 value = 0;
    std::memcpy(&value, xcb_get_property_value(reply.get()), sizeof value);
    return value;
}

QList<quint32> X11WindowSystem::atomListProperty(WindowId window, const QByteArray &name)
{
    QList<quint32> atoms;
    XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, atom(name), XCB_ATOM_ATOM, 0, 1024),
        nullptr));
    if (!reply || reply->format != 32)
        return atoms;
    const auto *values = static_cast<const quint32 *>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    for (int i = 0; i < count; ++i)
        atoms.append(values[i]);
    return atoms;
}

std::optional<WindowSystem::WindowId> X11WindowSystem::activeWindow()
{
    const std::optional<quint32> window =
        cardinalProperty(m_root, "_NET_ACTIVE_WINDOW", XCB_ATOM_WINDOW);
    if (!window || *window == XCB_WINDOW_NONE)
        return std::nullopt;
    return *window;
}

bool X11WindowSystem::isOwnWindow(WindowId window)
{
    for (const QWindow *own : QGuiApplication::allWindows()) {
        if (own->handle() && own->winId() == window)
            return true;
    }
    const std::optional<quint32> pid = cardinalProperty(window, "_NET_WM_PID", XCB_ATOM_CARDINAL);
    return pid && qint64(*pid) == QCoreApplication::applicationPid();
}

bool X11WindowSystem::windowExists(WindowId window)
{
    xcb_generic_error_t *error = nullptr;
    XcbReply<xcb_get_window_attributes_reply_t> reply(xcb_get_window_attributes_reply(
        m_connection, xcb_get_window_attributes(m_connection, window), &error));
    std::free(error); // BadWindow: the window has been destroyed
    return bool(reply);
}

bool X11WindowSystem::isViewable(WindowId window)
{
    xcb_generic_error_t *error = nullptr;
    XcbReply<xcb_get_window_attributes_reply_t> reply(xcb_get_window_attributes_reply(
        m_connection, xcb_get_window_attributes(m_connection, window), &error));
    std::free(error);
    return reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
}

void X11WindowSystem::sendToRoot(WindowId window, const QByteArray &messageType,
                                 const quint32 (&data)[5])
{
    xcb_client_message_event_t event;
    std::memset(&event, 0, sizeof event);
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atom(messageType);
    std::memcpy(event.data.data32, data, sizeof event.data.data32);
    xcb_send_event(m_connection, 0, m_root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&event));
}

bool X11WindowSystem::activateWindow(WindowId window)
{
    if (window == XCB_WINDOW_NONE || !windowExists(window))
        return false;
    // WORKAROUND: Mutter and KWin ignore activation requests with time 0.
    sendToRoot(window, "_NET_ACTIVE_WINDOW", {sourcePager, serverTime(), XCB_WINDOW_NONE, 0, 0});
    xcb_flush(m_connection);
    return true;
}

// A window manager drops the desktop and state hints of a window it unmaps, so both the hints
// (read when the window is mapped) and the requests (for a window already managed) are sent.
// The hints are written only while the window is not yet on screen: once it is, the window
// manager owns both properties, and a write of ours would race with its own.
void X11WindowSystem::keepOnAllDesktops(QWindow *window, bool hideFromTaskbar)
{
    if (!window)
        return;
    const WindowId id = window->winId();
    QList<quint32> wanted{atom("_NET_WM_STATE_STICKY")};
    if (hideFromTaskbar)
        wanted << atom("_NET_WM_STATE_SKIP_TASKBAR") << atom("_NET_WM_STATE_SKIP_PAGER");

    if (!isViewable(id)) {
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, id, atom("_NET_WM_DESKTOP"),
                            XCB_ATOM_CARDINAL, 32, 1, &allDesktops);
        QList<quint32> state = atomListProperty(id, "_NET_WM_STATE");
        for (quint32 a : std::as_const(wanted)) {
            if (!state.contains(a))
                state.append(a);
        }
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, id, atom("_NET_WM_STATE"),
                            XCB_ATOM_ATOM, 32, state.size(), state.constData());
    }

    sendToRoot(id, "_NET_WM_DESKTOP", {allDesktops, sourceApplication, 0, 0, 0});
    sendToRoot(id, "_NET_WM_STATE", {netWmStateAdd, wanted[0], 0, sourceApplication, 0});
    if (hideFromTaskbar)
        sendToRoot(id, "_NET_WM_STATE",
                   {netWmStateAdd, wanted[1], wanted[2], sourceApplication, 0});
    xcb_flush(m_connection);
}

// The X server only tells the time in events: touch a property of a private window and read the
// time of the resulting PropertyNotify.
quint32 X11WindowSystem::serverTime()
{
    if (!m_timeConnection) {
        m_timeConnection = xcb_connect(nullptr, nullptr);
        const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(m_timeConnection)).data;
        if (xcb_connection_has_error(m_timeConnection) || !screen)
            return XCB_CURRENT_TIME;
        m_timeWindow = xcb_generate_id(m_timeConnection);
        const quint32 mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(m_timeConnection, XCB_COPY_FROM_PARENT, m_timeWindow, screen->root, 0, 0,
                          1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT,
                          XCB_CW_EVENT_MASK, &mask);
    }
    if (xcb_connection_has_error(m_timeConnection))
        return XCB_CURRENT_TIME;
    xcb_change_property(m_timeConnection, XCB_PROP_MODE_APPEND, m_timeWindow, XCB_ATOM_WM_NAME,
                        XCB_ATOM_STRING, 8, 0, nullptr);
    xcb_flush(m_timeConnection);
    while (xcb_generic_event_t *event = xcb_wait_for_event(m_timeConnection)) {
        XcbReply<xcb_generic_event_t> owned(event);
        if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY)
            return reinterpret_cast<xcb_property_notify_event_t *>(event)->time;
    }
    return XCB_CURRENT_TIME;
}
