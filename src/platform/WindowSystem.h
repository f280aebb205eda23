#pragma once

#include <QtGlobal>

#include <optional>

class QWindow;

// What the floating windows need from the window manager beyond Qt: the window the user is in,
// handing the focus back to it, and staying on every desktop.
class WindowSystem
{
public:
    // A native top-level window id (an X11 window on X11).
    using WindowId = quint32;

    virtual ~WindowSystem() = default;

    // The window that has the focus now, ours or another client's; empty when none is known.
    virtual std::optional<WindowId> activeWindow() = 0;
    // True for windows of this process (their _NET_WM_PID or one of our own window ids).
    virtual bool isOwnWindow(WindowId window) = 0;
    // False once the window is gone: the application behind it counts as terminated.
    virtual bool windowExists(WindowId window) = 0;
    // Asks the window manager to activate the window; false when the window is gone.
    virtual bool activateWindow(WindowId window) = 0;
    // Puts the window on every desktop, sticky; hideFromTaskbar also keeps it out of the
    // taskbar and pager. Window managers forget this when a window is hidden: call on every show.
    virtual void keepOnAllDesktops(QWindow *window, bool hideFromTaskbar) = 0;
};
