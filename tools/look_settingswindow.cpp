// Renders the settings window to PNG files for looking at it:
//   look_settingswindow <output-prefix>
// writes <prefix>-top.png, <prefix>-bottom.png (scrolled to the end) and <prefix>-tall.png
// (the window stretched so the whole form shows).
//   look_settingswindow <output-prefix> <x> <y>
// shows a 720 x 400 stand-in panel at (x, y) first, opens the settings beside it, prints both
// frames and writes <prefix>-screen.png of the whole screen.
// ZORV_LOOK_HOTKEY_STATE=active|pending|taken|notAvailable|failed shows that hotkey state.
// Run it under a private X server and private XDG folders; it never writes preferences.
#include "settings/SettingsWindowController.h"

#include <QApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

void grabTo(QWidget *window, const QString &path)
{
    QApplication::processEvents();
    window->grab().save(path);
}

void grabForm(QApplication &app, QWidget *window, const QString &prefix)
{
    grabTo(window, prefix + "-top.png");
    auto *scroll = window->findChild<QScrollArea *>();
    scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
    grabTo(window, prefix + "-bottom.png");
    window->resize(440, 1000);
    QTimer::singleShot(300, &app, [window, prefix, &app] {
        grabTo(window, prefix + "-tall.png");
        app.quit();
    });
}

void reportPlacement(QApplication &app, QWidget *anchor, QWidget *window, const QString &prefix)
{
    const auto print = [](const char *name, const QRect &r) {
        std::printf("%s frame %d,%d %dx%d\n", name, r.x(), r.y(), r.width(), r.height());
    };
    print("panel", anchor->frameGeometry());
    print("settings", window->frameGeometry());
    QGuiApplication::primaryScreen()->grabWindow(0).save(prefix + "-screen.png");
    app.quit();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 2 && argc != 4)
        return 2;
    const QString prefix = QString::fromLocal8Bit(argv[1]);
    QWidget anchor;
    anchor.setWindowTitle(QStringLiteral("panel"));
    if (argc == 4) {
        anchor.setGeometry(QByteArray(argv[2]).toInt(), QByteArray(argv[3]).toInt(), 720, 400);
        anchor.show();
    }
    SettingsWindowController controller;
    const QByteArray state = qgetenv("ZORV_LOOK_HOTKEY_STATE");
    const QList<QByteArray> states{"pending", "active", "taken", "notAvailable", "failed"};
    if (states.contains(state))
        controller.setHotKeyStatus(
            HotKeyStatus{HotKeyState(states.indexOf(state)), QStringLiteral("X11"), {}});
    QTimer::singleShot(500, &app, [&] { controller.show(&anchor); });
    QTimer::singleShot(1500, &app, [&] {
        if (anchor.isVisible())
            reportPlacement(app, &anchor, controller.window(), prefix);
        else
            grabForm(app, controller.window(), prefix);
    });
    return app.exec();
}
