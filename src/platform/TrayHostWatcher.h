#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QTimer>

// Waits for a tray to appear and says so once: a StatusNotifierItem host on the session bus
// (GNOME's AppIndicator extension switched on, a panel started later), or on X11 an XEmbed
// system tray (a panel that starts after Zorv at login).
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
    void lookForSystemTray();

    QDBusConnection m_bus;
    bool m_announced = false;
    QTimer m_systemTrayPoll;
    int m_polls = 0;
};
