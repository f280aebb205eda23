#include "platform/portal/PortalHotkeyBackend.h"

#include "platform/CarbonKeySymbols.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QStringList>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString shortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");
// The same token at every start lets the desktop recognise the session and keep the user's
// choice of trigger.
const QString sessionToken = QStringLiteral("zorv_hotkeys");
const QString description = QStringLiteral("Zorv を表示／隠す");
constexpr int defaultTimeout = 20000;

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
    : GlobalHotkeyBackend(parent)
    , m_bus(std::move(bus))
{
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
    m_timeout.setSingleShot(true);
    m_timeout.setInterval(defaultTimeout);
    connect(&m_timeout, &QTimer::timeout, this, &PortalHotkeyBackend::giveUp);
}

QString PortalHotkeyBackend::preferredTrigger(KeyCombo combo)
{
    const std::optional<KeySymbol> symbol = keySymbolForCarbonKeyCode(combo.carbonKeyCode);
    if (!symbol)
        return {};
    QStringList parts;
    if (combo.carbonModifiers & carbonCmdKey)
        parts << QStringLiteral("CTRL");
    if (combo.carbonModifiers & carbonOptionKey)
        parts << QStringLiteral("ALT");
    if (combo.carbonModifiers & carbonShiftKey)
        parts << QStringLiteral("SHIFT");
    if (combo.carbonModifiers & carbonControlKey)
        parts << QStringLiteral("LOGO");
    parts << QString::fromLatin1(symbol->name);
    return parts.join(QLatin1Char('+'));
}

bool PortalHotkeyBackend::registerHotKey(quint32 id, KeyCombo combo)
{
    const QString trigger = preferredTrigger(combo);
    if (trigger.isEmpty() || m_registration) {
        setStatus(id, HotKeyStatus{HotKeyState::failed, {}, {}});
        return false;
    }
    if (m_session == Session::unavailable) {
        setStatus(id, HotKeyStatus{HotKeyState::notAvailable, {}, {}});
        return false;
    }
    // One shortcut id per combination: the desktop remembers the user's trigger for each.
    const QString shortcutId =
        QStringLiteral("toggle-%1-%2").arg(combo.carbonKeyCode).arg(combo.carbonModifiers);
    m_registration = Registration{id, shortcutId, trigger};
    setStatus(id, HotKeyStatus{HotKeyState::pending, {}, {}});
    m_timeout.start();
    if (m_session == Session::none)
        checkPortal();
    else if (m_session == Session::ready)
        bindShortcuts();
    return status(id).state == HotKeyState::pending;
}

// The portal has no unbind: the next bind replaces the session's shortcuts, and until then a
// press of the dropped key reaches nobody.
void PortalHotkeyBackend::unregisterHotKey(quint32 id)
{
    forgetStatus(id);
    if (m_registration && m_registration->id == id) {
        m_registration.reset();
        m_timeout.stop();
    }
}

void PortalHotkeyBackend::checkPortal()
{
    if (!m_bus.isConnected()) { // no session bus, so no portal
        m_session = Session::unavailable;
        giveUp();
        return;
    }
    m_session = Session::checking;
    QDBusMessage get = QDBusMessage::createMethodCall(
        portalService, portalPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    get << shortcutsInterface << QStringLiteral("version");
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(get), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher *call) { onVersion(call); });
}

