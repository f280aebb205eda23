#include "hotkey/Key.h"
#include "platform/CarbonKeySymbols.h"
#include "platform/DesktopSession.h"

#include <QTest>

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

    // Two keys sharing a keysym would grab the same key twice.
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
};

QTEST_GUILESS_MAIN(TestHotkeyBackends)
#include "tst_hotkeybackends.moc"
