#include "hotkey/Key.h"
#include "platform/CarbonKeySymbols.h"
#include "platform/DesktopSession.h"
#include "platform/ScreenCoordinates.h"
#include "platform/TerminationSignals.h"

#include <QSignalSpy>
#include <QTest>

#include <csignal>

class TestPlatformServices : public QObject
{
    Q_OBJECT

private slots:
    // The session decides the hotkey backend: XWayland must not be taken for X11.
    void desktopSession()
    {
        QCOMPARE(::desktopSession("xcb", "x11", false), DesktopSession::x11);
        QCOMPARE(::desktopSession("xcb", "", false), DesktopSession::x11);
        QCOMPARE(::desktopSession("xcb", "", true), DesktopSession::xwayland);
        QCOMPARE(::desktopSession("xcb", "wayland", false), DesktopSession::xwayland);
        QCOMPARE(::desktopSession("wayland", "wayland", true), DesktopSession::wayland);
        QCOMPARE(::desktopSession("wayland-egl", "wayland", true), DesktopSession::wayland);
        QCOMPARE(::desktopSession("offscreen", "x11", false), DesktopSession::headless);
        QCOMPARE(::desktopSession("minimal", "wayland", true), DesktopSession::headless);
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

    // A logout, a `kill` or Ctrl+C must not end the process before it saved.
    void terminationSignalsBecomeQtSignals()
    {
        TerminationSignals watcher;
        QSignalSpy spy(&watcher, &TerminationSignals::terminationRequested);
        for (int number : {SIGTERM, SIGINT, SIGHUP, SIGHUP})
            ::raise(number);
        QTRY_COMPARE(spy.count(), 4);
        QCOMPARE(spy.at(0).at(0).toInt(), SIGTERM);
        QCOMPARE(spy.at(1).at(0).toInt(), SIGINT);
        QCOMPARE(spy.at(3).at(0).toInt(), SIGHUP);
    }

    // Zorv's frames count up from the primary screen's bottom edge, Qt's down from its top.
    void coordinatesFlipAtPrimaryBottom()
    {
        const QRectF above(0, 1080, 1920, 1200); // a screen above the primary one
        QCOMPARE(ScreenCoordinates::toQt(QRectF(0, 0, 720, 400), 1080), QRectF(0, 680, 720, 400));
        QCOMPARE(ScreenCoordinates::toQt(above, 1080), QRectF(0, -1200, 1920, 1200));
        QCOMPARE(ScreenCoordinates::fromQt(QRectF(0, -1200, 1920, 1200), 1080), above);
        QCOMPARE(ScreenCoordinates::toQt(QPointF(100, 1055), 1080), QPointF(100, 25));
    }
};

QTEST_GUILESS_MAIN(TestPlatformServices)
#include "tst_platformservices.moc"
