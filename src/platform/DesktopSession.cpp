#include "platform/DesktopSession.h"

#include "platform/NullHotkeyBackend.h"
#include "platform/NullWindowSystem.h"
#include "platform/portal/PortalHotkeyBackend.h"
#include "platform/x11/X11HotkeyBackend.h"
#include "platform/x11/X11WindowSystem.h"

#include <QGuiApplication>

DesktopSession desktopSession(const QString &qpaPlatform, const QString &xdgSessionType,
                              bool hasWaylandDisplay)
{
    if (qpaPlatform == QLatin1String("xcb")) {
        const bool inWayland = hasWaylandDisplay || xdgSessionType == QLatin1String("wayland");
        return inWayland ? DesktopSession::xwayland : DesktopSession::x11;
    }
    if (qpaPlatform.startsWith(QLatin1String("wayland")))
        return DesktopSession::wayland;
    return DesktopSession::headless;
}

DesktopSession currentDesktopSession()
{
    if (!qGuiApp)
        return DesktopSession::headless;
    return desktopSession(QGuiApplication::platformName(), qEnvironmentVariable("XDG_SESSION_TYPE"),
                          !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"));
}

bool currentDesktopIsGnome()
{
    const QStringList desktops = qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':');
    return desktops.contains(QLatin1String("GNOME"), Qt::CaseInsensitive);
}

std::unique_ptr<GlobalHotkeyBackend> createGlobalHotkeyBackend()
{
    switch (currentDesktopSession()) {
    case DesktopSession::x11:
        if (auto backend = X11HotkeyBackend::create())
            return backend;
        break;
    case DesktopSession::xwayland:
    case DesktopSession::wayland:
        return std::make_unique<PortalHotkeyBackend>();
    case DesktopSession::headless:
        break;
    }
    return std::make_unique<NullHotkeyBackend>();
}

std::unique_ptr<WindowSystem> createWindowSystem()
{
    switch (currentDesktopSession()) {
    case DesktopSession::x11:
    case DesktopSession::xwayland:
        if (auto windowSystem = X11WindowSystem::create())
            return windowSystem;
        break;
    case DesktopSession::wayland:
    case DesktopSession::headless:
        break;
    }
    return std::make_unique<NullWindowSystem>();
}
