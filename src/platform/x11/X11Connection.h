#pragma once

#include <QtGlobal>

#include <optional>

struct xcb_connection_t;

// Qt's own X connection and the root window of its default screen; empty off X11 (Wayland,
// offscreen) and before a QGuiApplication exists.
struct X11Connection
{
    xcb_connection_t *connection = nullptr;
    quint32 rootWindow = 0;

    static std::optional<X11Connection> ofQt();

    // The window that owns a selection ("_NET_SYSTEM_TRAY_S0"), 0 when none does.
    quint32 selectionOwner(const char *selection) const;
};
