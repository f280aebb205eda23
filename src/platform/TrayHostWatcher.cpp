#include "platform/TrayHostWatcher.h"

#include "platform/TrayHost.h"
#include "platform/x11/X11Connection.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

namespace {

const QString watcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString watcherPath = QStringLiteral("/StatusNotifierWatcher");

} // namespace

TrayHostWatcher::TrayHostWatcher(QDBusConnection bus, QObject *parent)
    : QObject(parent)
    , m_bus(std::move(bus))
{
    auto *services = new QDBusServiceWatcher(watcherService, m_bus,
                                             QDBusServiceWatcher::WatchForRegistration, this);
    connect(services, &QDBusServiceWatcher::serviceRegistered, this,
            &TrayHostWatcher::watcherRegistered);
    m_bus.connect(watcherService, watcherPath, watcherService,
                  QStringLiteral("StatusNotifierHostRegistered"), this, SLOT(hostRegistered()));
    if (m_bus.interface() && m_bus.interface()->isServiceRegistered(watcherService))
        watcherRegistered();
    if (X11Connection::ofQt()) {
        connect(&m_systemTrayPoll, &QTimer::timeout, this, &TrayHostWatcher::lookForSystemTray);
        m_systemTrayPoll.start(1000);
    }
}

// A system tray takes a selection, which nobody is told about without listening to the root
// window; asking for its owner now and then is cheaper than that. A panel that starts at login
// comes within the first minute, one started by hand later is found within half a minute.
void TrayHostWatcher::lookForSystemTray()
{
    if (systemTrayPresent())
        hostRegistered();
    else if (++m_polls == 60)
        m_systemTrayPoll.setInterval(30000);
}

// Qt asks the watcher whether a host is registered before it speaks StatusNotifierItem: a
// watcher without a host yet is waited for until its host registers.
void TrayHostWatcher::watcherRegistered()
{
    QDBusMessage get = QDBusMessage::createMethodCall(
        watcherService, watcherPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    get << watcherService << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusMessage reply = m_bus.call(get, QDBus::Block, 2000);
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
        reply.arguments().first().value<QDBusVariant>().variant().toBool())
        hostRegistered();
}

void TrayHostWatcher::hostRegistered()
{
    if (m_announced)
        return;
    m_announced = true;
    m_systemTrayPoll.stop();
    Q_EMIT hostAppeared();
}
