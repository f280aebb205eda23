#pragma once

#include "platform/WindowSystem.h"

#include <QByteArray>
#include <QHash>

#include <memory>

struct xcb_connection_t;

// Window manager services over EWMH: the active window from _NET_ACTIVE_WINDOW, own windows told
// by _NET_WM_PID, activation by a _NET_ACTIVE_WINDOW client message, stickiness through
// _NET_WM_DESKTOP and _NET_WM_STATE.
class X11WindowSystem : public WindowSystem
{
public:
    // Empty when the application has no X11 connection.
    static std::unique_ptr<X11WindowSystem> create();

    X11WindowSystem(xcb_connection_t *connection, quint32 rootWindow);
    ~X11WindowSystem() override;

    std::optional<WindowId> activeWindow() override;
    bool isOwnWindow(WindowId window) override;
    bool windowExists(WindowId window) override;
    bool activateWindow(WindowId window) override;
    void keepOnAllDesktops(QWindow *window, bool hideFromTaskbar) override;

private:
    quint32 atom(const QByteArray &name);
    std::optional<quint32> cardinalProperty(WindowId window, const QByteArray &name, quint32 type);
    QList<quint32> atomListProperty(WindowId window, const QByteArray &name);
    bool isViewable(WindowId window);
    void sendToRoot(WindowId window, const QByteArray &messageType, const quint32 (&data)[5]);
    quint32 serverTime();

    xcb_connection_t *m_connection;
    quint32 m_root;
    QHash<QByteArray, quint32> m_atoms;
    // A private connection whose only use is to learn the server's current time.
    xcb_connection_t *m_timeConnection = nullptr;
    quint32 m_timeWindow = 0;
};
