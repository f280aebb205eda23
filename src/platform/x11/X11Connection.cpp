#include "platform/x11/X11Connection.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

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
