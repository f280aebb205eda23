#include "platform/Compositor.h"
#include "platform/x11/X11Connection.h"

#include <QByteArray>
#include <QGuiApplication>

#include <xcb/xcb.h>

bool Compositor::isActive()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return QGuiApplication::platformName() != QLatin1String("offscreen");
    const auto x11 = X11Connection::ofQt();
    if (!x11)
        return false;
    xcb_connection_t *connection = x11->connection;
    // The compositor of screen 0 owns the selection _NET_WM_CM_S0. The atom is looked up once
    // (the panel asks on every resize), created if need be so that a compositor started later
    // is still seen; its owner can change while Zorv runs, so that is asked each time.
    static const xcb_atom_t selection = [connection] {
        const QByteArray name("_NET_WM_CM_S0");
        xcb_intern_atom_reply_t *atom = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, uint16_t(name.size()), name.constData()),
            nullptr);
        const xcb_atom_t found = atom ? atom->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(atom);
        return found;
    }();
    if (selection == XCB_ATOM_NONE)
        return false;
    xcb_get_selection_owner_reply_t *owner = xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, selection), nullptr);
    const bool active = owner && owner->owner != XCB_NONE;
    free(owner);
    return active;
}
