#pragma once

#include "platform/GlobalHotkeyBackend.h"

#include <QDBusConnection>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

#include <optional>

class QDBusObjectPath;

// System-wide hotkeys in Wayland sessions, through the desktop portal's GlobalShortcuts
// interface. The portal works asynchronously: a registration is accepted when the portal offers
// the interface and the key has a name, and the shortcuts are (re)bound once the session exists.
// The desktop may let the user choose another trigger; presses arrive as Activated signals.
class PortalHotkeyBackend : public QObject, public GlobalHotkeyBackend
{
    Q_OBJECT

public:
    explicit PortalHotkeyBackend(QDBusConnection bus = QDBusConnection::sessionBus(),
                                 QObject *parent = nullptr);

    bool registerHotKey(quint32 signature, quint32 id, quint32 carbonKeyCode,
                        quint32 carbonModifiers) override;
    void unregisterHotKey(quint32 signature, quint32 id) override;

    // The trigger in the portal's shortcut notation, e.g. "LOGO+Return"; empty when the key has
    // no name here.
    static QString preferredTrigger(quint32 carbonKeyCode, quint32 carbonModifiers);

private slots:
    void onSessionCreated(uint response, const QVariantMap &results);
    void onActivated(const QDBusObjectPath &session, const QString &shortcutId,
                     qulonglong timestamp, const QVariantMap &options);
    void onDeactivated(const QDBusObjectPath &session, const QString &shortcutId,
                       qulonglong timestamp, const QVariantMap &options);

private:
    struct Registration
    {
        quint32 signature = 0;
        quint32 id = 0;
        QString trigger;
    };
    enum class SessionState { none, creating, ready, failed };

    bool portalOffersShortcuts();
    void createSession();
    void bindShortcuts();
    QVariant shortcutList() const;
    QString requestPath(const QString &token) const;
    QString nextToken();
    void deliverFor(const QString &shortcutId, EventKind kind);

    QDBusConnection m_bus;
    std::optional<bool> m_available;
    SessionState m_sessionState = SessionState::none;
    QString m_sessionHandle;
    QHash<QString, Registration> m_registrations; // by shortcut id
    quint32 m_tokenCounter = 0;
};
