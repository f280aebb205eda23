// The portal backend and the tray host watcher on a private session bus.
#include "../TestFiles.h"
#include "app/AppDelegate.h"
#include "hotkey/HotKey.h"
#include "model/AppSettings.h"
#include "platform/PreferencesStore.h"
#include "platform/TrayHostWatcher.h"
#include "platform/portal/PortalHotkeyBackend.h"
#include "windows/FloatingWindowController.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString shortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString portalName = QStringLiteral("org.freedesktop.portal.Desktop");
const QString sessionPath = QStringLiteral("/org/freedesktop/portal/desktop/session/1_1/zorv");

// One entry of an a(sa{sv}) shortcut list: an id and its properties.
using Shortcut = QPair<QString, QVariantMap>;

QString triggerOf(const Shortcut &shortcut)
{
    return shortcut.second.value("preferred_trigger").toString();
}

// On the test's own thread, so a blocking call of Zorv's fails; declines or holds back a bind.
class FakePortal : public QDBusVirtualObject
{
public:
    QString introspect(const QString &) const override { return {}; }

    bool handleMessage(const QDBusMessage &message, const QDBusConnection &) override
    {
        const QString member = message.member();
        if (member == QLatin1String("Get"))
            return m_bus.send(message.createReply(QVariant::fromValue(QDBusVariant(1u))));
        const QList<QVariant> arguments = message.arguments();
        const auto options = qdbus_cast<QVariantMap>(arguments.last());
        const QString sender = message.service().mid(1).replace(u'.', u'_');
        const QString request =
            portalPath + "/request/" + sender + '/' + options.value("handle_token").toString();
        QVariantMap results;
        if (member == QLatin1String("CreateSession")) {
            sessionToken = options.value("session_handle_token").toString();
            createdShortcuts =
                qdbus_cast<QList<Shortcut>>(options.value(QStringLiteral("shortcuts")));
            results.insert(QStringLiteral("session_handle"), sessionPath);
        } else {
            boundSession = arguments.at(0).value<QDBusObjectPath>().path();
            boundShortcuts.append(qdbus_cast<QList<Shortcut>>(arguments.at(1)));
            // The desktop names the bound trigger in its own words, as Plasma does.
            QList<Shortcut> chosen = boundShortcuts.last();
            for (Shortcut &shortcut : chosen)
                shortcut.second = {
                    {"trigger_description", triggerOf(shortcut).replace("LOGO", "Meta")}};
            results.insert(QStringLiteral("shortcuts"), QVariant::fromValue(chosen));
        }
        m_bus.send(message.createReply(QVariant::fromValue(QDBusObjectPath(request))));
        QDBusMessage response = QDBusMessage::createSignal(
            request, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
        const bool bind = member != QLatin1String("CreateSession");
        response << (bind && mode == "decline" ? 1u : 0u) << results;
        if (bind && mode == "late")
            m_held = response;
        else
            m_bus.send(response);
        return true;
    }

    void answerHeld() { m_bus.send(m_held); }

    QString mode; // "decline", "late", or anything else to bind at once
    QString sessionToken;
    QList<Shortcut> createdShortcuts;
    QString boundSession;
    QList<QList<Shortcut>> boundShortcuts;

private:
    QDBusConnection m_bus = QDBusConnection(QStringLiteral("portal"));
    QDBusMessage m_held;
};

} // namespace

