#include "platform/x11/X11Connection.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>

std::optional<X11Connection> X11Connection::ofQt()
{
    if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb"))
        return std::nullopt;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return std::nullopt;
    // Qt works on the connection's default screen, which is the first on every usual setup.
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!screen)
        return std::nullopt;
    return X11Connection{connection, screen->root};
}

quint32 X11Connection::selectionOwner(const char *selection) const
{
    auto *atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, quint16(qstrlen(selection)), selection),
        nullptr);
    if (!atom)
        return 0;
    auto *owner = xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, atom->atom), nullptr);
    const quint32 window = owner ? owner->owner : 0;
    std::free(owner);
    std::free(atom);
    return window;
}
