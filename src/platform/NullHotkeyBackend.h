#pragma once

#include "platform/GlobalHotkeyBackend.h"

// Where no system-wide grab exists (offscreen, no display): every registration fails quietly,
// and `zorv --toggle` remains the way to reach the running instance.
class NullHotkeyBackend : public GlobalHotkeyBackend
{
public:
    bool registerHotKey(quint32, quint32, quint32, quint32) override { return false; }
    void unregisterHotKey(quint32, quint32) override {}
};
