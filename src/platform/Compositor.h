#pragma once

// Whether a compositing manager runs, so that translucent windows really are translucent.
// Without one (or off X11, where Qt composes itself) windows cut their rounded corners
// with a mask instead.
class Compositor
{
public:
    Compositor() = delete;
    static bool isActive();
};
