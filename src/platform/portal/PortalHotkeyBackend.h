#pragma once

#include "platform/GlobalHotkeyBackend.h"

#include <QDBusConnection>
#include <QTimer>
#include <QVariantMap>

#include <optional>

class QDBusObjectPath;
class QDBusPendingCallWatcher;

// The system-wide key in Wayland sessions, through the desktop portal's GlobalShortcuts
// interface. Zorv has one such key there, the panel's toggle (the corner keys stay inside the
// panel), described to the desktop as "Zorv を表示／隠す". The portal answers asynchronously: a
// registration is pending until the desktop says which trigger it bound (the user may choose
// another), and is "not available" when the portal lacks the interface or does not answer in
// time. One session serves the whole run; each registration is one bind.
class PortalHotkeyBackend : public GlobalHotkeyBackend
{
    Q_OBJECT

public:
    explicit PortalHotkeyBackend(QDBusConnection bus = QDBusConnection::sessionBus(),
                                 QObject *parent = nullptr);

    bool registerHotKey(quint32 id, KeyCombo combo) override;
    void unregisterHotKey(quint32 id) override;
    bool takesPassingGrabs() const override { return false; }

    // How long the portal may take to answer before the key counts as not available.
    void setTimeout(int milliseconds) { m_timeout.setInterval(milliseconds); }

    // The trigger in the portal's shortcut notation, e.g. "LOGO+Return"; empty when the key has
    // no name here.
    static QString preferredTrigger(KeyCombo combo);

private Q_SLOTS:
    void onSessionCreated(uint response, const QVariantMap &results);
    void onBound(uint response, const QVariantMap &results);
    void onActivated(const QDBusObjectPath &session, const QString &shortcutId, qulonglong,
                     const QVariantMap &);
    void onDeactivated(const QDBusObjectPath &session, const QString &shortcutId, qulonglong,
                       const QVariantMap &);
    void onShortcutsChanged(const QDBusMessage &message);

private:
    struct Registration
    {
        quint32 id = 0;
        QString shortcutId;
        QString trigger;
    };
    enum class Session { none, checking, creating, ready, unavailable };

    void checkPortal();
    void onVersion(QDBusPendingCallWatcher *watcher);
    void createSession();
    void bindShortcuts();
    void listenForResponse(const QString &token, const char *slot, bool listen = true);
    void giveUp();
    void showBoundTrigger(const QVariant &shortcuts);
    QVariant shortcutList() const;
    QString requestPath(const QString &token) const;
    QString nextToken();

    QDBusConnection m_bus;
    Session m_session = Session::none;
    QString m_sessionHandle;
    std::optional<Registration> m_registration;
    QString m_pendingBindToken;
    quint32 m_tokenCounter = 0;
    QTimer m_timeout;
};
