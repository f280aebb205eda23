#pragma once

#include "platform/WindowSystem.h"

// Without a window manager to ask (offscreen, native Wayland) nothing is known and nothing moves.
class NullWindowSystem : public WindowSystem
{
public:
    std::optional<WindowId> activeWindow() override { return std::nullopt; }
    bool isOwnWindow(WindowId) override { return false; }
    bool windowExists(WindowId) override { return false; }
    bool activateWindow(WindowId) override { return false; }
    void keepOnAllDesktops(QWindow *, bool) override {}
};
