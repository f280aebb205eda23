// Hotkeys and window services on a private Xvfb, keys pressed through XTEST, openbox as the WM.
#include "hotkey/HotKey.h"
#include "hotkey/HotKeysController.h"
#include "platform/DesktopSession.h"
#include "platform/TrayHostWatcher.h"
#include "platform/WindowSystem.h"
#include "platform/x11/X11HotkeyBackend.h"

#include <QGuiApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// Another X client: foreign windows, grabs and selections.
class OtherClient
{
public:
    OtherClient()
        : m_connection(xcb_connect(nullptr, nullptr))
        , m_root(xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root)
    {
    }
    ~OtherClient() { xcb_disconnect(m_connection); }

    xcb_atom_t atom(const char *name)
    {
        auto *reply = xcb_intern_atom_reply(
            m_connection, xcb_intern_atom(m_connection, 0, std::strlen(name), name), nullptr);
        const xcb_atom_t value = reply->atom;
        std::free(reply);
        return value;
    }

    quint32 openWindow(quint32 pid = 1)
    {
        const xcb_window_t window = xcb_generate_id(m_connection);
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, window, m_root, 100, 100, 200, 150, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, atom("_NET_WM_PID"),
                            XCB_ATOM_CARDINAL, 32, 1, &pid);
        xcb_map_window(m_connection, window);
        sync();
        return window;
    }

    void closeWindow(quint32 window)
    {
        xcb_destroy_window(m_connection, window);
        sync();
    }

    // X key codes of Xvfb's map: F7 is 73, F8 74.
    bool grabKey(xcb_keycode_t code, quint16 modifiers)
    {
        xcb_generic_error_t *error = xcb_request_check(
            m_connection, xcb_grab_key_checked(m_connection, 0, m_root, modifiers, code,
                                               XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        std::free(error);
        return !error;
    }

    void ownSelection(quint32 window, const char *name)
    {
        xcb_set_selection_owner(m_connection, window, atom(name), XCB_CURRENT_TIME);
        xcb_flush(m_connection);
    }

private:
    // A round trip: what was asked is done for every client once this returns.
    void sync()
    {
        std::free(
            xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    }

    xcb_connection_t *m_connection;
    xcb_window_t m_root;
};

// A property of window (the root window by default) as xprop prints it: atoms by name.
QString xprop(const char *name, quint32 window = 0)
{
    QProcess process;
    process.start("xprop", window ? QStringList{"-id", QString::number(window), name}
                                  : QStringList{"-root", name});
    process.waitForFinished();
    return QString::fromLatin1(process.readAllStandardOutput()).trimmed();
}

// Destroyed after the application and its display connection are gone.
std::unique_ptr<HotKey> outlivesTheApplication;

} // namespace

class TestX11Services : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb") ||
            QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            QSKIP("Xvfb or xdotool is not installed");
        QCOMPARE(currentDesktopSession(), DesktopSession::x11);
        m_registry = std::make_unique<HotKeysController>(createGlobalHotkeyBackend());
        QVERIFY(dynamic_cast<X11HotkeyBackend *>(&m_registry->backend()));
        m_windows = createWindowSystem();
        m_other = std::make_unique<OtherClient>();
        if (QStandardPaths::findExecutable(QStringLiteral("openbox")).isEmpty())
            return;
        m_windowManager.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
        // openbox is ready once it manages a new window; one mapped while it starts is missed.
        for (int attempt = 0; attempt < 20 && !m_hasWindowManager; ++attempt) {
            const quint32 probe = m_other->openWindow();
            const QString listed = " 0x" + QString::number(probe, 16) + ',';
            m_hasWindowManager = QTest::qWaitFor(
                [&] { return (xprop("_NET_CLIENT_LIST") + ',').contains(listed); }, 1000);
            m_other->closeWindow(probe);
        }
        QVERIFY(m_hasWindowManager);
    }

    void cleanupTestCase()
    {
        m_windowManager.terminate();
        m_windowManager.waitForFinished(5000);
    }

    void hotkeyFires_data()
    {
        QTest::addColumn<quint32>("keyCode");
        QTest::addColumn<quint32>("modifiers");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("presses");
        const auto row = [](const char *name, quint32 keyCode, quint32 modifiers, const char *keys,
                            int presses = 1) {
            QTest::newRow(name) << keyCode << modifiers << QString(keys) << presses;
        };
        row("super+alt+space", 49, 0x1800, "key super+alt+space");
        row("ctrl+shift+a", 0, 0x300, "key ctrl+shift+a");
        row("F5", 96, 0, "key F5");
        row("ctrl+KP_Enter", 76, 0x100, "key ctrl+KP_Enter");
        row("with Num Lock", 36, 0x1000, "key Num_Lock super+Return Num_Lock");
        row("with Caps Lock", 36, 0x1000, "key Caps_Lock super+Return Caps_Lock");
        // The server repeats a held combination; the hotkey still fires once.
        row("held", 36, 0x1000, "keydown super+Return sleep 1 keyup super+Return");
        row("other modifiers", 36, 0x1000, "key ctrl+Return super+shift+Return Return", 0);
    }

    void hotkeyFires()
    {
        QFETCH(quint32, keyCode);
        QFETCH(quint32, modifiers);
        QFETCH(QString, keys);
        QFETCH(int, presses);
        int downs = 0;
        int ups = 0;
        int marker = 0;
        HotKey hotKey(
            *m_registry, KeyCombo(keyCode, modifiers), [&] { ++downs; }, [&] { ++ups; });
        HotKey last(*m_registry, KeyCombo(97 /* F6 */, 0), [&] { ++marker; });
        QCOMPARE(hotKey.status(), (HotKeyStatus{HotKeyState::active, "X11", {}}));
        QCOMPARE(QProcess::execute("xdotool", (keys + " key F6").split(u' ')), 0);
        // Events arrive in order: once F6 is seen, the keys before it have been seen too.
        QTRY_COMPARE(marker, 1);
        QCOMPARE(downs, presses);
        QTRY_COMPARE(ups, presses); // a release is told a moment later, after any repeat
    }

    // A key another program holds is "taken"; ours is exclusive until it is dropped.
    void grabsAreExclusive()
    {
        // NumLock is Mod2 in Xvfb's map.
        for (int lock :
             {0, int(XCB_MOD_MASK_LOCK), int(XCB_MOD_MASK_2), XCB_MOD_MASK_2 | XCB_MOD_MASK_LOCK})
            QVERIFY(m_other->grabKey(73, quint16(lock)));
        HotKey taken(*m_registry, KeyCombo(98 /* F7 */, 0), [] {});
        QCOMPARE(taken.status().state, HotKeyState::taken);
        {
            HotKey ours(*m_registry, KeyCombo(100 /* F8 */, 0x1000), [] {});
            QCOMPARE(ours.status().state, HotKeyState::active);
            QVERIFY(!m_other->grabKey(74, XCB_MOD_MASK_4));
        }
        QVERIFY(m_other->grabKey(74, XCB_MOD_MASK_4));
    }

    // Regression: a hotkey dropped after the application ended used the freed registry.
    void hotkeyMayOutliveTheApplication()
    {
        outlivesTheApplication =
            std::make_unique<HotKey>(*m_registry, KeyCombo(101 /* F9 */, 0), [] {});
        QCOMPARE(outlivesTheApplication->status().state, HotKeyState::active);
    }

    // Where the focus goes back to: our windows by pid; a closed one is not activated.
    void windowOwnershipAndExistence()
    {
        const quint32 foreign = m_other->openWindow();
        const quint32 sibling = m_other->openWindow(QCoreApplication::applicationPid());
        QVERIFY(!m_windows->isOwnWindow(foreign));
        QVERIFY(m_windows->isOwnWindow(sibling));
        QVERIFY(m_windows->windowExists(foreign));
        m_other->closeWindow(foreign);
        m_other->closeWindow(sibling);
        QVERIFY(!m_windows->windowExists(foreign));
        QVERIFY(!m_windows->activateWindow(foreign));
    }

    // As the windows do it, right after show(): on every desktop; only the bar off the taskbar.
    void stickyOnEveryShow()
    {
        if (!m_hasWindowManager)
            QSKIP("openbox is not installed");
        for (bool isBar : {true, false}) {
            QWindow window;
            if (isBar)
                window.setFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
            window.resize(200, 30);
            const auto skips = [&] {
                const QString state = xprop("_NET_WM_STATE", window.winId());
                return state.contains("SKIP_TASKBAR") == isBar &&
                       state.contains("SKIP_PAGER") == isBar;
            };
            for (int show = 0; show < 2; ++show) {
                window.show();
                m_windows->keepOnAllDesktops(&window, isBar);
                QVERIFY(QTest::qWaitForWindowExposed(&window));
                QTRY_VERIFY(xprop("_NET_WM_DESKTOP", window.winId()).endsWith("= 4294967295"));
                // A quick re-show's state is unreliable in openbox; a busy WM may take seconds.
                if (show == 0)
                    QTRY_VERIFY_WITH_TIMEOUT(skips(), 15000);
                window.hide();
                QTRY_VERIFY(!QTest::qWaitForWindowExposed(&window, 1));
            }
        }
    }

    // A panel that starts after Zorv at login still gets the icon.
    void systemTrayThatComesLater()
    {
        TrayHostWatcher watcher(QDBusConnection(QStringLiteral("no bus")));
        QSignalSpy appeared(&watcher, &TrayHostWatcher::hostAppeared);
        const quint32 tray = m_other->openWindow();
        m_other->ownSelection(tray, "_NET_SYSTEM_TRAY_S0");
        QTRY_COMPARE(appeared.size(), 1);
        m_other->closeWindow(tray);
    }

private:
    QProcess m_windowManager;
    // One connection for all foreign windows: ids reused too quickly confuse the WM.
    std::unique_ptr<OtherClient> m_other;
    bool m_hasWindowManager = false;
    std::unique_ptr<WindowSystem> m_windows;
    std::unique_ptr<HotKeysController> m_registry;
};

int main(int argc, char **argv)
{
    // -displayfd: Xvfb picks a free display itself, never one another X server on the machine uses.
    QProcess xvfb;
    xvfb.start(QStringLiteral("Xvfb"),
               {"-displayfd", "1", "-screen", "0", "1280x800x24", "-nolisten", "tcp"});
    if (xvfb.waitForReadyRead(10000)) {
        qputenv("DISPLAY", ':' + xvfb.readLine().trimmed());
        qputenv("QT_QPA_PLATFORM", "xcb");
        qputenv("XDG_SESSION_TYPE", "x11");
        qunsetenv("WAYLAND_DISPLAY");
    }
    const int result = [&] {
        QGuiApplication app(argc, argv);
        TestX11Services test;
        return QTest::qExec(&test, argc, argv);
    }();
    xvfb.terminate();
    xvfb.waitForFinished();
    return result;
}

#include "tst_x11services.moc"