class TestPortalHotkeys : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qDBusRegisterMetaType<Shortcut>();
        qDBusRegisterMetaType<QList<Shortcut>>();
        QStandardPaths::setTestModeEnabled(true);
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
            QSKIP("dbus-daemon is not installed");
        // A bus of our own with nothing to activate: no real portal can answer here.
        const QString config = m_folder.filePath(QStringLiteral("bus.conf"));
        writeFile(config,
                  "<busconfig><type>session</type><listen>unix:dir=" + m_folder.path().toUtf8() +
                      "</listen><auth>EXTERNAL</auth><policy context=\"default\"><allow "
                      "send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                      "<allow own=\"*\"/></policy></busconfig>\n");
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                        QStringLiteral("--print-address=1")});
        QVERIFY(m_daemon.waitForReadyRead(10000));
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        QDBusConnection portalBus = connection("portal");
        m_portal = std::make_unique<FakePortal>();
        QVERIFY(portalBus.registerVirtualObject(portalPath, m_portal.get()));
        QVERIFY(portalBus.registerService(portalName));
    }

    // A failed row leaves the portal as the next test expects it.
    void cleanup()
    {
        m_portal->mode.clear();
        QDBusConnection(QStringLiteral("portal")).registerService(portalName);
    }

    void cleanupTestCase()
    {
        m_daemon.terminate();
        m_daemon.waitForFinished(5000);
    }

    void bindsAndDispatches()
    {
        PortalHotkeyBackend backend(connection("b"));
        QSignalSpy presses(&backend, &GlobalHotkeyBackend::pressed);
        QSignalSpy releases(&backend, &GlobalHotkeyBackend::released);
        QVERIFY(backend.registerHotKey(7, KeyCombo(36, 0x1000)));
        QVERIFY(!backend.registerHotKey(8, KeyCombo(49, 0x1000))); // Zorv binds one key there
        QTRY_COMPARE(backend.status(7).state, HotKeyState::active);
        // The trigger the desktop chose is what the user is shown.
        QCOMPARE(backend.status(7).trigger, "Super+Return");
        QCOMPARE(m_portal->sessionToken, "zorv_hotkeys"); // the desktop recognises Zorv again
        // Some desktops read the shortcuts from the session options, others from the bind.
        QCOMPARE(m_portal->createdShortcuts.size(), 1);
        QCOMPARE(m_portal->boundShortcuts.size(), 1);
        const Shortcut bound = m_portal->boundShortcuts.first().first();
        QCOMPARE(bound.first, m_portal->createdShortcuts.first().first);
        QCOMPARE(triggerOf(bound), "LOGO+Return");
        QCOMPARE(m_portal->boundSession, sessionPath);
        signal("Activated", "/other/session", bound.first);
        signal("Activated", sessionPath, bound.first);
        signal("Deactivated", sessionPath, bound.first);
        QTRY_COMPARE(releases.size(), 1);
        QCOMPARE(presses.size(), 1);
        QCOMPARE(presses.first().first().toUInt(), 7u);
    }

    void bindWithoutAnswer_data()
    {
        QTest::addColumn<QString>("portal");
        QTest::addColumn<int>("state");
        QTest::newRow("no portal") << "absent" << int(HotKeyState::notAvailable);
        QTest::newRow("the user declines") << "decline" << int(HotKeyState::failed);
        // The user may take longer than the wait to answer the desktop's dialog.
        QTest::newRow("answer comes late") << "late" << int(HotKeyState::notAvailable);
    }

    void bindWithoutAnswer()
    {
        QFETCH(QString, portal);
        QFETCH(int, state);
        if (portal == "absent")
            QVERIFY(QDBusConnection(QStringLiteral("portal")).unregisterService(portalName));
        m_portal->mode = portal;
        const qsizetype before = bindCount();
        PortalHotkeyBackend backend(connection(QTest::currentDataTag()));
        if (portal == "late")
            backend.setTimeout(300);
        QVERIFY(backend.registerHotKey(1, KeyCombo(36, 0x1000)));
        QCOMPARE(backend.status(1).state, HotKeyState::pending);
        QTRY_COMPARE(int(backend.status(1).state), state);
        if (portal == "late") {
            QTRY_COMPARE(bindCount(), before + 1);
            m_portal->answerHeld();
            QTRY_COMPARE(backend.status(1).trigger, "Super+Return");
            QCOMPARE(backend.status(1).state, HotKeyState::active);
        }
    }

    // The desktop may ask the user about each bind: shows and other settings must not bind.
    void bindsOncePerHotkeyChange()
    {
        PreferencesStore::standard().clear();
        const qsizetype before = bindCount();
        AppDelegate delegate;
        delegate.applicationDidFinishLaunching(
            std::make_unique<PortalHotkeyBackend>(connection("d")));
        QTRY_COMPARE(delegate.toggleHotKey()->status().state, HotKeyState::active);
        QCOMPARE(bindCount(), before + 1);
        for (int i = 0; i < 20; ++i)
            delegate.windowController()->toggleShown();
        AppSettings::editorTheme.set(EditorThemeKind::sublime);
        // Binds reach the portal in order: any bind of the shows comes before this one's answer.
        AppSettings::toggleHotkeyPreset.set(ToggleHotkeyPreset::controlSpace);
        QTRY_COMPARE(delegate.toggleHotKey()->status().trigger, "Super+space");
        QCOMPARE(bindCount(), before + 2);
        QCOMPARE(triggerOf(m_portal->boundShortcuts.last().first()), "LOGO+space");
    }

    // GNOME shows no tray until its AppIndicator extension runs: the icon waits for its host.
    void trayHostIsAwaited()
    {
        TrayHostWatcher watcher(connection("e"));
        QSignalSpy appeared(&watcher, &TrayHostWatcher::hostAppeared);
        QDBusConnection tray = connection("tray");
        QVERIFY(tray.registerService("org.kde.StatusNotifierWatcher"));
        QTest::qWait(100);
        QCOMPARE(appeared.size(), 0); // a watcher without a host yet
        for (int i = 0; i < 2; ++i)
            tray.send(QDBusMessage::createSignal("/StatusNotifierWatcher",
                                                 "org.kde.StatusNotifierWatcher",
                                                 "StatusNotifierHostRegistered"));
        QTRY_COMPARE(appeared.size(), 1);
    }

private:
    QDBusConnection connection(const char *name)
    {
        return QDBusConnection::connectToBus(m_address, QString::fromLatin1(name));
    }

    void signal(const QString &name, const QString &session, const QString &shortcutId)
    {
        QDBusConnection portalBus(QStringLiteral("portal"));
        QDBusMessage message = QDBusMessage::createSignal(portalPath, shortcutsInterface, name);
        message << QVariant::fromValue(QDBusObjectPath(session)) << shortcutId << qulonglong(1)
                << QVariantMap();
        QVERIFY(portalBus.send(message));
    }

    qsizetype bindCount() { return m_portal->boundShortcuts.size(); }

    QTemporaryDir m_folder;
    QProcess m_daemon;
    QString m_address;
    std::unique_ptr<FakePortal> m_portal;
};

QTEST_MAIN(TestPortalHotkeys)
#include "tst_portalhotkeys.moc"
