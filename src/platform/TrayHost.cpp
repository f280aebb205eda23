#include "platform/TrayHost.h"

#include "platform/x11/X11Connection.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>

bool trayShowsWideIcons()
{
    // Qt's tray icon takes the StatusNotifierItem road exactly when this watcher is present.
    const QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface() &&
           bus.interface()->isServiceRegistered(QStringLiteral("org.kde.StatusNotifierWatcher"));
}

bool systemTrayPresent()
{
    const auto x11 = X11Connection::ofQt();
    return x11 && x11->selectionOwner("_NET_SYSTEM_TRAY_S0") != 0;
}

bool trayHostPresent()
{
    return trayShowsWideIcons() || systemTrayPresent();
}
