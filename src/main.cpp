#include "app/AppDelegate.h"
#include "app/CommandLine.h"
#include "platform/SingleInstance.h"
#include "platform/TerminationSignals.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <memory>

// Outside the anonymous namespace: the macro declares the resource's initialiser where it stands.
static void registerResources()
{
    // The images live in the static core library, whose resources are not registered by itself.
    Q_INIT_RESOURCE(resources);
}

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

QStringList argumentList(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

// Zorv runs already (the launcher's quick try came while it was starting): hand over and end,
// before any application object exists.
int handOver(SingleInstance &instance, CommandLine::Request request)
{
    const QString text = CommandLine::handOverText(request);
    if (text.isEmpty() || instance.sendToPrimary(text))
        return 0;
    std::fputs("zorv: 起動中の Zorv に接続できません\n", stderr);
    return 1;
}

int runApplication(int argc, char *argv[], SingleInstance &instance, CommandLine::Request request)
{
    preferX11Windows();
    QApplication app(argc, argv);
    registerResources();
    QGuiApplication::setDesktopFileName(QStringLiteral("org.zorv.Zorv"));
    installQtTranslation(app);
    // Closing or collapsing the panel never ends Zorv; it lives on in the tray.
    QApplication::setQuitOnLastWindowClosed(false);
    instance.listen();

    auto ownedDelegate = std::make_unique<AppDelegate>();
    AppDelegate *const delegate = ownedDelegate.get();
    QObject::connect(&instance, &SingleInstance::requestReceived, delegate,
                     &AppDelegate::handleInstanceRequest);
    TerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &TerminationSignals::terminationRequested, delegate,
                     [delegate] { delegate->quit(); });
    QTimer::singleShot(0, delegate, [delegate, request] {
        delegate->applicationDidFinishLaunching(nullptr, request);
    });
    const int status = app.exec();
    // Windows that close as the delegate goes hand some objects to deleteLater(), which the
    // ended event loop would never run.
    ownedDelegate.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setOrganizationName(QStringLiteral("Zorv"));
    QCoreApplication::setApplicationName(QStringLiteral("Zorv"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZORV_VERSION));

    CommandLine commandLine;
    if (!commandLine.parse(argumentList(argc, argv))) {
        std::fprintf(stderr, "zorv: %s\n", qUtf8Printable(commandLine.errorText()));
        return 2;
    }
    if (commandLine.printsAndExits()) {
        QCoreApplication app(argc, argv);
        commandLine.printAndExit();
    }

    SingleInstance instance;
    if (instance.claim() == SingleInstance::Claim::secondary)
        return handOver(instance, commandLine.request());
    return runApplication(argc, argv, instance, commandLine.request());
}