void PortalHotkeyBackend::onVersion(QDBusPendingCallWatcher *watcher)
{
    watcher->deleteLater();
    if (watcher->isError()) {
        m_session = Session::unavailable;
        giveUp();
        return;
    }
    createSession();
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

void PortalHotkeyBackend::listenForResponse(const QString &token, const char *slot, bool listen)
{
    if (listen)
        m_bus.connect(portalService, requestPath(token), requestInterface,
                      QStringLiteral("Response"), this, slot);
    else
        m_bus.disconnect(portalService, requestPath(token), requestInterface,
                         QStringLiteral("Response"), this, slot);
}

QVariant PortalHotkeyBackend::shortcutList() const
{
    QList<PortalShortcut> shortcuts;
    if (m_registration) {
        shortcuts.append(
            PortalShortcut{m_registration->shortcutId,
                           {{QStringLiteral("description"), description},
                            {QStringLiteral("preferred_trigger"), m_registration->trigger}}});
    }
    return QVariant::fromValue(shortcuts);
}

void PortalHotkeyBackend::createSession()
{
    m_session = Session::creating;
    const QString token = nextToken();
    listenForResponse(token, SLOT(onSessionCreated(uint, QVariantMap)));
    m_bus.connect(portalService, portalPath, shortcutsInterface, QStringLiteral("Activated"), this,
                  SLOT(onActivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
    m_bus.connect(portalService, portalPath, shortcutsInterface, QStringLiteral("Deactivated"),
                  this, SLOT(onDeactivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
    m_bus.connect(portalService, portalPath, shortcutsInterface, QStringLiteral("ShortcutsChanged"),
                  this, SLOT(onShortcutsChanged(QDBusMessage)));

    QDBusMessage call = QDBusMessage::createMethodCall(
        portalService, portalPath, shortcutsInterface, QStringLiteral("CreateSession"));
    // WORKAROUND: Plasma 5.27 takes the shortcuts from the session options, not from the bind.
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
        m_session = Session::unavailable;
        giveUp();
        return;
    }
    m_session = Session::ready;
    if (m_registration)
        bindShortcuts();
}

void PortalHotkeyBackend::bindShortcuts()
{
    // Only the latest bind's answer counts.
    if (!m_pendingBindToken.isEmpty())
        listenForResponse(m_pendingBindToken, SLOT(onBound(uint, QVariantMap)), false);
    m_pendingBindToken = nextToken();
    listenForResponse(m_pendingBindToken, SLOT(onBound(uint, QVariantMap)));
    QDBusMessage call = QDBusMessage::createMethodCall(
        portalService, portalPath, shortcutsInterface, QStringLiteral("BindShortcuts"));
    call << QVariant::fromValue(QDBusObjectPath(m_sessionHandle)) << shortcutList() << QString()
         << QVariantMap{{QStringLiteral("handle_token"), m_pendingBindToken}};
    m_bus.asyncCall(call);
}

void PortalHotkeyBackend::onBound(uint response, const QVariantMap &results)
{
    listenForResponse(m_pendingBindToken, SLOT(onBound(uint, QVariantMap)), false);
    m_pendingBindToken.clear();
    if (!m_registration)
        return;
    m_timeout.stop();
    if (response != 0) { // the user declined, or the desktop refused
        setStatus(m_registration->id, HotKeyStatus{HotKeyState::failed, {}, {}});
        return;
    }
    showBoundTrigger(results.value(QStringLiteral("shortcuts")));
}

// The desktop names the trigger it bound in its own words ("Meta+Return"); Linux keyboards
// call that key Super.
void PortalHotkeyBackend::showBoundTrigger(const QVariant &shortcuts)
{
    QList<PortalShortcut> bound;
    if (shortcuts.canConvert<QDBusArgument>())
        shortcuts.value<QDBusArgument>() >> bound;
    QString trigger;
    for (const PortalShortcut &shortcut : std::as_const(bound)) {
        if (shortcut.id == m_registration->shortcutId)
            trigger = shortcut.properties.value(QStringLiteral("trigger_description")).toString();
    }
    trigger.replace(QStringLiteral("Meta"), QStringLiteral("Super"));
    setStatus(m_registration->id,
              HotKeyStatus{HotKeyState::active, QStringLiteral("ポータル"), trigger});
}

void PortalHotkeyBackend::onShortcutsChanged(const QDBusMessage &message)
{
    const QList<QVariant> arguments = message.arguments();
    if (arguments.size() == 2 && arguments[0].value<QDBusObjectPath>().path() == m_sessionHandle &&
        m_registration && status(m_registration->id).state == HotKeyState::active)
        showBoundTrigger(arguments[1]);
}

void PortalHotkeyBackend::giveUp()
{
    m_timeout.stop();
    if (m_registration && status(m_registration->id).state == HotKeyState::pending)
        setStatus(m_registration->id, HotKeyStatus{HotKeyState::notAvailable, {}, {}});
}

void PortalHotkeyBackend::onActivated(const QDBusObjectPath &session, const QString &shortcutId,
                                      qulonglong, const QVariantMap &)
{
    if (session.path() == m_sessionHandle && m_registration &&
        m_registration->shortcutId == shortcutId)
        Q_EMIT pressed(m_registration->id);
}

void PortalHotkeyBackend::onDeactivated(const QDBusObjectPath &session, const QString &shortcutId,
                                        qulonglong, const QVariantMap &)
{
    if (session.path() == m_sessionHandle && m_registration &&
        m_registration->shortcutId == shortcutId)
        Q_EMIT released(m_registration->id);
}
