#include "platform/TrayHostWatcher.h"

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
    Q_EMIT hostAppeared();
}
