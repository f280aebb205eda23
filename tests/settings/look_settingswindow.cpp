// Renders the settings window to PNG files for looking at it:
//   look_settingswindow <output-prefix>
// writes <prefix>-top.png, <prefix>-bottom.png (scrolled to the end) and <prefix>-tall.png
// (the window stretched so the whole form shows). Run it under a private X server and
// private XDG folders; it reads the preferences but never writes them.
#include "settings/SettingsWindowController.h"

#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QWidget>

namespace {

void grabTo(QWidget *window, const QString &path)
{
    QApplication::processEvents();
    window->grab().save(path);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 2)
        return 2;
    const QString prefix = QString::fromLocal8Bit(argv[1]);
    SettingsWindowController controller;
    controller.show(nullptr);
    QTimer::singleShot(500, &app, [&] {
        QWidget *window = controller.window();
        grabTo(window, prefix + "-top.png");
        auto *scroll = window->findChild<QScrollArea *>();
        scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
        grabTo(window, prefix + "-bottom.png");
        window->resize(440, 1000);
        QTimer::singleShot(300, &app, [window, prefix, &app] {
            grabTo(window, prefix + "-tall.png");
            app.quit();
        });
    });
    return app.exec();
}
