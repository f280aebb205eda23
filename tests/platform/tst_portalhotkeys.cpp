// The portal backend against a stand-in portal on a private bus: what it asks of the portal and
// how presses come back.
#include "platform/PortalHotkeyBackend.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QMutex>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>

namespace {

const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString shortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString sessionPath = QStringLiteral("/org/freedesktop/portal/desktop/session/1_1/zorv");

// (id, preferred trigger) of each entry of an a(sa{sv}) shortcut list.
QList<QPair<QString, QString>> shortcutsOf(const QVariant &value)
{
    QList<QPair<QString, QString>> shortcuts;
    const auto argument = value.value<QDBusArgument>();
    argument.beginArray();
    while (!argument.atEnd()) {
        QString id;
        QVariantMap properties;
        argument.beginStructure();
        argument >> id >> properties;
        argument.endStructure();
        shortcuts.append({id, properties.value(QStringLiteral("preferred_trigger")).toString()});
    }
    argument.endArray();
    return shortcuts;
}

// Answers on its own thread, since the backend waits for the portal's version synchronously.
class FakePortal : public QDBusVirtualObject
{
public:
    explicit FakePortal(QDBusConnection bus)
        : m_bus(bus)
    {
    }

    QString introspect(const QString &) const override { return {}; }

    bool handleMessage(const QDBusMessage &message, const QDBusConnection &) override
    {
        const QString member = message.member();
        if (member == QLatin1String("Get")) {
            m_bus.send(message.createReply(QVariant::fromValue(QDBusVariant(1u))));
            return true;
        }
        const QList<QVariant> arguments = message.arguments();
        const auto options = qdbus_cast<QVariantMap>(arguments.last());
        const QString token = options.value(QStringLiteral("handle_token")).toString();
        QString sender = message.service().mid(1);
        sender.replace(QLatin1Char('.'), QLatin1Char('_'));
        const QString request = portalPath + "/request/" + sender + '/' + token;
        {
            QMutexLocker locker(&mutex);
            if (member == QLatin1String("CreateSession")) {
                createOptions = options;
                createdShortcuts = shortcutsOf(options.value(QStringLiteral("shortcuts")));
            } else if (member == QLatin1String("BindShortcuts")) {
                boundSession = arguments.at(0).value<QDBusObjectPath>().path();
                boundShortcuts.append(shortcutsOf(arguments.at(1)));
            }
        }
        m_bus.send(message.createReply(QVariant::fromValue(QDBusObjectPath(request))));
        QVariantMap results;
        if (member == QLatin1String("CreateSession"))
            results.insert(QStringLiteral("session_handle"), sessionPath);
        QDBusMessage response = QDBusMessage::createSignal(
            request, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
        response << 0u << results;
        m_bus.send(response);
        return true;
    }

    QMutex mutex;
    QVariantMap createOptions;
    QList<QPair<QString, QString>> createdShortcuts;
    QString boundSession;
    QList<QList<QPair<QString, QString>>> boundShortcuts;

private:
    QDBusConnection m_bus;
};

} // namespace

class TestPortalHotkeys : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
            QSKIP("dbus-daemon is not installed");
        // A bus of our own with nothing to activate: no real portal can answer here.
        const QString config = m_folder.filePath(QStringLiteral("bus.conf"));
        QFile file(config);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\" "
            "\"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
            "<busconfig><type>session</type><listen>unix:dir=" +
            m_folder.path().toUtf8() +
            "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
            "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
            "<allow own=\"*\"/></policy></busconfig>\n");
        file.close();
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                        QStringLiteral("--print-address=1")});
        QVERIFY(m_daemon.waitForReadyRead(10000));
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        QVERIFY(!m_address.isEmpty());
    }

    void cleanupTestCase()
    {
        m_portalThread.quit();
        m_portalThread.wait();
        delete m_portal;
        m_daemon.terminate();
        m_daemon.waitForFinished(5000);
    }

    void withoutPortalNothingRegisters()
    {
        PortalHotkeyBackend backend(QDBusConnection::connectToBus(m_address, QStringLiteral("a")));
        QVERIFY(!backend.registerHotKey(1, 1, 36, 0x1000));
    }

    void bindsAndDispatches()
    {
        QDBusConnection portalBus =
            QDBusConnection::connectToBus(m_address, QStringLiteral("portal"));
        m_portal = new FakePortal(portalBus);
        m_portal->moveToThread(&m_portalThread);
        m_portalThread.start();
        QVERIFY(portalBus.registerVirtualObject(portalPath, m_portal));
        QVERIFY(portalBus.registerService(QStringLiteral("org.freedesktop.portal.Desktop")));

        PortalHotkeyBackend backend(QDBusConnection::connectToBus(m_address, QStringLiteral("b")));
        QList<GlobalHotkeyBackend::Event> events;
        backend.setEventHandler([&](const GlobalHotkeyBackend::Event *event) {
            events.append(*event);
            return 0;
        });
        QVERIFY(backend.registerHotKey(0x48744B79, 7, 36, 0x1000));
        QVERIFY(!backend.registerHotKey(0x48744B79, 8, 36, 0x1000)); // the same combination again

        const QList<QPair<QString, QString>> expected{{"hotkey-36-4096", "LOGO+Return"}};
        QTRY_COMPARE(bindCount(), 1);
        {
            QMutexLocker locker(&m_portal->mutex);
            QCOMPARE(m_portal->createOptions.value("session_handle_token").toString(),
                     "zorv_hotkeys");
            // Some desktops read the shortcuts from the session options, others from the bind.
            QCOMPARE(m_portal->createdShortcuts, expected);
            QCOMPARE(m_portal->boundShortcuts.first(), expected);
            QCOMPARE(m_portal->boundSession, sessionPath);
        }

        signal(QStringLiteral("Activated"), QStringLiteral("/other/session"), "hotkey-36-4096");
        signal(QStringLiteral("Activated"), sessionPath, "hotkey-36-4096");
        signal(QStringLiteral("Deactivated"), sessionPath, "hotkey-36-4096");
        QTRY_COMPARE(events.size(), 2);
        QCOMPARE(events[0].id, 7u);
        QCOMPARE(events[0].signature, 0x48744B79u);
        QCOMPARE(events[0].kind, GlobalHotkeyBackend::EventKind::pressed);
        QCOMPARE(events[1].kind, GlobalHotkeyBackend::EventKind::released);

        // A new combination is bound at once; the dropped one no longer reaches its handler.
        backend.unregisterHotKey(0x48744B79, 7);
        QVERIFY(backend.registerHotKey(0x48744B79, 9, 49, 0x1800));
        QTRY_COMPARE(bindCount(), 2);
        {
            QMutexLocker locker(&m_portal->mutex);
            const QList<QPair<QString, QString>> second{{"hotkey-49-6144", "ALT+LOGO+space"}};
            QCOMPARE(m_portal->boundShortcuts.last(), second);
        }
        signal(QStringLiteral("Activated"), sessionPath, "hotkey-36-4096");
        signal(QStringLiteral("Activated"), sessionPath, "hotkey-49-6144");
        QTRY_COMPARE(events.size(), 3);
        QCOMPARE(events[2].id, 9u);
    }

private:
    void signal(const QString &name, const QString &session, const QString &shortcutId)
    {
        QDBusConnection portalBus(QStringLiteral("portal"));
        QDBusMessage message = QDBusMessage::createSignal(portalPath, shortcutsInterface, name);
        message << QVariant::fromValue(QDBusObjectPath(session)) << shortcutId << qulonglong(1)
                << QVariantMap();
        QVERIFY(portalBus.send(message));
    }

    qsizetype bindCount()
    {
        QMutexLocker locker(&m_portal->mutex);
        return m_portal->boundShortcuts.size();
    }

    QTemporaryDir m_folder;
    QProcess m_daemon;
    QString m_address;
    QThread m_portalThread;
    FakePortal *m_portal = nullptr;
};

QTEST_GUILESS_MAIN(TestPortalHotkeys)
#include "tst_portalhotkeys.moc"
