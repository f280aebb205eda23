#include "platform/TrayHost.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>

bool trayShowsWideIcons()
{
    // Qt's tray icon takes the StatusNotifierItem road exactly when this watcher is present.
    const QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface() &&
           bus.interface()->isServiceRegistered(QStringLiteral("org.kde.StatusNotifierWatcher"));
}
