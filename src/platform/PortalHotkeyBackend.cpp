#include "platform/PortalHotkeyBackend.h"

#include "platform/CarbonKeySymbols.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCall>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString shortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");
// The same token at every start lets the desktop recognise the session and keep the user's
// choice of trigger.
const QString sessionToken = QStringLiteral("zorv_hotkeys");

} // namespace

// One entry of the portal's a(sa{sv}) shortcut list.
struct PortalShortcut
{
    QString id;
    QVariantMap properties;
};
Q_DECLARE_METATYPE(PortalShortcut)

QDBusArgument &operator<<(QDBusArgument &argument, const PortalShortcut &shortcut)
{
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, PortalShortcut &shortcut)
{
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

PortalHotkeyBackend::PortalHotkeyBackend(QDBusConnection bus, QObject *parent)
    : QObject(parent)
    , m_bus(std::move(bus))
{
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
}

QString PortalHotkeyBackend::preferredTrigger(quint32 carbonKeyCode, quint32 carbonModifiers)
{
    const std::optional<KeySymbol> symbol = keySymbolForCarbonKeyCode(carbonKeyCode);
    if (!symbol)
        return {};
    QStringList parts;
    if (carbonModifiers & carbonCmdKey)
        parts << QStringLiteral("CTRL");
    if (carbonModifiers & carbonOptionKey)
        parts << QStringLiteral("ALT");
    if (carbonModifiers & carbonShiftKey)
        parts << QStringLiteral("SHIFT");
    if (carbonModifiers & carbonControlKey)
        parts << QStringLiteral("LOGO");
    parts << QString::fromLatin1(symbol->name);
    return parts.join(QLatin1Char('+'));
}

bool PortalHotkeyBackend::registerHotKey(quint32 signature, quint32 id, quint32 carbonKeyCode,
                                         quint32 carbonModifiers)
{
    const QString trigger = preferredTrigger(carbonKeyCode, carbonModifiers);
    // One shortcut id per combination, so the desktop's memory of it survives re-registration.
    const QString shortcutId =
        QStringLiteral("hotkey-%1-%2").arg(carbonKeyCode).arg(carbonModifiers);
    if (trigger.isEmpty() || m_registrations.contains(shortcutId) || !portalOffersShortcuts())
        return false;
    m_registrations.insert(shortcutId, Registration{signature, id, trigger});
    if (m_sessionState == SessionState::none)
        createSession();
    else if (m_sessionState == SessionState::ready)
        bindShortcuts();
    return m_sessionState != SessionState::failed;
}

void PortalHotkeyBackend::unregisterHotKey(quint32 signature, quint32 id)
{
    // The portal has no unbind: the shortcut stays with the desktop and is no longer dispatched.
    for (auto it = m_registrations.begin(); it != m_registrations.end(); ++it) {
        if (it->signature == signature && it->id == id) {
            m_registrations.erase(it);
            return;
        }
    }
}

bool PortalHotkeyBackend::portalOffersShortcuts()
{
    if (!m_available) {
        QDBusMessage get = QDBusMessage::createMethodCall(
            portalService, portalPath, QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("Get"));
        get << shortcutsInterface << QStringLiteral("version");
        const QDBusMessage reply = m_bus.call(get, QDBus::Block, 3000);
        m_available = reply.type() == QDBusMessage::ReplyMessage;
    }
    return *m_available;
}

QString PortalHotkeyBackend::nextToken()
{
    return QStringLiteral("zorv%1").arg(++m_tokenCounter);
}

// The portal answers on a request object whose path it derives from our bus name and the token;
// listening there before the call leaves no window for the answer to be missed.
QString PortalHotkeyBackend::requestPath(const QString &token) const
{
    QString sender = m_bus.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return portalPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token;
}

QVariant PortalHotkeyBackend::shortcutList() const
{
    QList<PortalShortcut> shortcuts;
    for (auto it = m_registrations.cbegin(); it != m_registrations.cend(); ++it) {
        shortcuts.append(
            PortalShortcut{it.key(),
                           {{QStringLiteral("description"), QStringLiteral("Zorv: ") + it->trigger},
                            {QStringLiteral("preferred_trigger"), it->trigger}}});
    }
    return QVariant::fromValue(shortcuts);
}

void PortalHotkeyBackend::createSession()
{
    m_sessionState = SessionState::creating;
    const QString token = nextToken();
    m_bus.connect(portalService, requestPath(token), requestInterface, QStringLiteral("Response"),
                  this, SLOT(onSessionCreated(uint, QVariantMap)));
    m_bus.connect(portalService, portalPath, shortcutsInterface, QStringLiteral("Activated"), this,
                  SLOT(onActivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
    m_bus.connect(portalService, portalPath, shortcutsInterface, QStringLiteral("Deactivated"),
                  this, SLOT(onDeactivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));

    QDBusMessage call = QDBusMessage::createMethodCall(
        portalService, portalPath, shortcutsInterface, QStringLiteral("CreateSession"));
    // Some desktops take the shortcuts from the session options rather than from the bind call.
    call << QVariantMap{{QStringLiteral("handle_token"), token},
                        {QStringLiteral("session_handle_token"), sessionToken},
                        {QStringLiteral("shortcuts"), shortcutList()}};
    m_bus.asyncCall(call);
}

void PortalHotkeyBackend::onSessionCreated(uint response, const QVariantMap &results)
{
    const QVariant handle = results.value(QStringLiteral("session_handle"));
    m_sessionHandle = handle.canConvert<QDBusObjectPath>() ? handle.value<QDBusObjectPath>().path()
                                                           : handle.toString();
    if (response != 0 || m_sessionHandle.isEmpty()) {
        m_sessionState = SessionState::failed;
        return;
    }
    m_sessionState = SessionState::ready;
    bindShortcuts();
}

void PortalHotkeyBackend::bindShortcuts()
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        portalService, portalPath, shortcutsInterface, QStringLiteral("BindShortcuts"));
    call << QVariant::fromValue(QDBusObjectPath(m_sessionHandle)) << shortcutList() << QString()
         << QVariantMap{{QStringLiteral("handle_token"), nextToken()}};
    m_bus.asyncCall(call);
}

void PortalHotkeyBackend::onActivated(const QDBusObjectPath &session, const QString &shortcutId,
                                      qulonglong, const QVariantMap &)
{
    if (session.path() == m_sessionHandle)
        deliverFor(shortcutId, EventKind::pressed);
}

void PortalHotkeyBackend::onDeactivated(const QDBusObjectPath &session, const QString &shortcutId,
                                        qulonglong, const QVariantMap &)
{
    if (session.path() == m_sessionHandle)
        deliverFor(shortcutId, EventKind::released);
}

void PortalHotkeyBackend::deliverFor(const QString &shortcutId, EventKind kind)
{
    const auto it = m_registrations.constFind(shortcutId);
    if (it != m_registrations.cend())
        deliver(Event{it->signature, it->id, kind});
}
