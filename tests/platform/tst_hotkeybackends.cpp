#include "hotkey/Key.h"
#include "platform/CarbonKeySymbols.h"
#include "platform/DesktopSession.h"
#include "platform/PortalHotkeyBackend.h"
#include "platform/X11HotkeyBackend.h"

#include <QTest>

#include <X11/XF86keysym.h>
#include <X11/keysym.h>

class TestHotkeyBackends : public QObject
{
    Q_OBJECT

private slots:
    void desktopSession_data()
    {
        QTest::addColumn<QString>("platform");
        QTest::addColumn<QString>("sessionType");
        QTest::addColumn<bool>("waylandDisplay");
        QTest::addColumn<DesktopSession>("session");
        const auto row = [](const char *name, const char *platform, const char *type, bool socket,
                            DesktopSession session) {
            QTest::newRow(name) << QString(platform) << QString(type) << socket << session;
        };
        row("X11 desktop", "xcb", "x11", false, DesktopSession::x11);
        row("X11, no session type", "xcb", "", false, DesktopSession::x11);
        row("XWayland by socket", "xcb", "", true, DesktopSession::xwayland);
        row("XWayland by type", "xcb", "wayland", false, DesktopSession::xwayland);
        row("native Wayland", "wayland", "wayland", true, DesktopSession::wayland);
        row("Wayland EGL", "wayland-egl", "wayland", true, DesktopSession::wayland);
        row("offscreen", "offscreen", "x11", false, DesktopSession::headless);
        row("minimal", "minimal", "wayland", true, DesktopSession::headless);
    }

    void desktopSession()
    {
        QFETCH(QString, platform);
        QFETCH(QString, sessionType);
        QFETCH(bool, waylandDisplay);
        QFETCH(DesktopSession, session);
        QCOMPARE(::desktopSession(platform, sessionType, waylandDisplay), session);
    }

    void keySymbols_data()
    {
        QTest::addColumn<Key>("key");
        QTest::addColumn<quint32>("keysym");
        QTest::addColumn<QString>("name");
        // Keys by their X name; the Mac modifier keys where Qt's convention puts them.
        QTest::newRow("quote") << Key::quote << quint32(XK_apostrophe) << "apostrophe";
        QTest::newRow("command") << Key::command << quint32(XK_Control_L) << "Control_L";
        QTest::newRow("control") << Key::control << quint32(XK_Super_L) << "Super_L";
        QTest::newRow("rightOption") << Key::rightOption << quint32(XK_Alt_R) << "Alt_R";
        QTest::newRow("delete is backspace")
            << Key::deleteKey << quint32(XK_BackSpace) << "BackSpace";
        QTest::newRow("forwardDelete") << Key::forwardDelete << quint32(XK_Delete) << "Delete";
        QTest::newRow("mute") << Key::mute << quint32(XF86XK_AudioMute) << "AudioMute";
    }

    void keySymbols()
    {
        QFETCH(Key, key);
        QFETCH(quint32, keysym);
        QFETCH(QString, name);
        const std::optional<KeySymbol> symbol = keySymbolForCarbonKeyCode(carbonKeyCode(key));
        QVERIFY(symbol);
        QCOMPARE(symbol->keysym, keysym);
        QCOMPARE(QString::fromLatin1(symbol->name), name);
    }

    void everyKeyButFnHasASymbol()
    {
        QSet<quint32> keysyms;
        for (Key key : allKeys()) {
            const auto symbol = keySymbolForCarbonKeyCode(carbonKeyCode(key));
            QCOMPARE(symbol.has_value(), key != Key::function);
            if (symbol)
                keysyms.insert(symbol->keysym);
        }
        QCOMPARE(keysyms.size(), allKeys().size() - 1);
    }

    void x11Masks_data()
    {
        QTest::addColumn<quint32>("carbon");
        QTest::addColumn<quint16>("x11");
        // ShiftMask 1, ControlMask 4, Mod1Mask 8, Mod4Mask 64.
        QTest::newRow("cmdKey is Control") << 0x100u << quint16(4);
        QTest::newRow("controlKey is Mod4") << 0x1000u << quint16(64);
        QTest::newRow("all") << 0x1B00u << quint16(77);
        QTest::newRow("unknown bits dropped") << (0x1000u | 0x400u | 0x80u) << quint16(64);
    }

    void x11Masks()
    {
        QFETCH(quint32, carbon);
        QFETCH(quint16, x11);
        QCOMPARE(X11HotkeyBackend::x11ModifierMask(carbon), x11);
    }

    void portalTriggers_data()
    {
        QTest::addColumn<quint32>("keyCode");
        QTest::addColumn<quint32>("modifiers");
        QTest::addColumn<QString>("trigger");
        QTest::newRow("controlReturn") << 36u << 0x1000u << "LOGO+Return";
        QTest::newRow("controlOptionSpace") << 49u << 0x1800u << "ALT+LOGO+space";
        QTest::newRow("everything") << 0u << 0x1B00u << "CTRL+ALT+SHIFT+LOGO+a";
        QTest::newRow("Fn has no name") << 63u << 0x1000u << "";
        QTest::newRow("unknown code") << 52u << 0u << "";
    }

    void portalTriggers()
    {
        QFETCH(quint32, keyCode);
        QFETCH(quint32, modifiers);
        QTEST(PortalHotkeyBackend::preferredTrigger(keyCode, modifiers), "trigger");
    }
};

QTEST_GUILESS_MAIN(TestHotkeyBackends)
#include "tst_hotkeybackends.moc"
