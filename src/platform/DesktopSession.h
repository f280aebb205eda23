#pragma once

#include <QString>

#include <memory>

class GlobalHotkeyBackend;
class WindowSystem;

// The kind of desktop Zorv runs in, which decides how hotkeys are grabbed and how windows are
// managed. `xwayland`: our windows are X11 windows inside a Wayland session, where X grabs only
// see keys typed into X windows, so hotkeys come from the desktop portal.
enum class DesktopSession { headless, x11, xwayland, wayland };

// Decided from the Qt platform plugin in use and the session's environment.
DesktopSession desktopSession(const QString &qpaPlatform, const QString &xdgSessionType,
                              bool hasWaylandDisplay);
// The session of this process; headless before a QGuiApplication exists.
DesktopSession currentDesktopSession();
// GNOME, from XDG_CURRENT_DESKTOP: its portal has no shortcuts interface, but its settings take
// custom keybindings.
bool currentDesktopIsGnome();

std::unique_ptr<GlobalHotkeyBackend> createGlobalHotkeyBackend();
std::unique_ptr<WindowSystem> createWindowSystem();
