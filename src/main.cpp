#include "app/AppDelegate.h"
#include "platform/SingleInstance.h"
#include "platform/TerminationSignals.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

namespace {

// On Wayland desktops Zorv runs its windows through XWayland: placing the panel, the bar
// under it and keeping both on top need absolute positions, which Wayland withholds.
void preferX11Windows()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

// Every text of Zorv is Japanese; Qt's own dialogs (the Markdown save dialog) follow.
void installQtTranslation(QApplication &app)
{
    auto *translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

} // namespace

int main(int argc, char *argv[])
{
    preferX11Windows();
    QApplication app(argc, argv);
    // The images live in the static core library, whose resources are not registered by itself.
    Q_INIT_RESOURCE(resources);
    QApplication::setOrganizationName(QStringLiteral("Zorv"));
    QApplication::setApplicationName(QStringLiteral("Zorv"));
    QApplication::setApplicationVersion(QStringLiteral(ZORV_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("zorv"));
    installQtTranslation(app);
    // Closing or collapsing the panel never ends Zorv; it lives on in the tray.
    QApplication::setQuitOnLastWindowClosed(false);

    const bool toggle = QApplication::arguments().contains(QStringLiteral("--toggle"));
    SingleInstance instance;
    if (!instance.tryBecomePrimary())
        return instance.sendToPrimary(toggle ? QStringLiteral("toggle") : QStringLiteral("show"))
                   ? 0
                   : 1;

    AppDelegate delegate;
    QObject::connect(&instance, &SingleInstance::requestReceived, &delegate,
                     &AppDelegate::handleInstanceRequest);
    TerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &TerminationSignals::terminationRequested, &delegate,
                     [&delegate] { delegate.quit(); });
    QTimer::singleShot(0, &delegate, [&delegate] { delegate.applicationDidFinishLaunching(); });
    return app.exec();
}
