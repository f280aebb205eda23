#pragma once

#include <QDBusConnection>
#include <QObject>

// Waits for a StatusNotifierItem host to appear on the session bus (GNOME's AppIndicator
// extension switched on, a panel started later) and says so once.
class TrayHostWatcher : public QObject
{
    Q_OBJECT

public:
    explicit TrayHostWatcher(QDBusConnection bus = QDBusConnection::sessionBus(),
                             QObject *parent = nullptr);

Q_SIGNALS:
    void hostAppeared();

private Q_SLOTS:
    void watcherRegistered();
    void hostRegistered();

private:
    QDBusConnection m_bus;
    bool m_announced = false;
};
