#pragma once

#include "platform/GlobalHotkeyBackend.h"

// Where no system-wide grab exists (offscreen, no display, a Wayland desktop without the
// shortcuts portal): every registration is "not available", and `zorv --toggle` bound in the
// desktop's own settings is the way to reach the running instance.
class NullHotkeyBackend : public GlobalHotkeyBackend
{
public:
    using GlobalHotkeyBackend::GlobalHotkeyBackend;

    bool registerHotKey(quint32 id, KeyCombo) override
    {
        setStatus(id, HotKeyStatus{HotKeyState::notAvailable, {}, {}});
        return false;
    }
    void unregisterHotKey(quint32 id) override { forgetStatus(id); }
};
